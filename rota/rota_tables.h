// The rota's constant tables: shift codes of the 35 rota days, the crews (offset into the
// rota, colour, colour name) and the crews exchanged in the swap window. Compiled in.
#pragma once

#include <array>
#include <cstdint>

namespace dorvalen {

// Rota day (0..34) to shift code: 1 early, 2 late, 3 night, 0 the swapped week, 4 and 5 free.
inline constexpr std::array<std::int8_t, 35> rotaTable = {
    1, 1, 2, 2, 3, 3, 3, 4, 4, 1, 1, 2, 2, 4, 2, 2, 4, 4,
    1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 4, 4, 4};

inline constexpr int crewCount = 5;

// Crew i reads rotaTable at (day index + rotaOffset) mod 35: whole weeks apart, so exactly
// one crew stands in the swapped week on any day. The colour paints its sectors on the
// face ring; the name (UTF-8) says it in the almanac.
struct Crew {
    int rotaOffset;
    int red, green, blue;
    const char* colourName;
};
inline constexpr std::array<Crew, crewCount> crewTable = {{
    {10, 255, 0, 0, "Rot"},
    {17, 50, 50, 255, "Blau"},
    {24, 255, 255, 0, "Gelb"},
    {31, 0, 255, 0, "Grün"},
    {3, 235, 167, 11, "Orange"},
}};

// Row = year mod 5, column = 28-day period of the swap window: the exchanged crew.
inline constexpr std::int64_t rotaYearTable[5][5] = {
    {0, 1, 2, 3, 4}, {3, 4, 0, 1, 2}, {1, 2, 3, 4, 0}, {4, 0, 1, 2, 3}, {2, 3, 4, 0, 1}};

}  // namespace dorvalen
