// The vector routines against their plain versions on random rows drawn from a few colours
// (so runs of one colour, and alpha bytes that must not count, are common).
#include <gtest/gtest.h>

#include <array>
#include <random>

#include "canvas/pixel_simd.h"

namespace dorvalen {
namespace {

using namespace pixels;

// Every input of the blend, at compile time: a wrong shift fails the build, not a pixel.
constexpr bool div255Exact() {
    for (int v = 0; v <= 255 * 255; ++v)
        if (div255(v) != v / 255) return false;
    return true;
}
static_assert(div255Exact());

std::array<Colour, 24> randomRow(std::mt19937& random) {
    constexpr Colour palette[] = {rgb(1, 2, 3), rgba(1, 2, 3, 200), rgb(250, 0, 9), rgb(1, 2, 4)};
    std::array<Colour, 24> row{};
    for (Colour& pixel : row) pixel = palette[random() % 4];
    return row;
}

TEST(PixelSimd, VectorRoutinesGiveThePlainOnesResults) {
    std::mt19937 random(25);
    const Colour key = rgb(1, 2, 3);
    for (int trial = 0; trial < 2000; ++trial) {
        const std::array<Colour, 24> row = randomRow(random);
        for (std::size_t at = 0; at + 16 <= row.size(); at += 5) {
            const Colour* p = row.data() + at;
            ASSERT_EQ(fast::eightMatching(p, key), plain::eightMatching(p, key)) << trial;
            ASSERT_EQ(fast::sixteenAll<true>(p, key), plain::sixteenAll<true>(p, key)) << trial;
            ASSERT_EQ(fast::sixteenAll<false>(p, key), plain::sixteenAll<false>(p, key)) << trial;
            ASSERT_EQ(fast::fourMatching(p, key), plain::fourMatching(p, key)) << trial;
        }
        std::array<std::uint8_t, 4> coverage{};
        for (std::uint8_t& c : coverage) c = random() % 2 == 0 ? 0 : static_cast<std::uint8_t>(random());
        std::array<Colour, 24> a = row, b = row;
        fast::fourWhereCovered(a.data() + 3, coverage.data(), rgb(9, 9, 9));
        plain::fourWhereCovered(b.data() + 3, coverage.data(), rgb(9, 9, 9));
        ASSERT_EQ(a, b) << trial;
        const std::size_t start = random() % 8, count = random() % 17;  // short runs too
        fast::fill(a.data() + start, count, rgb(7, 7, 7));
        plain::fill(b.data() + start, count, rgb(7, 7, 7));
        ASSERT_EQ(a, b) << "fill of " << count << " at " << start;
    }
}

}  // namespace
}  // namespace dorvalen
