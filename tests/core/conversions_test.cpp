// The two double-to-integer rules, at the values where a plain cast or a naive rounding
// formula goes wrong.
#include "core/conversions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

namespace dorvalen {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
constexpr double twoTo63 = 9223372036854775808.0;
constexpr double belowTwoTo63 = 9223372036854774784.0;  // largest double below 2^63
const double allOnesNan = std::bit_cast<double>(~std::uint64_t{0});

struct Row {
    const char* fault;
    double x;
    std::int64_t expected;
};

const Row truncRows[] = {
    {"rounds instead of truncating", 2.7, 2},
    {"floors negatives", -2.7, -2},
    {"negative half not toward zero", -0.5, 0},
    {"+infinity not 0", inf, 0},
    {"-infinity not 0", -inf, 0},
    {"all-ones NaN not 0", allOnesNan, 0},
    {"other NaN not the smallest integer", nan, int64Min},
    {"2^63 wraps or saturates high", twoTo63, int64Min},
    {"-2^63 rejected although representable", -twoTo63, int64Min},
    {"1e300 not the smallest integer", 1e300, int64Min},
    {"-1e300 not the smallest integer", -1e300, int64Min},
    {"largest in-range double mangled", belowTwoTo63, 9223372036854774784},
    {"-1e18 mangled", -1e18, -1000000000000000000},
};

TEST(TruncToInt, TowardZeroAndOutOfRange) {
    for (const Row& row : truncRows) EXPECT_EQ(truncToInt(row.x), row.expected) << row.fault;
}

const Row roundRows[] = {
    {"0.5 rounded away from zero", 0.5, 0},
    {"1.5 rounded down", 1.5, 2},
    {"2.5 rounded away from zero", 2.5, 2},
    {"-2.5 rounded away from zero", -2.5, -2},
    {"-1.5 rounded toward zero", -1.5, -2},
    {"-0.5 gives -1", -0.5, 0},
    {"2.6 truncated", 2.6, 3},
    {"-2.6 truncated", -2.6, -3},
    {"floor(x + 0.5) error below a half", 0.49999999999999994, 0},
    {"floor(x + 0.5) error at 2^52 + 1", 4503599627370497.0, 4503599627370497},
    {"NaN not 0", nan, 0},
    {"all-ones NaN not 0", allOnesNan, 0},
    {"+infinity not 0", inf, 0},
    {"-infinity not 0", -inf, 0},
    {"2^63 does not saturate high", twoTo63, int64Max},
    {"1e19 does not saturate high", 1e19, int64Max},
    {"-2^63 mangled", -twoTo63, int64Min},
    {"-1e300 does not saturate low", -1e300, int64Min},
    {"largest in-range double mangled", belowTwoTo63, 9223372036854774784},
};

TEST(RoundToInt, NearestHalvesToEvenAndSaturation) {
    for (const Row& row : roundRows) EXPECT_EQ(roundToInt(row.x), row.expected) << row.fault;
}

TEST(RoundToPixel, SaturatesAtTheIntRange) {
    EXPECT_EQ(roundToPixel(2.5), 2);
    EXPECT_EQ(roundToPixel(-3.5), -4);
    EXPECT_EQ(roundToPixel(3e9), std::numeric_limits<int>::max());
    EXPECT_EQ(roundToPixel(-3e9), std::numeric_limits<int>::min());
    EXPECT_EQ(roundToPixel(nan), 0);
    EXPECT_EQ(roundToPixel(1e300), std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace dorvalen
