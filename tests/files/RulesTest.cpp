// Legality, pruning, the odds draw and the filter lists of titles and
// categories.
#include "files/Rules.h"
#include "files/Odds.h"
#include "model/Random.h"
#include "model/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace {

std::vector<std::string> NamesOfSpells(const std::vector<std::unique_ptr<tSpell>>& spells) {
    std::vector<std::string> names;
    for (const auto& s : spells) {
        names.push_back(s->Name);
    }
    return names;
}

TEST(IsSpellLegal, Rules) {
    auto specialties = MakeDefaultSpecialties();
    struct Case {
        const char* what;
        int32_t spellLevel, spellFrequency;
        const char* category;
        int32_t casterLevel, bookFrequency;
        const char* specialty;
        bool legal;
    };
    const Case cases[] = {
        {"level 3 at caster 4", 3, 0, "alt", 4, 0, "Generalist", false},
        {"level 3 at caster 5", 3, 0, "alt", 5, 0, "Generalist", true},
        {"level 9 at caster 17", 9, 0, "alt", 17, -4, "Generalist", false},
        {"level 9 at caster 18", 9, 0, "alt", 18, -4, "Generalist", true},
        {"very rare, book rare", 1, -3, "alt", 1, -2, "Generalist", false},
        {"very rare, book very rare", 1, -3, "alt", 1, -3, "Generalist", true},
        {"very rare, book restricted", 1, -3, "alt", 1, -4, "Generalist", true},
        {"uncommon, book common", 1, -1, "alt", 1, 0, "Generalist", false},
        {"abjurer, alt", 1, 0, "alt", 1, 0, "Abjurer", false},
        {"abjurer, ill inside a list", 1, 0, "abj, ILL", 1, 0, "Abjurer", false},
        {"abjurer, own school", 1, 0, "abj", 1, 0, "Abjurer", true},
        {"abjurer named in lower case", 1, 0, "alt", 1, 0, "abjurer", false},
        {"generalist, any school", 1, 0, "alt, ill, nec", 1, 0, "Generalist", true},
        {"unknown specialty", 1, 0, "alt", 1, 0, "Wild Mage", true},
        {"caster level 0", 1, 0, "alt", 0, 0, "Generalist", false},
        {"caster level 31", 1, 0, "alt", 31, 0, "Generalist", false},
        {"spell level 0", 0, 0, "alt", 30, 0, "Generalist", false},
        {"spell level 10", 10, 0, "alt", 30, 0, "Generalist", false},
    };
    for (const Case& c : cases) {
        TSpellBook book(c.casterLevel, 12, c.bookFrequency, c.specialty);
        auto spell = MakeSpell(c.spellLevel, "Probe", c.spellFrequency, c.category);
        EXPECT_EQ(IsSpellLegal(spell.get(), &book, specialties.get()), c.legal) << c.what;
    }
}

TEST(IsSpellLegal, NoneArgumentsAreLegal) {
    auto specialties = MakeDefaultSpecialties();
    TSpellBook book(1, 9, 0, "Abjurer");
    auto spell = MakeSpell(9, "Beyond reach", -4, "alt");
    EXPECT_TRUE(IsSpellLegal(spell.get(), nullptr, specialties.get()));
    EXPECT_TRUE(IsSpellLegal(nullptr, &book, specialties.get()));
    EXPECT_TRUE(IsSpellLegal(spell.get(), &book, nullptr));
    EXPECT_FALSE(IsSpellLegal(spell.get(), &book, specialties.get()));
}

// An Abjurer at caster level 3 with a Rare limit.
std::unique_ptr<TSpellBook> MixedBook() {
    auto book = TSpellBook::Create(3, 12, -2, "Abjurer");
    book->AddSpell(MakeSpell(1, "A alt", 0, "alt"));         // prohibited
    book->AddSpell(MakeSpell(1, "B restricted", -4, "abj")); // too rare
    book->AddSpell(MakeSpell(1, "C fine", 0, "abj"));        // legal
    book->AddSpell(MakeSpell(1, "D illusion", 0, "ill"));    // prohibited
    book->AddSpell(MakeSpell(1, "E fine", -2, "div"));       // legal
    book->AddSpell(MakeSpell(2, "F fine", 0, ""));           // legal
    book->AddSpell(MakeSpell(3, "G too high", 0, "abj"));    // caster 3 has no level 3
    book->AddSpell(MakeSpell(9, "H too high", 0, "abj"));    // last spell, illegal
    return book;
}

