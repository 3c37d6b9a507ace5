#include "master/SpellFilter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// A small pool: levels 1 to 3, three frequencies, categories and books in
// mixed case.
std::unique_ptr<TSpellBook> MakePool() {
    auto pool = TSpellBook::Create(0, 0, 0, "");
    pool->AddSpell(MakeSpell(1, "Alarm", 0, "abj", "PHB"));
    pool->AddSpell(MakeSpell(1, "Change Self", -1, "ALT", "phb"));
    pool->AddSpell(MakeSpell(1, "Charm Person", 0, "ench/alt", "ToM"));
    pool->AddSpell(MakeSpell(2, "Blur", -2, "ill", "PHB"));
    pool->AddSpell(MakeSpell(2, "Web", 0, "alt,e/c", "PHB 2"));
    pool->AddSpell(MakeSpell(3, "Fireball", -4, "i/e", ""));
    return pool;
}

std::vector<std::string> Filtered(TSpellBook& pool, const tSpellFilter& filter) {
    TSpellBook shown;
    shown.MarkReferencesOnly();
    ApplyFilter(pool, shown, filter);
    return NamesOf(shown);
}

} // namespace

TEST(SpellFilter, EachTestAlone) {
    auto pool = MakePool();
    using Names = std::vector<std::string>;
    tSpellFilter none;
    EXPECT_EQ(Filtered(*pool, none).size(), 6u);

    tSpellFilter category;
    category.Category = "alt"; // contained, any case
    EXPECT_EQ(Filtered(*pool, category), (Names{"Change Self", "Charm Person", "Web"}));

    tSpellFilter frequency;
    frequency.Frequency = 0;
    EXPECT_EQ(Filtered(*pool, frequency), (Names{"Alarm", "Charm Person", "Web"}));
    frequency.Frequency = -4;
    EXPECT_EQ(Filtered(*pool, frequency), (Names{"Fireball"}));

    tSpellFilter source;
    source.SourceBook = "Phb"; // the whole title, any case; "PHB 2" is another book
    EXPECT_EQ(Filtered(*pool, source), (Names{"Alarm", "Change Self", "Blur"}));
    source.SourceBook = "PH";
    EXPECT_TRUE(Filtered(*pool, source).empty());
}

TEST(SpellFilter, TextsThatAreNotPresentAreNoTest) {
    auto pool = MakePool();
    for (const std::string text : {"", " "}) {
        tSpellFilter filter;
        filter.Category = text;
        filter.SourceBook = text;
        EXPECT_EQ(Filtered(*pool, filter).size(), 6u) << "'" << text << "'";
    }
    // Two blanks sort after one blank: the text is present and matches nothing.
    tSpellFilter twoBlanks;
    twoBlanks.Category = "  ";
    EXPECT_TRUE(Filtered(*pool, twoBlanks).empty());
}

TEST(SpellFilter, TestsCombineAndMatchBookKeepsLegalSpells) {
    auto pool = MakePool();
    auto specialties = MakeDefaultSpecialties();
    // A caster level 3 Abjurer admitting Uncommon: levels 1 and 2, no alt/ill.
    auto book = TSpellBook::Create(3, 12, -1, "Abjurer");

    tSpellFilter filter;
    filter.MatchBook = book.get();
    filter.Specialties = specialties.get();
    EXPECT_EQ(Filtered(*pool, filter), (std::vector<std::string>{"Alarm"}));

    auto generalist = TSpellBook::Create(3, 12, -2, "Generalist");
    filter.MatchBook = generalist.get();
    EXPECT_EQ(Filtered(*pool, filter),
              (std::vector<std::string>{"Alarm", "Change Self", "Charm Person", "Blur", "Web"}));
    filter.Category = "alt";
    filter.SourceBook = "PHB";
    EXPECT_EQ(Filtered(*pool, filter), (std::vector<std::string>{"Change Self"}));
}

TEST(SpellFilter, ViewHoldsReferencesAndIsRebuiltEachTime) {
    auto pool = MakePool();
    TSpellBook shown;
    shown.MarkReferencesOnly();
    tSpellFilter filter;
    filter.Frequency = 0;
    ApplyFilter(*pool, shown, filter);
    ASSERT_EQ(shown.Count(), 3);
    EXPECT_EQ(shown.LevelCount[1], 2);
    EXPECT_EQ(shown.LevelCount[2], 1);
    // The view points at the pool's own spells.
    EXPECT_EQ(shown.SpellAt(2, 0), pool->SpellAt(2, 1));

    ShowWholePool(*pool, shown);
    EXPECT_EQ(shown.Count(), 6);
    filter.Frequency = -2;
    ApplyFilter(*pool, shown, filter);
    EXPECT_EQ(NamesOf(shown), (std::vector<std::string>{"Blur"}));
    EXPECT_EQ(pool->Count(), 6);

    TSpellBook empty;
    ShowWholePool(empty, shown);
    EXPECT_EQ(shown.Count(), 0);
}

TEST(SpellFilter, AnOwningViewIsLeftAlone) {
    auto pool = MakePool();
    TSpellBook owning;
    owning.AddSpell(MakeSpell(5, "Keep", 0));
    ShowWholePool(*pool, owning);
    EXPECT_EQ(NamesOf(owning), (std::vector<std::string>{"Keep"}));
}
