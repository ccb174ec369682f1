// Which way the moon picture is turned: the position angle of the bright limb (Meeus 48.5)
// seen from the configured place, against the vertical (parallactic angle, Meeus 14.1), at
// the current clock time on the displayed day.
#pragma once

#include "core/calendar.h"

namespace dorvalen {

struct MoonSkyOrientation {
    double parallacticAngleDeg;  // q: position angle of the zenith, north through east
    double brightLimbAngleDeg;   // chi: position angle of the bright limb, north through east
    // Where the bright limb points on a screen that shows the moon as the observer sees it,
    // facing it with the zenith at the top: degrees clockwise from +x, y down, [0, 360).
    double brightLimbScreenDeg;
};

// At UT Julian Date jdUT seen from the settings' place; the frame's form takes its moment.
MoonSkyOrientation moonSkyOrientation(const ClockSettings& settings, double jdUT);
MoonSkyOrientation moonSkyOrientation(const Frame& frame);

// The orientation angle phi of the moon picture before the drawing multiplies it by its sign
// s (+1 waxing, -1 waning, from the illuminated fractions now and a day earlier): with
// s * phi as the cusp line, the drawn bright limb points where the real one does.
// [0, 360), finite for any settings.
double moonOrientationAngle(const ClockSettings& settings, double jdUT, int limbSign);
double moonOrientationAngle(const Frame& frame, int limbSign);

}  // namespace dorvalen