TEST(PurgeIllegalSpells, RemovesEachIllegalSpellAndHandsItBack) {
    auto specialties = MakeDefaultSpecialties();
    auto book = MixedBook();
    const auto removed = PurgeIllegalSpells(*book, *specialties);
    EXPECT_EQ(NamesOf(*book), (std::vector<std::string>{"C fine", "E fine", "F fine"}));
    EXPECT_EQ(NamesOfSpells(removed),
              (std::vector<std::string>{"A alt", "B restricted", "D illusion", "G too high", "H too high"}));
    EXPECT_EQ(book->LevelCount[1], 2);
    EXPECT_EQ(book->LevelCount[2], 1);
    EXPECT_EQ(book->LevelCount[3], 0);
    EXPECT_EQ(book->LevelCount[9], 0);
    EXPECT_EQ(removed[1]->Frequency, -4);
    EXPECT_EQ(removed[1]->Category, "abj");
    EXPECT_FALSE(book->Modified);

    // A second purge finds nothing.
    EXPECT_TRUE(PurgeIllegalSpells(*book, *specialties).empty());
    EXPECT_EQ(book->Count(), 3);
}

TEST(PurgeIllegalSpells, AllIllegalAndEmptyBooks) {
    auto specialties = MakeDefaultSpecialties();
    TSpellBook book(0, 9, 0, "Generalist"); // caster level 0 can use nothing
    book.AddSpell(MakeSpell(1, "One"));
    book.AddSpell(MakeSpell(1, "Two"));
    book.AddSpell(MakeSpell(2, "Three"));
    EXPECT_EQ(PurgeIllegalSpells(book, *specialties).size(), 3u);
    EXPECT_EQ(book.Count(), 0);
    EXPECT_EQ(book.LevelCount[1], 0);
    EXPECT_TRUE(PurgeIllegalSpells(book, *specialties).empty());
}

TEST(PurgeIllegalSpells, ReferencesOnlyBookReleasesNothing) {
    auto specialties = MakeDefaultSpecialties();
    auto owner = MixedBook();
    TSpellBook view(3, 12, -2, "Abjurer");
    view.MarkReferencesOnly();
    for (owner->First(); owner->Current(); owner->Next()) {
        view.AddSpell(owner->CurrentSpell());
    }
    const auto removed = PurgeIllegalSpells(view, *specialties);
    EXPECT_EQ(removed.size(), 5u);
    EXPECT_EQ(NamesOf(view), (std::vector<std::string>{"C fine", "E fine", "F fine"}));
    // The owner still holds every spell, intact (a release would show under
    // AddressSanitizer here or when the owner goes).
    EXPECT_EQ(owner->Count(), 8);
    EXPECT_EQ(NamesOf(*owner).front(), "A alt");
    EXPECT_EQ(owner->SpellAt(1, 1)->Frequency, -4);
}

class OddsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSelectionOdds();
        SeedRandom(7);
    }
    void TearDown() override { ResetSelectionOdds(); }
};

TEST_F(OddsTest, DefaultsAndNames) {
    EXPECT_EQ(DefaultOdds, (std::array<int32_t, 5>{100, 20, 10, 5, 1}));
    EXPECT_EQ(SelectionOdds, DefaultOdds);
    EXPECT_EQ(FrequencyNames,
              (std::array<std::string, 5>{"Restricted", "Very Rare", "Rare", "Uncommon", "Common"}));
    EXPECT_EQ(OddsFor(-4), 100);
    EXPECT_EQ(OddsFor(-1), 5);
    EXPECT_EQ(OddsFor(0), 1);
    SelectionOdds = {7, 6, 5, 4, 3};
    EXPECT_EQ(OddsFor(-3), 6);
    EXPECT_EQ(OddsFor(1), 3); // out of range reads as Common
    EXPECT_EQ(OddsFor(-5), 3);
    ResetSelectionOdds();
    EXPECT_EQ(SelectionOdds, DefaultOdds);
}

TEST_F(OddsTest, DrawAcceptsOneInOdds) {
    SelectionOdds = {100, 20, 10, 4, 1};
    int accepted[5] = {};
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        for (int32_t f = -4; f <= 0; ++f) {
            accepted[f + 4] += OddsDrawAccepts(f) ? 1 : 0;
        }
    }
    EXPECT_EQ(accepted[4], draws);
    EXPECT_NEAR(accepted[3] / double(draws), 0.25, 0.02);
    EXPECT_NEAR(accepted[2] / double(draws), 0.10, 0.015);
    EXPECT_NEAR(accepted[0] / double(draws), 0.01, 0.004);
}

TEST_F(OddsTest, OddsBelowOneAlwaysAccept) {
    SelectionOdds = {0, -1, -32768, 1, 1};
    for (int i = 0; i < 200; ++i) {
        EXPECT_TRUE(OddsDrawAccepts(-4));
        EXPECT_TRUE(OddsDrawAccepts(-3));
        EXPECT_TRUE(OddsDrawAccepts(-2));
    }
}

