// Rise, set and twilight search: twelve 2-hour windows centred on the odd hours of the
// displayed local day, the sine of the altitude sampled at whole hours and interpolated by a
// parabola (Montenbruck and Pfleger's method). Crossings outside 0:00..24:00 are not seen.
// The first rising and setting end the classic search; the list of crossings runs on through
// all twelve windows with the same samples.
#include "astro/rise_set.h"

#include <cmath>
#include <cstddef>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/sun.h"

namespace dorvalen {

double thresholdAltitudeDeg(EventKind kind) {
    switch (kind) {
        case MoonRiseSet: return 8.0 / 60.0;     // +8': parallax less semidiameter
        case SunRiseSet: return -50.0 / 60.0;    // -50': refraction and semidiameter
        case CivilTwilight: return -6.0;
        case NauticalTwilight: return -12.0;
        case AstronomicalTwilight: return -18.0;
    }
    return 0.0;
}

DayEvents computeDayEvents(const Frame& frame, EventKind kind) {
    const double startMjd = frame.moment.midnightUT;
    const ObserverPlace place = observerPlace(frame.settings);
    const RiseSet found = searchRiseSet(kind, startMjd, place.longitudeWestDeg,
                                        latitudeTrig(place.latitudeDeg),
                                        sinDeg(thresholdAltitudeDeg(kind)));
    return {found.riseHours, found.setHours, found.upAtLastStep,
            dialAngleOfHours(found.riseHours), dialAngleOfHours(found.setHours), found.crossings};
}

int Crossings::risingCount() const {
    int n = 0;
    for (const Crossing& c : *this) n += c.rising ? 1 : 0;
    return n;
}

int Crossings::settingCount() const { return count - risingCount(); }

namespace {

// A zero on the shared hour of two windows is found by both; it is one crossing.
void addCrossing(Crossings& list, double hours, bool rising) {
    if (list.count > 0) {
        const Crossing& last = list.items[static_cast<std::size_t>(list.count - 1)];
        if (last.rising == rising && std::fabs(last.hours - hours) < 1e-9) return;
    }
    if (list.count == Crossings::capacity) return;
    list.items[static_cast<std::size_t>(list.count++)] = {hours, rising};
}

}  // namespace

LatitudeTrig latitudeTrig(double latitudeDeg) {
    return {sinDeg(latitudeDeg), cosDeg(latitudeDeg)};
}

RiseSet searchRiseSet(EventKind kind, double startMjd, double longitudeWestDeg,
                      LatitudeTrig latitude, double sinH0) {
    RiseSet result;
    // Samples at hour - 1, hour, hour + 1 for hour = 1, 3, ..., 23; a window's last one
    // serves as the next window's first.
    double samples[25];
    for (int hour = 0; hour <= 24; ++hour)
        samples[hour] = sinAltitudeAt(kind, startMjd, hour, longitudeWestDeg, latitude) - sinH0;
    const auto above = [&samples](int hour) { return samples[hour]; };
    bool firstPairFound = false;
    for (int hour = 1; hour < 25; hour += 2) {
        const double yMinus = above(hour - 1);
        const double y0 = above(hour);
        const double yPlus = above(hour + 1);
        const QuadraticZeros z = quadraticZeros(yMinus, y0, yPlus);
        if (z.count == 1) {
            addCrossing(result.crossings, hour + z.zero1, yMinus < 0.0);
        } else if (z.count == 2) {
            // Both crossings in one window: a peak above the line is a rise then a set.
            addCrossing(result.crossings, hour + z.zero1, z.ye >= 0.0);
            addCrossing(result.crossings, hour + z.zero2, z.ye < 0.0);
        }
        if (firstPairFound) continue;

        result.upAtLastStep = yMinus > 0.0;
        if (z.count == 1) {
            if (yMinus < 0.0) {
                result.riseHours = hour + z.zero1;
            } else {
                result.setHours = hour + z.zero1;
            }
        } else if (z.count == 2) {
            if (z.ye < 0.0) {
                result.riseHours = hour + z.zero2;
                result.setHours = hour + z.zero1;
            } else {
                result.riseHours = hour + z.zero1;
                result.setHours = hour + z.zero2;
            }
        }
        firstPairFound = result.riseHours != 0.0 && result.setHours != 0.0;
    }
    return result;
}

double sinAltitudeAt(EventKind kind, double startMjd, int hour, double longitudeWestDeg,
                     LatitudeTrig latitude) {
    return sinAltitudeAtMjd(kind, startMjd + hour / 24.0, longitudeWestDeg, latitude);
}

double sinAltitudeAtMjd(EventKind kind, double mjd, double longitudeWestDeg,
                        LatitudeTrig latitude) {
    const double t = (mjd - 51544.5) / 36525.0;
    const EquatorialPosition body = kind == MoonRiseSet ? lowPrecisionMoon(t) : lowPrecisionSun(t);
    const double hourAngleDeg =
        15.0 * (localSiderealHours(mjd, longitudeWestDeg) - body.rightAscensionHours);
    return latitude.sin * sinDeg(body.declinationDeg) +
           latitude.cos * cosDeg(body.declinationDeg) * cosDeg(hourAngleDeg);
}

QuadraticZeros quadraticZeros(double yMinus, double y0, double yPlus) {
    QuadraticZeros z;
    const double a = 0.5 * (yMinus + yPlus) - y0;
    const double b = 0.5 * (yPlus - yMinus);
    const double c = y0;
    if (a == 0.0) {  // a straight line: no extremum and, by this search's rule, no zero
        z.ye = c;
        return z;
    }
    z.xe = -b / (2.0 * a);
    z.ye = (a * z.xe + b) * z.xe + c;
    const double discriminant = b * b - 4.0 * a * c;
    if (!(discriminant >= 0.0)) return z;  // also NaN samples
    const double dx = 0.5 * std::sqrt(discriminant) / std::fabs(a);
    z.zero1 = z.xe - dx;
    z.zero2 = z.xe + dx;
    if (std::fabs(z.zero1) <= 1.0) ++z.count;
    if (std::fabs(z.zero2) <= 1.0) ++z.count;
    if (z.zero1 < -1.0) z.zero1 = z.zero2;
    return z;
}

}  // namespace dorvalen
