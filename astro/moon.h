// The moon at two weights: a short closed-form series for the rise/set search, and the full
// periodic terms of Meeus ch. 47 with nutation for the moon picture; and the illuminated
// fraction from the phase angle. UT is fed where the methods ask for TD.
#pragma once

#include "astro/sun.h"

namespace dorvalen {

struct MoonEcliptic {
    double longitudeDeg;       // apparent, [0, 360]
    double latitudeDeg;
    double distanceKm;         // from the earth's centre
    double trueObliquityDeg;   // of the same instant, from the nutation step
};

struct LunarSums {
    double sumL;  // 1e-6 deg
    double sumR;  // 1e-3 km
    double sumB;  // 1e-6 deg
};

// t: Julian centuries from J2000.0. Geocentric, fixed obliquity.
EquatorialPosition lowPrecisionMoon(double t);

MoonEcliptic apparentMoon(double jd);

// Arguments in degrees; e is the eccentricity factor of the earth's orbit.
LunarSums sumLunarTerms(double d, double m, double mPrime, double f, double e);

// Illuminated fraction k in [0, 1] at a Julian Date in UT (Meeus 48.4, low accuracy).
double moonIlluminatedFractionAt(double jd);

}  // namespace dorvalen
