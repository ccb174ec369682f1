// Astronomy's numeric layer: degrees in and out, the displayed day as Julian Dates in
// Universal Time, sidereal time, nutation and obliquity.
//   1. The frame's wall-clock reading (state.now, local time counted as UT) plus
//      displayedDay gives the displayed local day and instant.
//   2. Time zone and summer time turn them into UT Modified/Julian Dates.
//   3. The sun and moon series take those dates directly: no Delta T is applied anywhere.
#pragma once

#include <initializer_list>

#include "core/clock_state.h"

namespace dorvalen {

inline constexpr double radiansPerDegree = 0.0174532925199433;
inline constexpr double degreesPerRadian = 57.295779513;

double sinDeg(double x);
double cosDeg(double x);

// x - truncToInt(x), lifted by 1 when negative: [0, 1). Non-finite input gives 0, and so
// does any |x| >= 2^52 (such doubles have no fraction).
double fracPart(double x);

// x >= 0: [0, 360); x < 0: (0, 360], so -360 gives 360. Non-finite input gives 0.
double normalizeDegrees(double x);

// c0 + c1 t + c2 t^2 + ..., coefficients in book order.
double horner(double t, std::initializer_list<double> coefficients);

// The settings keep coordinates as degrees.minutes (48.47 is 48 deg 47 min). A fraction of
// 0.599 or more cannot be minutes (only the arrow keys or a hand-edited file make one) and
// is read as a decimal fraction of a degree, as the settings dialog reads typed input.
// 48.47 -> 48.78333..., -12.52 -> -12.86666..., 48.97 -> 48.97.
double degreesMinutesToDecimal(double stored);

// The observer's place as the astronomy reads it: decimal degrees, west and north positive.
struct ObserverPlace {
    double latitudeDeg;
    double longitudeWestDeg;
};
ObserverPlace observerPlace(const ClockSettings& settings);

// The time zone as the astronomy reads it: the dialog's range -12..14 hours; a non-finite
// value from a damaged file counts as 0.
double effectiveTimeZoneHours(const ClockSettings& settings);

// MJD number of the displayed local calendar day (local time counted as UT), whole number.
double localDayNumber(const ClockState& state);

// UT MJD of 0:00 local clock time on the displayed day. The factor 0.041667 (not 1/24) is
// the clock's own: its rise and set times are defined with it.
double localMidnightUT(const ClockState& state);

// Julian Date in UT of the current clock time on the displayed day, moved by extraDays.
double currentJulianDayUT(const ClockState& state, double extraDays);

double julianCenturies(double jd);

// Local mean sidereal time in hours [0, 24) for a UT MJD; longitude west positive.
double localSiderealHours(double mjd, double longitudeWestDeg);

struct Nutation {
    double longitudeDeg;       // nutation in longitude, delta psi
    double trueObliquityDeg;   // mean obliquity plus nutation in obliquity
};
// Low-accuracy nutation terms and the mean-obliquity polynomial (Meeus ch. 22).
Nutation computeNutation(double jd);

// Greenwich apparent sidereal time in degrees at currentJulianDayUT(state, 0); not reduced
// to one turn.
double apparentSiderealDegrees(const ClockState& state);

}  // namespace dorvalen
