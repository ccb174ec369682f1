// Corner texts, calendar week and the coordinates line at pinned instants.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/calendar.h"
#include "core/face_texts.h"

namespace dorvalen {
namespace {

ClockState at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, minute, second);
    return state;
}

struct FixedRow {
    const char* fault;
    double x;
    int decimals;
    const char* expected;
};

TEST(FixedText, RoundsAndWritesPlainDigits) {
    const double inf = std::numeric_limits<double>::infinity();
    const FixedRow rows[] = {
        {"pads to the decimals", 12.5, 2, "12.50"},
        {"rounds to nearest", 48.256, 2, "48.26"},
        {"negative zero written as zero", -0.0, 1, "0.0"},
        {"small negative rounding to zero has no sign", -0.04, 1, "0.0"},
        {"negative value keeps its sign", -3.25, 2, "-3.25"},
        {"zero decimals has no point", 2.6, 0, "3"},
        {"NaN does not print garbage", std::nan(""), 1, "?"},
        {"infinity does not print garbage", -inf, 2, "?"},
        {"negative decimals treated as none", 7.0, -3, "7"},
    };
    for (const FixedRow& row : rows) EXPECT_EQ(fixedText(row.x, row.decimals), row.expected) << row.fault;
    // A huge value is written in full, not cut or crashed.
    EXPECT_EQ(fixedText(1e300, 1).size(), 303u);
}

TEST(CornerTexts, ClockTimeDateAndWeekday) {
    const ClockState nineOhFive = at(2026, 5, 5, 9, 5, 3);
    EXPECT_EQ(formatClockTime(nineOhFive), "9:05:03 Uhr");
    EXPECT_EQ(formatDate(nineOhFive), "5.5.2026");
    EXPECT_EQ(weekdayName(nineOhFive), "Dienstag");
    EXPECT_EQ(formatClockTime(at(2026, 5, 5, 23, 59, 59)), "23:59:59 Uhr");
    EXPECT_EQ(formatClockTime(at(2026, 5, 5, 0, 0, 0)), "0:00:00 Uhr");
    EXPECT_EQ(weekdayName(at(1970, 1, 1)), "Donnerstag");  // day 0
    EXPECT_EQ(weekdayName(at(2026, 5, 3)), "Sonntag");
    EXPECT_EQ(weekdayName(at(2026, 5, 9)), "Samstag");

    // A whole day step moves the date and weekday, not the time.
    ClockState nextDay = at(2024, 2, 28, 7, 5, 9);
    nextDay.displayedDay = 1.0;
    EXPECT_EQ(formatClockTime(nextDay), "7:05:09 Uhr");
    EXPECT_EQ(formatDate(nextDay), "29.2.2024");
    EXPECT_EQ(weekdayName(nextDay), "Donnerstag");
}

struct WeekRow {
    const char* fault;
    int year, month, day;
    int expected;
};

TEST(CalendarWeek, IsoWeeksAroundTheTurnOfTheYear) {
    const WeekRow rows[] = {
        {"Friday 1 January belongs to last year's week 53", 2027, 1, 1, 53},
        {"Tuesday 31 December is in next year's week 1", 2024, 12, 31, 1},
        {"ordinary spring Sunday", 2026, 5, 3, 18},
        {"Monday 1 January starts week 1", 2024, 1, 1, 1},
        {"Sunday 31 December of a week-52 year", 2023, 12, 31, 52},
        {"Thursday 1 January starts week 1", 2026, 1, 1, 1},
        {"Saturday 1 January in week 52 of a 52-week year", 2022, 1, 1, 52},
        {"Thursday 31 December of a 53-week year stays 53", 2020, 12, 31, 53},
        {"first day of the calendar, a Thursday", 1970, 1, 1, 1},
    };
    for (const WeekRow& row : rows)
        EXPECT_EQ(calendarWeek(at(row.year, row.month, row.day)), row.expected) << row.fault;
    EXPECT_EQ(calendarWeekText(at(2026, 5, 3)), "18.Woche");
}

