// Windows-1252 <-> UTF-8. Bytes 0x00..0x7F and 0xA0..0xFF are the Unicode code points of
// the same number; 0x80..0x9F go through the table below.
#include "core/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace dorvalen {

namespace {

// Code points of bytes 0x80..0x9F. The undefined bytes keep their own number (C1 controls).
constexpr std::array<char32_t, 32> highControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t codePointOfByte(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F ? highControlRange[byte - 0x80] : char32_t{byte};
}

// The byte for a code point, or '?' when Windows-1252 has none.
char byteOfCodePoint(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < highControlRange.size(); ++i) {
        if (highControlRange[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {  // only characters the code page lacks, named back to the user
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns its length, or 0 when it is invalid
// (bad lead or continuation byte, truncated, overlong, surrogate, beyond U+10FFFF).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    // Lead byte ranges of the 2-, 3- and 4-byte forms; 0xC0, 0xC1 and 0xF5.. never lead.
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() - i < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int more = 0;
        char32_t c = 0;
        if (b < 0x80) { ++i; continue; }
        if (b >= 0xC2 && b <= 0xDF) { more = 1; c = b & 0x1F; }
        else if (b >= 0xE0 && b <= 0xEF) { more = 2; c = b & 0x0F; }
        else if (b >= 0xF0 && b <= 0xF4) { more = 3; c = b & 0x07; }
        else return false;
        if (i + static_cast<std::size_t>(more) >= s.size()) return false;
        for (int k = 1; k <= more; ++k) {
            const auto n = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((n & 0xC0) != 0x80) return false;
            c = (c << 6) | (n & 0x3F);
        }
        if ((more == 2 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
            (more == 3 && (c < 0x10000 || c > 0x10FFFF)))
            return false;
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char b : bytes) appendUtf8(out, codePointOfByte(static_cast<unsigned char>(b)));
    return out;
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        const std::size_t length = decodeUtf8(text, i, c);
        if (length == 0) {
            out += '?';
            ++i;
        } else {
            out += byteOfCodePoint(c);
            i += length;
        }
    }
    return out;
}

std::vector<std::string> unstorableCharacters(std::string_view text) {
    std::vector<std::string> found;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0xFFFD;
        const std::size_t length = decodeUtf8(text, i, c);
        i += length == 0 ? 1 : length;
        if (length == 0) c = 0xFFFD;
        else if (c == '?' || byteOfCodePoint(c) != '?') continue;
        std::string character;
        appendUtf8(character, c);
        if (std::find(found.begin(), found.end(), character) == found.end())
            found.push_back(character);
    }
    return found;
}

}  // namespace dorvalen
