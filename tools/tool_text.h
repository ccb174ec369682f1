// Small text pieces every part of the companion tools prints with: one-line echoes of user
// input, zero-padded numbers, ISO dates, column padding of UTF-8 text, the crews' colour names.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "core/date_value.h"

namespace dorvalen {

// Echoed argument text must not break a one-line message: at most 80 bytes, control
// characters replaced by '?'.
std::string printable(const std::string& text);


// "YYYY-MM-DD" of a valid DateValue.
std::string isoDateOf(DateValue v);

// Display width of UTF-8 text: one column per code point (no wide characters occur here).
std::size_t columns(const std::string& text);
// Left-aligned in `width` columns; text that fills them gets one blank after it.
std::string padded(const std::string& text, std::size_t width);
std::string rightAligned(const std::string& text, std::size_t width);

}  // namespace dorvalen
