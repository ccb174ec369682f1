// The phase of the displayed day: local date matching, summer time, the fractional day
// offset, and the marker's angle and label.
#include "phases/phase_event.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/calendar.h"

namespace dorvalen {
namespace {

ClockState stateAt(int year, int month, int day, int hour = 12) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, 0, 0);
    return state;
}

TEST(PhaseEvent, LocalDateDecides) {
    // Full moon 2015-02-03 23:10:11 UT (JDE 2457057.46541): 0:10 local on 02-04 at zone 1.
    const double event = phaseEventOnDisplayedDay(stateAt(2015, 2, 4));
    EXPECT_NEAR(event, 2457057.46541 - 2400000.5 + 1.0 / 24.0, 1e-5);
    EXPECT_EQ(phaseTimeText(event), "0:10");
    EXPECT_EQ(phaseEventOnDisplayedDay(stateAt(2015, 2, 3)), 0.0);
    // At zone 0 it is the 3rd's.
    ClockState utc = stateAt(2015, 2, 3);
    utc.settings.timeZone = 0.0;
    EXPECT_EQ(phaseTimeText(phaseEventOnDisplayedDay(utc)), "23:10");
}

TEST(PhaseEvent, SummerTimeOfTheDisplayedDay) {
    // Full moon 1995-06-13 4:04:25 UT: 6:04 with summer time at zone 1, 5:04 without.
    ClockState state = stateAt(1995, 6, 13);
    EXPECT_EQ(phaseTimeText(phaseEventOnDisplayedDay(state)), "6:04");
    state.settings.autoSummerTime = 0;
    EXPECT_EQ(phaseTimeText(phaseEventOnDisplayedDay(state)), "5:04");
}

// Phases in the first or last hours of a local day at the zones' edges. Last quarter
// 1977-03-12 11:35:13 UT (JDE 2443214.98285) falls on the 13th east of +12: the search that
// began at noon UT of the day before passed it by. Last quarter 2087-03-27 11:06 UT falls on
// the 28th at +13 and beyond, where the estimate already names April's lunation.
TEST(PhaseEvent, ZonesAtTheEdgesKeepTheFirstAndLastHoursOfTheDay) {
    const struct {
        int year, month, day;
        double zone;
        const char* text;
    } rows[] = {
        {1977, 3, 13, 12.75, "0:20"}, {1977, 3, 13, 13.0, "0:35"}, {1977, 3, 13, 14.0, "1:35"},
        {1977, 3, 11, -12.0, "23:35"}, {2087, 3, 28, 13.0, "0:06"}, {2087, 3, 28, 13.75, "0:51"},
        {2087, 3, 28, 14.0, "1:06"},   {2087, 3, 26, -12.0, "23:06"},
    };
    for (const auto& row : rows) {
        ClockState state = stateAt(row.year, row.month, row.day);
        state.settings.timeZone = row.zone;
        state.settings.autoSummerTime = 0;
        const std::optional<PhaseOnDay> phase = phaseOnDisplayedDay(state);
        ASSERT_TRUE(phase.has_value()) << row.year << " zone " << row.zone;
        EXPECT_EQ(phase->kind, PhaseKind::LastQuarter) << row.year << " zone " << row.zone;
        EXPECT_EQ(phaseTimeText(phase->localMjd), row.text) << row.year << " zone " << row.zone;
    }
}

// Every principal phase 1970-2100 at the zones where the estimate and the local day drift
// furthest apart is marked on its own local day, at its time. A day marks only a phase
// whose local time lies on it, so no other day can show it.
TEST(PhaseEvent, EveryPhaseOf130YearsOnExactlyOneLocalDay) {
    struct Zone {
        double hours;
        int summer;
    };
    const Zone zones[] = {{13.0, 0},  {13.0, 1},  {13.75, 0}, {13.75, 1},
                          {14.0, 0},  {14.0, 1},  {-12.0, 0}};
    int phases = 0, wrong = 0;
    std::string firstWrong;
    for (const Zone& zone : zones) {
        ClockSettings settings;
        settings.timeZone = zone.hours;
        settings.autoSummerTime = zone.summer;
        // Lunation -370 is the new moon of 1970-01-07, 1249 that of 2100-12-01.
        for (std::int64_t k = -370; k <= 1249; ++k) {
            for (PhaseKind kind : {PhaseKind::NewMoon, PhaseKind::FirstQuarter,
                                   PhaseKind::FullMoon, PhaseKind::LastQuarter}) {
                const double local =
                    localMjdOfUT(settings, phaseInstantOfLunation(kind, k) - 2400000.5);
                const auto day = static_cast<std::int64_t>(std::floor(local)) - mjdOfDayIndexZero;
                ++phases;
                ClockState state;
                state.settings = settings;
                state.now = day * 86400 + 43200;
                const std::optional<PhaseOnDay> found = phaseOnDisplayedDay(state);
                if (found && found->kind == kind && found->localMjd == local) continue;
                ++wrong;
                if (firstWrong.empty())
                    firstWrong = "zone " + std::to_string(zone.hours) + " summer " +
                                 std::to_string(zone.summer) + ", lunation " + std::to_string(k) +
                                 " kind " + std::to_string(static_cast<int>(kind));
            }
        }
    }
    EXPECT_EQ(phases, 7 * 1620 * 4);
    EXPECT_EQ(wrong, 0) << firstWrong;
}

