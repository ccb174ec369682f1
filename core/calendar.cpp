// Calendar and local time over DateValue (seconds of a local date-time counted as UT),
// valid from 1970-01-01 00:00:00 through 9999-12-31 23:59:59. Every displayed quantity is
// derived from the frame's single wall-clock reading `state.now` and `displayedDay`.
#include "core/calendar.h"

#include "core/conversions.h"

namespace dorvalen {

namespace {

constexpr std::int64_t secondsPerDay = 86400;
constexpr std::int64_t firstYear = 1970;
constexpr std::int64_t lastYear = 9999;
// Day index of 10000-01-01, so the last valid second is one before its midnight.
constexpr std::int64_t dayIndexAfterLastYear = 2932897;
constexpr DateValue lastValidDate = dayIndexAfterLastYear * secondsPerDay - 1;

bool isValidDate(DateValue v) { return v >= 0 && v <= lastValidDate; }

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

DateValue addToDate(DateValue value, int unit, std::int64_t n) {
    if (!isValidDate(value)) return invalidDate;
    std::int64_t step = 0;
    if (unit == dateUnitDays) {
        // Any step beyond the valid span lands outside it; checking first keeps n * 86400
        // from overflowing.
        if (n > dayIndexAfterLastYear || n < -dayIndexAfterLastYear) return invalidDate;
        step = n * secondsPerDay;
    } else if (unit == dateUnitSeconds) {
        if (n > lastValidDate || n < -lastValidDate) return invalidDate;
        step = n;
    } else {
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
    return addToDate(currentDate(state), dateUnitSeconds,
                     roundToInt(state.displayedDay * static_cast<double>(secondsPerDay)));
}

// Only the fractional part of displayedDay moves the clock time, so whole-day steps leave
// the hands and the time text where they are.
DateValue displayedClockTime(const ClockState& state) {
    const double wholeDays = static_cast<double>(truncToInt(state.displayedDay));
    return addToDate(currentDate(state), dateUnitSeconds,
                     roundToInt((state.displayedDay - wholeDays) *
                                static_cast<double>(secondsPerDay)));
}

int displayedYear(const ClockState& state) {
    return yearOf(addToDate(currentDate(state), dateUnitDays, roundToInt(state.displayedDay)));
}

std::int32_t displayedDayIndexOf(const ClockState& state) {
    // At most 2932896 for a valid date, so the narrowing is exact.
    return static_cast<std::int32_t>(dayIndexOf(displayedMoment(state)));
}

int displayedSecondsOfDay(const ClockState& state) {
    const DateValue moment = displayedMoment(state);
    return hourOf(moment) * 3600 + minuteOf(moment) * 60 + secondOf(moment);
}

int updateDisplayedDayIndex(ClockState& state) {
    state.displayedDayIndex = displayedDayIndexOf(state);
    return displayedSecondsOfDay(state);
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

}  // namespace

bool isSummerTime(const ClockState& state, double d) {
    if (d == 0.0) {
        const DateValue today = currentDate(state);
        const DateValue noon = makeDate(yearOf(today), monthOf(today), dayOf(today), 12, 0, 0);
        d = static_cast<double>(dayIndexOf(noon)) + state.displayedDay + mjdOfDayIndexZero;
    }
    if (state.settings.autoSummerTime == 0) return false;
    // The year of the displayed day decides, not the year of d.
    const int year = displayedYear(state);
    const double start = static_cast<double>(saturdayBeforeLastSunday(year, 3));
    const double end = static_cast<double>(saturdayBeforeLastSunday(year, 10));
    return start < d && d <= end;
}

int secondHandAngle(const ClockState& state) {
    return handAngle(secondOf(displayedClockTime(state)), degreesPerSecondOfMinute);
}

int minuteHandAngle(const ClockState& state) {
    const int minute = minuteOf(displayedClockTime(state));
    const int second = secondOf(displayedClockTime(state));
    return handAngle(minute * 60 + second, degreesPerSecondOfHour);
}

int hourHandAngle(const ClockState& state) {
    const int hour = hourOf(displayedClockTime(state));
    const int minute = minuteOf(displayedClockTime(state));
    const int second = secondOf(displayedClockTime(state));
    return handAngle(hour * 3600 + minute * 60 + second, degreesPerSecondOfDay);
}

}  // namespace dorvalen
