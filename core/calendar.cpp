// Calendar and local time over DateValue (seconds of a local date-time counted as UT),
// valid from 1970-01-01 00:00:00 through 9999-12-31 23:59:59. Every displayed quantity is
// derived from the frame's single wall-clock reading `state.now` and `displayedDay`.
#include "core/calendar.h"

#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace dorvalen {

namespace {

constexpr std::int64_t secondsPerDay = 86400;
constexpr std::int64_t firstYear = 1970;
constexpr std::int64_t lastYear = 9999;
// Day index of 10000-01-01, so the last valid second is one before its midnight.
constexpr std::int64_t dayIndexAfterLastYear = 2932897;
constexpr DateValue lastValidDate = dayIndexAfterLastYear * secondsPerDay - 1;

bool isLeapYear(std::int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 1970-01-01 to the given Gregorian date, for year >= 1970 (all operands are
// non-negative, so the truncating divisions are floors). Era arithmetic after H. Hinnant.
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = year / 400;
    const std::int64_t yearOfEra = year - era * 400;                          // 0..399
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;      // March = 0
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;    // 0..365
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    int year, month, day;
};

// Inverse of daysFromCivil for a non-negative day index.
CivilDate civilFromDays(std::int64_t dayIndex) {
    const std::int64_t shifted = dayIndex + 719468;
    const std::int64_t era = shifted / 146097;
    const std::int64_t dayOfEra = shifted - era * 146097;                              // 0..146096
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;     // 0..399
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;                       // March = 0
    const std::int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const std::int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

// Seconds since midnight of a valid value.
int secondsOfDay(DateValue v) { return static_cast<int>(v % secondsPerDay); }

// Single-precision constants of the hand angles.
constexpr float degreesPerSecondOfMinute = 6.0f;
constexpr float degreesPerSecondOfHour = 0.1f;
constexpr float degreesPerSecondOfDay = 0.0041666669f;  // 1/240
constexpr float upAngle = -90.0f;

// The expression is evaluated from the single-precision constants without intermediate
// rounding (the product is exact in a double), stored once as a single-precision number,
// lifted into [0, 360) and only then rounded, halves to even. Storing the product as a
// float first would move some half degrees (00:15:05 puts the minute hand at 1, not 0).
int handAngle(int seconds, float degreesPerSecond) {
    const double exact = static_cast<double>(seconds) * static_cast<double>(degreesPerSecond) +
                         static_cast<double>(upAngle);
    float angle = static_cast<float>(exact);
    if (angle < 0.0f) angle += 360.0f;
    return static_cast<int>(roundToInt(angle));
}

}  // namespace

bool isValidDate(DateValue v) { return v >= 0 && v <= lastValidDate; }

DateValue makeDate(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                   std::int64_t minute, std::int64_t second) {
    if (year < firstYear || year > lastYear) return invalidDate;
    if (month < 1 || month > 12 || day < 1 || day > 31) return invalidDate;
    if (day == 31 && (month == 4 || month == 6 || month == 9 || month == 11)) return invalidDate;
    if (month == 2 && (day > 29 || (day == 29 && !isLeapYear(year)))) return invalidDate;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
        return invalidDate;
    }
    return daysFromCivil(year, month, day) * secondsPerDay + hour * 3600 + minute * 60 + second;
}

DateValue readWallClock(const WallClock& clock) {
    const LocalDateTime t = clock.now();
    const DateValue exact = makeDate(t.year, t.month, t.day, t.hour, t.minute, t.second);
    if (exact != invalidDate) return exact;
    // A system clock before 1970 or after 9999 shows the nearest day the calendar holds at
    // its own time of day, so the hands keep moving.
    const auto within = [](int value, int last) {
        return value < 0 ? 0 : value > last ? last : value;
    };
    const int hour = within(t.hour, 23);
    const int minute = within(t.minute, 59);
    const int second = within(t.second, 59);
    return t.year > lastYear ? makeDate(lastYear, 12, 31, hour, minute, second)
                             : makeDate(firstYear, 1, 1, hour, minute, second);
}

void takeWallClockReading(ClockState& state, const WallClock& clock) {
    state.now = readWallClock(clock);
}

DateValue currentDate(const ClockState& state) { return state.now; }

DateValue addToDate(DateValue value, DateUnit unit, std::int64_t n) {
    if (!isValidDate(value)) return invalidDate;
    std::int64_t step = n;
    if (unit == DateUnit::Days) {
        // Any step beyond the valid span lands outside it; checking first keeps n * 86400
        // from overflowing.
        if (n > dayIndexAfterLastYear || n < -dayIndexAfterLastYear) return invalidDate;
        step = n * secondsPerDay;
    } else if (n > lastValidDate || n < -lastValidDate) {
        return invalidDate;
    }
    const DateValue result = value + step;
    return isValidDate(result) ? result : invalidDate;
}

int yearOf(DateValue v) { return isValidDate(v) ? civilFromDays(v / secondsPerDay).year : 0; }
int monthOf(DateValue v) { return isValidDate(v) ? civilFromDays(v / secondsPerDay).month : 0; }
int dayOf(DateValue v) { return isValidDate(v) ? civilFromDays(v / secondsPerDay).day : 0; }
int hourOf(DateValue v) { return isValidDate(v) ? secondsOfDay(v) / 3600 : 0; }
int minuteOf(DateValue v) { return isValidDate(v) ? secondsOfDay(v) / 60 % 60 : 0; }
int secondOf(DateValue v) { return isValidDate(v) ? secondsOfDay(v) % 60 : 0; }

// Integer division truncates toward zero, so -1 (invalid) gives day 0 like any value of
// the first day.
std::int64_t dayIndexOf(DateValue v) { return v / secondsPerDay; }

DateValue displayedMoment(const ClockState& state) {
    return addToDate(currentDate(state), DateUnit::Seconds,
                     roundToInt(state.displayedDay * static_cast<double>(secondsPerDay)));
}

// Only the fractional part of displayedDay moves the clock time, so whole-day steps leave
// the hands and the time text where they are.
DateValue displayedClockTime(const ClockState& state) {
    const double wholeDays = static_cast<double>(truncToInt(state.displayedDay));
    return addToDate(currentDate(state), DateUnit::Seconds,
                     roundToInt((state.displayedDay - wholeDays) *
                                static_cast<double>(secondsPerDay)));
}

int displayedYear(const ClockState& state) {
    return yearOf(addToDate(currentDate(state), DateUnit::Days, roundToInt(state.displayedDay)));
}

namespace {

// MJD of the Saturday before the last Sunday of the month whose last day (the 31st) is
// given. (m + 4) mod 7 numbers the weekdays 1 = Sunday .. 6 = Friday, 0 = Saturday;
// m is never negative here, so % is a true modulo.
std::int64_t saturdayBeforeLastSunday(int year, int month) {
    const std::int64_t m = dayIndexOf(makeDate(year, month, 31, 0, 0, 0)) + mjdOfDayIndexZero;
    std::int64_t w = (m + 4) % 7;
    if (w == 0) w = 7;
    return m - w;
}

constexpr double hoursToDays = 0.041667;  // the clock's rounded 1/24
constexpr double jdOfMjdZero = 2400000.5;

double summerHour(const SummerTimeWindow& window, double localMjd) {
    return isSummerTime(window, localMjd) ? 1.0 : 0.0;
}

// UT Julian Date of the local MJD moved by extraDays; summer time is asked for the local
// MJD less half a day (J - 2400001).
double julianDayUTOf(const DisplayedMoment& m, double localMjd, double extraDays) {
    const double j = localMjd + extraDays + jdOfMjdZero;
    return j - (m.timeZoneHours + summerHour(m.summer, j - 2400001.0)) * hoursToDays;
}

}  // namespace

SummerTimeWindow summerTimeWindow(const ClockSettings& settings, int displayedYear) {
    if (settings.autoSummerTime == 0) return {};
    return {true, static_cast<double>(saturdayBeforeLastSunday(displayedYear, 3)),
            static_cast<double>(saturdayBeforeLastSunday(displayedYear, 10))};
}

// The window is that of the displayed year, not of the year of mjd.
bool isSummerTime(const SummerTimeWindow& window, double mjd) {
    return window.enabled && window.startMjd < mjd && mjd <= window.endMjd;
}

double effectiveTimeZoneHours(const ClockSettings& settings) {
    if (!std::isfinite(settings.timeZone)) return 0.0;
    return std::clamp(settings.timeZone, -12.0, 14.0);
}

double localMjdOfUT(const ClockSettings& settings, double utMjd) {
    const double zone = effectiveTimeZoneHours(settings);
    const double standardDay = std::floor(utMjd + zone / 24.0);
    double summer = 0.0;
    if (settings.autoSummerTime != 0 && standardDay >= mjdOfDayIndexZero &&
        standardDay < mjdOfDayIndexZero + static_cast<double>(dayIndexAfterLastYear)) {
        const auto dayIndex = static_cast<std::int64_t>(standardDay) - mjdOfDayIndexZero;
        const int year = yearOf(dayIndex * secondsPerDay);
        summer = isSummerTime(summerTimeWindow(settings, year), standardDay) ? 1.0 : 0.0;
    }
    return utMjd + (zone + summer) / 24.0;
}

DisplayedMoment computeDisplayedMoment(const ClockState& state) {
    DisplayedMoment m;
    const DateValue now = currentDate(state);
    m.moment = displayedMoment(state);
    m.clockTime = displayedClockTime(state);
    m.calendarDay = addToDate(now, DateUnit::Days, roundToInt(state.displayedDay));
    m.year = yearOf(m.calendarDay);
    // At most 2932896 for a valid date, so the narrowing is exact.
    m.dayIndex = static_cast<std::int32_t>(dayIndexOf(m.moment));
    m.secondsOfDay = hourOf(m.moment) * 3600 + minuteOf(m.moment) * 60 + secondOf(m.moment);
    m.localMjd = static_cast<double>(now) / static_cast<double>(secondsPerDay) +
                 state.displayedDay + mjdOfDayIndexZero;

    // Noon of today moved by the full displayedDay (fraction included): the marked day
    // changes when the offset passes 0.5, 1.5, ... whatever the clock time.
    const DateValue noon = isValidDate(now) ? dayIndexOf(now) * secondsPerDay + 43200 : invalidDate;
    m.markedDayMjd = truncToInt(static_cast<double>(noon) / 86400.0 + state.displayedDay +
                                mjdOfDayIndexZero);
    m.summer = summerTimeWindow(state.settings, m.year);
    // The zone text follows the displayed moment's own day, as the astronomy of the frame
    // does (midnightUT below): Saturday 22:36 before the switch is still winter time.
    m.summerTime = isValidDate(m.moment) &&
                   isSummerTime(m.summer, static_cast<double>(m.dayIndex) + mjdOfDayIndexZero);

    m.timeZoneHours = effectiveTimeZoneHours(state.settings);
    const double dayNumber = static_cast<double>(truncToInt(m.localMjd));
    m.midnightUT = dayNumber - (m.timeZoneHours + summerHour(m.summer, dayNumber)) * hoursToDays;
    m.now = now;
    m.displayedDay = state.displayedDay;
    m.julianDayUT = julianDayUTOfReading(m, now, 0.0);
    return m;
}

double julianDayUTOfReading(const DisplayedMoment& m, DateValue reading, double extraDays) {
    const double localMjd = static_cast<double>(reading) / static_cast<double>(secondsPerDay) +
                            m.displayedDay + mjdOfDayIndexZero;
    return julianDayUTOf(m, localMjd, extraDays);
}

int secondHandAngle(DateValue clockTime) {
    return handAngle(secondOf(clockTime), degreesPerSecondOfMinute);
}

int minuteHandAngle(DateValue clockTime) {
    return handAngle(minuteOf(clockTime) * 60 + secondOf(clockTime), degreesPerSecondOfHour);
}

int hourHandAngle(DateValue clockTime) {
    return handAngle(hourOf(clockTime) * 3600 + minuteOf(clockTime) * 60 + secondOf(clockTime),
                     degreesPerSecondOfDay);
}

}  // namespace dorvalen
