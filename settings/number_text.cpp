// Locale-independent number text: std::from_chars / std::to_chars do the conversions, the
// scanning in front of them implements the file's lenient reading rules.
#include "settings/number_text.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

namespace dorvalen {

namespace {
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    }
    return true;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) ++i;
    return i;
}

// Sign of the decimal exponent of the first non-zero digit of an unsigned decimal number
// (digits, optional '.', optional exponent): > 0 for magnitudes of at least 1, <= 0 below.
// Used only when from_chars reports a value beyond the double range, to tell overflow from
// underflow. Long digit runs and exponents saturate instead of overflowing.
bool isAtLeastOne(std::string_view number) {
    constexpr std::int64_t cap = std::int64_t{1} << 40;
    std::int64_t position = 0;  // decimal exponent of the first non-zero digit, plus one
    bool seenNonZero = false, seenPoint = false;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            seenPoint = true;
        } else if (isDigit(c)) {
            if (!seenNonZero && c != '0') seenNonZero = true;
            if (!seenPoint && seenNonZero && position < cap) ++position;
            if (seenPoint && !seenNonZero && position > -cap) --position;
        } else {
            break;
        }
    }
    std::int64_t exponent = 0;
    bool negativeExponent = false;
    if (i < number.size()) {  // 'e' or 'E'
        ++i;
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) {
            negativeExponent = number[i] == '-';
            ++i;
        }
        for (; i < number.size(); ++i) {
            if (exponent < cap) exponent = exponent * 10 + (number[i] - '0');
        }
    }
    return position + (negativeExponent ? -exponent : exponent) > 0;
}

// Both readers start alike: optional blanks, then an optional sign. Returns the position
// after them.
std::size_t skipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    return i;
}

}  // namespace

double readDecimal(std::string_view text) {
    const std::string_view whole = trimBlanks(text);
    if (equalsIgnoringAsciiCase(whole, "+Infinity")) return std::numeric_limits<double>::infinity();
    if (equalsIgnoringAsciiCase(whole, "-Infinity")) return -std::numeric_limits<double>::infinity();
    if (equalsIgnoringAsciiCase(whole, "NaN")) return std::numeric_limits<double>::quiet_NaN();

    bool negative = false;
    std::size_t i = skipBlanksAndSign(text, negative);
    const std::size_t start = i;
    i = skipDigits(text, i);
    std::size_t digits = i - start;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fractionStart = i + 1;
        const std::size_t fractionEnd = skipDigits(text, fractionStart);
        digits += fractionEnd - fractionStart;
        i = fractionEnd;
    }
    if (digits == 0) return 0.0;
    // An exponent counts only with at least one digit; "12e" reads as 12.
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t exponentEnd = skipDigits(text, j);
        if (exponentEnd > j) i = exponentEnd;
    }

    const std::string_view number = text.substr(start, i - start);
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(),
                                              magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        magnitude = isAtLeastOne(number) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc{}) {
        magnitude = 0.0;  // cannot happen for the scanned shape; stay defined anyway
    }
    (void)end;
    return negative ? -magnitude : magnitude;
}

std::int32_t readInteger(std::string_view text) {
    bool negative = false;
    std::size_t i = skipBlanksAndSign(text, negative);
    // Accumulate in 64 bits and stop growing once past the 32-bit range.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::string formatDouble(double value) {
    if (value != value) return "NaN";
    if (value == std::numeric_limits<double>::infinity()) return "+Infinity";
    if (value == -std::numeric_limits<double>::infinity()) return "-Infinity";
    // The fewest digits that read back to the same double, laid out as "%.64g" lays out any
    // exact digits: plain decimals from 0.0001 up to below 1e64, exponent form beyond.
    const double magnitude = value < 0 ? -value : value;
    const bool exponentForm = magnitude != 0.0 && (magnitude < 1e-4 || magnitude >= 1e64);
    std::array<char, 128> buffer{};  // a sign, 64 digits and a point at the most
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      exponentForm ? std::chars_format::scientific : std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string formatInteger(std::int64_t value) {
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace dorvalen
