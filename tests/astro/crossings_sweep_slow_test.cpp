// Every crossing of the day, over ten years (2050-2059) at the places where a day holds more
// than one rising or setting, against the clock's altitude sampled every minute:
//   1. its own curve (the hourly samples joined by the parabola of each 2-hour window) on
//      every day: the same crossings, each found time within a second of the sign change;
//   2. the altitude function itself on every fourth day: each found time lies where the
//      sine is within the parabola's own error of the threshold, and the counts agree but for
//      grazing dips shorter than the hourly samples can resolve.
// The minute scan of the altitude function reads only the hours that can hold a crossing: the
// sine bends by at most ω² cos(latitude) per hour² (plus a little for the moon's moving
// declination), so an hour whose two ends lie on one side of the threshold by more than an
// eighth of that cannot cross it. Every 37th day all 1440 minutes are read, which checks
// that bound too.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/sun.h"
#include "astro/rise_set.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

struct Place {
    const char* name;
    double latitude, longitude, timeZone;  // degrees.minutes, west positive
    int autoSummerTime;
    std::vector<EventKind> kinds;
};

const std::vector<EventKind> allKinds = {MoonRiseSet, SunRiseSet, CivilTwilight,
                                         NauticalTwilight, AstronomicalTwilight};

const Place places[] = {
    {"60 N", 60.0, -10.45, 1.0, 1, allKinds},
    {"66.5 N", 66.30, -25.43, 2.0, 1, allKinds},
    {"69 N", 69.39, -18.57, 1.0, 1, allKinds},
    {"78 N", 78.13, -15.38, 1.0, 1, allKinds},
    {"77 S", -77.51, -166.40, 13.0, 0, allKinds},
    {"default place", 48.47, -12.52, 1.0, 1, {SunRiseSet, AstronomicalTwilight}},
};

constexpr double hourRate = 15.04 * radiansPerDegree;  // the hour angle's pace, per hour

// Sign changes of a function of the hour (above the threshold positive), read every minute
// of the hours that `hourMayCross` and refined by halving to 0.01 s.
template <typename F, typename Skip>
std::vector<Crossing> signChanges(F&& f, Skip&& hourMayCross) {
    std::vector<Crossing> found;
    for (int h = 0; h < 24; ++h) {
        if (!hourMayCross(h)) continue;
        double before = f(h);
        for (int m = 1; m <= 60; ++m) {
            const double after = f(h + m / 60.0);
            if ((before > 0.0) != (after > 0.0)) {
                double lo = h + (m - 1) / 60.0, hi = h + m / 60.0;
                while (hi - lo > 0.01 / 3600.0) {
                    const double mid = 0.5 * (lo + hi);
                    ((f(mid) > 0.0) == (before > 0.0) ? lo : hi) = mid;
                }
                found.push_back({0.5 * (lo + hi), after > 0.0});
            }
            before = after;
        }
    }
    return found;
}

// The clock's curve: hourly samples of the altitude's sine joined by the parabola of each
// 2-hour window centred on an odd hour. `bend` is the parabola's leading coefficient: within
// an hour it leaves its chord by at most a quarter of it.
struct WindowCurve {
    const std::array<double, 25>& y;
    static std::size_t centreOf(double hours) {
        return static_cast<std::size_t>(std::min(23, static_cast<int>(hours / 2.0) * 2 + 1));
    }
    double bend(std::size_t i) const { return 0.5 * (y[i - 1] + y[i + 1]) - y[i]; }
    double operator()(double hours) const {
        const std::size_t i = centreOf(hours);
        const double x = hours - static_cast<double>(i);
        return (bend(i) * x + 0.5 * (y[i + 1] - y[i - 1])) * x + y[i];
    }
    bool hourMayCross(int h) const {
        const double a = y[static_cast<std::size_t>(h)], b = y[static_cast<std::size_t>(h) + 1];
        return (a > 0.0) != (b > 0.0) ||
               std::min(std::fabs(a), std::fabs(b)) <= std::fabs(bend(centreOf(h + 0.5))) / 4.0;
    }
};

