#include "output/Scroll.h"
#include "model/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

class ScrollTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(7);
        for (const char* name : {"Amber", "Birch", "Cobalt", "Dusk", "Ember"}) {
            ASSERT_TRUE(source.AddSpell(MakeSpell(1, name)));
        }
        ASSERT_TRUE(source.AddSpell(MakeSpell(2, "Frost", -3, "alt", "Codex", 12, true)));
        ASSERT_TRUE(source.AddSpell(MakeSpell(2, "Gale")));
        ASSERT_TRUE(source.AddSpell(MakeSpell(2, "Hush", 0, "ill", "Codex", 3, true)));
        ASSERT_TRUE(source.AddSpell(MakeSpell(5, "Ivory")));
    }

    static tScrollCounts Counts(std::initializer_list<std::pair<int, int32_t>> levels) {
        tScrollCounts counts{};
        for (auto [level, n] : levels) {
            counts[static_cast<size_t>(level)] = n;
        }
        return counts;
    }

    static void ExpectSameCaster(const TSpellBook& scroll, const TSpellBook& from) {
        EXPECT_EQ(scroll.CasterLevel, from.CasterLevel);
        EXPECT_EQ(scroll.Intelligence, from.Intelligence);
        EXPECT_EQ(scroll.Specialty, from.Specialty);
        EXPECT_EQ(scroll.Frequency, from.Frequency);
        EXPECT_TRUE(scroll.Modified);
        EXPECT_FALSE(scroll.ReferencesOnly);
    }

    TSpellBook source{11, 16, -3, "Transmuter"};
};

TEST_F(ScrollTest, ZeroCountsGiveAnEmptyScrollForTheSameCaster) {
    const auto scroll = MakeScroll(source, Counts({}));
    EXPECT_EQ(scroll->Count(), 0);
    ExpectSameCaster(*scroll, source);
}

TEST_F(ScrollTest, EmptySourceGivesAnEmptyScrollWhateverTheCounts) {
    TSpellBook empty(4, 10, -1, "Diviner");
    const auto scroll = MakeScroll(empty, Counts({{1, 3}, {2, 1}, {9, 2}}));
    EXPECT_EQ(scroll->Count(), 0);
    ExpectSameCaster(*scroll, empty);
}

TEST_F(ScrollTest, FullCountsCopyEveryFieldOfEverySpell) {
    const auto scroll = MakeScroll(source, Counts({{1, 5}, {2, 3}, {5, 1}}));
    EXPECT_EQ(NamesOf(*scroll), NamesOf(source));
    for (scroll->First(); scroll->Current(); scroll->Next()) {
        const tSpell& copy = *scroll->CurrentSpell();
        const tSpell* original = source.FindByName(copy.Name);
        ASSERT_NE(original, nullptr);
        EXPECT_EQ(copy, *original);
        EXPECT_NE(&copy, original);
    }
    ExpectSameCaster(*scroll, source);
    // The copies are the scroll's own.
    scroll->SpellAt(2, 0)->Name = "Changed";
    EXPECT_NE(source.FindByName("Frost"), nullptr);
    EXPECT_EQ(source.Count(), 9);
}

TEST_F(ScrollTest, CountsOutsideTheLevelsRangeAreClamped) {
    const auto scroll = MakeScroll(source, Counts({{1, 40}, {2, -2}, {3, 4}, {5, 1000}}));
    EXPECT_EQ(scroll->LevelCount[1], 5);
    EXPECT_EQ(scroll->LevelCount[2], 0);
    EXPECT_EQ(scroll->LevelCount[3], 0);
    EXPECT_EQ(scroll->LevelCount[5], 1);
    EXPECT_EQ(scroll->Count(), 6);
}

TEST_F(ScrollTest, PartialCountsDrawDistinctSpellsOfTheLevelAtRandom) {
    std::set<std::vector<std::string>> seen;
    std::set<std::string> drawn;
    for (int run = 0; run < 40; ++run) {
        const auto scroll = MakeScroll(source, Counts({{1, 2}, {2, 2}}));
        EXPECT_EQ(scroll->LevelCount[1], 2);
        EXPECT_EQ(scroll->LevelCount[2], 2);
        EXPECT_EQ(scroll->Count(), 4);
        for (scroll->First(); scroll->Current(); scroll->Next()) {
            const tSpell* original = source.FindByName(scroll->CurrentName());
            ASSERT_NE(original, nullptr);
            EXPECT_EQ(*scroll->CurrentSpell(), *original); // memorized flag kept
            drawn.insert(scroll->CurrentName());
        }
        seen.insert(NamesOf(*scroll));
    }
    EXPECT_GT(seen.size(), 5u);
    EXPECT_EQ(drawn.size(), 8u); // every spell of levels 1 and 2 turns up
}

} // namespace
