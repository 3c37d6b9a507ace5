#include "model/SpellBook.h"
#include "model/Random.h"
#include "model/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(SpellTest, CopyIsIndependentAndOrderIsLevelThenNameIgnoringCase) {
    auto spell = tSpell::Create(3, "Fireball", "PHB", 150, -2, "e/c", true);
    auto copy = spell->Copy();
    EXPECT_EQ(*copy, *spell);
    copy->Name = "Other";
    EXPECT_EQ(spell->Name, "Fireball");

    EXPECT_GT(CompareSpells(*MakeSpell(2, "Alarm"), *MakeSpell(1, "Zephyr")), 0);
    EXPECT_EQ(CompareSpells(*MakeSpell(3, "fireball"), *MakeSpell(3, "Fireball")), 0);
    EXPECT_LT(CompareSpells(*MakeSpell(3, "Fire"), *MakeSpell(3, "Fireball")), 0);
    // Only a..z fold: '_' (95) sorts after 'Z' (90) but before 'a' would.
    EXPECT_GT(CompareSpells(*MakeSpell(1, "a_"), *MakeSpell(1, "AZ")), 0);
    // 8-bit bytes compare unsigned and do not fold.
    EXPECT_GT(CompareSpells(*MakeSpell(1, "\xE9"), *MakeSpell(1, "z")), 0);
    EXPECT_NE(CompareSpells(*MakeSpell(1, "\xE9"), *MakeSpell(1, "\xC9")), 0);

    EXPECT_EQ(FrequencyLetter(-2), 'R');
    EXPECT_EQ(FrequencyTitle(-2), "Rare");
    EXPECT_EQ(FrequencyTitle(0), "Common");
    EXPECT_EQ(FrequencyLetter(-4), 'S');
    int32_t code = 7;
    EXPECT_TRUE(FrequencyFromLetter('v', code));
    EXPECT_EQ(code, -3);
    EXPECT_FALSE(FrequencyFromLetter('X', code));
    EXPECT_EQ(code, -3);
}

class SpellBookTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(42);
        for (auto [level, name] : std::vector<std::pair<int, const char*>>{
                 {1, "Sleep"}, {1, "Armor"}, {3, "Fireball"}, {5, "Cone"}, {7, "Wish Lite"}, {7, "Bolt"}}) {
            ASSERT_TRUE(book.AddSpell(MakeSpell(level, name)));
        }
    }
    TSpellBook book{1, 9, 0, "Generalist"};
};

TEST_F(SpellBookTest, CreateSetsHeaderAndEmptyCounts) {
    TSpellBook fresh(7, 15, -2, "Illusionist");
    EXPECT_EQ(fresh.CasterLevel, 7);
    EXPECT_EQ(fresh.Intelligence, 15);
    EXPECT_EQ(fresh.Frequency, -2);
    EXPECT_EQ(fresh.Specialty, "Illusionist");
    EXPECT_FALSE(fresh.ReferencesOnly);
    EXPECT_EQ(fresh.FileVersion, 0);
    for (int l = 1; l <= 9; ++l) {
        EXPECT_EQ(fresh.LevelCount[l], 0);
    }
}

TEST_F(SpellBookTest, AddRefusesDuplicatesIgnoringCaseAndCountsPerLevel) {
    EXPECT_EQ(book.Count(), 6);
    EXPECT_EQ(NamesOf(book),
              (std::vector<std::string>{"Armor", "Sleep", "Fireball", "Cone", "Bolt", "Wish Lite"}));

    auto dup = MakeSpell(3, "FIREBALL");
    EXPECT_FALSE(book.AddSpell(dup));
    ASSERT_NE(dup, nullptr) << "a refused spell stays with the caller";
    EXPECT_EQ(book.Count(), 6);
    EXPECT_EQ(book.LevelCount[3], 1);

    EXPECT_TRUE(book.AddSpell(MakeSpell(4, "Fireball"))) << "same name at another level";
    EXPECT_EQ(book.LevelCount[4], 1);
    EXPECT_FALSE(book.AddSpell(static_cast<tSpell*>(nullptr)));
    EXPECT_FALSE(book.AddCopy(nullptr));

    EXPECT_FALSE(book.AddCopy(dup.get())) << "refused copy is released (ASan checks)";
    tSpell source(2, "Web", "PHB", 9, 0, "alt", false);
    EXPECT_TRUE(book.AddCopy(&source));
    source.Name = "Changed";
    EXPECT_EQ(book.SpellAt(2, 0)->Name, "Web");
    EXPECT_NE(book.SpellAt(2, 0), &source);
}

