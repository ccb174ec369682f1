// Trigonometry in degrees, angle reduction, sidereal time and nutation. Everything is a
// function of its arguments.
#include "astro/astro_time.h"

#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace dorvalen {

namespace {

// From here on every double is a whole number; truncToInt would leave its range at 2^63.
constexpr double noFractionAbove = 4503599627370496.0;  // 2^52

constexpr double j2000 = 2451545.0;

double wholePart(double x) { return static_cast<double>(truncToInt(x)); }

}  // namespace

double sinDeg(double x) { return std::sin(x * radiansPerDegree); }
double cosDeg(double x) { return std::cos(x * radiansPerDegree); }

double fracPart(double x) {
    if (!(std::fabs(x) < noFractionAbove)) return 0.0;  // also NaN
    double f = x - wholePart(x);
    if (f < 0.0) f += 1.0;
    return f;
}

double normalizeDegrees(double x) {
    if (!std::isfinite(x)) return 0.0;
    const double a = std::fabs(x);
    // Far out, x / 360 has no fraction left; fmod still reduces exactly.
    const double reduced =
        a / 360.0 < noFractionAbove ? a - wholePart(a / 360.0) * 360.0 : std::fmod(a, 360.0);
    return x >= 0.0 ? reduced : 360.0 - reduced;
}

double horner(double t, std::initializer_list<double> coefficients) {
    double sum = 0.0;
    for (auto c = std::rbegin(coefficients); c != std::rend(coefficients); ++c) {
        sum = sum * t + *c;
    }
    return sum;
}

double degreesMinutesToDecimal(double stored) {
    if (!(std::fabs(stored) < noFractionAbove)) return stored;  // whole degrees, or NaN
    const double whole = wholePart(stored);
    const double fraction = std::fabs(stored) - wholePart(std::fabs(stored));
    if (fraction >= 0.599) return stored;  // a decimal fraction, not minutes
    return whole + (stored - whole) / 0.6;
}

ObserverPlace observerPlace(const ClockSettings& settings) {
    return {degreesMinutesToDecimal(settings.latitude),
            degreesMinutesToDecimal(settings.longitude)};
}

double julianCenturies(double jd) { return (jd - j2000) / 36525.0; }

// Greenwich mean sidereal time at 0h UT in hours, Meeus (12.2) (the IAU 1982 expression,
// 24110.54841 s = 6.697374558 h), plus the hours since 0h UT at the sidereal rate
// 1.0027379093; as Montenbruck and Pfleger's LMST routine writes it.
double localSiderealHours(double mjd, double longitudeWestDeg) {
    const double n = wholePart(mjd);
    const double ut = (mjd - n) * 24.0;
    const double t0 = (n - 51544.5) / 36525.0;
    const double gmst = 6.697374558 + 1.0027379093 * ut +
                        (8640184.812866 + (0.093104 - 6.2e-6 * t0) * t0) * t0 / 3600.0;
    return 24.0 * fracPart((gmst - longitudeWestDeg / 15.0) / 24.0);
}

// Meeus ch. 22: the four-term nutation good to 0.5" in longitude and 0.1" in obliquity,
// and the mean obliquity by (22.2).
Nutation computeNutation(double jd) {
    const double t = julianCenturies(jd);
    const double sunL = 280.4665 + 36000.7698 * t;
    const double moonL = 218.3165 + 481267.8813 * t;
    const double node = 125.04452 - 1934.136261 * t;
    const double deltaPsi = (-17.2 * sinDeg(node) - 1.32 * sinDeg(2.0 * sunL) -
                             0.23 * sinDeg(2.0 * moonL) + 0.21 * sinDeg(2.0 * node)) /
                            3600.0;
    const double deltaEps = (9.2 * cosDeg(node) + 0.57 * cosDeg(2.0 * sunL) +
                             0.1 * cosDeg(2.0 * moonL) - 0.09 * cosDeg(2.0 * node)) /
                            3600.0;
    // 23 deg 26 min plus seconds of arc, Meeus (22.2).
    const double meanObliquity =
        23.0 + 26.0 / 60.0 + horner(t, {21.448, -46.815, -0.00059, 0.001813}) / 3600.0;
    return {deltaPsi, meanObliquity + deltaEps};
}

double apparentSiderealDegrees(double j) {
    // Only the quadratic and cubic terms count from the whole day, Meeus (12.4).
    const double t = (wholePart(j) - 2451544.5) / 36525.0;
    const double meanSidereal = 280.46061837 + 360.98564736629 * (j - j2000) +
                                0.000387933 * t * t - t * t * t / 38710000.0;
    const Nutation nutation = computeNutation(j);
    return meanSidereal + nutation.longitudeDeg * cosDeg(nutation.trueObliquityDeg);
}

}  // namespace dorvalen
