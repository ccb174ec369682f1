// The input rules of the settings dialog's text fields, without any widget: what a typed
// coordinate, time zone or place name becomes when the user leaves its field, and how the
// numbers are shown there. Texts are UTF-8.
//
// 1. parseAngleField / parseTimeZoneField read what the user typed (commas, blanks and
//    apostrophes inside the number count as the decimal point).
// 2. formatFieldNumber writes the value back into the field with a fixed count of decimals.
// 3. cutPlaceName keeps a place name within maxPlaceNameLength characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dorvalen {

inline constexpr double longitudeBound = 180.0;
inline constexpr double latitudeBound = 90.0;
inline constexpr double minTimeZoneHours = -12.0;
inline constexpr double maxTimeZoneHours = 14.0;
inline constexpr std::size_t maxPlaceNameLength = 50;  // characters, not bytes

// A coordinate in degrees.minutes: decimals of .599 and above are read as a decimal fraction
// of a degree and turned into minutes (12.7 -> 12.42); beyond +/-bound it wraps (210 -> 30
// with bound 180); the result is cut, not rounded, to two decimals, judged on the decimal
// digits so that a value typed with two decimals stays as typed. Text that is no number,
// and the infinities and NaN, give 0.
double parseAngleField(std::string_view text, double bound);

// A time zone in decimal hours, clamped to [-12, 14]; not rounded. Non-finite gives 0.
double parseTimeZoneField(std::string_view text);

// `value` with exactly `decimals` decimals, rounded to nearest, '.' as the decimal point
// whatever the locale; a value that shows as zero has no minus sign; non-finite shows as 0.
std::string formatFieldNumber(double value, int decimals);

// `value` cut toward zero to `decimals` decimals (0..6) of its 15-significant-digit decimal
// form, so binary noise below the 15th digit never costs a unit in the last kept decimal.
double cutToDecimals(double value, int decimals);

// A coordinate or time zone from elsewhere (the settings file) as the dialog would store it
// when opened on it and left untouched: a value the dialog can store comes back unchanged;
// one it never could (beyond the bound or +/-14 hours, infinite, NaN) comes back as the
// dialog's own rules make it: the magnitude shown and read back, the sign by its option.
double angleWithinDialogLimits(double value, double bound);
double timeZoneWithinDialogLimits(double value);

// Number of characters (code points) of a UTF-8 text.
std::size_t characterCount(std::string_view utf8);

// The first maxPlaceNameLength characters of `name`; the text itself when it is not longer.
std::string cutPlaceName(std::string_view name);

}  // namespace dorvalen