TEST(BookTitles, DistinctIgnoringCaseSortedFirstMetKept) {
    TSpellBook book;
    book.AddSpell(MakeSpell(1, "a", 0, "", "PHB"));
    book.AddSpell(MakeSpell(1, "b", 0, "", "phb"));
    book.AddSpell(MakeSpell(1, "c", 0, "", "ToM"));
    EXPECT_EQ(BookTitles(book), (std::vector<std::string>{"PHB", "ToM"}));
    EXPECT_EQ(book.Current(), nullptr);

    TSpellBook other;
    other.AddSpell(MakeSpell(1, "a", 0, "", "zeta"));
    other.AddSpell(MakeSpell(1, "b", 0, "", "Beta"));
    other.AddSpell(MakeSpell(2, "a", 0, "", "alpha"));
    other.AddSpell(MakeSpell(2, "b", 0, "", ""));
    other.AddSpell(MakeSpell(3, "a", 0, "", "BETA"));
    other.AddSpell(MakeSpell(3, "b", 0, "", "\xC9lan"));
    EXPECT_EQ(BookTitles(other), (std::vector<std::string>{"", "alpha", "Beta", "zeta", "\xC9lan"}));

    TSpellBook empty;
    EXPECT_TRUE(BookTitles(empty).empty());
}

// A master list where each pair of spells shares a title and categories that
// no other spell has, in no particular order: the lists come out sorted, one
// of each (the first met), in n log n.
TEST(BookTitles, LargeListsAreSortedAndMergedQuickly) {
    TSpellBook book;
    const int count = 60000;
    for (int i = 0; i < count; ++i) {
        const std::string key = std::to_string((i / 2) * 7919 % (count / 2) + 100000);
        const bool first = i % 2 == 0;
        book.AddSpell(MakeSpell(1 + i * 9 / count, "Spell " + std::to_string(100000 + i), 0,
                                first ? "Cat " + key + ", cat " + key : "cat " + key,
                                (first ? "BOOK " : "Book ") + key));
    }
    // Timed beside a baseline of the same size in the same build (sanitizers
    // slow both alike): the texts of every spell copied out and sorted.
    const auto baselineStart = std::chrono::steady_clock::now();
    std::vector<std::string> texts;
    for (book.First(); book.Current(); book.Next()) {
        texts.emplace_back(book.CurrentSpell()->Book);
        texts.emplace_back(book.CurrentSpell()->Category);
    }
    std::sort(texts.begin(), texts.end(),
              [](const std::string& a, const std::string& b) { return CompareTextAscii(a, b) < 0; });
    const auto baseline = std::chrono::steady_clock::now() - baselineStart;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> titles = BookTitles(book);
    const std::vector<std::string> categories = CategoryNames(book);
    const auto took = std::chrono::steady_clock::now() - start;
    // Shifting the list on each insert takes hundreds of times the baseline.
    EXPECT_LT(took, 20 * baseline + std::chrono::milliseconds(50));
    for (const auto* list : {&titles, &categories}) {
        ASSERT_EQ(list->size(), static_cast<size_t>(count / 2));
        for (size_t i = 1; i < list->size(); ++i) {
            ASSERT_LT(CompareTextAscii((*list)[i - 1], (*list)[i]), 0) << (*list)[i];
        }
    }
    EXPECT_TRUE(
        std::all_of(titles.begin(), titles.end(), [](const auto& t) { return t.starts_with("BOOK "); }));
    EXPECT_TRUE(std::all_of(categories.begin(), categories.end(),
                            [](const auto& c) { return c.starts_with("Cat "); }));
}

TEST(CategoryNames, SplitsAndMerges) {
    struct Case {
        std::vector<std::string> categories;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {{"abj", "alt, ill", "ill;nec"}, {"abj", "alt", "ill", "nec"}},
        {{"abj, alt; nec"}, {"abj, alt", "nec"}},             // a tie: the split at ";" wins
        {{"abj; alt, ill, nec"}, {"abj; alt", "ill", "nec"}}, // more commas
        {{"\"a,b\", c"}, {"a,b", "c"}},                       // a quoted comma is no separator
        {{"\"a;b\"; c;d"}, {"a;b", "c", "d"}},
        {{"Alt", "ALT", "alt"}, {"Alt"}}, // first met stays
        {{"", "nec"}, {"nec"}},           // an empty text has no field
        {{"nec,"}, {"", "nec"}},          // a trailing separator gives an empty field
    };
    for (const Case& c : cases) {
        TSpellBook book;
        int n = 0;
        for (const std::string& category : c.categories) {
            book.AddSpell(MakeSpell(1, "Spell " + std::to_string(n++), 0, category));
        }
        EXPECT_EQ(CategoryNames(book), c.names) << c.categories.front();
        EXPECT_EQ(book.Current(), nullptr);
    }
}

} // namespace
