// Degrees and radians, and the one rule that puts a time of day on the 24-hour dial.
#pragma once

#include <cmath>
#include <numbers>

namespace dorvalen {

inline constexpr double pi = std::numbers::pi;
inline constexpr double radiansPerDegree = pi / 180.0;
inline constexpr double degreesPerRadian = 57.295779513;
// 2 pi as the short solar and lunar series print it, to ten digits: their angles in turns
// become radians with it.
inline constexpr double seriesTwoPi = 6.283185307;

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
