// The rota's crews, the swap window and the ring plan. Expected crews were worked out by
// hand from the rota table and the year table, not taken from this implementation.
#include "rota/shift_rota.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "rota/rota_tables.h"
#include "core/calendar.h"

namespace dorvalen {
namespace {

ClockState pinnedAt(int year, int month, int day, int hour, int minute = 0) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, minute, 0);
    return state;
}

std::int32_t dayOf(int year, int month, int day) {
    return static_cast<std::int32_t>(dayIndexOf(makeDate(year, month, day, 0, 0, 0)));
}

int weekdayFromMonday(std::int32_t dayIndex) { return (dayIndex + 3) % 7; }

CrewShifts plainRota(std::int32_t dayIndex) {
    CrewShifts code{};
    for (int crew = 0; crew < crewCount; ++crew)
        code[crew] = rotaTable[(dayIndex + crewTable[crew].rotaOffset) % 35];
    return code;
}

int countCode(const CrewShifts& code, ShiftCode wanted) {
    return static_cast<int>(std::count(code.begin(), code.end(), wanted));
}

// ---- Anchor of the swap window ----------------------------------------------------------

struct AnchorRow {
    const char* fault;
    int year, month, day;
};

TEST(RotaAnchor, FallsOnTheKnownMondays) {
    const AnchorRow rows[] = {
        {"2024 is a leap year: 20 May", 2024, 5, 20},
        {"2025: 19 May", 2025, 5, 19},
        {"2026: 18 May", 2026, 5, 18},
        {"2027: 17 May", 2027, 5, 17},
    };
    for (const AnchorRow& row : rows) {
        EXPECT_EQ(rotaAnchorDay(row.year), dayOf(row.year, row.month, row.day)) << row.fault;
        // Pinned anywhere in that year, the displayed year's anchor is the same day.
        EXPECT_EQ(computeRotaAnchor(pinnedAt(row.year, 11, 30, 12)), rotaAnchorDay(row.year))
            << row.fault;
    }
}

TEST(RotaAnchor, IsAMondayBetween25AprilAnd29MayEveryYear) {
    for (int year = 1970; year <= 2100; ++year) {
        const std::int32_t anchor = rotaAnchorDay(year);
        EXPECT_EQ(weekdayFromMonday(anchor), 0) << year;
        EXPECT_GE(anchor, dayOf(year, 4, 25)) << year;
        EXPECT_LE(anchor, dayOf(year, 5, 29)) << year;
    }
}

TEST(RotaAnchor, WindowRunsFromTheAnchorFor140Days) {
    for (int year = 1970; year <= 2100; ++year) {
        const std::int32_t anchor = rotaAnchorDay(year);
        EXPECT_EQ(computeCrewShifts(anchor - 1), plainRota(anchor - 1)) << year;
        EXPECT_NE(computeCrewShifts(anchor), plainRota(anchor)) << year;
        EXPECT_NE(computeCrewShifts(anchor + 139), plainRota(anchor + 139)) << year;
        EXPECT_EQ(computeCrewShifts(anchor + 140), plainRota(anchor + 140)) << year;
    }
}

TEST(RotaAnchor, YearsTheCalendarCannotHoldHaveNoWindow) {
    EXPECT_EQ(rotaAnchorDay(1969), -1);
    EXPECT_EQ(rotaAnchorDay(10000), -1);
    EXPECT_EQ(rotaAnchorDay(std::numeric_limits<int>::min()), -1);
}

// ---- Crews of a day ---------------------------------------------------------------------

struct CrewRow {
    const char* fault;
    int year, month, day;
    CrewShifts expected;
};

TEST(CrewShifts, MatchTheRotaWorkedByHand) {
    const CrewRow rows[] = {
        {"plain rota, weekday", 2026, 1, 12, {1, 4, 2, 0, 3}},
        {"plain rota, Sunday has no late shift", 2026, 1, 18, {3, 4, 1, 0, 4}},
        {"window opens: swapped week meets a free week, 0 becomes 5", 2026, 5, 18,
         {4, 3, 1, 5, 2}},
        {"window swaps a late crew into the swapped week", 2026, 6, 22, {2, 3, 1, 4, 0}},
        {"crew exchanged with itself keeps code 0 Tuesday to Friday", 2025, 6, 3,
         {0, 3, 1, 4, 2}},
        {"crew exchanged with itself is free on Monday", 2025, 6, 2, {5, 3, 1, 4, 2}},
        {"crew exchanged with itself is free on Saturday", 2025, 6, 7, {5, 4, 3, 2, 1}},
        {"day before 1970 wraps the rota the right way", 1969, 12, 31, {1, 4, 0, 3, 2}},
    };
    for (const CrewRow& row : rows) {
        const std::int32_t day = row.year < 1970 ? -1 : dayOf(row.year, row.month, row.day);
        EXPECT_EQ(computeCrewShifts(day), row.expected) << row.fault;
    }
}

