// Angle helpers, the degrees.minutes conversion, the displayed day as UT dates, sidereal
// time and nutation, against Meeus's worked examples and the summer-time switch points.
#include "astro/astro_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

using skytest::stateAt;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct ValueRow {
    const char* fault;
    double input, expected;
};

TEST(FracPart, StaysInUnitInterval) {
    const ValueRow rows[] = {
        {"negative value not lifted", -0.25, 0.75},
        {"whole number left at 1", 2.0, 0.0},
        {"fraction of a positive value lost", 3.75, 0.75},
        {"negative whole number gives 1", -3.0, 0.0},
        {"beyond the 64-bit range gives garbage", 1e300, 0.0},
        {"NaN leaks out", nan, 0.0},
        {"infinity leaks out", -inf, 0.0},
    };
    for (const ValueRow& row : rows) EXPECT_DOUBLE_EQ(fracPart(row.input), row.expected) << row.fault;
}

TEST(NormalizeDegrees, WrapsBothSigns) {
    const ValueRow rows[] = {
        {"exact negative turn must give 360", -360.0, 360.0},
        {"two turns not removed", 725.0, 5.0},
        {"negative angle not wrapped", -10.0, 350.0},
        {"one turn must give 0 from above", 360.0, 0.0},
        {"many negative turns", -1085.0, 355.0},
        {"huge angle leaves the range", 3.6e300, std::fmod(3.6e300, 360.0)},
        {"NaN leaks out", nan, 0.0},
    };
    for (const ValueRow& row : rows) {
        EXPECT_NEAR(normalizeDegrees(row.input), row.expected, 1e-9) << row.fault;
    }
}

TEST(DegreesMinutes, ConvertsStoredCoordinates) {
    const ValueRow rows[] = {
        {"minutes read as decimals", 48.47, 48.0 + 47.0 / 60.0},
        {"west/east sign lost on minutes", -12.52, -(12.0 + 52.0 / 60.0)},
        {"fraction above the threshold read as minutes", 48.97, 48.97},
        {"zero changed", 0.0, 0.0},
        {"12.6 (fraction 0.59999...) read as minutes", 12.6, 12.6},
        {"just below the threshold not minutes", 12.59, 12.0 + 59.0 / 60.0},
        {"negative minutes-only value", -0.30, -0.5},
        {"whole degrees changed", 90.0, 90.0},
        {"huge value lost", 1e300, 1e300},
    };
    for (const ValueRow& row : rows) {
        EXPECT_NEAR(degreesMinutesToDecimal(row.input), row.expected, 1e-12) << row.fault;
    }
    EXPECT_TRUE(std::isnan(degreesMinutesToDecimal(nan)));
}

TEST(TimeZone, DamagedValuesStayInTheDialogsRange) {
    ClockSettings settings;
    const ValueRow rows[] = {
        {"fractional zone rounded", 5.5, 5.5},
        {"NaN reaches the astronomy", nan, 0.0},
        {"infinity reaches the astronomy", inf, 0.0},
        {"zone beyond the dialog's range used", 20.0, 14.0},
        {"huge zone reaches the astronomy", -1e300, -12.0},
    };
    for (const ValueRow& row : rows) {
        settings.timeZone = row.input;
        EXPECT_DOUBLE_EQ(effectiveTimeZoneHours(settings), row.expected) << row.fault;
    }
}

TEST(LocalDay, DisplayedDayNumberAndMidnight) {
    // 2024-03-20 is MJD 60389.
    ClockState state = stateAt(2024, 3, 20, 20, 0);
    EXPECT_DOUBLE_EQ(std::trunc(computeDisplayedMoment(state).localMjd), 60389.0);
    state.displayedDay = 0.25;  // 20:00 + 6 h crosses midnight
    EXPECT_DOUBLE_EQ(std::trunc(computeDisplayedMoment(state).localMjd), 60390.0);
    state.displayedDay = -1.0;
    EXPECT_DOUBLE_EQ(std::trunc(computeDisplayedMoment(state).localMjd), 60388.0);

    // Winter: one hour of zone; the clock's factor is 0.041667, not 1/24.
    state.displayedDay = 0.0;
    EXPECT_DOUBLE_EQ(computeDisplayedMoment(state).midnightUT, 60389.0 - 0.041667);
    // Summer time adds its hour: 2 * 0.041667 before the local day number.
    ClockState summer = stateAt(2024, 7, 1, 9, 0);
    EXPECT_DOUBLE_EQ(computeDisplayedMoment(summer).midnightUT, 60492.0 - 2.0 * 0.041667);
    summer.settings.autoSummerTime = 0;
    EXPECT_DOUBLE_EQ(computeDisplayedMoment(summer).midnightUT, 60492.0 - 0.041667);
}

