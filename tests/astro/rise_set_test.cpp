// Rise, set and twilight search: the parabola step, the dial angle, the default place with
// and without the degrees.minutes conversion, polar day and night, the white night, events
// outside the day and kinds from a damaged settings file.
#include "astro/rise_set.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/astro_time.h"
#include "astro/sun.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

using skytest::stateAt;

constexpr double minute = 1.0 / 60.0;

struct ParabolaRow {
    const char* fault;
    double yMinus, y0, yPlus;
    int count;
};

TEST(QuadraticZeros, CountsAndOrdersZeros) {
    const ParabolaRow rows[] = {
        {"exactly linear triple divides by zero", -1.0, 0.0, 1.0, 0},
        {"flat triple divides by zero", 0.5, 0.5, 0.5, 0},
        {"valley with two crossings", 1.0, -1.0, 1.0, 2},
        {"negative discriminant reports zeros", 1.0, 0.5, 1.0, 0},
        {"rising crossing missed", -1.0, 0.5, 1.5, 1},
        {"single zero left in zero2", 1.5, 0.5, -1.0, 1},
        {"zeros beyond the window counted", 4.0, 2.0, 0.5, 0},
    };
    for (const ParabolaRow& row : rows) {
        const QuadraticZeros z = quadraticZeros(row.yMinus, row.y0, row.yPlus);
        ASSERT_EQ(z.count, row.count) << row.fault;
        const double a = 0.5 * (row.yMinus + row.yPlus) - row.y0;
        const double b = 0.5 * (row.yPlus - row.yMinus);
        const auto parabola = [&](double x) { return (a * x + b) * x + row.y0; };
        if (z.count >= 1) {
            EXPECT_LE(std::fabs(z.zero1), 1.0) << row.fault;
            EXPECT_NEAR(parabola(z.zero1), 0.0, 1e-12) << row.fault;
        }
        if (z.count == 2) {
            EXPECT_LT(z.zero1, z.zero2) << row.fault;
            EXPECT_NEAR(parabola(z.zero2), 0.0, 1e-12) << row.fault;
            EXPECT_NEAR(parabola(z.xe), z.ye, 1e-12) << row.fault;
        }
    }
}

TEST(DialAngle, HoursOnTheDial) {
    const struct {
        const char* fault;
        double hours, angle;
    } rows[] = {
        {"midnight (or no event) not at the top", 0.0, 270.0},
        {"6:00 not at the right", 6.0, 0.0},
        {"noon not at the bottom", 12.0, 90.0},
        {"18:00 not at the left", 18.0, 180.0},
        {"early hours left negative", 1.5, 292.5},
        {"end of day", 24.0, 270.0},
    };
    for (const auto& row : rows) EXPECT_NEAR(dialAngleOfHours(row.hours), row.angle, 1e-9) << row.fault;
}

struct SearchRow {
    const char* fault;
    int month, day;
    EventKind kind;
    double rise, set;  // local clock hours
};

// The search itself, with the stored numbers fed as plain degrees (48.47 N, 12.52 E): the
// times printed for the default place were computed that way.
TEST(SearchRiseSet, DefaultPlaceAsPlainDegrees) {
    const SearchRow rows[] = {
        {"sunrise/sunset", 3, 20, SunRiseSet, 6 + 12 * minute, 18 + 23 * minute},
        {"civil twilight", 3, 20, CivilTwilight, 5 + 41 * minute, 18 + 55 * minute},
        {"astronomical twilight", 3, 20, AstronomicalTwilight, 4 + 26 * minute, 20 + 10 * minute},
        // Summer time: the previous evening's twilight ends at 0:56, the morning's begins
        // at 1:28.
        {"set before rise on a short night", 6, 21, AstronomicalTwilight, 1 + 28 * minute,
         0 + 56 * minute},
    };
    for (const SearchRow& row : rows) {
        const ClockState state = stateAt(2024, row.month, row.day);
        const RiseSet r =
            searchRiseSet(row.kind, computeDisplayedMoment(state).midnightUT, -12.52,
                          latitudeTrig(48.47), sinDeg(thresholdAltitudeDeg(row.kind)));
        EXPECT_NEAR(r.riseHours, row.rise, 0.6 * minute) << row.fault;
        EXPECT_NEAR(r.setHours, row.set, 0.6 * minute) << row.fault;
    }
}

