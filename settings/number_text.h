// Numbers as text, the same on every machine whatever the process locale: the reading
// rules of the settings file (also used by the settings dialog) and the writing of doubles
// so that they read back exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dorvalen {

// The leading decimal number of `text`: optional blanks and tabs, optional sign, digits
// with '.' as the decimal point, optional exponent; reading stops at the first character
// that does not fit and no number at all gives 0. The whole text "+Infinity", "-Infinity"
// or "NaN" (any letter case, blanks and tabs around allowed) gives that special value.
// Magnitudes beyond the double range give the infinity of their sign.
double readDecimal(std::string_view text);

// The leading integer of `text`: optional blanks and tabs, optional sign, decimal digits up
// to the first other character; no digits give 0. Saturates at the 32-bit range, however
// many digits follow.
std::int32_t readInteger(std::string_view text);

// The shortest text with '.' that reads back to the same double ("48.47", not
// "48.469999999999999"), in exponent form only below 0.0001 and from 1e64 up, as "%.64g"
// would place it; "+Infinity", "-Infinity" or "NaN".
std::string formatDouble(double value);

// Optional minus sign and decimal digits (like "%d").
std::string formatInteger(std::int64_t value);

// The settings file's text rules, shared by its number and key readers.
bool isBlank(char c);  // blank or tab
// Letters A to Z match without regard to case; every other byte must be equal.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace dorvalen
