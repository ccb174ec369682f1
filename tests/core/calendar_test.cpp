// Calendar and local time: date validity (up to 9999), day index round trips, the displayed
// moment, the summer-time rule and the hand angles. The wall clock is always pinned.
#include "core/calendar.h"
#include "core/face_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dorvalen {
namespace {

ClockState stateAt(int year, int month, int day, int hour, int minute, int second) {
    ClockState state;
    takeWallClockReading(state, PinnedWallClock({year, month, day, hour, minute, second}));
    return state;
}

struct MakeDateRow {
    const char* fault;
    std::int64_t year, month, day, hour, minute, second;
    DateValue expected;
};

// Expected values from an independent calendar (Python datetime), not from this code.
const MakeDateRow makeDateRows[] = {
    {"epoch is not zero", 1970, 1, 1, 0, 0, 0, 0},
    {"1969 accepted", 1969, 12, 31, 23, 59, 59, -1},
    {"2023 taken as leap year", 2023, 2, 29, 0, 0, 0, -1},
    {"day 31 of April accepted", 2024, 4, 31, 0, 0, 0, -1},
    {"day 31 of November accepted", 2024, 11, 31, 0, 0, 0, -1},
    {"February 30 accepted", 2024, 2, 30, 0, 0, 0, -1},
    {"2024 leap day rejected", 2024, 2, 29, 0, 0, 0, 1709164800},
    {"2000 leap day rejected (400 rule)", 2000, 2, 29, 12, 0, 0, 951825600},
    {"2100 taken as leap year", 2100, 2, 29, 0, 0, 0, -1},
    {"last second of 32-bit time lost", 2038, 1, 19, 3, 14, 7, 2147483647},
    {"clock stops in 2038", 2038, 1, 19, 3, 14, 8, 2147483648},
    {"2100 wrong", 2100, 3, 1, 0, 0, 0, 4107542400},
    {"end of 2100 wrong", 2100, 12, 31, 23, 59, 59, 4133980799},
    {"last valid second rejected", 9999, 12, 31, 23, 59, 59, 253402300799},
    {"year 10000 accepted", 10000, 1, 1, 0, 0, 0, -1},
    {"month 0 accepted", 2024, 0, 1, 0, 0, 0, -1},
    {"month 13 accepted", 2024, 13, 1, 0, 0, 0, -1},
    {"day 0 accepted", 2024, 1, 0, 0, 0, 0, -1},
    {"day 32 accepted", 2024, 1, 32, 0, 0, 0, -1},
    {"hour 24 accepted", 2024, 1, 1, 24, 0, 0, -1},
    {"minute 60 accepted", 2024, 1, 1, 0, 60, 0, -1},
    {"leap second accepted", 2024, 1, 1, 0, 0, 60, -1},
    {"negative hour accepted", 2024, 1, 1, -1, 0, 0, -1},
    {"huge year wraps into range", std::numeric_limits<std::int64_t>::min() + 1970, 1, 1, 0, 0,
     0, -1},
};

TEST(MakeDate, ValidityRulesAndValues) {
    for (const MakeDateRow& row : makeDateRows) {
        EXPECT_EQ(makeDate(row.year, row.month, row.day, row.hour, row.minute, row.second),
                  row.expected)
            << row.fault;
    }
}

// A system clock outside 1970..9999 showed "0:00:00 Uhr" and frozen hands; it now shows
// the nearest day the calendar holds at the wall clock's own time of day.
TEST(ReadWallClock, OutsideTheCalendarShowsTheNearestDayAndKeepsTheTime) {
    const struct {
        const char* fault;
        LocalDateTime wall;
        DateValue expected;
    } rows[] = {
        {"1969 shown as no date", {1969, 12, 31, 13, 14, 15}, makeDate(1970, 1, 1, 13, 14, 15)},
        {"year 10000 shown as no date", {10000, 1, 1, 8, 9, 10}, makeDate(9999, 12, 31, 8, 9, 10)},
        {"far future shown as no date", {30828, 9, 14, 2, 48, 5}, makeDate(9999, 12, 31, 2, 48, 5)},
        {"a failed local-time conversion (all zero) shown as no date", {1900, 1, 0, 0, 0, 0},
         makeDate(1970, 1, 1, 0, 0, 0)},
        {"a valid reading changed", {2026, 12, 8, 7, 25, 9}, makeDate(2026, 12, 8, 7, 25, 9)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(readWallClock(PinnedWallClock(row.wall)), row.expected) << row.fault;
    }
    // The hands move on with the seconds of the system clock.
    const ClockState early = stateAt(12000, 6, 1, 10, 20, 30);
    const ClockState later = stateAt(12000, 6, 1, 10, 20, 31);
    EXPECT_NE(secondHandAngle(Frame(early).moment.clockTime),
              secondHandAngle(Frame(later).moment.clockTime));
    EXPECT_EQ(yearOf(currentDate(later)), 9999);
}

// Every day of the valid range: date -> value -> fields gives the date back, and each day
// follows the previous one in the calendar.
TEST(MakeDate, EveryDayRoundTripsThroughItsFields) {
    int year = 1970, month = 1, day = 1;
    constexpr std::int64_t dayCount = 2932897;  // 1970-01-01 .. 9999-12-31
    for (std::int64_t index = 0; index < dayCount; ++index) {
        const DateValue v = index * 86400 + 45296;  // 12:34:56
        ASSERT_EQ(dayIndexOf(v), index);
        ASSERT_EQ(yearOf(v), year) << index;
        ASSERT_EQ(monthOf(v), month) << index;
        ASSERT_EQ(dayOf(v), day) << index;
        ASSERT_EQ(makeDate(year, month, day, 12, 34, 56), v) << year << "-" << month << "-" << day;
        // The next calendar day by the validity rules alone.
        if (makeDate(year, month, day + 1, 0, 0, 0) != -1) {
            ++day;
        } else if (month < 12) {
            ++month;
            day = 1;
        } else {
            ++year;
            month = 1;
            day = 1;
        }
    }
    EXPECT_EQ(year, 10000);
    EXPECT_EQ(hourOf(45296), 12);
    EXPECT_EQ(minuteOf(45296), 34);
    EXPECT_EQ(secondOf(45296), 56);
}

TEST(MakeDate, DayZeroIsAThursdayAndMjdMatches) {
    // (i + 4) mod 7 numbers Sunday as 0, so Thursday is 4.
    EXPECT_EQ((dayIndexOf(makeDate(1970, 1, 1, 0, 0, 0)) + 4) % 7, 4);
    // 2024-03-31 was a Sunday with MJD 60400.
    const std::int64_t day = dayIndexOf(makeDate(2024, 3, 31, 23, 59, 59));
    EXPECT_EQ(day + mjdOfDayIndexZero, 60400);
    EXPECT_EQ((day + 4) % 7, 0);
}

TEST(FieldExtractors, InvalidDateGivesZeros) {
    EXPECT_EQ(yearOf(-1), 0);
    EXPECT_EQ(monthOf(-1), 0);
    EXPECT_EQ(dayOf(-1), 0);
    EXPECT_EQ(hourOf(-1), 0);
    EXPECT_EQ(minuteOf(-1), 0);
    EXPECT_EQ(secondOf(-1), 0);
    EXPECT_EQ(dayIndexOf(-1), 0);
    EXPECT_EQ(yearOf(std::numeric_limits<DateValue>::max()), 0);
}

struct AddRow {
    const char* fault;
    DateValue value;
    DateUnit unit;
    std::int64_t n;
    DateValue expected;
};

const AddRow addRows[] = {
    {"invalid date revived", -1, DateUnit::Days, 1, -1},
    {"days counted as seconds", 0, DateUnit::Days, 2, 172800},
    {"seconds counted as days", 0, DateUnit::Seconds, 2, 2},
    {"backward step wrong", 172800, DateUnit::Days, -1, 86400},
    {"step across 2038 rejected", 2147483647, DateUnit::Seconds, 1, 2147483648},
    {"step before 1970 accepted", 10, DateUnit::Seconds, -11, -1},
    {"step past 9999 accepted", 253402300799, DateUnit::Seconds, 1, -1},
    {"huge day count overflows", 0, DateUnit::Days, std::numeric_limits<std::int64_t>::max(), -1},
    {"huge negative day count overflows", 253402300799, DateUnit::Days,
     std::numeric_limits<std::int64_t>::min(), -1},
    {"huge second count overflows", 253402300799, DateUnit::Seconds,
     std::numeric_limits<std::int64_t>::max(), -1},
};

TEST(AddToDate, UnitsRangeAndOverflow) {
    for (const AddRow& row : addRows) {
        EXPECT_EQ(addToDate(row.value, row.unit, row.n), row.expected) << row.fault;
    }
}

TEST(DisplayedTime, WholeDaysMoveTheDateButNotTheClock) {
    ClockState state = stateAt(2024, 6, 15, 6, 30, 15);
    const DateValue now = currentDate(state);
    EXPECT_EQ(now, makeDate(2024, 6, 15, 6, 30, 15));

    state.displayedDay = 1.0;
    EXPECT_EQ(displayedMoment(state), now + 86400);
    EXPECT_EQ(displayedClockTime(state), now);
    EXPECT_EQ(displayedYear(state), 2024);

    state.displayedDay = 1.0 / 275.0;  // roundToInt(86400 / 275) = 314 s
    EXPECT_EQ(displayedMoment(state), now + 314);
    EXPECT_EQ(displayedClockTime(state), now + 314);

    state.displayedDay = -2.5;  // the fraction keeps its sign: half a day back
    EXPECT_EQ(displayedClockTime(state), now - 43200);
    EXPECT_EQ(displayedMoment(state), now - 216000);

    state.displayedDay = 1.0 + 1.0 / 275.0;  // the frame's day and seconds follow the moment
    const DisplayedMoment m = computeDisplayedMoment(state);
    EXPECT_EQ(m.dayIndex, dayIndexOf(makeDate(2024, 6, 16, 0, 0, 0)));
    EXPECT_EQ(m.secondsOfDay, 6 * 3600 + 30 * 60 + 15 + 314);
}

TEST(DisplayedTime, YearTurnsWithRoundedDays) {
    ClockState state = stateAt(2037, 12, 31, 20, 0, 0);
    state.displayedDay = 0.4;  // rounds to 0 whole days
    EXPECT_EQ(displayedYear(state), 2037);
    state.displayedDay = 0.6;
    EXPECT_EQ(displayedYear(state), 2038);
    state.displayedDay = 365.0 * 62;  // far into the 2090s
    EXPECT_EQ(displayedYear(state), 2099);
}

TEST(DisplayedTime, NonFiniteOffsetsStayDefined) {
    for (double offset : {std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -1e300, 1e300}) {
        ClockState state = stateAt(2024, 6, 15, 12, 0, 0);
        state.displayedDay = offset;
        const DisplayedMoment m = computeDisplayedMoment(state);
        EXPECT_GE(m.secondsOfDay, 0) << offset;
        EXPECT_LT(m.secondsOfDay, 86400) << offset;
        EXPECT_GE(hourHandAngle(m.clockTime), 0) << offset;
        EXPECT_LT(hourHandAngle(m.clockTime), 360) << offset;
    }
}

struct SummerRow {
    const char* fault;
    int year;  // displayed year (the pinned clock is in June of it)
    double mjd;
    bool expected;
};

const SummerRow summerRows[] = {
    {"switch a day late (2024-03-31, Sunday)", 2024, 60400, true},
    {"switch a day early (Saturday before)", 2024, 60399, false},
    {"fraction of the Saturday counted as winter", 2024, 60399.5, true},
    {"summer ends early (Saturday 2024-10-26)", 2024, 60609, true},
    {"summer ends late (Sunday 2024-10-27)", 2024, 60610, false},
    {"31 October as a Saturday taken as its own switch day (2026-10-24)", 2026, 61337, true},
    {"31 October as a Saturday: 2026-10-25 still summer", 2026, 61338, false},
    {"2026 start wrong (Sunday 2026-03-29)", 2026, 61128, true},
    {"2026 start early (Saturday 2026-03-28)", 2026, 61127, false},
    {"year of d used instead of the displayed year", 2024, 60400 + 365, false},
};

TEST(SummerTime, LastSundaysOfMarchAndOctober) {
    for (const SummerRow& row : summerRows) {
        ClockState state = stateAt(row.year, 6, 15, 12, 0, 0);
        EXPECT_EQ(isSummerTime(computeDisplayedMoment(state).summer, row.mjd), row.expected)
            << row.fault;
        state.settings.autoSummerTime = 0;
        EXPECT_FALSE(isSummerTime(computeDisplayedMoment(state).summer, row.mjd))
            << "switched off: " << row.fault;
    }
}

// The zone text follows the displayed moment's day, whatever the clock time and however the
// offset is split into days and fractions: stepping by 1/275 of a day to Saturday 30 March
// 2024 22:36 once showed "2.0 SZ" because noon of today plus the offset had passed midnight.
TEST(SummerTime, DisplayedMomentDecidesWhateverTheClockTime) {
    const struct {
        const char* fault;
        int month, day, hour, minute;
        double displayedDay;
        bool summer;
    } rows[] = {
        {"Saturday evening browsed from Saturday noon", 3, 30, 11, 47, 124.0 / 275.0, false},
        {"Saturday evening browsed back from Sunday", 3, 31, 1, 0, -27.0 / 275.0, false},
        {"Saturday, whole clock day", 3, 30, 23, 0, 0.0, false},
        {"Sunday a whole day on", 3, 30, 23, 0, 1.0, true},
        {"Sunday reached by a fraction", 3, 30, 23, 0, 0.6, true},
        {"fraction back to Saturday morning", 3, 30, 23, 0, -0.6, false},
        {"last summer Saturday, late", 10, 26, 23, 59, 0.0, true},
        {"first winter Sunday, early", 10, 26, 23, 0, 0.05, false},
    };
    for (const auto& row : rows) {
        ClockState state = stateAt(2024, row.month, row.day, row.hour, row.minute, 0);
        state.displayedDay = row.displayedDay;
        const Frame frame(state);
        EXPECT_EQ(frame.moment.summerTime, row.summer) << row.fault;
        const std::string zone = row.summer ? "Zeitzone: 2.0 SZ" : "Zeitzone: 1.0 WZ";
        EXPECT_NE(coordinatesLine(frame).find(zone), std::string::npos) << row.fault;
    }
    ClockState autumn = stateAt(2090, 10, 29, 12, 0, 0);  // Sunday 29 October 2090
    EXPECT_FALSE(computeDisplayedMoment(autumn).summerTime);
    autumn.displayedDay = -1.0;
    EXPECT_TRUE(computeDisplayedMoment(autumn).summerTime);
}

struct HandRow {
    const char* fault;
    int hour, minute, second;
    double displayedDay;
    int hourAngle, minuteAngle, secondAngle;
};

// 270 points up. Half degrees round to even after the single-precision store.
const HandRow handRows[] = {
    {"midnight not at the top", 0, 0, 0, 0.0, 270, 270, 270},
    {"06:30:15 wrong (91.5 rounds to even 92)", 6, 30, 15, 0.0, 8, 92, 0},
    {"noon not at the bottom", 12, 0, 0, 0.0, 90, 270, 270},
    {"minute hand -89.5 not rounded to even", 0, 0, 5, 0.0, 270, 270, 300},
    {"float constant 0.1 rounded before the sum", 0, 15, 5, 0.0, 274, 1, 300},
    {"end of day wrong", 23, 59, 59, 0.0, 270, 270, 264},
    {"whole days move the hands", 6, 30, 15, 1.0, 8, 92, 0},
    {"1/275 day not 314 s", 6, 30, 15, 1.0 / 275.0, 9, 123, 84},
};

TEST(HandAngles, SinglePrecisionAngles) {
    for (const HandRow& row : handRows) {
        ClockState state = stateAt(2024, 6, 15, row.hour, row.minute, row.second);
        state.displayedDay = row.displayedDay;
        const DateValue clockTime = displayedClockTime(state);
        EXPECT_EQ(hourHandAngle(clockTime), row.hourAngle) << row.fault;
        EXPECT_EQ(minuteHandAngle(clockTime), row.minuteAngle) << row.fault;
        EXPECT_EQ(secondHandAngle(clockTime), row.secondAngle) << row.fault;
    }
}

}  // namespace
}  // namespace dorvalen
