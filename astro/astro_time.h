// Astronomy's numeric layer: degrees in and out, sidereal time, nutation and obliquity.
//   1. The frame's displayed moment (core/calendar.h) carries the displayed day as UT
//      Modified/Julian Dates, time zone and summer time applied.
//   2. The sun and moon series take those dates directly: no Delta T is applied anywhere.
#pragma once

#include <initializer_list>

#include "core/angles.h"
#include "core/calendar.h"

namespace dorvalen {


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

double julianCenturies(double jd);

// Local mean sidereal time in hours [0, 24) for a UT MJD; longitude west positive.
double localSiderealHours(double mjd, double longitudeWestDeg);

struct Nutation {
    double longitudeDeg;       // nutation in longitude, delta psi
    double trueObliquityDeg;   // mean obliquity plus nutation in obliquity
};
// Low-accuracy nutation terms and the mean-obliquity polynomial (Meeus ch. 22).
Nutation computeNutation(double jd);

// Greenwich apparent sidereal time in degrees at a UT Julian Date; not reduced to one turn.
double apparentSiderealDegrees(double jd);

}  // namespace dorvalen