// What the clock shows for the default place: the stored 48.47 / -12.52 are 48 deg 47 min N,
// 12 deg 52 min E.
TEST(ComputeDayEvents, DefaultPlaceWithDegreesMinutes) {
    const SearchRow rows[] = {
        {"sunrise/sunset", 3, 20, SunRiseSet, 6.1758, 18.3619},
        {"civil twilight", 3, 20, CivilTwilight, 5 + 40 * minute, 18 + 53 * minute},
        {"astronomical twilight", 3, 20, AstronomicalTwilight, 4 + 24 * minute, 20 + 9 * minute},
    };
    for (const SearchRow& row : rows) {
        const DayEvents e = computeDayEvents(stateAt(2024, row.month, row.day), row.kind);
        const double tolerance = row.kind == SunRiseSet ? 2e-4 : 0.6 * minute;
        EXPECT_NEAR(e.riseHours, row.rise, tolerance) << row.fault;
        EXPECT_NEAR(e.setHours, row.set, tolerance) << row.fault;
        EXPECT_NEAR(e.riseAngle, dialAngleOfHours(row.rise), 0.2) << row.fault;
        EXPECT_NEAR(e.setAngle, dialAngleOfHours(row.set), 0.2) << row.fault;
    }
    // An independent precise calculation for 48 47' N, 12 52' E gives 6:10.7 and 18:21.9;
    // the short series and the whole-hour parabola stay within a minute and a half.
    const DayEvents sun = computeDayEvents(stateAt(2024, 3, 20), SunRiseSet);
    EXPECT_NEAR(sun.riseHours, 6 + 10.7 * minute, 1.5 * minute);
    EXPECT_NEAR(sun.setHours, 18 + 21.9 * minute, 1.5 * minute);
}

TEST(ComputeDayEvents, WhiteNightAtTheDefaultPlace) {
    // Late June at 48 47' N the sun stays above -18 deg all night: no astronomical night.
    const DayEvents e = computeDayEvents(stateAt(2024, 6, 21), AstronomicalTwilight);
    EXPECT_EQ(e.riseHours, 0.0);
    EXPECT_EQ(e.setHours, 0.0);
    EXPECT_TRUE(e.upAtLastStep);
    EXPECT_EQ(e.riseAngle, 270.0);
}

TEST(ComputeDayEvents, PolarDayAndNight) {
    // Longyearbyen, 78 13' N, 15 38' E (stored 78.13, -15.38).
    const struct {
        const char* fault;
        int month;
        EventKind kind;
        bool up;
    } rows[] = {
        {"polar day taken as down", 6, SunRiseSet, true},
        {"polar night taken as up", 12, SunRiseSet, false},
        {"polar night civil twilight taken as up", 12, CivilTwilight, false},
    };
    for (const auto& row : rows) {
        const DayEvents e =
            computeDayEvents(stateAt(2024, row.month, 21, 12, 0, 78.13, -15.38, 1.0, 1), row.kind);
        EXPECT_EQ(e.riseHours, 0.0) << row.fault;
        EXPECT_EQ(e.setHours, 0.0) << row.fault;
        EXPECT_EQ(e.upAtLastStep, row.up) << row.fault;
    }
    // The same place in the south: 21 December is polar day there.
    EXPECT_TRUE(computeDayEvents(stateAt(2024, 12, 21, 12, 0, -78.13, -15.38, 1.0, 0), SunRiseSet)
                    .upAtLastStep);
}

TEST(ComputeDayEvents, MoonriseAfterMidnightIsNotReported) {
    // Default place: the moon rises at 23:39 on 2024-04-26 and at 0:48 on 04-28, so the
    // 27th has a moonset but no moonrise.
    const DayEvents before = computeDayEvents(stateAt(2024, 4, 26), MoonRiseSet);
    const DayEvents day = computeDayEvents(stateAt(2024, 4, 27), MoonRiseSet);
    const DayEvents after = computeDayEvents(stateAt(2024, 4, 28), MoonRiseSet);
    EXPECT_GT(before.riseHours, 23.0);
    EXPECT_EQ(day.riseHours, 0.0);
    EXPECT_EQ(day.riseAngle, 270.0);
    EXPECT_GT(day.setHours, 6.0);
    EXPECT_GT(after.riseHours, 0.0);
    EXPECT_LT(after.riseHours, 1.5);
}

