// Degrees and radians, and the one rule that puts a time of day on the 24-hour dial.
#pragma once

#include <cmath>

namespace dorvalen {

inline constexpr double radiansPerDegree = 0.017453292519943295;  // pi / 180
inline constexpr double degreesPerRadian = 57.295779513;

// Screen degrees (0 = right, clockwise, y down) of a local time of day in hours: hour h of
// 24 sits at 15h - 90, so 0:00 is at the top (270), 6:00 at the right (0). [0, 360) for
// hours in [0, 24]; a non-finite time stands at 0:00.
inline double dialAngleOfHours(double hours) {
    double angle = hours * 15.0 - 90.0;
    if (!std::isfinite(angle)) return 270.0;
    if (angle < 0.0) angle += 360.0;
    return angle;
}

}  // namespace dorvalen
