// A double held in a plan: equal when its bits are. A plan made twice from the same input
// then equals itself even where a damaged setting made a value NaN.
#pragma once

#include <bit>
#include <cstdint>

namespace dorvalen {

struct ExactDouble {
    double value = 0.0;
    constexpr ExactDouble() = default;
    constexpr ExactDouble(double v) : value(v) {}  // NOLINT(google-explicit-constructor)
    constexpr operator double() const { return value; }  // NOLINT(google-explicit-constructor)
    friend constexpr bool operator==(ExactDouble a, ExactDouble b) {
        return std::bit_cast<std::uint64_t>(a.value) == std::bit_cast<std::uint64_t>(b.value);
    }
};

}  // namespace dorvalen
