// Sun position. The short series (Montenbruck and Pfleger, Astronomy on the Personal
// Computer, ch. 3, routine MiniSun: mean anomaly and longitude in turns, the equation of
// centre in seconds of arc) feeds the rise/set search; the apparent position after Meeus ch. 25 with the abridged
// VSOP87 Earth series B and R (Meeus appendix III) orients the moon picture.
#include "astro/sun.h"

#include <cmath>

#include "astro/term_tables.h"
#include "astro/astro_time.h"
#include "core/angles.h"

namespace dorvalen {

namespace {

constexpr double arcsecondsPerTurn = 1296000.0;

// One series of the Earth table, A cos(B + N tau) summed over its own rows only.
double sumEarthSeries(SeriesRange range, double tau) {
    double sum = 0.0;
    for (int row = range.first; row < range.first + range.count; ++row) {
        const EarthTermRow& term = earthTermRows[row];
        sum += term.a * std::cos(term.b + term.n * tau);
    }
    return sum;
}

}  // namespace

// The rotation about the x axis by the obliquity of J2000 (23.43929 deg: cos 0.91748,
// sin 0.39778), as MiniSun and MiniMoon write it.
EquatorialPosition equatorialOfFixedObliquity(double x, double v, double w) {
    const double y = 0.91748 * v - 0.39778 * w;
    const double z = 0.39778 * v + 0.91748 * w;
    const double rho = std::sqrt(1.0 - z * z);
    const double declination = (360.0 / seriesTwoPi) * std::atan(z / rho);
    // Half-angle form: the one-argument arcus tangent covers 0..24 h. Exactly opposite
    // the equinox (x + rho = 0) the quotient has no value, and the answer is 12 h.
    const double denominator = x + rho;
    double rightAscension =
        denominator == 0.0 ? 12.0 : (48.0 / seriesTwoPi) * std::atan(y / denominator);
    if (rightAscension < 0.0) rightAscension += 24.0;
    return {rightAscension, declination};
}

// MiniSun: mean anomaly M, equation of centre 6893" sin M + 72" sin 2M, longitude of
// perigee and precession in the constants 0.7859453 turns and 6191.2" per century.
EquatorialPosition lowPrecisionSun(double t) {
    const double m = seriesTwoPi * fracPart(0.993133 + 99.997361 * t);  // mean anomaly
    const double deltaL = 6893.0 * std::sin(m) + 72.0 * std::sin(2.0 * m);  // arcseconds
    const double l = seriesTwoPi * fracPart(0.7859453 + m / seriesTwoPi +
                                            (6191.2 * t + deltaL) / arcsecondsPerTurn);
    return equatorialOfFixedObliquity(std::cos(l), std::sin(l), 0.0);
}

SunEcliptic apparentSun(double jd) {
    const double t = julianCenturies(jd);
    const double meanLongitude = horner(t, {280.46645, 36000.76983, 0.0003032});    // (25.2)
    const double meanAnomaly = horner(t, {357.5291, 35999.0503, -0.0001559, -0.00000048});
    const double centre = horner(t, {1.9146, -0.004817, -0.000014}) * sinDeg(meanAnomaly) +
                          (0.019993 - 0.000101 * t) * sinDeg(2.0 * meanAnomaly) +
                          0.00029 * sinDeg(3.0 * meanAnomaly);
    const double trueLongitude = meanLongitude + centre;
    const double node = 125.04 - 1934.136 * t;
    // Aberration and nutation only through these two constants, no FK5 conversion.
    const double longitude = normalizeDegrees(trueLongitude - 0.00569 - 0.00478 * sinDeg(node));

    const double tau = (jd - 2451545.0) / 365250.0;
    const double b0 = sumEarthSeries(earthB0, tau);
    const double b1 = sumEarthSeries(earthB1, tau);
    const double latitude = -(b0 + b1 * tau) / 1e8 / radiansPerDegree;  // the sun opposite Earth
    const double radius = horner(tau, {sumEarthSeries(earthR0, tau), sumEarthSeries(earthR1, tau),
                                       sumEarthSeries(earthR2, tau), sumEarthSeries(earthR3, tau),
                                       sumEarthSeries(earthR4, tau)}) /
                          1e8;
    return {longitude, latitude, radius};
}

}  // namespace dorvalen