TEST_F(SpellBookTest, ReferencesOnlyBookRefusesCopiesAndNeverReleases) {
    auto refs = TSpellBook::Create(0, 0, 0, "");
    refs->MarkReferencesOnly();
    book.First();
    EXPECT_FALSE(refs->AddCopy(book.CurrentSpell()));
    EXPECT_EQ(refs->Count(), 0);
    for (book.First(); book.Current(); book.Next()) {
        EXPECT_TRUE(refs->AddSpell(book.CurrentSpell()));
    }
    refs->First();
    refs->DeleteCurrent();
    refs->Clear();
    EXPECT_EQ(refs->Count(), 0);
    for (int l = 1; l <= 9; ++l) {
        EXPECT_EQ(refs->LevelCount[l], 0);
    }
    // The owner's spells are all still alive and readable.
    EXPECT_EQ(NamesOf(book).size(), 6u);
    refs->AddSpell(book.SpellAt(3, 0));
    refs.reset(); // destroying a references-only book releases nothing
    EXPECT_EQ(book.SpellAt(3, 0)->Name, "Fireball");

    // A unique_ptr handed to a references-only book stays with the caller.
    TSpellBook view;
    view.MarkReferencesOnly();
    auto held = MakeSpell(1, "Held");
    EXPECT_TRUE(view.AddSpell(held));
    EXPECT_NE(held, nullptr);
    view.Clear();
}

TEST_F(SpellBookTest, CursorAccessorsGiveDefaultsWhenNone) {
    book.GoTo(0);
    EXPECT_EQ(book.CurrentSpell(), nullptr);
    EXPECT_EQ(book.CurrentLevel(), 0);
    EXPECT_EQ(book.CurrentName(), " ");
    EXPECT_EQ(book.CurrentBook(), " ");
    EXPECT_EQ(book.CurrentPage(), 0);
    EXPECT_EQ(book.CurrentFrequency(), 0);
    EXPECT_EQ(book.CurrentCategory(), " ");
    EXPECT_FALSE(book.CurrentMemorized());
    EXPECT_EQ(book.CurrentMemorizedLetter(), "N");

    book.AddSpell(tSpell::Create(2, "Web", "ToM", 12, -3, "alt", true));
    ASSERT_NE(book.SpellAt(2, 0), nullptr);
    EXPECT_EQ(book.CurrentLevel(), 2);
    EXPECT_EQ(book.CurrentBook(), "ToM");
    EXPECT_EQ(book.CurrentPage(), 12);
    EXPECT_EQ(book.CurrentFrequency(), -3);
    EXPECT_EQ(book.CurrentCategory(), "alt");
    EXPECT_EQ(book.CurrentMemorizedLetter(), "Y");
}

TEST_F(SpellBookTest, SeekLevelFromAnyStartLandsOnFirstSpellOfLevel) {
    book.SpellAt(7, 1); // cursor on a later level
    book.SeekLevel(5);
    EXPECT_EQ(book.CurrentName(), "Cone");
    book.SpellAt(7, 1);
    book.SeekLevel(4);
    EXPECT_EQ(book.CurrentName(), "Cone") << "no level 4: the lowest level above";
    book.SpellAt(1, 0);
    book.SeekLevel(7);
    EXPECT_EQ(book.CurrentName(), "Bolt") << "forward from an earlier level";
    book.SpellAt(7, 0);
    book.SeekLevel(1);
    EXPECT_EQ(book.CurrentName(), "Armor");
    book.SeekLevel(8);
    EXPECT_EQ(book.Current(), nullptr);

    TSpellBook low;
    low.AddSpell(MakeSpell(4, "Top"));
    low.First();
    low.SeekLevel(5);
    EXPECT_EQ(low.Current(), nullptr) << "highest level is 4";
}

TEST_F(SpellBookTest, SpellAtAddressesWithinOneLevelOnly) {
    EXPECT_EQ(book.SpellAt(1, 1)->Name, "Sleep");
    EXPECT_EQ(book.CurrentName(), "Sleep") << "cursor left on it";
    EXPECT_EQ(book.SpellAt(3, 0)->Name, "Fireball");
    EXPECT_EQ(book.SpellAt(2, 0), nullptr) << "no level 2 although level 3 exists";
    EXPECT_EQ(book.Current(), nullptr);
    EXPECT_EQ(book.SpellAt(1, book.LevelCount[1]), nullptr);
    EXPECT_EQ(book.SpellAt(7, 5), nullptr) << "past the end of the book";
    EXPECT_EQ(book.SpellAt(1, -1), nullptr);
    EXPECT_EQ(book.SpellAt(0, 0), nullptr);
    EXPECT_EQ(book.SpellAt(10, 0), nullptr);
}

