// Every term row of the sun and moon series compared with the reference tables.
#include "astro/term_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "tests/support/reference_table.h"

namespace dorvalen {
namespace {

using test::number;
using test::readReference;

TEST(TermTables, LunarTermsMatchTheReference) {
    const auto rows = readReference("lunar-terms.tsv");
    ASSERT_FALSE(rows.empty()) << "reference table missing";
    ASSERT_EQ(rows.size(), 120u);
    for (int r = 0; r < 120; ++r) {
        ASSERT_EQ(rows[r].size(), 7u);
        EXPECT_EQ(rows[r][0], r < 60 ? "47A" : "47B") << "row " << r;
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(lunarTermTable(c, r), std::stol(rows[r][c + 1])) << "row " << r << " col " << c;
        }
    }
}

TEST(TermTables, EarthTermsMatchTheReference) {
    const auto rows = readReference("earth-terms.tsv");
    ASSERT_FALSE(rows.empty()) << "reference table missing";
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
