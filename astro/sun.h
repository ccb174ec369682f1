// The sun at two weights: a short closed-form series for the rise/set search and the
// apparent ecliptic position (closed longitude, abridged VSOP87 latitude and distance) for
// the moon picture. Both take UT where the methods ask for TD.
#pragma once

namespace dorvalen {

struct EquatorialPosition {
    double rightAscensionHours;  // [0, 24)
    double declinationDeg;
};

struct SunEcliptic {
    double longitudeDeg;  // apparent, [0, 360]
    double latitudeDeg;
    double radiusAu;
};

// t: Julian centuries from J2000.0. Fixed obliquity, latitude taken as 0.
EquatorialPosition lowPrecisionSun(double t);

SunEcliptic apparentSun(double jd);

// Shared by the short sun and moon series: the equatorial position of an ecliptic
// direction (cos b cos l, cos b sin l, sin b) under the fixed obliquity cos 0.91748,
// sin 0.39778, with the half-angle arcus tangent for the right ascension.
EquatorialPosition equatorialOfFixedObliquity(double x, double v, double w);

}  // namespace dorvalen
