// The program's constant tables: rota, crew colours, swap-window crews, weekday names and
// the two series of the sun and moon theories. Filled at compile time; what they hold is
// exactly what start-up used to read from one built-in block.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace dorvalen {

// Rota day (0..34) to shift code: 1 early, 2 late, 3 night, 0 the swapped week, 4 and 5 free.
inline constexpr std::array<std::int8_t, 35> rotaTable = {
    1, 1, 2, 2, 3, 3, 3, 4, 4, 1, 1, 2, 2, 4, 2, 2, 4, 4,
    1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 4, 4, 4};

// Row = crew; column 0 working storage (always 0 here: the rota code is returned, not
// stored), columns 1..3 red, green, blue. Rows 5..9 are unused and zero.
inline constexpr std::int64_t shiftColorTable[10][4] = {
    {0, 255, 0, 0}, {0, 50, 50, 255}, {0, 255, 255, 0}, {0, 0, 255, 0}, {0, 235, 167, 11},
    {0, 0, 0, 0},   {0, 0, 0, 0},     {0, 0, 0, 0},     {0, 0, 0, 0},   {0, 0, 0, 0}};

// Row = year mod 5, column = 28-day period of the swap window: the exchanged crew.
inline constexpr std::int64_t rotaYearTable[5][5] = {
    {0, 1, 2, 3, 4}, {3, 4, 0, 1, 2}, {1, 2, 3, 4, 0}, {4, 0, 1, 2, 3}, {2, 3, 4, 0, 1}};

// Index 0 = Sunday.
inline constexpr std::array<std::string_view, 7> weekdayNames = {
    "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

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

#include "app/reference_tables.inc"

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
