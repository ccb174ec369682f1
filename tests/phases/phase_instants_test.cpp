// Phase instants: Meeus's worked example, the lunation estimate and its truncation toward
// zero, the search of the displayed day before and after 2000, and local time.
#include "phases/phase_instants.h"

#include <gtest/gtest.h>

#include "astro/moon.h"
#include "core/calendar.h"

namespace dorvalen {
namespace {

constexpr double second = 1.0 / 86400.0;

ClockState stateAt(int year, int month, int day, int hour = 12) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, 0, 0);
    return state;
}

TEST(PhaseInstant, MeeusExample49aAndLunationZero) {
    // Lunation -283: 1977 February 18, 3:37:41 (first-edition constants: .65117; the
    // second edition prints .65118). Lunation 0: 2000 January 6, 18:14:45.
    EXPECT_NEAR(newMoonJde(-283.0), 2443192.65117, second);
    EXPECT_NEAR(newMoonJde(0.0), 2451550.26025, second);
    // The estimate is truncated toward zero: -283.9 names lunation -283, not -284.
    EXPECT_EQ(newMoonJde(-283.9), newMoonJde(-283.0));
    EXPECT_EQ(fullMoonJde(0.99), fullMoonJde(0.0));
}

// The moon's own theory agrees at the phase instants of lunation 0 (an independent check).
TEST(PhaseInstant, IlluminatedFractionAtTheInstants) {
    EXPECT_LT(moonIlluminatedFractionAt(newMoonJde(0.0)), 0.002);
    EXPECT_NEAR(moonIlluminatedFractionAt(quarterJde(0.0, 0.25)), 0.5, 0.02);
    EXPECT_GT(moonIlluminatedFractionAt(fullMoonJde(0.0)), 0.998);
    EXPECT_NEAR(moonIlluminatedFractionAt(quarterJde(0.0, 0.75)), 0.5, 0.02);
}

TEST(PhaseInstant, QuarterCorrectionSign) {
    // W (about 0.003 days) is added for exactly 0.25 and subtracted for anything else.
    const double first = quarterJde(189.0, 0.25);
    const double almostFirst = quarterJde(189.0, 0.25 + 1e-12);
    EXPECT_GT(first - almostFirst, 0.004);
    EXPECT_LT(first - almostFirst, 0.009);
}

TEST(PhaseSearch, DisplayedDay2015April17) {
    const ClockState state = stateAt(2015, 4, 17);
    EXPECT_NEAR(lunationEstimate(state, -1), 189.1262, 1e-4);
    const struct {
        PhaseKind kind;
        double jde;
    } rows[] = {
        {PhaseKind::NewMoon, 2457131.29025},       // 2015-04-18 18:57:57
        {PhaseKind::FirstQuarter, 2457138.49750},
        {PhaseKind::FullMoon, 2457146.65511},
        {PhaseKind::LastQuarter, 2457153.94256},
    };
    for (const auto& row : rows) {
        const PhaseSearch search = searchPhaseInstant(state, row.kind);
        EXPECT_NEAR(search.jde, row.jde, second) << static_cast<int>(row.kind);
        EXPECT_EQ(search.candidates, 1) << static_cast<int>(row.kind);
    }
}

TEST(PhaseSearch, AroundTheYear2000) {
    // 2000-01-01 starts at shift -1 (estimate -0.0339, truncated to lunation 0); 1999-12-31
    // starts at -35 and walks 8 days forward to the same lunation.
    const struct {
        const char* fault;
        int year, month, day, candidates;
    } rows[] = {
        {"2000 searched like 1999", 2000, 1, 1, 1},
        {"1999 not walked from 35 days back", 1999, 12, 31, 8},
    };
    for (const auto& row : rows) {
        const ClockState state = stateAt(row.year, row.month, row.day);
        const PhaseSearch newMoon = searchPhaseInstant(state, PhaseKind::NewMoon);
        const PhaseSearch fullMoon = searchPhaseInstant(state, PhaseKind::FullMoon);
        EXPECT_NEAR(newMoon.jde, 2451550.26025, second) << row.fault;
        EXPECT_NEAR(fullMoon.jde, 2451564.69546, second) << row.fault;  // 2000-01-21
        EXPECT_EQ(newMoon.candidates, row.candidates) << row.fault;
        EXPECT_EQ(fullMoon.candidates, row.candidates) << row.fault;
    }
    EXPECT_NEAR(lunationEstimate(stateAt(2000, 1, 1), -1), -0.0339, 1e-4);
}

TEST(PhaseSearch, Before2000WalksForward) {
    const ClockState state = stateAt(1995, 6, 13);
    const PhaseSearch full = searchPhaseInstant(state, PhaseKind::FullMoon);
    EXPECT_NEAR(full.jde, 2449881.66974, second);  // 1995-06-13 4:04:25
    EXPECT_EQ(full.candidates, 1);
    // New moon of 1995-06-28 (0:50 UT) after 15 candidates.
    const PhaseSearch newMoon = searchPhaseInstant(state, PhaseKind::NewMoon);
    EXPECT_EQ(newMoon.candidates, 15);
    EXPECT_NEAR(newMoon.jde, 2449896.535, 0.01);
}

TEST(PhaseSearch, ThresholdNeverReachedGivesTheLastCandidate) {
    // Four days after the new moon of 2015-04-18 the estimate still names its lunation: the
    // search stops after shift +2 with that (past) new moon.
    const PhaseSearch search = searchPhaseInstant(stateAt(2015, 4, 22), PhaseKind::NewMoon);
    EXPECT_EQ(search.candidates, 4);
    EXPECT_NEAR(search.jde, 2457131.29025, second);
}

// Summer time is that of the instant, whatever day is displayed: the switch lies at the day
// boundary of local standard time, so each instant has exactly one local time.
TEST(LocalTime, ZoneAndSummerTimeOfTheInstant) {
    const struct {
        const char* fault;
        double zone;
        int autoSummerTime;
        double jde;
        double hours;
    } rows[] = {
        {"summer hour missing in July", 5.5, 1, 2460500.0, 6.5},
        {"summer hour added in January", 5.5, 1, 2460310.0, 5.5},
        {"summer hour added with the rule off", 5.5, 0, 2460500.0, 5.5},
        // Last quarter 1986-10-25 22:25 UT: 23:25 on the last summer Saturday, so 0:25 on
        // the 26th; the displayed day's winter time had put it on neither day.
        {"autumn night took the winter hour", 1.0, 1, 2446729.434, 2.0},
        // 2024-03-30 22:30 UT is Saturday 23:30 standard time, still winter; an hour later
        // it is Sunday 0:30 standard time, shown as 1:30.
        {"spring Saturday took the summer hour", 1.0, 1, 2460400.4375, 1.0},
        {"spring Sunday took the winter hour", 1.0, 1, 2460400.479, 2.0},
    };
    for (const auto& row : rows) {
        ClockState state = stateAt(2024, 7, 1);  // the displayed day must not matter
        state.settings.timeZone = row.zone;
        state.settings.autoSummerTime = row.autoSummerTime;
        EXPECT_NEAR(jdeToLocalMjd(state, row.jde), row.jde - 2400000.5 + row.hours / 24.0, 1e-9)
            << row.fault;
    }
}

}  // namespace
}  // namespace dorvalen