TEST(CrewShifts, EveryDayFrom1970To2100HasOneCrewPerShift) {
    int failures = 0;
    for (int year = 1970; year <= 2100 && failures < 5; ++year) {
        const std::int32_t anchor = rotaAnchorDay(year);
        for (std::int32_t day = dayOf(year, 1, 1); day < dayOf(year + 1, 1, 1); ++day) {
            const CrewShifts code = computeCrewShifts(day);
            const bool sunday = weekdayFromMonday(day) == 6;
            const bool inWindow = day >= anchor && day < anchor + swapWindowDays;
            const bool ok = countCode(code, shiftEarly) == 1 && countCode(code, shiftNight) == 1 &&
                            countCode(code, shiftLate) == (sunday ? 0 : 1) &&
                            (inWindow || countCode(code, shiftSwapped) == 1);
            if (!ok) {
                ADD_FAILURE() << "day " << day << " of " << year;
                ++failures;
            }
        }
    }
}

// Browsing from one year into the next year's window shows the crews that year will have.
TEST(CrewShifts, NextYearsWindowLooksTheSameFromTheYearBefore) {
    ClockState fromBefore = pinnedAt(2025, 12, 1, 10);
    fromBefore.displayedDay = 203.0;  // 22 June 2026
    ClockState fromAfter = pinnedAt(2027, 1, 10, 10);
    fromAfter.displayedDay = -202.0;  // the same day
    const ClockState onTheDay = pinnedAt(2026, 6, 22, 10);

    const std::int32_t day = dayOf(2026, 6, 22);
    ASSERT_EQ(computeDisplayedMoment(fromBefore).dayIndex, day);
    ASSERT_EQ(computeDisplayedMoment(fromAfter).dayIndex, day);
    EXPECT_EQ(computeRotaAnchor(fromBefore), dayOf(2026, 5, 18));
    EXPECT_EQ(computeCrewShifts(day), (CrewShifts{2, 3, 1, 4, 0}));

    for (const ClockState* browsing : {&fromBefore, &fromAfter}) {
        const ShiftRingPlan seen = planShiftRing(*browsing);
        const ShiftRingPlan real = planShiftRing(onTheDay);
        ASSERT_EQ(seen.fills.size(), real.fills.size());
        for (std::size_t k = 0; k < seen.fills.size(); ++k) {
            EXPECT_EQ(seen.fills[k].crew, real.fills[k].crew);
            EXPECT_EQ(seen.fills[k].sectorDeg, real.fills[k].sectorDeg);
        }
    }
}

// ---- Ring plan ----------------------------------------------------------------------------

// The sector of an angle: how many dividers lie at or below it, wrapping past the last.
int sectorOf(const std::vector<double>& dividersDeg, double angleDeg) {
    const auto below = std::count_if(dividersDeg.begin(), dividersDeg.end(),
                                     [&](double d) { return d <= angleDeg; });
    return static_cast<int>(below % static_cast<std::ptrdiff_t>(dividersDeg.size()));
}

// The crew whose colour ends up on the ray at angleDeg, with the day that chose it.
struct Shown {
    int crew = -1;
    std::int32_t day = -1;
    bool operator==(const Shown&) const = default;
};
Shown shownAt(const ShiftRingPlan& plan, double angleDeg) {
    Shown shown;
    for (const SectorFill& fill : plan.fills)
        if (sectorOf(plan.dividersDeg, fill.sectorDeg) == sectorOf(plan.dividersDeg, angleDeg))
            shown = {fill.crew, fill.dayIndex};
    return shown;
}

std::string describe(const Shown& s) {
    return "crew " + std::to_string(s.crew) + " of day " + std::to_string(s.day);
}

struct RingRow {
    const char* fault;
    int day, hour;  // January 2026: Monday 12 .. Monday 19
    bool weekend;
    std::vector<double> dividersDeg;
    // Crew and day (of January) expected at 10:00 (60), 16:40 (160), 18:00 (180), 2:00 (300).
    int early, earlyDay, afternoon, afternoonDay, evening, eveningDay, night, nightDay;
    bool wedge;
};

