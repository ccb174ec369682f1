// The texts of the face. Numbers are written with std::to_chars, which ignores the C
// locale, so a German or any other locale never turns "12.50" into "12,50".
#include "core/face_texts.h"

#include <charconv>
#include <cmath>

#include "core/conversions.h"
#include "core/calendar.h"
#include "core/degrees_minutes.h"

namespace dorvalen {

namespace {

std::int64_t dayIndexOfJanuaryFirst(std::int64_t year) {
    return truncToInt(static_cast<double>(makeDate(year, 1, 1, 0, 0, 0)) / 86400.0);
}

// Step 1 and 2 of the week count for a day of the given year: weeks since the Monday of
// the week holding 1 January, less one when that week belongs to the year before.
std::int64_t rawWeek(std::int64_t dayIndex, std::int64_t year) {
    const std::int64_t january1 = dayIndexOfJanuaryFirst(year);
    const std::int64_t weekday = (january1 + 3) % 7;  // 0 = Monday; day indices are >= 0
    std::int64_t week = truncToInt(static_cast<double>(dayIndex - january1 + weekday) / 7.0) + 1;
    if (weekday > 3) --week;
    return week;
}

}  // namespace

std::string intText(std::int64_t n) { return std::to_string(n); }

std::string twoDigits(int n) {
    std::string text = intText(n);
    if (text.size() < 2) text.insert(text.begin(), '0');
    return text;
}

std::string fixedText(double x, int decimals) {
    if (!std::isfinite(x)) return "?";
    decimals = decimals < 0 ? 0 : decimals > 17 ? 17 : decimals;
    char buffer[400];  // the largest double has 309 integer digits
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    if (error != std::errc()) return "?";
    std::string text(buffer, end);
    // "-0.00": a negative value that rounds to zero is shown as zero.
    if (text.front() == '-' && text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string formatClockTime(const Frame& frame) {
    const DateValue t = frame.moment.clockTime;
    return intText(hourOf(t)) + ":" + twoDigits(minuteOf(t)) + ":" + twoDigits(secondOf(t)) +
           " Uhr";
}

std::string formatDate(const Frame& frame) {
    const DateValue moment = frame.moment.moment;
    return intText(dayOf(moment)) + "." + intText(monthOf(moment)) + "." +
           intText(yearOf(moment));
}

std::string weekdayName(const Frame& frame) {
    // Day 0 was a Thursday. Day indices are never negative; the extra +7 only keeps the
    // index in 0..6 should one ever be.
    const std::int64_t day = frame.moment.dayIndex;
    return std::string(weekdayNames[static_cast<std::size_t>(((day % 7) + 7 + 4) % 7)]);
}

// The year is that of the day itself: taking it from the day offset rounded to whole days
// lets a fractional offset near New Year count the week in the wrong year.
int isoWeekOfDay(std::int64_t dayIndex) {
    if (dayIndex < 0 || dayIndex > 4000000) return 0;  // no calendar day of 1970 .. 9999
    const std::int64_t year = yearOf(dayIndex * 86400);
    std::int64_t week = rawWeek(dayIndex, year);
    if (week == 0) return static_cast<int>(rawWeek(dayIndexOfJanuaryFirst(year) - 1, year - 1));
    // Week 53 is week 1 of the next year when that year starts Monday .. Thursday.
    if (week == 53 && (dayIndexOfJanuaryFirst(year + 1) + 3) % 7 < 4) week = 1;
    return static_cast<int>(week);
}

int calendarWeek(const Frame& frame) { return isoWeekOfDay(frame.moment.dayIndex); }

std::string calendarWeekText(const Frame& frame) {
    return intText(calendarWeek(frame)) + ".Woche";
}

std::string zoneHoursText(double hours) {
    std::string text = fixedText(hours, 2);
    if (text.size() > 3 && text.back() == '0') text.pop_back();  // "1.00" -> "1.0"
    return text;
}

std::string coordinatesLine(const Frame& frame) {
    const ClockSettings& s = frame.settings;
    const char* eastWest = s.longitude > 0 ? "W" : "O";  // longitude counts west positive
    const char* northSouth = s.latitude < 0 ? "S" : "N";
    const std::string zone = frame.moment.summerTime ? zoneHoursText(s.timeZone + 1) + " SZ"
                                                      : zoneHoursText(s.timeZone) + " WZ";
    return "Länge: " + degreesMinutesText(s.longitude) + eastWest + ", Breite: " +
           degreesMinutesText(s.latitude) + northSouth + ", Zeitzone: " + zone;
}

}  // namespace dorvalen
