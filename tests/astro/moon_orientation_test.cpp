// Orientation of the moon picture against an independent path: the bright limb faces the
// sun, so on the observer's sky it points along the great circle from the moon towards the
// sun. That direction follows from the horizontal positions of both bodies alone, without
// position angles or the parallactic angle.
#include "astro/moon_orientation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

using skytest::stateAt;

struct Vec {
    double x, y, z;  // east, north, up
};
double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec minus(Vec a, Vec b, double f) { return {a.x - f * b.x, a.y - f * b.y, a.z - f * b.z}; }

// Ecliptic direction -> equatorial by a rotation about the equinox axis -> east/north/up at
// the place for the given local sidereal angle.
Vec horizontalOf(double lambdaDeg, double betaDeg, double obliquityDeg, double latitudeDeg,
                 double localSiderealDeg) {
    const double xe = cosDeg(betaDeg) * cosDeg(lambdaDeg);
    const double ye = cosDeg(betaDeg) * sinDeg(lambdaDeg);
    const double ze = sinDeg(betaDeg);
    const double y = ye * cosDeg(obliquityDeg) - ze * sinDeg(obliquityDeg);
    const double z = ye * sinDeg(obliquityDeg) + ze * cosDeg(obliquityDeg);
    const double ra = std::atan2(y, xe) * degreesPerRadian;
    const double dec = std::asin(z) * degreesPerRadian;
    const double h = localSiderealDeg - ra;
    return {-cosDeg(dec) * sinDeg(h),
            cosDeg(latitudeDeg) * sinDeg(dec) - sinDeg(latitudeDeg) * cosDeg(dec) * cosDeg(h),
            sinDeg(latitudeDeg) * sinDeg(dec) + cosDeg(latitudeDeg) * cosDeg(dec) * cosDeg(h)};
}

struct SkyView {
    double moonAltitudeDeg;
    double limbScreenDeg;  // clockwise from +x, y down, zenith at the top
};

SkyView independentView(const ClockState& state, double latitudeDeg, double longitudeWestDeg) {
    const double jd = computeDisplayedMoment(state).julianDayUT;
    const MoonEcliptic moonEcl = apparentMoon(jd);
    const SunEcliptic sunEcl = apparentSun(jd);
    // Mean sidereal time, Meeus (12.4); the nutation term is below an arcsecond of angle here.
    const double gmst = 280.46061837 + 360.98564736629 * (jd - 2451545.0);
    const double lst = gmst - longitudeWestDeg;
    const Vec m = horizontalOf(moonEcl.longitudeDeg, moonEcl.latitudeDeg, moonEcl.trueObliquityDeg,
                               latitudeDeg, lst);
    const Vec s = horizontalOf(sunEcl.longitudeDeg, sunEcl.latitudeDeg, moonEcl.trueObliquityDeg,
                               latitudeDeg, lst);
    // Looking along m with the zenith's direction as "up": right = forward x up.
    Vec up = minus({0.0, 0.0, 1.0}, m, m.z);
    const double upLength = std::sqrt(dot(up, up));
    up = {up.x / upLength, up.y / upLength, up.z / upLength};
    const Vec right = cross(m, up);
    const Vec towardsSun = minus(s, m, dot(s, m));
    const double screenX = dot(towardsSun, right);
    const double screenY = -dot(towardsSun, up);  // screen y points down
    return {std::asin(m.z) * degreesPerRadian, std::atan2(screenY, screenX) * degreesPerRadian};
}

double angleBetween(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

struct OrientationRow {
    const char* name;
    int month, day, hour, minute;
    double latitude, longitude, timeZone;  // as stored: degrees.minutes
    double latitudeDecimal, longitudeDecimal;
    int expectedSign;  // +1 waxing, -1 waning
};

TEST(MoonOrientation, BrightLimbPointsTowardsTheSun) {
    const OrientationRow rows[] = {
        {"waxing crescent in the evening", 3, 12, 19, 30, 48.47, -12.52, 1.0,
         48 + 47.0 / 60, -(12 + 52.0 / 60), +1},
        {"waning crescent in the morning", 4, 4, 6, 30, 48.47, -12.52, 1.0,
         48 + 47.0 / 60, -(12 + 52.0 / 60), -1},
        {"waxing gibbous at night", 3, 20, 21, 0, 48.47, -12.52, 1.0,
         48 + 47.0 / 60, -(12 + 52.0 / 60), +1},
        {"waning gibbous before dawn", 3, 29, 5, 0, 48.47, -12.52, 1.0,
         48 + 47.0 / 60, -(12 + 52.0 / 60), -1},
        {"southern waxing crescent (Sydney)", 3, 14, 19, 30, -33.52, -151.12, 10.0,
         -(33 + 52.0 / 60), -(151 + 12.0 / 60), +1},
        {"southern waning gibbous (Sydney)", 3, 29, 6, 0, -33.52, -151.12, 10.0,
         -(33 + 52.0 / 60), -(151 + 12.0 / 60), -1},
    };
    for (const OrientationRow& row : rows) {
        const ClockState state = stateAt(2024, row.month, row.day, row.hour, row.minute,
                                         row.latitude, row.longitude, row.timeZone, 1);
        const SkyView view = independentView(state, row.latitudeDecimal, row.longitudeDecimal);
        ASSERT_GT(view.moonAltitudeDeg, 3.0) << row.name << ": the moon should be up";

        // The drawing's sign: waning when the fraction is smaller than a day earlier.
        const int s = moonIlluminatedFractionAt(computeDisplayedMoment(state).julianDayUT) < moonIlluminatedFractionAt(julianDayUTOfReading(computeDisplayedMoment(state), state.now, -1.0))
                          ? -1 : 1;
        ASSERT_EQ(s, row.expectedSign) << row.name;

        const MoonSkyOrientation sky = moonSkyOrientation(state);
        EXPECT_LT(angleBetween(sky.brightLimbScreenDeg, view.limbScreenDeg), 3.0)
            << row.name << ": " << sky.brightLimbScreenDeg << " vs " << view.limbScreenDeg;

        // Where the drawing puts the bright limb: the s * phi - 90 side when waxing, the
        // s * phi + 90 side when waning.
        const double phi = s * moonOrientationAngle(state, s);
        const double drawnLimb = s > 0 ? phi - 90.0 : phi + 90.0;
        EXPECT_LT(angleBetween(drawnLimb, view.limbScreenDeg), 3.0)
            << row.name << ": drawn " << drawnLimb << " vs " << view.limbScreenDeg;
    }
}

TEST(MoonOrientation, EveningCrescentInTheNorthIsLitFromTheLowerRight) {
    // A plausibility check of the frame: facing the western sky after sunset, the sun is
    // below the horizon to the right of and under the moon.
    const ClockState state = stateAt(2024, 3, 12, 19, 30);
    const double limb = moonSkyOrientation(state).brightLimbScreenDeg;
    EXPECT_GT(limb, 0.0);
    EXPECT_LT(limb, 90.0);
}

}  // namespace
}  // namespace dorvalen
