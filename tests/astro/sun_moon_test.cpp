// Sun and moon positions against Meeus's worked examples (25.a/25.b, 47.a, 48.a), the
// illuminated fraction, and the ranges the short series promise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/sun.h"

namespace dorvalen {
namespace {

TEST(ApparentSun, AtJ2000) {
    // T = 0: L0 = 280.46645, M = 357.5291, so the equation of the centre is -0.0843 deg and
    // the apparent longitude 280.3725 (with -0.00569 - 0.00478 sin 125.04). R of the
    // abridged series: 0.98333 AU (perihelion is two days later).
    const SunEcliptic sun = apparentSun(2451545.0);
    EXPECT_NEAR(sun.longitudeDeg, 280.3725, 2e-4);
    EXPECT_NEAR(sun.radiusAu, 0.98333, 1e-5);
}

TEST(ApparentSun, MeeusExamples25aAnd25b) {
    // 1992 October 13.0: apparent longitude 199.90895 (25.a); VSOP87 B = -0.00000312 rad,
    // so the sun's latitude is +0.000179 deg, and R = 0.99760775 AU (25.b).
    const SunEcliptic sun = apparentSun(2448908.5);
    EXPECT_NEAR(sun.longitudeDeg, 199.90895, 2e-5);
    EXPECT_NEAR(sun.latitudeDeg, 0.00000312 / radiansPerDegree, 3e-6);
    EXPECT_NEAR(sun.radiusAu, 0.99760775, 2e-7);
}

TEST(LowPrecisionSun, J2000AndRanges) {
    const EquatorialPosition p = lowPrecisionSun(0.0);
    EXPECT_NEAR(p.declinationDeg, -23.03, 0.05);
    EXPECT_NEAR(p.rightAscensionHours, 18.75, 0.02);
    // Over a year: RA in [0, 24), declination within the fixed obliquity, and the RA
    // wraps near the equinox instead of going negative.
    double lowestRa = 24.0;
    for (int day = 0; day < 366; ++day) {
        const EquatorialPosition q = lowPrecisionSun(day / 36525.0);
        ASSERT_GE(q.rightAscensionHours, 0.0) << day;
        ASSERT_LT(q.rightAscensionHours, 24.0) << day;
        ASSERT_LE(std::fabs(q.declinationDeg), 23.44) << day;
        lowestRa = std::min(lowestRa, q.rightAscensionHours);
    }
    EXPECT_LT(lowestRa, 0.1);
    // Autumn equinox 2000-09-22 17h UT: RA 12 h, declination 0.
    const EquatorialPosition equinox = lowPrecisionSun((2451810.2 - 2451545.0) / 36525.0);
    EXPECT_NEAR(equinox.rightAscensionHours, 12.0, 0.02);
    EXPECT_NEAR(equinox.declinationDeg, 0.0, 0.1);
}

TEST(ApparentMoon, MeeusExample47a) {
    // 1992 April 12, 0h: apparent longitude 133.167265, latitude -3.229126,
    // distance 368409.7 km (the short nutation differs from the full one by < 0.5").
    const MoonEcliptic moon = apparentMoon(2448724.5);
    EXPECT_NEAR(moon.longitudeDeg, 133.167265, 3e-4);
    EXPECT_NEAR(moon.latitudeDeg, -3.229126, 2e-6);
    EXPECT_NEAR(moon.distanceKm, 368409.7, 0.1);
    EXPECT_NEAR(moon.trueObliquityDeg, 23.440636, 1e-4);
}

TEST(SumLunarTerms, DistanceSumOfExample47a) {
    // Meeus's arguments for 1992 April 12: D, M, M', F, E; sum r = -16590875. The E factor
    // alone moves it by 44 units, so a table without E (or E on the wrong rows) fails.
    const LunarSums sums = sumLunarTerms(113.842304, 97.643514, 5.150833, 219.889721, 1.000194);
    EXPECT_NEAR(sums.sumR, -16590875.0, 2.0);
    // Rows without M carry no E: with E = 0 only they remain, and they are most of the sum.
    const LunarSums noM = sumLunarTerms(113.842304, 97.643514, 5.150833, 219.889721, 0.0);
    EXPECT_NE(noM.sumR, sums.sumR);
    EXPECT_NEAR(noM.sumR, sums.sumR, 0.05 * std::fabs(sums.sumR));
}

TEST(LowPrecisionMoon, AgreesWithTheFullTheory) {
    // The short series is good to a few arcminutes; compare RA/Dec with the full theory
    // over a month (fixed obliquity versus true obliquity included).
    for (int step = 0; step < 30; ++step) {
        const double jd = 2460310.5 + step * 0.97;
        const EquatorialPosition shortPos = lowPrecisionMoon(julianCenturies(jd));
        const MoonEcliptic full = apparentMoon(jd);
        const double e = full.trueObliquityDeg;
        const double l = full.longitudeDeg, b = full.latitudeDeg;
        const double dec =
            std::asin(sinDeg(b) * cosDeg(e) + cosDeg(b) * sinDeg(e) * sinDeg(l)) * degreesPerRadian;
        double ra = std::atan2(sinDeg(l) * cosDeg(e) - std::tan(b * radiansPerDegree) * sinDeg(e),
                               cosDeg(l)) *
                    degreesPerRadian / 15.0;
        if (ra < 0.0) ra += 24.0;
        double dRa = shortPos.rightAscensionHours - ra;
        if (dRa > 12.0) dRa -= 24.0;
        if (dRa < -12.0) dRa += 24.0;
        EXPECT_NEAR(dRa * 15.0 * std::cos(dec * radiansPerDegree), 0.0, 0.1) << step;
        EXPECT_NEAR(shortPos.declinationDeg, dec, 0.1) << step;
    }
}

TEST(IlluminatedFraction, MeeusExample48a) {
    // 1992 April 12, 0h, the low-accuracy phase angle: i = 68.88 deg, k = 0.6801.
    EXPECT_NEAR(moonIlluminatedFractionAt(2448724.5), 0.6801, 2e-4);
}

}  // namespace
}  // namespace dorvalen