TEST(ShiftRingPlan, ShowsTheCrewOfEveryPeriod) {
    const std::vector<double> normal{356.25, 116.25, 236.25};
    const std::vector<double> weekend{356.25, 176.25};
    const std::vector<double> sundayEvening{356.25, 176.25, 116.25};
    const RingRow rows[] = {
        {"Monday 10:00 shows today's three crews", 12, 10, false, normal,
         0, 12, 2, 12, 2, 12, 4, 12, false},
        {"Monday 14:00: ended early shift shows tomorrow's", 12, 14, false, normal,
         0, 13, 2, 12, 2, 12, 4, 12, false},
        {"Tuesday 14:00: tomorrow's early crew is another crew", 13, 14, false, normal,
         1, 14, 2, 13, 2, 13, 4, 13, false},
        {"Tuesday 03:00 belongs to Monday's night", 13, 3, false, normal,
         0, 13, 2, 13, 2, 13, 4, 12, false},
        {"Wednesday 03:00: early and late from Wednesday, night from Tuesday", 14, 3, false,
         normal, 1, 14, 0, 14, 0, 14, 4, 13, false},
        {"Thursday 22:00: late shift ended, Friday's late crew", 15, 22, false, normal,
         2, 16, 1, 16, 1, 16, 4, 15, false},
        {"Saturday 15:00 still has three shifts", 17, 15, false, normal,
         2, 18, 1, 17, 1, 17, 0, 17, false},
        {"Saturday 22:00: two 12-hour shifts and the wedge", 17, 22, true, weekend,
         2, 18, 2, 18, 0, 17, 0, 17, true},
        {"Sunday 03:00 is still Saturday night", 18, 3, true, weekend,
         2, 18, 2, 18, 0, 17, 0, 17, true},
        {"Sunday 10:00: Sunday's two shifts, no wedge", 18, 10, true, weekend,
         2, 18, 2, 18, 0, 18, 0, 18, false},
        {"Sunday 18:00: Monday's early and late crews, Sunday's night", 18, 18, true,
         sundayEvening, 4, 19, 1, 19, 0, 18, 0, 18, false},
        {"Monday 03:00 is still Sunday night", 19, 3, true, sundayEvening,
         4, 19, 1, 19, 0, 18, 0, 18, false},
        {"Monday 06:00 back to three shifts", 19, 6, false, normal,
         4, 19, 1, 19, 1, 19, 3, 19, false},
    };
    const std::int32_t january0 = dayOf(2026, 1, 1) - 1;
    for (const RingRow& row : rows) {
        const ShiftRingPlan plan = planShiftRing(pinnedAt(2026, 1, row.day, row.hour));
        SCOPED_TRACE(row.fault);
        EXPECT_EQ(plan.weekendLayout, row.weekend);
        EXPECT_EQ(plan.dividersDeg, row.dividersDeg);
        EXPECT_EQ(plan.saturdayNightWedge, row.wedge);
        const struct { double deg; int crew, day; } expected[] = {
            {60.0, row.early, row.earlyDay}, {160.0, row.afternoon, row.afternoonDay},
            {180.0, row.evening, row.eveningDay}, {300.0, row.night, row.nightDay}};
        for (const auto& e : expected) {
            const Shown want{e.crew, january0 + e.day};
            EXPECT_EQ(shownAt(plan, e.deg), want)
                << "at " << e.deg << " deg: got " << describe(shownAt(plan, e.deg))
                << ", want " << describe(want);
        }
    }
}

TEST(ShiftRingPlan, ShiftColoursOffPlansNoDividersAndNoFills) {
    ClockState state = pinnedAt(2026, 1, 17, 22);
    state.settings.showShiftColors = 0;
    const ShiftRingPlan plan = planShiftRing(state);
    EXPECT_FALSE(plan.showShiftColors);
    EXPECT_TRUE(plan.dividersDeg.empty());
    EXPECT_TRUE(plan.fills.empty());
    EXPECT_FALSE(plan.saturdayNightWedge);
}

TEST(ShiftRingPlan, FirstNightOf1970BelongsToTheWednesdayBefore) {
    const ShiftRingPlan plan = planShiftRing(pinnedAt(1970, 1, 1, 3));
    EXPECT_EQ(plan.shiftDay, -1);
    EXPECT_EQ(plan.weekday, 3);
    EXPECT_EQ(shownAt(plan, 300.0).day, -1);
}

TEST(ShiftRingPlan, WildDayOffsetsStillPlanEverySector) {
    const double offsets[] = {std::nan(""), std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(), 1e300, -1e300, -20000.0};
    for (double offset : offsets) {
        ClockState state = pinnedAt(2026, 1, 12, 10);
        state.displayedDay = offset;
        const ShiftRingPlan plan = planShiftRing(state);
        for (double deg : {60.0, 300.0})
            EXPECT_GE(shownAt(plan, deg).crew, 0) << offset << " at " << deg;
    }
}

}  // namespace
}  // namespace dorvalen