TEST(ComputeDayEvents, SummerTimeShiftsTheClockHours) {
    // Sunday 2024-03-31 starts summer time: sunrise moves an hour later on the clock, less
    // the two minutes the day gains.
    const double saturday = computeDayEvents(stateAt(2024, 3, 30), SunRiseSet).riseHours;
    const double sunday = computeDayEvents(stateAt(2024, 3, 31), SunRiseSet).riseHours;
    EXPECT_NEAR(sunday - saturday, 1.0 - 2.0 * minute, 0.5 * minute);
}

TEST(ComputeDayEvents, KindsFromADamagedSettingsFile) {
    const ClockState state = stateAt(2024, 3, 20);
    const DayEvents moon = computeDayEvents(state, MoonRiseSet);
    const DayEvents one = computeDayEvents(state, static_cast<EventKind>(1));
    EXPECT_EQ(one.riseHours, moon.riseHours);
    EXPECT_EQ(one.setHours, moon.setHours);
    // 0 and 6 search the sun's centre at the true horizon: later rise and earlier set than
    // with -50', by about four and a half minutes at this latitude in March.
    const DayEvents sun = computeDayEvents(state, SunRiseSet);
    for (int kind : {0, 6, -7}) {
        const DayEvents horizon = computeDayEvents(state, static_cast<EventKind>(kind));
        EXPECT_NEAR(horizon.riseHours - sun.riseHours, 4.5 * minute, 1.5 * minute) << kind;
        EXPECT_NEAR(sun.setHours - horizon.setHours, 4.5 * minute, 1.5 * minute) << kind;
    }
}

// Sine of the altitude at a fractional hour, computed directly (not through the search).
double sinAltitudeAtHours(double startMjd, double hours, const ObserverPlace& place) {
    const double mjd = startMjd + hours / 24.0;
    const EquatorialPosition sun = lowPrecisionSun((mjd - 51544.5) / 36525.0);
    const double tau = 15.0 * (localSiderealHours(mjd, place.longitudeWestDeg) - sun.rightAscensionHours);
    return sinDeg(place.latitudeDeg) * sinDeg(sun.declinationDeg) +
           cosDeg(place.latitudeDeg) * cosDeg(sun.declinationDeg) * cosDeg(tau);
}

TEST(ComputeDayEvents, FoundTimesAreCrossingsOverAYearAndManyPlaces) {
    // Every reported time lies in [0, 24] and is a real crossing of the threshold: the sun
    // there stands within 0.1 deg of it, and moving 10 minutes shows the right direction.
    int found = 0;
    for (double latitude : {-66.0, -33.52, 0.0, 48.47, 60.1, 65.5}) {
        for (int month = 1; month <= 12; ++month) {
            ClockState state = stateAt(2024, month, 5, 12, 0, latitude, -12.52, 1.0, 1);
            const ObserverPlace place = observerPlace(state.settings);
            const double start = computeDisplayedMoment(state).midnightUT;
            for (EventKind kind : {SunRiseSet, CivilTwilight, AstronomicalTwilight}) {
                const DayEvents e = computeDayEvents(state, kind);
                const double h0 = sinDeg(thresholdAltitudeDeg(kind));
                ASSERT_GE(e.riseHours, 0.0);
                ASSERT_LE(e.setHours, 24.0);
                if (e.riseHours != 0.0) {
                    ++found;
                    EXPECT_NEAR(sinAltitudeAtHours(start, e.riseHours, place), h0, 2e-3);
                    EXPECT_GT(sinAltitudeAtHours(start, e.riseHours + 1.0 / 6, place), h0);
                }
                if (e.setHours != 0.0) {
                    EXPECT_NEAR(sinAltitudeAtHours(start, e.setHours, place), h0, 2e-3);
                    EXPECT_LT(sinAltitudeAtHours(start, e.setHours + 1.0 / 6, place), h0);
                }
            }
        }
    }
    EXPECT_GT(found, 150);
}

}  // namespace
}  // namespace dorvalen