// Drops every pair of neighbouring crossings less than 15 minutes apart: a dip so brief that
// one of the two ways of sampling may see it and the other not.
std::vector<Crossing> withoutGrazingDips(std::vector<Crossing> list) {
    for (std::size_t i = 0; i + 1 < list.size();) {
        if (list[i + 1].hours - list[i].hours < 0.25) {
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i),
                       list.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        } else {
            ++i;
        }
    }
    return list;
}

std::string dayText(std::int64_t dayIndex) {
    const DateValue d = dayIndex * 86400;
    return std::to_string(yearOf(d)) + "-" + std::to_string(monthOf(d)) + "-" +
           std::to_string(dayOf(d));
}

std::string listText(const std::vector<Crossing>& list) {
    std::string text;
    for (const Crossing& c : list)
        text += " " + std::to_string(c.hours) + (c.rising ? " up" : " down");
    return text;
}

// The short series' right ascension comes from a half-angle formula whose rotation is not
// quite orthonormal: within about 0.01 h of 12 h it jumps by up to 0.05 h, once a month for
// the moon and once a year for the sun. An hourly sample in the jump moves the crossings
// near it; the jump shows as a sample far off the mean of its neighbours a minute away.
bool sampleInRightAscensionJump(EventKind kind, double startMjd) {
    const auto ra = [kind](double mjd) {
        const double t = (mjd - 51544.5) / 36525.0;
        const EquatorialPosition p = kind == MoonRiseSet ? lowPrecisionMoon(t) : lowPrecisionSun(t);
        return p.rightAscensionHours;
    };
    for (int h = 0; h <= 24; ++h) {
        const double mjd = startMjd + h / 24.0, minute = 1.0 / 1440.0;
        const double here = ra(mjd);
        if (std::fabs(here - 12.0) < 0.1 &&
            std::fabs(here - 0.5 * (ra(mjd - minute) + ra(mjd + minute))) > 1e-4)
            return true;
    }
    return false;
}

struct Tally {
    long crossings = 0, beyondFirstPair = 0, curveWrong = 0, altitudeWrong = 0, grazing = 0,
         rightAscensionJumps = 0;
    std::string firstWrong;
    void wrong(long& counter, const std::string& what) {
        ++counter;
        if (firstWrong.empty()) firstWrong = what;
    }
};

