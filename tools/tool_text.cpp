// Text helpers shared by the argument parser and the printed forms of the tools.
#include "tools/tool_text.h"

#include <algorithm>

#include "core/calendar.h"
#include "core/face_texts.h"

namespace dorvalen {

std::string printable(const std::string& text) {
    std::string out = text.substr(0, 80);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return out;
}

std::string isoDateOf(DateValue v) {
    const int year = yearOf(v);
    std::string yearText = intText(year);
    yearText.insert(0, yearText.size() < 4 ? 4 - yearText.size() : 0, '0');
    return yearText + "-" + twoDigits(monthOf(v)) + "-" + twoDigits(dayOf(v));
}

std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text + " " : text + std::string(width - used, ' ');
}

std::string rightAligned(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text : std::string(width - used, ' ') + text;
}

}  // namespace dorvalen