// Wall clock 2024-01-01 03:00 with the offset -0.4 day shows Sunday 31.12.2023: the week
// must be that Sunday's week 52, not the week 1 a rounded offset's year would give.
TEST(CalendarWeek, FractionalOffsetNearNewYearAgreesWithDateAndWeekday) {
    ClockState state = at(2024, 1, 1, 3, 0, 0);
    state.displayedDay = -0.4;
    EXPECT_EQ(formatDate(state), "31.12.2023");
    EXPECT_EQ(weekdayName(state), "Sonntag");
    EXPECT_EQ(calendarWeek(state), 52);
}

TEST(CalendarWeek, WeekNumbersRunWithoutGapsOverManyYears) {
    // Consecutive days: the week either stays or moves on by one on Mondays only.
    const std::int64_t first = dayIndexOf(makeDate(1999, 12, 1, 0, 0, 0));
    const std::int64_t last = dayIndexOf(makeDate(2040, 1, 31, 0, 0, 0));
    int previous = isoWeekOfDay(first);
    for (std::int64_t d = first + 1; d <= last; ++d) {
        const int week = isoWeekOfDay(d);
        const bool monday = (d + 3) % 7 == 0;
        if (monday) {
            EXPECT_TRUE(week == previous + 1 || (week == 1 && previous >= 52)) << d;
        } else {
            EXPECT_EQ(week, previous) << d;
        }
        previous = week;
    }
}

struct LineRow {
    const char* fault;
    double longitude, latitude, timeZone;
    int autoSummerTime;
    int month;
    const char* expected;
};

TEST(CoordinatesLine, HemispheresZoneAndSummerTime) {
    const LineRow rows[] = {
        {"east is negative longitude", -12.5, 48.25, 1.0, 1, 1,
         "Länge: 12°50'O, Breite: 48°25'N, Zeitzone: 1.0 WZ"},
        {"summer time adds an hour", -12.5, 48.25, 1.0, 1, 7,
         "Länge: 12°50'O, Breite: 48°25'N, Zeitzone: 2.0 SZ"},
        {"summer rule off keeps winter time", -12.5, 48.25, 1.0, 0, 7,
         "Länge: 12°50'O, Breite: 48°25'N, Zeitzone: 1.0 WZ"},
        {"longitude zero is east, south shows absolute value", 0.0, -33.5, 10.0, 0, 1,
         "Länge: 0°00'O, Breite: 33°50'S, Zeitzone: 10.0 WZ"},
        {"positive longitude is west; one-digit minutes keep their zero", 73.05, 40.75, -5.0,
         0, 1, "Länge: 73°05'W, Breite: 40°45'N, Zeitzone: -5.0 WZ"},
        {"half-hour zone", -77.12, 28.36, 5.5, 0, 1,
         "Länge: 77°12'O, Breite: 28°36'N, Zeitzone: 5.5 WZ"},
        {"quarter-hour zones keep both decimals (5.75 is not 5.8)", -85.19, 27.42, 5.75, 0, 1,
         "Länge: 85°19'O, Breite: 27°42'N, Zeitzone: 5.75 WZ"},
        {"the stored value is degrees.minutes, not decimal degrees (48.47 is not 48°28')",
         -12.52, 48.47, 1.0, 0, 1, "Länge: 12°52'O, Breite: 48°47'N, Zeitzone: 1.0 WZ"},
        {"decimals of .60 and more count as a decimal fraction of a degree", -12.99, 48.75,
         12.75, 0, 1, "Länge: 12°59'O, Breite: 48°45'N, Zeitzone: 12.75 WZ"},
    };
    for (const LineRow& row : rows) {
        ClockState state = at(2026, row.month, 15);
        state.settings.longitude = row.longitude;
        state.settings.latitude = row.latitude;
        state.settings.timeZone = row.timeZone;
        state.settings.autoSummerTime = row.autoSummerTime;
        EXPECT_EQ(coordinatesLine(state), row.expected) << row.fault;
    }
}

TEST(CoordinatesLine, DamagedNumbersStillGiveALine) {
    ClockState state = at(2026, 1, 15);
    state.settings.longitude = std::nan("");
    state.settings.latitude = std::numeric_limits<double>::infinity();
    state.settings.timeZone = 1e308;
    state.settings.autoSummerTime = 0;
    const std::string line = coordinatesLine(state);
    EXPECT_EQ(line.rfind("Länge: ?O, Breite: ?N, Zeitzone: 1", 0), 0u) << line;
}

}  // namespace
}  // namespace dorvalen