TEST(CurrentJulianDay, KeepsTimeOfDayAndSwitchesSummerTimeAtNoonSaturday) {
    struct Row {
        const char* fault;
        int month, day, hour;
        double summerHours;
    };
    // Summer time is asked for the local MJD less half a day.
    const Row rows[] = {
        {"summer hour applied before Saturday noon (March)", 3, 30, 11, 0.0},
        {"no summer hour after Saturday noon (March)", 3, 30, 13, 1.0},
        {"summer hour lost in July", 7, 1, 9, 1.0},
        {"summer hour kept after Saturday noon (October)", 10, 26, 13, 0.0},
        {"summer hour dropped before Saturday noon (October)", 10, 26, 11, 1.0},
    };
    for (const Row& row : rows) {
        const ClockState state = stateAt(2024, row.month, row.day, row.hour, 0);
        const double localJd = static_cast<double>(state.now) / 86400.0 + 2440587.5;
        EXPECT_NEAR(computeDisplayedMoment(state).julianDayUT, localJd - (1.0 + row.summerHours) * 0.041667,
                    1e-9)
            << row.fault;
    }
    const ClockState state = stateAt(2024, 1, 10, 18, 0);
    EXPECT_NEAR(julianDayUTOfReading(computeDisplayedMoment(state), state.now, -1.0), computeDisplayedMoment(state).julianDayUT - 1.0, 1e-9);
    // 2024-01-10 18:00 at zone 1: JD 2460320.5 + 0.75 - 0.041667.
    EXPECT_NEAR(computeDisplayedMoment(state).julianDayUT, 2460320.25 - 0.041667, 1e-9);
}

TEST(SiderealTime, MeeusExamples12aAnd12b) {
    // 1987 April 10: 0h UT gives 13h10m46.3668s; 19:21 UT gives 8h34m57.0896s.
    EXPECT_NEAR(localSiderealHours(46895.0, 0.0), 13.0 + 10.0 / 60 + 46.3668 / 3600, 1e-5);
    EXPECT_NEAR(localSiderealHours(46895.0 + 19.35 / 24.0, 0.0), 8.0 + 34.0 / 60 + 57.0896 / 3600,
                1e-5);
    // West longitude subtracts, and the result wraps into [0, 24).
    EXPECT_NEAR(localSiderealHours(46895.0, 15.0), 12.179546, 1e-5);
    EXPECT_NEAR(localSiderealHours(46895.0, -180.0), 13.179546 + 12.0 - 24.0, 1e-5);
    EXPECT_NEAR(localSiderealHours(46895.0, 13.179546 * 15.0 + 1e-3), 24.0 - 1e-3 / 15.0, 1e-5);
}

TEST(Nutation, MeeusExample22a) {
    // 1987 April 10 0h: delta psi -3.788", true obliquity 23 26' 36.850"; the short terms
    // are good to 0.5" and 0.1".
    const Nutation n = computeNutation(2446895.5);
    EXPECT_NEAR(n.longitudeDeg * 3600.0, -3.788, 0.5);
    EXPECT_NEAR(n.trueObliquityDeg, 23.0 + 26.0 / 60 + 36.850 / 3600, 0.2 / 3600);
}

TEST(SiderealTime, ApparentAtTheDisplayedInstant) {
    // 1987 April 10 0h UT (zone 0, no summer time): apparent 13h10m46.1351s.
    ClockState state = stateAt(1987, 4, 10, 0, 0, 0.0, 0.0, 0.0, 0);
    const double expected = (13.0 + 10.0 / 60 + 46.1351 / 3600) * 15.0;
    const double today = apparentSiderealDegrees(computeDisplayedMoment(state).julianDayUT);
    EXPECT_NEAR(normalizeDegrees(today), expected, 0.5 / 3600 * 15.0);
    // Not reduced to a turn: a day later it is 360.98... degrees on.
    state.displayedDay = 1.0;
    EXPECT_NEAR(apparentSiderealDegrees(computeDisplayedMoment(state).julianDayUT) - today, 360.98564736629, 1e-3);
}

}  // namespace
}  // namespace dorvalen
