// The term tables of the sun and moon theories, generated from the reference tables
// (scripts/generate_reference_tables.sh) and compiled in.
#pragma once

#include <cstdint>

namespace dorvalen {

struct LunarTermRow {
    std::int32_t d, m, mPrime, f;  // multiples of D, M, M', F
    std::int32_t coef1;            // sine coefficient of sum l (47.A) or sum b (47.B), 1e-6 deg
    std::int32_t coef2;            // cosine coefficient of sum r, 1e-3 km (0 in 47.B)
};

struct EarthTermRow {
    double a;  // amplitude, 1e-8 rad (B series) or 1e-8 AU (R series)
    double b;  // phase, rad
    double n;  // frequency, rad per Julian millennium
};

#include "astro/reference_tables.inc"

// The term tables in their (column, row) shape: column 0..5 = D, M, M', F, coef1, coef2.
constexpr std::int32_t lunarTermTable(int column, int row) {
    const LunarTermRow& t = lunarTermRows[row];
    const std::int32_t values[6] = {t.d, t.m, t.mPrime, t.f, t.coef1, t.coef2};
    return values[column];
}

// Column 0..2 = A, B, N.
constexpr double earthTermTable(int column, int row) {
    const EarthTermRow& t = earthTermRows[row];
    return column == 0 ? t.a : column == 1 ? t.b : t.n;
}

// Row ranges of the Earth series inside earthTermRows, in table order.
struct SeriesRange { int first, count; };
inline constexpr SeriesRange earthB0{0, 5}, earthB1{5, 2}, earthR0{7, 40}, earthR1{47, 10},
    earthR2{57, 6}, earthR3{63, 2}, earthR4{65, 1};

}  // namespace dorvalen