void checkDay(const Place& place, std::int64_t day, Tally& tally) {
    ClockState state;
    state.now = day * 86400 + 43200;
    state.settings.latitude = place.latitude;
    state.settings.longitude = place.longitude;
    state.settings.timeZone = place.timeZone;
    state.settings.autoSummerTime = place.autoSummerTime;
    const Frame frame(state);
    const double start = frame.moment.midnightUT;
    const ObserverPlace where = observerPlace(frame.settings);
    const LatitudeTrig latitude = latitudeTrig(where.latitudeDeg);
    const bool againstAltitude = day % 4 == 0, everyMinute = day % 37 == 0;
    // The most the sine leaves its chord within an hour, and the most a window's parabola
    // leaves the sine: ω³ cos(latitude) / 6 times the largest |x (x² - 1)| on the window
    // (0.385), with 10 % to spare.
    const double chordBound = (hourRate * hourRate * std::fabs(latitude.cos) + 0.005) / 8.0;
    const double parabolaBound =
        1.1 * 0.385 * std::pow(hourRate, 3) * std::fabs(latitude.cos) / 6.0 + 1e-5;

    // The sine at the whole hours, once for the moon and once for the sun of every kind.
    std::array<double, 25> moonHourly{}, sunHourly{};
    for (int h = 0; h <= 24; ++h) {
        const auto i = static_cast<std::size_t>(h);
        moonHourly[i] = sinAltitudeAt(MoonRiseSet, start, h, where.longitudeWestDeg, latitude);
        sunHourly[i] = sinAltitudeAt(SunRiseSet, start, h, where.longitudeWestDeg, latitude);
    }
    for (const EventKind kind : place.kinds) {
        const double sinH0 = sinDeg(thresholdAltitudeDeg(kind));
        std::array<double, 25> hourly = kind == MoonRiseSet ? moonHourly : sunHourly;
        for (double& y : hourly) y -= sinH0;
        const auto altitude = [&](double hours) {
            return sinAltitudeAtMjd(kind, start + hours / 24.0, where.longitudeWestDeg, latitude) -
                   sinH0;
        };
        const DayEvents events = computeDayEvents(frame, kind);
        const Crossings& found = events.crossings;
        const std::vector<Crossing> list(found.begin(), found.end());
        tally.crossings += found.count;
        tally.beyondFirstPair += found.beyondFirstPair() ? 1 : 0;
        const std::string at = std::string(place.name) + ", kind " + std::to_string(kind) + ", " +
                               dayText(day) + ": found" + listText(list);

        const WindowCurve window{hourly};
        const std::vector<Crossing> curve =
            signChanges(window, [&](int h) { return window.hourMayCross(h); });
        bool curveAgrees = curve.size() == list.size();
        for (std::size_t i = 0; curveAgrees && i < list.size(); ++i)
            curveAgrees = list[i].rising == curve[i].rising &&
                          std::fabs(list[i].hours - curve[i].hours) * 3600.0 <= 1.0;
        if (!curveAgrees) tally.wrong(tally.curveWrong, at + ", curve" + listText(curve));
        // The first rising and setting are crossings of the list, and there whenever it
        // holds both directions.
        const auto listed = [&list](double hours, bool rising) {
            for (const Crossing& c : list)
                if (c.hours == hours && c.rising == rising) return true;
            return false;
        };
        const bool firstPairListed =
            (listed(events.riseHours, true) ||
             (events.riseHours == 0.0 && found.risingCount() == 0)) &&
            (listed(events.setHours, false) ||
             (events.setHours == 0.0 && found.settingCount() == 0));
        if (!firstPairListed) tally.wrong(tally.curveWrong, at + ": first pair not listed");

        if (!againstAltitude) continue;
        if (sampleInRightAscensionJump(kind, start)) {
            ++tally.rightAscensionJumps;
            continue;
        }
        for (const Crossing& c : list) {
            if (std::fabs(altitude(c.hours)) > parabolaBound)
                tally.wrong(tally.altitudeWrong, at + ": " + std::to_string(c.hours) +
                                                     " h off the threshold");
        }
        const std::vector<Crossing> sampled = signChanges(altitude, [&](int h) {
            const double a = hourly[static_cast<std::size_t>(h)];
            const double b = hourly[static_cast<std::size_t>(h) + 1];
            return everyMinute || (a > 0.0) != (b > 0.0) ||
                   std::min(std::fabs(a), std::fabs(b)) <= chordBound;
        });
        bool sameOrder = sampled.size() == list.size();
        if (!sameOrder) {
            sameOrder = withoutGrazingDips(sampled).size() == withoutGrazingDips(list).size();
            if (sameOrder) ++tally.grazing;
        }
        const std::vector<Crossing> s = withoutGrazingDips(sampled), l = withoutGrazingDips(list);
        for (std::size_t i = 0; sameOrder && i < l.size(); ++i)
            sameOrder = l[i].rising == s[i].rising;
        if (!sameOrder) tally.wrong(tally.altitudeWrong, at + ", sampled" + listText(sampled));
    }
}

TEST(CrossingsSweep, EveryCrossingOfTenYearsAgainstTheMinuteScan) {
    const std::int64_t firstDay = dayIndexOf(makeDate(2050, 1, 1, 0, 0, 0));
    const std::int64_t lastDay = dayIndexOf(makeDate(2059, 12, 31, 0, 0, 0));
    Tally tally;
    for (const Place& place : places)
        for (std::int64_t day = firstDay; day <= lastDay; ++day) checkDay(place, day, tally);
    RecordProperty("crossings", std::to_string(tally.crossings));
    RecordProperty("daysBeyondFirstPair", std::to_string(tally.beyondFirstPair));
    RecordProperty("grazingDips", std::to_string(tally.grazing));
    RecordProperty("rightAscensionJumps", std::to_string(tally.rightAscensionJumps));
    EXPECT_EQ(tally.curveWrong, 0) << tally.firstWrong;
    EXPECT_EQ(tally.altitudeWrong, 0) << tally.firstWrong;
    // The sweep must meet what it is about: days with a third crossing, and only rarely a
    // dip too brief for the hourly samples.
    EXPECT_GT(tally.beyondFirstPair, 200);
    EXPECT_LT(tally.grazing, 10);
}

}  // namespace
}  // namespace dorvalen
