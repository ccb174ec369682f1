// The settings dialog's field rules: the documented input examples, the two-decimal cut
// that must not lose a hundredth, blanks around a number, and input the program cannot use.
#include "settings/field_rules.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>
#include <string>

namespace dorvalen {
namespace {

struct AngleRow {
    const char* fault;
    const char* typed;
    double bound;
    double expected;
};

const AngleRow angleRows[] = {
    {"decimal fraction of a degree not turned into minutes", "12.7", 90, 12.42},
    {"minutes changed although below 60", "48.47", 90, 48.47},
    {".99 not converted", "48.99", 90, 48.59},
    {"12.6 missed by a 0.6 threshold", "12.6", 90, 12.36},
    {"59 minutes converted", "12.59", 90, 12.59},
    {"beyond the bound not wrapped", "120", 90, 30},
    {"the bound itself wrapped", "90", 90, 90},
    {"fraction lost when wrapping", "90.5", 90, 0.5},
    {"a minute lost when wrapping at 90", "91.07", 90, 1.07},
    {"a minute lost when wrapping at 180", "181.07", 180, 1.07},
    {"a converted .99999... rounded up to 60 minutes", "12.99999999999999", 90, 12.59},
    {"60 minutes after a wrap of a huge value (fuzz finding)", "-819999999'9999999", 180, -99.59},
    {"comma not a decimal point", "48,47", 90, 48.47},
    {"inner blank not a decimal point", "48 47", 90, 48.47},
    {"apostrophe not a decimal point", "48'47", 90, 48.47},
    {"wrap with bound 180", "210", 180, 30},
    {"minus sign lost", "-12.52", 180, -12.52},
    {"wrap of a negative value loses its sign", "-120", 90, -30},
    {"negative decimal fraction converted with the wrong sign", "-12.7", 90, -12.42},
    // Two decimals typed must stay exactly as typed; x*100 cut in binary lost a hundredth.
    {"0.29 became 0.28", "0.29", 90, 0.29},
    {"2.01 became 2.00", "2.01", 90, 2.01},
    {"8.29 became 8.28", "8.29", 180, 8.29},
    {"more decimals rounded instead of cut", "12.345", 90, 12.34},
    {"more decimals rounded up instead of cut", "12.349", 90, 12.34},
    {"negative value rounded instead of cut toward zero", "-12.345", 180, -12.34},
    // Blanks at the ends are not part of the number.
    {"leading blank read as a decimal point", " 48.47", 90, 48.47},
    {"trailing blank changed the value", "48.47  ", 90, 48.47},
    {"tab and blanks around a negative value", "\t -12.52 ", 180, -12.52},
    // Texts without a usable number.
    {"letters not read as 0", "abc", 90, 0},
    {"empty field not read as 0", "", 90, 0},
    {"positive infinity kept", "+Infinity", 90, 0},
    {"negative infinity kept", "-infinity", 180, 0},
    {"NaN kept", "NaN", 90, 0},
    {"overflow to infinity kept", "1e999", 180, 0},
    {"number followed by text not read up to the text", "47.11abc", 90, 47.11},
};

TEST(ParseAngleField, ReadsTypedCoordinates) {
    for (const AngleRow& row : angleRows) {
        EXPECT_EQ(parseAngleField(row.typed, row.bound), row.expected)
            << row.fault << " (typed \"" << row.typed << "\", bound " << row.bound << ")";
    }
}

// Every value typed with two decimals from -400 to 400, for both bounds, against the rule
// worked out in whole hundredths: decimals of 60 and more are a fraction of a degree
// (times 0.6, cut), then whole degrees beyond the bound wrap and the minutes stay as they
// are. In range the value comes back exactly as typed.
TEST(ParseAngleField, EveryTwoDecimalValueFromMinus400To400) {
    for (const int bound : {90, 180}) {
        int wrong = 0;
        for (int typedHundredths = -40000; typedHundredths <= 40000; ++typedHundredths) {
            const int sign = typedHundredths < 0 ? -1 : 1;
            int degrees = std::abs(typedHundredths) / 100;
            int minutes = std::abs(typedHundredths) % 100;
            if (minutes >= 60) minutes = minutes * 6 / 10;
            if (degrees * 100 + minutes > bound * 100) degrees %= bound;
            const double expected = sign * (degrees * 100 + minutes) / 100.0;

            char typed[16];
            std::snprintf(typed, sizeof typed, "%s%d.%02d", sign < 0 ? "-" : "",
                          std::abs(typedHundredths) / 100, std::abs(typedHundredths) % 100);
            const double got = parseAngleField(typed, bound);
            if (got != expected && ++wrong <= 5)
                ADD_FAILURE() << typed << " at bound " << bound << " gave " << got << ", not "
                              << expected;
        }
        EXPECT_EQ(wrong, 0) << "values off at bound " << bound;
    }
}

TEST(ParseAngleField, HugeNumbersStayWithinTheBound) {
    for (const char* typed : {"1e300", "-1e300", "9.3e18", "123456789012345678901234567890"}) {
        const double x = parseAngleField(typed, 180);
        EXPECT_TRUE(std::isfinite(x)) << typed;
        EXPECT_LE(std::fabs(x), 180.0) << typed;
    }
}

struct TimeZoneRow {
    const char* fault;
    const char* typed;
    double expected;
};

const TimeZoneRow timeZoneRows[] = {
    {"east limit not clamped", "15", 14},
    {"west limit not clamped", "-20", -12},
    {"limits themselves changed", "14", 14},
    {"value rounded although the rule keeps it", "5.75", 5.75},
    {"comma not a decimal point", "5,5", 5.5},
    {"blanks at the ends corrupt the value", "  1.5 ", 1.5},
    {"NaN kept", "nan", 0},
    {"infinity clamped instead of read as 0", "+Infinity", 0},
    {"letters not read as 0", "Zone", 0},
};

TEST(ParseTimeZoneField, ReadsAndClampsHours) {
    for (const TimeZoneRow& row : timeZoneRows)
        EXPECT_EQ(parseTimeZoneField(row.typed), row.expected) << row.fault;
}

// Every zone of whole hundredths, shown with the field's two decimals and read back, is the
// same zone: visiting the field never moves it (with one decimal 5.75 became 5.8).
TEST(ParseTimeZoneField, EveryHundredthSurvivesItsFieldText) {
    int moved = 0;
    for (int hundredths = -1200; hundredths <= 1400; ++hundredths) {
        const double zone = hundredths / 100.0;
        const double back = parseTimeZoneField(formatFieldNumber(zone, 2));
        if (back != zone && ++moved <= 5) ADD_FAILURE() << zone << " came back as " << back;
    }
    EXPECT_EQ(moved, 0);
}

TEST(CutToDecimals, CutsTowardZeroOnTheDecimalDigits) {
    EXPECT_EQ(cutToDecimals(0.1 + 0.2, 2), 0.3);  // 0.30000000000000004
    EXPECT_EQ(cutToDecimals(0.58 * 100 / 100, 2), 0.58);
    EXPECT_EQ(cutToDecimals(179.999, 2), 179.99);
    EXPECT_EQ(cutToDecimals(-0.009, 2), 0.0);
    EXPECT_FALSE(std::signbit(cutToDecimals(-0.009, 2))) << "minus zero leaks into the field";
    EXPECT_EQ(cutToDecimals(std::numeric_limits<double>::quiet_NaN(), 2), 0.0);
}

struct FormatRow {
    const char* fault;
    double value;
    int decimals;
    const char* expected;
};

const FormatRow formatRows[] = {
    {"decimals missing", 30, 2, "30.00"},
    {"cut instead of rounded", 12.419999, 2, "12.42"},
    {"time zone decimals wrong", 14, 1, "14.0"},
    {"negative value lost its sign", -12, 1, "-12.0"},
    {"minus zero shown", -0.0, 2, "0.00"},
    {"tiny negative shown as -0.00", -0.004, 2, "0.00"},
    {"NaN shown", std::numeric_limits<double>::quiet_NaN(), 2, "0.00"},
    {"infinity shown", -std::numeric_limits<double>::infinity(), 1, "0.0"},
};

TEST(FormatFieldNumber, FixedDecimalsRounded) {
    for (const FormatRow& row : formatRows)
        EXPECT_EQ(formatFieldNumber(row.value, row.decimals), row.expected) << row.fault;
}

TEST(FormatFieldNumber, ParsingTheShownTextGivesTheSameText) {
    // Leaving a field twice must not change it again.
    for (const char* typed : {"12.7", "48.99", "12.5989", "210", "-0.001", "179.595"}) {
        const std::string once = formatFieldNumber(parseAngleField(typed, 180), 2);
        EXPECT_EQ(formatFieldNumber(parseAngleField(once, 180), 2), once) << typed;
    }
}

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

TEST(PlaceName, CutsToFiftyCharactersNotBytes) {
    const std::string fifty = repeated("a", 50);
    EXPECT_EQ(cutPlaceName(fifty), fifty);
    EXPECT_EQ(cutPlaceName(fifty + "b"), fifty);
    // "ä" is two bytes in UTF-8: 50 of them are 100 bytes and still within the limit.
    const std::string fiftyUmlauts = repeated("ä", 50);
    EXPECT_EQ(characterCount(fiftyUmlauts), 50u);
    EXPECT_EQ(cutPlaceName(fiftyUmlauts), fiftyUmlauts);
    EXPECT_EQ(cutPlaceName(fiftyUmlauts + "ß"), fiftyUmlauts) << "a character cut in half";
    EXPECT_EQ(cutPlaceName(repeated("a", 49) + "€x"), repeated("a", 49) + "€");
    EXPECT_EQ(cutPlaceName(""), "");
}

}  // namespace
}  // namespace dorvalen
