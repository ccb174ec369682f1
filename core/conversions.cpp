// Double-to-integer rules, written so that no input reaches an undefined conversion.
#include "core/conversions.h"

#include <bit>
#include <cmath>
#include <limits>

namespace dorvalen {

namespace {
constexpr double twoTo63 = 9223372036854775808.0;  // 2^63, exactly representable
constexpr std::int64_t int64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t int64Max = std::numeric_limits<std::int64_t>::max();
}  // namespace

std::int64_t truncToInt(double x) {
    if (std::isinf(x)) return 0;
    if (std::isnan(x)) {
        // The NaN whose 64 bits are all ones is the one the old runtime turned into 0.
        return std::bit_cast<std::uint64_t>(x) == ~std::uint64_t{0} ? 0 : int64Min;
    }
    if (x >= twoTo63 || x < -twoTo63) return int64Min;
    return static_cast<std::int64_t>(x);  // in range: the cast truncates toward zero
}

std::int64_t roundToInt(double x) {
    if (std::isnan(x) || std::isinf(x)) return 0;
    if (x >= twoTo63) return int64Max;
    if (x < -twoTo63) return int64Min;
    // nearbyint rounds halves to even under the default rounding mode, which we never change.
    const double r = std::nearbyint(x);
    if (r >= twoTo63) return int64Max;
    return static_cast<std::int64_t>(r);
}

int roundToPixel(double x) {
    const std::int64_t v = roundToInt(x);
    if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

}  // namespace dorvalen
