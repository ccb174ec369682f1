// Orientation of the moon picture. The bright limb's position angle chi (Meeus 48.5) is
// counted from the celestial north through east; the parallactic angle q (Meeus 14.1) is
// the position angle of the zenith. Facing the moon with the zenith up, position angles run
// counterclockwise (east is on the left), so the bright limb stands chi - q counterclockwise
// from straight up: at screen angle -90 - (chi - q) = q - chi - 90 (clockwise from +x, y
// down).
//
// The drawing puts its cusp line at s * phi and the bright limb on the s * phi - 90 side when
// waxing (s = +1) and on the s * phi + 90 side when waning (s = -1), i.e. at s * (phi - 90).
// Equating with q - chi - 90 gives phi = q - chi when waxing and phi = chi - q + 180 when
// waning: a plain s * (q - chi) would mirror every waning moon about the horizontal.
#include "astro/moon_orientation.h"

#include <cmath>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/sun.h"

namespace dorvalen {

namespace {

struct Equatorial {
    double rightAscensionDeg;
    double declinationDeg;
};

// Meeus (13.3), (13.4).
Equatorial equatorialOf(double longitudeDeg, double latitudeDeg, double obliquityDeg) {
    const double sinE = sinDeg(obliquityDeg);
    const double cosE = cosDeg(obliquityDeg);
    const double tanB = std::tan(latitudeDeg * radiansPerDegree);
    const double ra =
        std::atan2(sinDeg(longitudeDeg) * cosE - tanB * sinE, cosDeg(longitudeDeg)) *
        degreesPerRadian;
    const double dec = std::asin(sinDeg(latitudeDeg) * cosE +
                                 cosDeg(latitudeDeg) * sinE * sinDeg(longitudeDeg)) *
                       degreesPerRadian;
    return {ra, dec};
}

// Meeus (48.5): position angle of the moon's bright limb, the direction towards the sun.
double brightLimbPositionAngle(const Equatorial& moon, const Equatorial& sun) {
    const double dRa = sun.rightAscensionDeg - moon.rightAscensionDeg;
    return std::atan2(cosDeg(sun.declinationDeg) * sinDeg(dRa),
                      sinDeg(sun.declinationDeg) * cosDeg(moon.declinationDeg) -
                          cosDeg(sun.declinationDeg) * sinDeg(moon.declinationDeg) * cosDeg(dRa)) *
           degreesPerRadian;
}

// Meeus (14.1). At a pole the zenith has no position angle; the latitude stands in for it.
double parallacticAngle(double hourAngleDeg, double latitudeDeg, double declinationDeg) {
    if (std::fabs(latitudeDeg) >= 90.0) return latitudeDeg;
    return std::atan2(sinDeg(hourAngleDeg),
                      std::tan(latitudeDeg * radiansPerDegree) * cosDeg(declinationDeg) -
                          sinDeg(declinationDeg) * cosDeg(hourAngleDeg)) *
           degreesPerRadian;
}

// [0, 360): normalizeDegrees gives 360 for an exact negative multiple of 360.
double screenDegrees(double angle) {
    const double a = normalizeDegrees(angle);
    return a == 360.0 ? 0.0 : a;
}

}  // namespace

MoonSkyOrientation moonSkyOrientation(const ClockSettings& settings, double jd) {
    const MoonEcliptic moonEcl = apparentMoon(jd);
    const SunEcliptic sunEcl = apparentSun(jd);
    const double obliquity = moonEcl.trueObliquityDeg;
    const Equatorial moon = equatorialOf(moonEcl.longitudeDeg, moonEcl.latitudeDeg, obliquity);
    const Equatorial sun = equatorialOf(sunEcl.longitudeDeg, sunEcl.latitudeDeg, obliquity);

    const ObserverPlace place = observerPlace(settings);
    const double hourAngle =
        apparentSiderealDegrees(jd) - place.longitudeWestDeg - moon.rightAscensionDeg;
    double q = parallacticAngle(hourAngle, place.latitudeDeg, moon.declinationDeg);
    if (!std::isfinite(q)) q = 0.0;  // a damaged place: keep the sky's own orientation
    double chi = brightLimbPositionAngle(moon, sun);
    if (!std::isfinite(chi)) chi = 0.0;
    return {q, chi, screenDegrees(q - chi - 90.0)};
}

MoonSkyOrientation moonSkyOrientation(const Frame& frame) {
    return moonSkyOrientation(frame.settings, frame.moment.julianDayUT);
}

double moonOrientationAngle(const ClockSettings& settings, double jdUT, int limbSign) {
    const MoonSkyOrientation o = moonSkyOrientation(settings, jdUT);
    const double phi = limbSign < 0 ? o.brightLimbAngleDeg - o.parallacticAngleDeg + 180.0
                                    : o.parallacticAngleDeg - o.brightLimbAngleDeg;
    return screenDegrees(phi);
}

double moonOrientationAngle(const Frame& frame, int limbSign) {
    return moonOrientationAngle(frame.settings, frame.moment.julianDayUT, limbSign);
}

}  // namespace dorvalen
