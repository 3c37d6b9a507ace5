// The fixed tables checked against the printed ones: sample rows, the shape
// the rules rely on (rows never grow, columns never shrink) and the zero reads
// outside the tables.
#include "files/RuleTables.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(RuleTables, SpellsPerDaySampleRows) {
    struct Row {
        int32_t caster;
        std::array<int32_t, 9> perDay;
    };
    const Row rows[] = {
        {1, {1, 0, 0, 0, 0, 0, 0, 0, 0}},  {3, {2, 1, 0, 0, 0, 0, 0, 0, 0}},
        {5, {4, 2, 1, 0, 0, 0, 0, 0, 0}},  {12, {4, 4, 4, 4, 4, 1, 0, 0, 0}},
        {14, {5, 5, 5, 4, 4, 2, 1, 0, 0}}, {18, {5, 5, 5, 5, 5, 3, 3, 2, 1}},
        {22, {5, 5, 5, 5, 5, 5, 4, 4, 3}}, {26, {6, 6, 6, 6, 5, 5, 5, 5, 5}},
        {29, {7, 7, 7, 7, 6, 6, 6, 6, 6}}, {30, {7, 7, 7, 7, 7, 7, 7, 6, 6}},
    };
    for (const Row& r : rows) {
        for (int32_t l = 1; l <= 9; ++l) {
            EXPECT_EQ(SpellsPerDay(r.caster, l), r.perDay[static_cast<size_t>(l - 1)])
                << "caster " << r.caster << " level " << l;
        }
    }
}

TEST(RuleTables, SpellsPerDayShape) {
    for (int32_t c = 1; c <= 30; ++c) {
        EXPECT_GT(SpellsPerDay(c, 1), 0) << c;
        for (int32_t l = 1; l <= 9; ++l) {
            if (l > 1) {
                EXPECT_LE(SpellsPerDay(c, l), SpellsPerDay(c, l - 1)) << "row " << c << " level " << l;
            }
            if (c > 1) {
                EXPECT_GE(SpellsPerDay(c, l), SpellsPerDay(c - 1, l)) << "column " << l << " caster " << c;
            }
        }
    }
    // Each new spell level arrives at the printed caster level.
    const int32_t firstCaster[9] = {1, 3, 5, 7, 9, 12, 14, 16, 18};
    for (int32_t l = 1; l <= 9; ++l) {
        const int32_t c = firstCaster[l - 1];
        EXPECT_GT(SpellsPerDay(c, l), 0) << l;
        if (c > 1) {
            EXPECT_EQ(SpellsPerDay(c - 1, l), 0) << l;
        }
    }
}

TEST(RuleTables, IntelligenceTable) {
    struct Row {
        int32_t intelligence, starting, maximum;
    };
    const Row rows[] = {{9, 4, 6},   {10, 5, 7},  {12, 5, 8},  {15, 7, 11},
                        {17, 8, 14}, {18, 9, 18}, {21, 12, 30}};
    for (const Row& r : rows) {
        EXPECT_EQ(StartingCount(r.intelligence), r.starting) << r.intelligence;
        EXPECT_EQ(MaximumCount(r.intelligence), r.maximum) << r.intelligence;
    }
    for (int32_t i = 9; i <= 21; ++i) {
        EXPECT_LT(StartingCount(i), MaximumCount(i)) << i;
        if (i > 9) {
            EXPECT_GE(StartingCount(i), StartingCount(i - 1)) << i;
            EXPECT_GE(MaximumCount(i), MaximumCount(i - 1)) << i;
        }
    }
}

TEST(RuleTables, OutsideTheTablesReadsZero) {
    for (int32_t c : {-1, 0, 31, 1000}) {
        for (int32_t l = 1; l <= 9; ++l) {
            EXPECT_EQ(SpellsPerDay(c, l), 0) << c;
        }
    }
    for (int32_t l : {-1, 0, 10}) {
        EXPECT_EQ(SpellsPerDay(30, l), 0) << l;
    }
    for (int32_t i : {-9, 0, 8, 22}) {
        EXPECT_EQ(StartingCount(i), 0) << i;
        EXPECT_EQ(MaximumCount(i), 0) << i;
    }
}

} // namespace
