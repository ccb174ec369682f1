// The rota's constant tables: the values the clock's rules are written against.
#include "rota/rota_tables.h"

#include <gtest/gtest.h>

namespace dorvalen {
namespace {

TEST(RotaTables, StartUpValues) {
    const std::int8_t rota[35] = {1, 1, 2, 2, 3, 3, 3, 4, 4, 1, 1, 2, 2, 4, 2, 2, 4, 4,
                                  1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 4, 4, 4};
    for (int i = 0; i < 35; ++i) EXPECT_EQ(rotaTable[i], rota[i]) << "rota day " << i;
    EXPECT_EQ(rotaTable[34], 4);

    const int colours[5][3] = {
        {255, 0, 0}, {50, 50, 255}, {255, 255, 0}, {0, 255, 0}, {235, 167, 11}};
    for (int crew = 0; crew < crewCount; ++crew) {
        const Crew& c = crewTable[static_cast<std::size_t>(crew)];
        EXPECT_EQ(c.red, colours[crew][0]) << "crew " << crew;
        EXPECT_EQ(c.green, colours[crew][1]) << "crew " << crew;
        EXPECT_EQ(c.blue, colours[crew][2]) << "crew " << crew;
    }

    const std::int64_t years[5][5] = {
        {0, 1, 2, 3, 4}, {3, 4, 0, 1, 2}, {1, 2, 3, 4, 0}, {4, 0, 1, 2, 3}, {2, 3, 4, 0, 1}};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) EXPECT_EQ(rotaYearTable[r][c], years[r][c]) << r << "," << c;
    }
}

// With the crews' offsets into the rota, exactly one crew is in the swapped week each day.
TEST(RotaTables, ExactlyOneCrewHasTheSwapWeek) {
    for (int day = 0; day < 35; ++day) {
        int swapped = 0;
        for (const Crew& c : crewTable) swapped += rotaTable[(day + c.rotaOffset) % 35] == 0 ? 1 : 0;
        EXPECT_EQ(swapped, 1) << "day " << day;
    }
}

}  // namespace
}  // namespace dorvalen
