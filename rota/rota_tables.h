// The rota's constant tables: shift codes of the 35 rota days, crew colours and the crews
// exchanged in the swap window. Compiled in.
#pragma once

#include <array>
#include <cstdint>

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

}  // namespace dorvalen
