// Every compiled row of the phase method compared with the reference tables it was
// generated from: a hand edit of phase_tables.inc, or a table changed without running the
// generator again, fails here.
#include "phases/phase_tables.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/reference_table.h"

namespace dorvalen {
namespace {

using test::number;
using test::readReference;

int integer(const std::string& text) { return static_cast<int>(number(text)); }

// The rows whose name (first cell) starts with `prefix`, in table order.
std::vector<std::vector<std::string>> rowsOf(const std::vector<std::vector<std::string>>& rows,
                                             const std::string& prefix, std::size_t cells) {
    std::vector<std::vector<std::string>> kept;
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), cells);
        if (row.size() == cells && row[0].rfind(prefix, 0) == 0) kept.push_back(row);
    }
    return kept;
}

TEST(PhaseTables, PeriodicTermsMatchTheReference) {
    const auto rows = readReference("phase-terms.tsv");
    ASSERT_FALSE(rows.empty()) << "reference table missing";
    const std::pair<std::string, std::span<const PhaseTerm>> kinds[] = {
        {"new", newPhaseTerms}, {"full", fullPhaseTerms}, {"quarter", quarterPhaseTerms}};
    for (const auto& [kind, terms] : kinds) {
        const auto reference = rowsOf(rows, kind, 8);
        ASSERT_EQ(reference.size(), terms.size()) << kind;
        for (std::size_t i = 0; i < terms.size(); ++i) {
            const PhaseTerm& t = terms[i];
            const auto& row = reference[i];
            EXPECT_EQ(t.coefficient, number(row[2])) << kind << " term " << row[1];
            const int compiled[] = {t.ePower, t.m, t.mPrime, t.f, t.omega};
            for (std::size_t c = 0; c < 5; ++c)
                EXPECT_EQ(compiled[c], integer(row[3 + c])) << kind << " term " << row[1];
        }
    }
}

TEST(PhaseTables, CorrectionsMatchTheReference) {
    const auto rows = readReference("phase-corrections.tsv");
    ASSERT_FALSE(rows.empty()) << "reference table missing";
    const auto additional = rowsOf(rows, "A", 10);
    ASSERT_EQ(additional.size(), std::size(additionalCorrections));
    for (std::size_t i = 0; i < additional.size(); ++i) {
        const AdditionalCorrection& a = additionalCorrections[i];
        const auto& row = additional[i];
        EXPECT_EQ(row[1], "sin") << row[0];
        const double compiled[] = {a.coefficient, a.constant, a.perK, a.perT2};
        for (std::size_t c = 0; c < 4; ++c) EXPECT_EQ(compiled[c], number(row[2 + c])) << row[0];
    }
    const auto quarter = rowsOf(rows, "W", 10);
    ASSERT_EQ(quarter.size(), std::size(quarterCorrectionTerms));
    for (std::size_t i = 0; i < quarter.size(); ++i) {
        const QuarterCorrectionTerm& w = quarterCorrectionTerms[i];
        const auto& row = quarter[i];
        EXPECT_TRUE(row[1] == "cos" || row[1] == "const") << row[0];  // the generator knows no other
        EXPECT_EQ(w.isCosine, row[1] == "cos") << row[0];
        EXPECT_EQ(w.coefficient, number(row[2])) << row[0];
        const int compiled[] = {w.ePower, w.m, w.mPrime, w.f};
        for (std::size_t c = 0; c < 4; ++c) EXPECT_EQ(compiled[c], integer(row[6 + c])) << row[0];
    }
}

}  // namespace
}  // namespace dorvalen
