#include "output/Scroll.h"
#include "model/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
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

// Each spell of a level has the same chance: drawing 2 of 5 gives every spell
// in about 2 of 5 scrolls.
TEST_F(ScrollTest, EverySpellOfTheLevelHasTheSameChance) {
    std::map<std::string, int> times;
    const int runs = 5000;
    for (int run = 0; run < runs; ++run) {
        const auto scroll = MakeScroll(source, Counts({{1, 2}}));
        for (const std::string& name : NamesOf(*scroll)) {
            ++times[name];
        }
    }
    ASSERT_EQ(times.size(), 5u);
    for (const auto& [name, n] : times) {
        EXPECT_NEAR(n, runs * 2 / 5, 150) << name; // about 4.5 standard deviations
    }
}

// Drawing every spell of a large level takes one pass, not a draw repeated
// until it finds a spell not yet drawn (minutes for 20,000 spells).
TEST_F(ScrollTest, ALargeLevelIsDrawnInOnePass) {
    TSpellBook large(20, 18, 0, "Generalist");
    for (int i = 0; i < 20000; ++i) {
        large.AddSpell(MakeSpell(1, "Spell " + std::to_string(100000 + i)));
    }
    const auto start = std::chrono::steady_clock::now();
    const auto scroll = MakeScroll(large, Counts({{1, 20000}}));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(NamesOf(*scroll), NamesOf(large));
    EXPECT_LT(took, std::chrono::seconds(3));
}

} // namespace
