// The settings dialog's field rules. Numbers are read with the settings file's reader and
// written with std::to_chars, so the process locale never changes a decimal point.
#include "settings/field_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/face_texts.h"
#include "settings/number_text.h"

namespace dorvalen {

namespace {

constexpr std::string_view blanksAtEnds = " \t\r\n";

// Blanks at both ends go first, so that " 48.47" stays 48.47; inside the number a comma,
// a blank or an apostrophe is the decimal point (48,47 and 48 47 and 48'47 read 48.47).
std::string normalizeNumberText(std::string_view text) {
    const auto first = text.find_first_not_of(blanksAtEnds);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(blanksAtEnds);
    std::string out(text.substr(first, last - first + 1));
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == ',' || c == ' ' || c == '\''; }, '.');
    return out;
}

// The program has no use for infinity or NaN in a coordinate or time zone.
double readFieldNumber(std::string_view text) {
    const double x = readDecimal(normalizeNumberText(text));
    return std::isfinite(x) ? x : 0.0;
}

}  // namespace

double cutToDecimals(double value, int decimals) {
    if (!std::isfinite(value) || value == 0.0) return 0.0;
    decimals = std::clamp(decimals, 0, 6);
    constexpr int significantDigits = 15;  // every decimal of up to 15 digits survives a double

    // "d.dddddddddddddde+XX": the digits correctly rounded, then read as text.
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                       std::chars_format::scientific, significantDigits - 1);
    const std::string_view sci(buf, static_cast<std::size_t>(written.ptr - buf));
    const auto ePos = sci.find('e');
    int exponent = 0;
    std::from_chars(sci.data() + ePos + (sci[ePos + 1] == '+' ? 2 : 1), sci.data() + sci.size(),
                    exponent);

    // Digits in front of the cut: the integer digits (exponent + 1) and the kept decimals.
    const int keep = exponent + 1 + decimals;
    if (keep <= 0) return 0.0;
    double magnitude = 0.0;
    if (keep >= significantDigits) {
        std::from_chars(sci.data(), sci.data() + sci.size(), magnitude);  // nothing to cut
    } else {
        std::int64_t units = buf[0] - '0';
        for (int i = 1; i < keep; ++i) units = units * 10 + (buf[i + 1] - '0');  // skip the '.'
        if (units == 0) return 0.0;
        // Both operands are exact, so the quotient is the double nearest the decimal value.
        constexpr double powersOfTen[] = {1.0, 10.0, 100.0, 1e3, 1e4, 1e5, 1e6};
        magnitude = static_cast<double>(units) / powersOfTen[decimals];
    }
    return value < 0 ? -magnitude : magnitude;
}

double parseAngleField(std::string_view text, double bound) {
    double x = readFieldNumber(text);

    // Decimals of .599 and more cannot be minutes: read them as a decimal fraction of a
    // degree. The threshold is below 0.6 because a typed 12.6 has the fraction 0.59999...
    const double fraction = std::fabs(x) - std::trunc(std::fabs(x));
    if (fraction >= 0.599) {
        const double whole = std::trunc(x);
        x = whole + (x - whole) * 0.6;
    }

    // The minutes come from the decimal digits and stay a whole count of hundredths, so
    // the wrap below cannot cost one (91.07 - 90 as doubles is 1.0699999..., cut to 1.06).
    // Fifteen digits may round a converted .59999... up to .60; minutes stop at 59.
    const double kept = cutToDecimals(x, 2);
    const double whole = std::trunc(kept);
    const double hundredths = std::clamp(std::round((kept - whole) * 100.0), -59.0, 59.0);
    // Beyond the bound the whole degrees wrap, keeping the sign of x (-120 with 90 is -30).
    const double degrees = std::fabs(x) > bound ? std::fmod(whole, bound) : whole;
    return (degrees * 100.0 + hundredths) / 100.0;
}

double parseTimeZoneField(std::string_view text) {
    return std::clamp(readFieldNumber(text), minTimeZoneHours, maxTimeZoneHours);
}

// A field never shows "?": a value that is no number is written as zero.
std::string formatFieldNumber(double value, int decimals) {
    return fixedText(std::isfinite(value) ? value : 0.0, std::clamp(decimals, 0, 6));
}

namespace {

// The options carry the sign: the negative side's option is selected for values below
// zero (for the time zone: zero too), and a read-back zero keeps no sign.
double signedLikeTheOption(double magnitude, bool negativeSide) {
    return negativeSide && magnitude > 0 ? -magnitude : magnitude;
}

}  // namespace

double angleWithinDialogLimits(double value, double bound) {
    if (std::fabs(value) <= bound) return value;  // false for NaN
    return signedLikeTheOption(parseAngleField(formatFieldNumber(std::fabs(value), 2), bound),
                               value < 0);
}

double timeZoneWithinDialogLimits(double value) {
    // "West" with a typed 14 stores -14, so the dialog's own range is +/-14 hours.
    if (std::fabs(value) <= maxTimeZoneHours) return value;
    return signedLikeTheOption(parseTimeZoneField(formatFieldNumber(std::fabs(value), 1)),
                               value < 0);
}

std::size_t characterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;  // not a continuation byte
    }));
}

std::string cutPlaceName(std::string_view name) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(name[i]) & 0xC0) != 0x80;
        if (startsCharacter && ++characters > maxPlaceNameLength)
            return std::string(name.substr(0, i));
    }
    return std::string(name);
}

}  // namespace dorvalen
