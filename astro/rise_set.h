// Rise, set and twilight times of the displayed local day at the configured place.
//   1. The search starts at 0:00 local clock time (time zone and summer time) as a UT MJD.
//   2. It samples the sine of the body's altitude at whole hours, three per 2-hour window,
//      fits a parabola per window and takes its zeros as crossings of the threshold.
//   3. Found times are local clock hours in [0, 24]; the dial angles follow from them.
//   4. The first rising and setting are kept as they always were; every crossing of the day
//      is listed beside them (the sun can set, rise and set again within one polar day).
#pragma once

#include <array>
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

// One crossing of the threshold: upwards (a rising, the beginning of a twilight) or down.
struct Crossing {
    double hours = 0.0;  // local clock hours, [0, 24]
    bool rising = false;
};

// Every crossing of the day in time order; a 2-hour window holds at most two.
struct Crossings {
    static constexpr int capacity = 24;
    std::array<Crossing, capacity> items{};
    int count = 0;

    const Crossing* begin() const { return items.data(); }
    const Crossing* end() const { return items.data() + count; }
    int risingCount() const;
    int settingCount() const;
    // More than one rising or more than one setting: the first pair alone misses some.
    bool beyondFirstPair() const { return risingCount() > 1 || settingCount() > 1; }
};

// riseHours, setHours and upAtLastStep are those of the search that stops at its first
// rising and setting; `crossings` continues it to the day's end.
struct RiseSet {
    double riseHours = 0.0;     // morning crossing upwards; 0 when none was found
    double setHours = 0.0;      // evening crossing downwards; 0 when none was found
    bool upAtLastStep = false;  // above the threshold at the start of the last window looked at
    Crossings crossings;
};

struct DayEvents {
    double riseHours = 0.0;
    double setHours = 0.0;
    bool upAtLastStep = false;
    double riseAngle = 270.0;  // dial degrees of riseHours, [0, 360)
    double setAngle = 270.0;
    Crossings crossings;
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
// The same at any UT MJD.
double sinAltitudeAtMjd(EventKind kind, double mjd, double longitudeWestDeg, LatitudeTrig latitude);

// Parabola through (-1, yMinus), (0, y0), (1, yPlus). An exactly linear (or flat) triple
// has no zeros here: a window without a crossing.
QuadraticZeros quadraticZeros(double yMinus, double y0, double yPlus);

}  // namespace dorvalen
