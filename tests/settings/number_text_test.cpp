// Number text: the lenient reading rules, the special values, saturation, exact round trips
// of doubles, and independence from the process locale.
#include "settings/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace dorvalen {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct DecimalRow {
    const char* fault;
    const char* text;
    double expected;
};

const DecimalRow decimalRows[] = {
    {"leading blanks not skipped", "  \t48.5  ", 48.5},
    {"comma taken as decimal point", "12,5", 12.0},
    {"letters not read as 0", "abc", 0.0},
    {"empty text not 0", "", 0.0},
    {"lone sign not 0", "-", 0.0},
    {"lone point not 0", ".", 0.0},
    {"plus sign rejected", "+3.25", 3.25},
    {"minus sign lost", "-12.52", -12.52},
    {"leading point rejected", ".5", 0.5},
    {"trailing point rejected", "7.", 7.0},
    {"exponent ignored", "1.5e3", 1500.0},
    {"signed exponent ignored", "25E-2x", 0.25},
    {"bare exponent letter consumed wrongly", "12e", 12.0},
    {"exponent sign without digits consumed wrongly", "12e+", 12.0},
    {"blank after sign accepted", "- 5", 0.0},
    {"special value inside text", "5NaN", 5.0},
    {"unsigned Infinity read as infinity", "Infinity", 0.0},
    {"overflow not infinite", "1e999999999999999999999", inf},
    {"negative overflow not infinite", "-123456789e400", -inf},
    {"underflow not zero", "1e-999999999999999999999", 0.0},
    {"long fraction below one taken as overflow", "0.0000000000000000000000001e-400", 0.0},
    {"17 digits not exact", "48.469999999999999", 48.47},
    {"subnormal lost", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
};

TEST(ReadDecimal, LenientRules) {
    for (const DecimalRow& row : decimalRows) {
        EXPECT_EQ(readDecimal(row.text), row.expected) << row.fault << ": " << row.text;
    }
}

TEST(ReadDecimal, SpecialValuesInAnyCase) {
    EXPECT_EQ(readDecimal("+Infinity"), inf);
    EXPECT_EQ(readDecimal("+INFINITY"), inf);
    EXPECT_EQ(readDecimal("-infinity"), -inf);
    EXPECT_EQ(readDecimal(" -Infinity \t"), -inf);
    EXPECT_TRUE(std::isnan(readDecimal("NaN")));
    EXPECT_TRUE(std::isnan(readDecimal("nan")));
    EXPECT_EQ(readDecimal("NaNx"), 0.0);
    EXPECT_EQ(readDecimal("+Infinityx"), 0.0);
    EXPECT_TRUE(std::signbit(readDecimal("-0")));
}

TEST(ReadDecimal, MegabyteOfDigits) {
    const std::string ones(1 << 20, '1');
    EXPECT_EQ(readDecimal(ones), inf);
    EXPECT_EQ(readDecimal("0." + std::string(1 << 20, '0') + "1"), 0.0);
    EXPECT_EQ(readDecimal(std::string(1 << 20, '0') + "2.5"), 2.5);
}

struct IntegerRow {
    const char* fault;
    const char* text;
    std::int32_t expected;
};

const IntegerRow integerRows[] = {
    {"blanks not skipped", "  \t257 ", 257},
    {"no digits not 0", "x1", 0},
    {"empty not 0", "", 0},
    {"minus lost", "-42", -42},
    {"plus rejected", "+7", 7},
    {"fraction read", "3.9", 3},
    {"top bits of the colour lost", "218099387", 218099387},
    {"largest int32 wrong", "2147483647", 2147483647},
    {"smallest int32 wrong", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"overflow wraps", "2147483648", std::numeric_limits<std::int32_t>::max()},
    {"huge digit string wraps", "99999999999999999999999999999", 2147483647},
    {"huge negative wraps", "-99999999999999999999999999999", -2147483647 - 1},
};

TEST(ReadInteger, RulesAndSaturation) {
    for (const IntegerRow& row : integerRows) {
        EXPECT_EQ(readInteger(row.text), row.expected) << row.fault << ": " << row.text;
    }
    EXPECT_EQ(readInteger(std::string(1 << 20, '9')), 2147483647);
}

struct FormatRow {
    const char* fault;
    double value;
    const char* expected;
};

const FormatRow formatRows[] = {
    {"trailing zeros written", 1.0, "1"},
    {"more digits than needed to read back", 48.47, "48.47"},
    {"shortest digits rounded wrong", -12.52, "-12.52"},
    {"shortest digits cut short", 0.1 + 0.2, "0.30000000000000004"},
    {"positive infinity spelling", inf, "+Infinity"},
    {"negative infinity spelling", -inf, "-Infinity"},
    {"NaN spelling", std::numeric_limits<double>::quiet_NaN(), "NaN"},
    {"negative zero lost", -0.0, "-0"},
    {"exponent form below 1e64", 1e20, "100000000000000000000"},
    {"exponent form from 0.0001 up", 0.0001, "0.0001"},
    {"small values not in exponent form", -1.5e-5, "-1.5e-05"},
    {"large values not in exponent form", 1e300, "1e+300"},
};

TEST(FormatDouble, ShortestDigitsAndSpecialValues) {
    for (const FormatRow& row : formatRows) {
        EXPECT_EQ(formatDouble(row.value), row.expected) << row.fault;
    }
    EXPECT_EQ(formatInteger(-2147483648LL), "-2147483648");
    EXPECT_EQ(formatInteger(218099387), "218099387");
}

TEST(FormatDouble, ReadsBackBitForBit) {
    const double values[] = {0.0,      -0.0,    0.1,    1.0 / 3.0,
                             -12.52,   48.47,   1e-5,   123456789012345678.0,
                             1.7976931348623157e308, std::numeric_limits<double>::denorm_min(),
                             2.2250738585072014e-308, -9.8813129168249309e-324};
    for (double v : values) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(readDecimal(formatDouble(v))),
                  std::bit_cast<std::uint64_t>(v))
            << formatDouble(v);
    }
    // A walk over many bit patterns catches digit-count or rounding faults.
    std::uint64_t bits = 0x0123456789abcdefULL;
    for (int i = 0; i < 20000; ++i) {
        bits = bits * 6364136223846793005ULL + 1442695040888963407ULL;
        const double v = std::bit_cast<double>(bits);
        if (!std::isfinite(v)) continue;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(readDecimal(formatDouble(v))), bits)
            << formatDouble(v);
    }
}

TEST(NumberText, IgnoresTheProcessLocale) {
    // A comma locale must change nothing; skip quietly where none is installed.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "de_DE")) {
        GTEST_SKIP() << "no German locale installed";
    }
    const std::string text = formatDouble(48.47);
    const double back = readDecimal("48.5");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(text, "48.47");
    EXPECT_EQ(back, 48.5);
}

}  // namespace
}  // namespace dorvalen
