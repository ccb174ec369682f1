// Moon position: the short series in turns and seconds of arc (Montenbruck and Pfleger,
// Astronomy on the Personal Computer, ch. 3, routine MiniMoon), and the full theory of
// Meeus ch. 47 over the 120 terms of tables 47.A and 47.B; the illuminated fraction by the
// phase-angle approximation of Meeus (48.4).
#include "astro/moon.h"

#include <cmath>
#include <cstdlib>

#include "astro/term_tables.h"
#include "astro/astro_time.h"
#include "core/angles.h"

namespace dorvalen {

namespace {

constexpr double arcsecondsPerRadian = 206264.8062;
constexpr double arcsecondsPerTurn = 1296000.0;

// Meeus (47.2)-(47.5): mean elongation, sun's and moon's mean anomalies, in degrees.
double meanElongation(double t) {
    return horner(t, {297.8502042, 445267.11151686, -0.00163, 1.0 / 545868.0, -1.0 / 113065000.0});
}
double sunMeanAnomaly(double t) {
    return horner(t, {357.5291092, 35999.0502909, -0.0001536, 1.0 / 24490000.0});
}
double moonMeanAnomaly(double t) {
    return horner(t, {134.9634114, 477198.8676313, 0.008997, 1.0 / 69699.0, -1.0 / 14712000.0});
}

}  // namespace

// MiniMoon: mean longitude L0, the anomalies l (moon) and l' (sun), elongation D and
// argument of latitude F in turns; fourteen longitude terms and seven latitude terms in
// seconds of arc.
EquatorialPosition lowPrecisionMoon(double t) {
    const double l0 = fracPart(0.606433 + 1336.855225 * t);                 // turns
    const double l = seriesTwoPi * fracPart(0.374897 + 1325.55241 * t);
    const double ls = seriesTwoPi * fracPart(0.993133 + 99.997361 * t);
    const double d = seriesTwoPi * fracPart(0.827361 + 1236.853086 * t);
    const double f = seriesTwoPi * fracPart(0.259086 + 1342.227825 * t);

    using std::sin;
    const double deltaL = 22640 * sin(l) - 4586 * sin(l - 2 * d) + 2370 * sin(2 * d) +
                          769 * sin(2 * l) - 668 * sin(ls) - 412 * sin(2 * f) -
                          212 * sin(2 * l - 2 * d) - 206 * sin(l + ls - 2 * d) +
                          192 * sin(l + 2 * d) - 165 * sin(ls - 2 * d) - 125 * sin(d) -
                          110 * sin(l + ls) + 148 * sin(l - ls) - 55 * sin(2 * f - 2 * d);
    const double s = f + (deltaL + 412 * sin(2 * f) + 541 * sin(ls)) / arcsecondsPerRadian;
    const double h = f - 2 * d;
    const double n = -526 * sin(h) + 44 * sin(l + h) - 31 * sin(-l + h) - 23 * sin(ls + h) +
                     11 * sin(-ls + h) - 25 * sin(-2 * l + f) + 21 * sin(-l + f);
    const double longitude = seriesTwoPi * fracPart(l0 + deltaL / arcsecondsPerTurn);
    const double latitude = (18520 * sin(s) + n) / arcsecondsPerRadian;

    const double cosB = std::cos(latitude);
    return equatorialOfFixedObliquity(cosB * std::cos(longitude), cosB * std::sin(longitude),
                                      std::sin(latitude));
}

LunarSums sumLunarTerms(double d, double m, double mPrime, double f, double e) {
    const double eFactor[3] = {1.0, e, e * e};  // by |multiple of M|
    LunarSums sums{0.0, 0.0, 0.0};
    for (int row = 0; row < 120; ++row) {
        const LunarTermRow& term = lunarTermRows[row];
        const double arg = term.d * d + term.m * m + term.mPrime * mPrime + term.f * f;
        const double factor = eFactor[std::abs(term.m) <= 2 ? std::abs(term.m) : 0];
        if (row < 60) {  // table 47.A: longitude and distance
            sums.sumL += term.coef1 * sinDeg(arg) * factor;
            sums.sumR += term.coef2 * cosDeg(arg) * factor;
        } else {         // table 47.B: latitude
            sums.sumB += term.coef1 * sinDeg(arg) * factor;
        }
    }
    return sums;
}

MoonEcliptic apparentMoon(double jd) {
    const double t = julianCenturies(jd);
    const double lPrime = horner(t, {218.3164591, 481267.88134236, -0.0013268, 1.0 / 538841.0,
                                     -1.0 / 65194000.0});
    const double d = meanElongation(t);
    const double m = sunMeanAnomaly(t);
    const double mPrime = moonMeanAnomaly(t);
    const double f = horner(t, {93.2720993, 483202.0175273, -0.0034029, -1.0 / 3526000.0,
                                1.0 / 863310000.0});
    const double a1 = 119.75 + 131.849 * t;
    const double a2 = 53.09 + 479264.29 * t;
    const double a3 = 313.45 + 481266.484 * t;
    const double e = horner(t, {1.0, -0.002516, -0.0000074});

    LunarSums sums = sumLunarTerms(d, m, mPrime, f, e);
    // Venus, Jupiter and the flattening of the earth.
    sums.sumL += 3958 * sinDeg(a1) + 1962 * sinDeg(lPrime - f) + 318 * sinDeg(a2);
    sums.sumB += -2235 * sinDeg(lPrime) + 382 * sinDeg(a3) + 175 * sinDeg(a1 - f) +
                 175 * sinDeg(a1 + f) + 127 * sinDeg(lPrime - mPrime) -
                 115 * sinDeg(lPrime + mPrime);

    const Nutation nutation = computeNutation(jd);
    return {normalizeDegrees(lPrime + sums.sumL / 1000000.0 + nutation.longitudeDeg),
            sums.sumB / 1000000.0, 385000.56 + sums.sumR / 1000.0, nutation.trueObliquityDeg};
}

double moonIlluminatedFractionAt(double jd) {
    const double t = julianCenturies(jd);
    const double d = meanElongation(t);
    const double m = sunMeanAnomaly(t);
    const double mPrime = moonMeanAnomaly(t);
    // Phase angle, Meeus (48.4).
    const double i = 180.0 - d - 6.289 * sinDeg(mPrime) + 2.1 * sinDeg(m) -
                     1.274 * sinDeg(2.0 * d - mPrime) - 0.658 * sinDeg(2.0 * d) -
                     0.214 * sinDeg(2.0 * mPrime) - 0.11 * sinDeg(d);
    return (1.0 + cosDeg(i)) / 2.0;
}

}  // namespace dorvalen
