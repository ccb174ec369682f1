// DateValue: whole seconds since 1970-01-01 00:00:00 of a local date-time counted as if it
// were UT, signed 64-bit. Valid from 1970-01-01 00:00:00 to 9999-12-31 23:59:59; -1 marks
// an invalid date. Day index = truncToInt(value / 86400), day 0 was a Thursday;
// MJD = day index + 40587.
#pragma once

#include <cstdint>

namespace dorvalen {

using DateValue = std::int64_t;
inline constexpr DateValue invalidDate = -1;

// The step of addToDate.
enum class DateUnit { Days, Seconds };

inline constexpr std::int32_t mjdOfDayIndexZero = 40587;  // MJD of 1970-01-01

}  // namespace dorvalen
