// The constant tables after start-up: the values the clock's rules are written against,
// and every term row of the two series compared with the reference tables.
#include "app/tables.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dorvalen {
namespace {

TEST(Tables, StartUpValues) {
    const std::int8_t rota[35] = {1, 1, 2, 2, 3, 3, 3, 4, 4, 1, 1, 2, 2, 4, 2, 2, 4, 4,
                                  1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 4, 4, 4};
    for (int i = 0; i < 35; ++i) EXPECT_EQ(rotaTable[i], rota[i]) << "rota day " << i;
    EXPECT_EQ(rotaTable[34], 4);

    const std::int64_t colours[5][3] = {
        {255, 0, 0}, {50, 50, 255}, {255, 255, 0}, {0, 255, 0}, {235, 167, 11}};
    for (int crew = 0; crew < 10; ++crew) {
        EXPECT_EQ(shiftColorTable[crew][0], 0) << "crew " << crew;
        for (int c = 1; c < 4; ++c) {
            EXPECT_EQ(shiftColorTable[crew][c], crew < 5 ? colours[crew][c - 1] : 0)
                << "crew " << crew << " column " << c;
        }
    }

    const std::int64_t years[5][5] = {
        {0, 1, 2, 3, 4}, {3, 4, 0, 1, 2}, {1, 2, 3, 4, 0}, {4, 0, 1, 2, 3}, {2, 3, 4, 0, 1}};
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 5; ++c) EXPECT_EQ(rotaYearTable[r][c], years[r][c]) << r << "," << c;
    }

    EXPECT_EQ(weekdayNames[0], "Sonntag");
    EXPECT_EQ(weekdayNames[4], "Donnerstag");
    EXPECT_EQ(weekdayNames[6], "Samstag");
}

// With the crews' offsets into the rota, exactly one crew is in the swapped week each day.
TEST(Tables, ExactlyOneCrewHasTheSwapWeek) {
    const int offsets[5] = {10, 17, 24, 31, 3};
    for (int day = 0; day < 35; ++day) {
        int swapped = 0;
        for (int offset : offsets) swapped += rotaTable[(day + offset) % 35] == 0 ? 1 : 0;
        EXPECT_EQ(swapped, 1) << "day " << day;
    }
}

// The reference tables live beside the repository; without them the comparison is skipped.
std::vector<std::vector<std::string>> readReference(const std::string& name) {
    const char* source = std::getenv("DORVALEN_SOURCE_DIR");
    if (!source) return {};
    const std::filesystem::path path =
        std::filesystem::path(source) / ".." / "shared" / "reference" / name;
    std::ifstream in(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::istringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, '\t')) fields.push_back(cell);
        rows.push_back(fields);
    }
    return rows;
}

double number(const std::string& text) {
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

TEST(Tables, LunarTermsMatchTheReference) {
    const auto rows = readReference("lunar-terms.tsv");
    if (rows.empty()) GTEST_SKIP() << "reference tables not found";
    ASSERT_EQ(rows.size(), 120u);
    for (int r = 0; r < 120; ++r) {
        ASSERT_EQ(rows[r].size(), 7u);
        EXPECT_EQ(rows[r][0], r < 60 ? "47A" : "47B") << "row " << r;
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(lunarTermTable(c, r), std::stol(rows[r][c + 1])) << "row " << r << " col " << c;
        }
    }
}

TEST(Tables, EarthTermsMatchTheReference) {
    const auto rows = readReference("earth-terms.tsv");
    if (rows.empty()) GTEST_SKIP() << "reference tables not found";
    ASSERT_EQ(rows.size(), 66u);
    const std::pair<const char*, SeriesRange> series[] = {
        {"B0", earthB0}, {"B1", earthB1}, {"R0", earthR0}, {"R1", earthR1},
        {"R2", earthR2}, {"R3", earthR3}, {"R4", earthR4}};
    int covered = 0;
    for (const auto& [name, range] : series) {
        for (int r = range.first; r < range.first + range.count; ++r) {
            ASSERT_EQ(rows[r].size(), 4u);
            EXPECT_EQ(rows[r][0], name) << "row " << r;
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(earthTermTable(c, r), number(rows[r][c + 1])) << "row " << r << " col " << c;
            }
            ++covered;
        }
    }
    EXPECT_EQ(covered, 66);
}

}  // namespace
}  // namespace dorvalen
