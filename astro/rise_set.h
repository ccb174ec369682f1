// Rise, set and twilight times of the displayed local day at the configured place.
//   1. The search starts at 0:00 local clock time (time zone and summer time) as a UT MJD.
//   2. It samples the sine of the body's altitude at whole hours, three per 2-hour window,
//      fits a parabola per window and takes its zeros as crossings of the threshold.
//   3. Found times are local clock hours in [0, 24]; the dial angles follow from them.
#pragma once

#include <cstdint>

#include "core/angles.h"
#include "core/calendar.h"

namespace dorvalen {

// The body and the threshold altitude of its centre. Any other value (a damaged
// settings file) searches the sun at 0 degrees.
enum EventKind : std::int32_t {
    MoonRiseSet = 1,           // moon, +8'
    SunRiseSet = 2,            // sun, -50'
    CivilTwilight = 3,         // sun, -6 deg
    NauticalTwilight = 4,      // sun, -12 deg
    AstronomicalTwilight = 5,  // sun, -18 deg
};

double thresholdAltitudeDeg(EventKind kind);

struct RiseSet {
    double riseHours = 0.0;     // morning crossing upwards; 0 when none was found
    double setHours = 0.0;      // evening crossing downwards; 0 when none was found
    bool upAtLastStep = false;  // above the threshold at the start of the last window looked at
};

struct DayEvents {
    double riseHours = 0.0;
    double setHours = 0.0;
    bool upAtLastStep = false;
    double riseAngle = 270.0;  // dial degrees of riseHours, [0, 360)
    double setAngle = 270.0;
};

struct QuadraticZeros {
    double xe = 0.0, ye = 0.0;       // extremum of the parabola
    double zero1 = 0.0, zero2 = 0.0;  // a single zero in [-1, 1] is always zero1
    int count = 0;                    // zeros in [-1, 1]
};

// Latitude and longitude are read from the settings as decimal degrees (degrees.minutes
// converted).
DayEvents computeDayEvents(const Frame& frame, EventKind kind);

// The observer's latitude as the altitude formula reads it: its sine and cosine, together.
struct LatitudeTrig {
    double sin;
    double cos;
};
LatitudeTrig latitudeTrig(double latitudeDeg);

// longitudeWestDeg in decimal degrees.
RiseSet searchRiseSet(EventKind kind, double startMjd, double longitudeWestDeg,
                      LatitudeTrig latitude, double sinH0);

// Sine of the geocentric altitude, whole hour 0..24 after startMjd (UT MJD).
double sinAltitudeAt(EventKind kind, double startMjd, int hour, double longitudeWestDeg,
                     LatitudeTrig latitude);

// Parabola through (-1, yMinus), (0, y0), (1, yPlus). An exactly linear (or flat) triple
// has no zeros here: a window without a crossing.
QuadraticZeros quadraticZeros(double yMinus, double y0, double yPlus);

}  // namespace dorvalen