TEST_F(SpellBookTest, SpellAtRowByRowStaysRightAcrossEditsAndCursorMoves) {
    for (const char* n : {"Zap", "Mist", "Blink"}) {
        book.AddSpell(MakeSpell(1, n));
    }
    const std::vector<std::string> level1 = {"Armor", "Blink", "Mist", "Sleep", "Zap"};
    auto readLevel = [&] {
        std::vector<std::string> rows;
        for (int i = 0; i < book.LevelCount[1]; ++i) {
            rows.push_back(book.SpellAt(1, i)->Name);
        }
        return rows;
    };
    EXPECT_EQ(readLevel(), level1);
    book.SpellAt(1, 2);
    book.AddSpell(MakeSpell(1, "Charm")); // inserted before the last position read
    EXPECT_EQ(book.SpellAt(1, 3)->Name, "Mist");
    book.SpellAt(1, 1);
    book.DeleteCurrent(); // Blink
    EXPECT_EQ(book.SpellAt(1, 1)->Name, "Charm");
    book.SpellAt(1, 2);
    book.First(); // cursor moved away between reads
    EXPECT_EQ(book.SpellAt(1, 3)->Name, "Sleep");
    EXPECT_EQ(book.SpellAt(1, 0)->Name, "Armor") << "going back re-seeks";
    book.SpellAt(1, 4);
    EXPECT_EQ(book.SpellAt(3, 0)->Name, "Fireball") << "another level re-seeks";
    EXPECT_EQ(book.SpellAt(1, 5), nullptr);
    EXPECT_EQ(book.Current(), nullptr);
}

TEST_F(SpellBookTest, DeletesKeepCountsAndCursorRule) {
    book.SpellAt(3, 0);
    book.DeleteCurrent();
    EXPECT_EQ(book.LevelCount[3], 0);
    EXPECT_EQ(book.SpellAt(3, 0), nullptr);
    EXPECT_EQ(book.Count(), 5);

    book.First();
    book.DeleteCurrent();
    EXPECT_EQ(book.CurrentName(), "Sleep") << "first deleted: cursor on the successor";
    EXPECT_EQ(book.LevelCount[1], 1);

    book.SpellAt(7, 1);
    book.DeleteCurrent();
    EXPECT_EQ(book.CurrentName(), "Bolt") << "last deleted: cursor on the predecessor";

    book.GoTo(0);
    book.DeleteCurrent();
    EXPECT_EQ(book.Count(), 3);

    book.Clear();
    EXPECT_EQ(book.Count(), 0);
    for (int l = 1; l <= 9; ++l) {
        EXPECT_EQ(book.LevelCount[l], 0);
    }
}

TEST_F(SpellBookTest, RandomSpellStaysWithinItsLevelAndReachesEverySpell) {
    book.AddSpell(MakeSpell(7, "Cyclone"));
    std::map<std::string, int> seen;
    for (int i = 0; i < 600; ++i) {
        book.GoTo(book.Count()); // start from anywhere
        tSpell* s = book.RandomSpell(7);
        ASSERT_NE(s, nullptr);
        ASSERT_EQ(s->Level, 7);
        ++seen[s->Name];
    }
    EXPECT_EQ(seen.size(), 3u);
    for (auto& [name, n] : seen) {
        EXPECT_GT(n, 120) << name; // about 200 each
    }
    EXPECT_EQ(book.RandomSpell(3)->Name, "Fireball") << "a level with one spell";
    EXPECT_EQ(book.RandomSpell(4)->Name, "Cone") << "empty level: first spell above";
    EXPECT_EQ(book.RandomSpell(8), nullptr);
}

TEST_F(SpellBookTest, FindByNameIsExactAndIgnoresLevel) {
    EXPECT_EQ(book.FindByName("Cone")->Level, 5);
    EXPECT_EQ(book.CurrentName(), "Cone");
    EXPECT_EQ(book.FindByName("cone"), nullptr);
    EXPECT_EQ(book.Current(), nullptr);
}

TEST(SpellBookOrder, SortedAndShuffledInsertsGiveTheSameBook) {
    std::vector<std::pair<int, std::string>> spells;
    for (int l = 1; l <= 9; ++l) {
        for (int i = 0; i < 40; ++i) {
            spells.push_back({l, "Spell " + std::to_string(1000 + i * 7 % 40)});
        }
    }
    TSpellBook sorted, shuffled;
    for (auto& [l, n] : spells) {
        sorted.AddSpell(MakeSpell(l, n));
    }
    SeedRandom(7);
    for (size_t i = spells.size(); i > 1; --i) {
        std::swap(spells[i - 1], spells[static_cast<size_t>(RandomInt(static_cast<int32_t>(i)))]);
    }
    for (auto& [l, n] : spells) {
        shuffled.AddSpell(MakeSpell(l, n));
    }
    EXPECT_EQ(NamesOf(sorted), NamesOf(shuffled));
    EXPECT_EQ(sorted.LevelCount, shuffled.LevelCount);
    int previousLevel = 0;
    std::string previousName;
    for (shuffled.First(); shuffled.Current(); shuffled.Next()) {
        if (shuffled.CurrentLevel() == previousLevel) {
            EXPECT_LT(CompareTextAscii(previousName, shuffled.CurrentName()), 0);
        }
        EXPECT_GE(shuffled.CurrentLevel(), previousLevel);
        previousLevel = shuffled.CurrentLevel();
        previousName = shuffled.CurrentName();
    }
}

} // namespace