TEST(PhaseEvent, NoPhaseOnOrdinaryDays) {
    for (int day : {5, 6, 7, 8, 9}) EXPECT_EQ(phaseEventOnDisplayedDay(stateAt(2015, 2, day)), 0.0) << day;
}

TEST(PhaseEvent, FractionalOffsetMovesTheDayAtHalves) {
    // Noon of today plus the offset decides, whatever the clock time: the full moon of
    // 2015-02-04 (0:10 local) is marked from 0.5 days before to 0.5 days after.
    const struct {
        const char* fault;
        int day, hour;
        double offset;
        bool marked;
    } rows[] = {
        {"evening, 0.49 still names the 3rd", 3, 20, 0.49, false},
        {"evening, 0.51 names the 4th", 3, 20, 0.51, true},
        {"night, 0.49 still names the 3rd", 3, 1, 0.49, false},
        {"night, 0.51 names the 4th", 3, 1, 0.51, true},
        {"evening, -0.49 still names the 5th", 5, 20, -0.49, false},
        {"evening, -0.51 names the 4th", 5, 20, -0.51, true},
        {"night, -0.49 still names the 5th", 5, 1, -0.49, false},
        {"night, -0.51 names the 4th", 5, 1, -0.51, true},
    };
    for (const auto& row : rows) {
        ClockState state = stateAt(2015, 2, row.day, row.hour);
        state.displayedDay = row.offset;
        const double event = phaseEventOnDisplayedDay(state);
        EXPECT_EQ(event != 0.0, row.marked) << row.fault;
        if (row.marked) {
            EXPECT_EQ(phaseTimeText(event), "0:10") << row.fault;
        }
    }
}

TEST(PhaseMarker, AngleOfTheTimeOfDay) {
    const struct {
        const char* fault;
        double mjd, angle;
    } rows[] = {
        {"midnight not at the top", 57057.0, 270.0},
        {"6:00 not at the right", 57057.25, 0.0},
        {"noon not at the bottom", 57057.5, 90.0},
        {"18:00 not at the left", 57057.75, 180.0},
        {"whole day counted", 57057.007, 272.52},
    };
    for (const auto& row : rows) EXPECT_NEAR(dayFractionAngle(row.mjd), row.angle, 1e-6) << row.fault;
}

TEST(PhaseMarker, LabelText) {
    const struct {
        const char* fault;
        double secondsOfDay;
        const char* text;
    } rows[] = {
        // Half a second into the minute: an MJD holds the time of day to about a microsecond.
        {"minutes not padded", 7 * 3600 + 5 * 60 + 0.5, "7:05"},
        {"hours padded", 14 * 3600 + 30 * 60 + 0.5, "14:30"},
        {"midnight", 0, "0:00"},
        {"minutes rounded up", 14 * 3600 + 59 * 60 + 59.9, "14:59"},
        {"last minute", 23 * 3600 + 59 * 60 + 30, "23:59"},
        {"ten minutes padded", 10 * 60 + 0.5, "0:10"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(phaseTimeText(60000.0 + row.secondsOfDay / 86400.0), row.text) << row.fault;
    }
}

TEST(PhaseMarker, NonFiniteInstantsGiveATextAndAnAngle) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(phaseTimeText(nan), "0:00");
    EXPECT_EQ(dayFractionAngle(nan), 270.0);
    EXPECT_EQ(phaseTimeText(std::numeric_limits<double>::infinity()), "0:00");
}

}  // namespace
}  // namespace dorvalen
