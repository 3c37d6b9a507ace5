// Book filling: the exact counts per level, what filling leaves alone, the
// specialist's own school first, the selection odds, and a property run over
// many wizards against a generated master list.
#include "files/Fill.h"
#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "model/Random.h"
#include "model/Text.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using Counts = std::array<int32_t, 10>; // [1..9]

Counts CountsOf(const TSpellBook& book) {
    Counts c{};
    for (int32_t l = 1; l <= 9; ++l) {
        c[static_cast<size_t>(l)] = book.LevelCount[static_cast<size_t>(l)];
    }
    return c;
}

Counts MakeCounts(std::initializer_list<int32_t> perLevel) {
    Counts c{};
    size_t l = 1;
    for (int32_t n : perLevel) {
        c[l++] = n;
    }
    return c;
}

void AddSpells(TSpellBook& book, int32_t level, int count, int32_t frequency = 0,
               const std::string& category = "alt", const std::string& prefix = "Spell") {
    for (int i = 0; i < count; ++i) {
        book.AddSpell(MakeSpell(level, prefix + " " + std::to_string(level) + "-" + std::to_string(i),
                                frequency, category));
    }
}

void AddEveryLevel(TSpellBook& book, int perLevel) {
    for (int32_t l = 1; l <= 9; ++l) {
        AddSpells(book, l, perLevel);
    }
}

// The count a level is filled to, worked out from the table's shape: a level
// usable at the previous caster level (columns never shrink) is filled to the
// maximum count, a level just reached to the starting count.
int32_t Target(int32_t caster, int32_t intelligence, int32_t level) {
    if (!IsIntelligence(intelligence) || SpellsPerDay(caster, level) == 0) {
        return 0;
    }
    return SpellsPerDay(caster - 1, level) > 0 ? MaximumCount(intelligence) : StartingCount(intelligence);
}

int CountWithCategory(TSpellBook& book, int32_t level, const std::string& school) {
    int n = 0;
    for (book.First(); book.Current(); book.Next()) {
        n += book.CurrentLevel() == level && ContainsTextAscii(book.CurrentCategory(), school) ? 1 : 0;
    }
    return n;
}

class FillTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSelectionOdds();
        SeedRandom(20240601);
        Specialties = MakeDefaultSpecialties();
    }
    void TearDown() override { ResetSelectionOdds(); }

    std::unique_ptr<tSpecialtyList> Specialties;
};

TEST_F(FillTest, WorkedExamples) {
    TSpellBook master;
    AddEveryLevel(master, 10);
    TSpellBook first(1, 9, 0, "Generalist");
    FillBook(&first, &master, Specialties.get());
    EXPECT_EQ(CountsOf(first), MakeCounts({4}));

    TSpellBook third(3, 9, 0, "Generalist");
    FillBook(&third, &master, Specialties.get());
    EXPECT_EQ(CountsOf(third), MakeCounts({6, 4}));

    TSpellBook few;
    AddSpells(few, 1, 3);
    AddSpells(few, 2, 2);
    AddSpells(few, 3, 5);
    TSpellBook fromFew(3, 9, 0, "Generalist");
    FillBook(&fromFew, &few, Specialties.get());
    EXPECT_EQ(CountsOf(fromFew), MakeCounts({3, 2}));
    EXPECT_FALSE(fromFew.Modified);
}

TEST_F(FillTest, EmptyBookEndsWithMinOfCountAndLegalSpells) {
    TSpellBook master;
    for (int32_t l = 1; l <= 9; ++l) {
        AddSpells(master, l, 4 * l, 0, "alt"); // 4 to 36 spells: some levels run out
        AddSpells(master, l, 3, -1, "div", "Uncommon");
    }
    struct Wizard {
        int32_t caster, intelligence, frequency;
    };
    const Wizard wizards[] = {{1, 9, 0},   {2, 10, 0},   {3, 13, -1}, {5, 15, 0},   {9, 17, -4},
                              {12, 18, 0}, {16, 19, -1}, {18, 20, 0}, {25, 21, -4}, {30, 21, 0}};
    for (const Wizard& w : wizards) {
        TSpellBook book(w.caster, w.intelligence, w.frequency, "Generalist");
        FillBook(&book, &master, Specialties.get());
        for (int32_t l = 1; l <= 9; ++l) {
            const int32_t legal = 4 * l + (w.frequency <= -1 ? 3 : 0);
            EXPECT_EQ(book.CountOfLevel(l), std::min(Target(w.caster, w.intelligence, l), legal))
                << "caster " << w.caster << " intelligence " << w.intelligence << " level " << l;
        }
    }
}

TEST_F(FillTest, FillingAgainAddsNothing) {
    TSpellBook master;
    AddEveryLevel(master, 40);
    TSpellBook book(18, 16, 0, "Generalist");
    FillBook(&book, &master, Specialties.get());
    const std::vector<std::string> once = NamesOf(book);
    ASSERT_EQ(CountsOf(book), MakeCounts({12, 12, 12, 12, 12, 12, 12, 12, 7}));
    FillBook(&book, &master, Specialties.get());
    EXPECT_EQ(NamesOf(book), once);
}

TEST_F(FillTest, OnlyAddsAndNeverTwice) {
    TSpellBook master;
    AddSpells(master, 1, 20);
    AddSpells(master, 2, 20);

    // Over the counts at level 1 (and holding an unusable level-2 spell): kept.
    TSpellBook over(1, 9, 0, "Generalist");
    AddSpells(over, 1, 5);               // the same spells as the master's
    AddSpells(over, 1, 3, 0, "", "Own"); // and some the master lacks
    AddSpells(over, 2, 1);
    const std::vector<std::string> before = NamesOf(over);
    FillBook(&over, &master, Specialties.get());
    EXPECT_EQ(NamesOf(over), before);

    // Partly filled: topped up to the count, the spells held stay, the
    // master's copies of them are not added again (names differ only in case).
    TSpellBook part(3, 9, 0, "Generalist");
    part.AddSpell(MakeSpell(1, "SPELL 1-0", -4, "odd"));
    part.AddSpell(MakeSpell(1, "spell 1-1", -4, "odd"));
    FillBook(&part, &master, Specialties.get());
    EXPECT_EQ(CountsOf(part), MakeCounts({6, 4}));
    EXPECT_EQ(part.SpellAt(1, 0)->Name, "SPELL 1-0");
    EXPECT_EQ(part.SpellAt(1, 0)->Category, "odd");
}

TEST_F(FillTest, NothingForBooksOutsideTheTables) {
    TSpellBook master;
    AddEveryLevel(master, 10);
    struct Wizard {
        int32_t caster, intelligence;
    };
    for (const Wizard& w : {Wizard{0, 9}, Wizard{31, 12}, Wizard{-2, 12}, Wizard{1, 8}, Wizard{12, 22}}) {
        TSpellBook book(w.caster, w.intelligence, 0, "Generalist");
        FillBook(&book, &master, Specialties.get());
        EXPECT_EQ(book.Count(), 0) << w.caster << " " << w.intelligence;
    }
    TSpellBook view(5, 12, 0, "Generalist");
    view.MarkReferencesOnly();
    FillBook(&view, &master, Specialties.get());
    EXPECT_EQ(view.Count(), 0);

    TSpellBook book(5, 12, 0, "Generalist");
    FillBook(nullptr, &master, Specialties.get());
    FillBook(&book, nullptr, Specialties.get());
    EXPECT_EQ(book.Count(), 0);
    TSpellBook empty;
    FillBook(&book, &empty, Specialties.get());
    EXPECT_EQ(book.Count(), 0);
}

TEST_F(FillTest, OnlyLegalSpells) {
    TSpellBook master;
    AddSpells(master, 1, 3, 0, "abj", "Ward");
    AddSpells(master, 1, 10, 0, "alt", "Change");
    AddSpells(master, 1, 10, 0, "div, ill", "Mirage");
    AddSpells(master, 1, 10, -1, "abj", "Uncommon ward");
    AddSpells(master, 1, 10, -4, "div", "Secret");
    for (int seed = 0; seed < 20; ++seed) {
        SeedRandom(static_cast<uint64_t>(seed));
        TSpellBook book(1, 21, 0, "Abjurer");
        FillBook(&book, &master, Specialties.get());
        EXPECT_EQ(NamesOf(book), (std::vector<std::string>{"Ward 1-0", "Ward 1-1", "Ward 1-2"}));
    }
    // Without a specialty list every spell counts as legal; the usable levels
    // still bound the fill.
    TSpellBook book(1, 21, 0, "Abjurer");
    FillBook(&book, &master, nullptr);
    EXPECT_EQ(CountsOf(book), MakeCounts({12}));
}

// A specialist whose own school holds fewer spells than the count gets the
// neutral ones of the second pool too, up to the count.
TEST_F(FillTest, SpecialistIsToppedUpFromBothPools) {
    TSpellBook master;
    AddSpells(master, 1, 2, 0, "i/e", "Blast");
    AddSpells(master, 1, 3, 0, "alt", "Shift");
    AddSpells(master, 1, 4, 0, "e/c", "Charm"); // prohibited for an Invoker
    AddSpells(master, 2, 1, 0, "i/e", "Bolt");
    AddSpells(master, 2, 9, -4, "div", "Sight"); // join the first pool once in 1,000
    for (int seed = 0; seed < 30; ++seed) {
        SeedRandom(static_cast<uint64_t>(seed));
        TSpellBook book(3, 9, -4, "Invoker");
        FillBook(&book, &master, Specialties.get());
        EXPECT_EQ(CountsOf(book), MakeCounts({5, 4})) << seed;
        EXPECT_EQ(CountWithCategory(book, 1, "e/c"), 0);
        EXPECT_EQ(CountWithCategory(book, 2, "i/e"), 1) << seed;
    }
}

TEST_F(FillTest, SpecialistOwnSchoolComesFirst) {
    TSpellBook master;
    AddSpells(master, 1, 5, 0, "i/e", "Blast");
    AddSpells(master, 1, 30, 0, "alt", "Shift");
    AddSpells(master, 1, 30, -4, "div", "Secret");
    const int seeds = 200;
    int allOwn = 0;
    double ownInvoker = 0;
    double ownGeneralist = 0;
    for (int seed = 0; seed < seeds; ++seed) {
        SeedRandom(static_cast<uint64_t>(seed));
        TSpellBook invoker(3, 9, -4, "Invoker");
        FillBook(&invoker, &master, Specialties.get());
        ASSERT_EQ(invoker.CountOfLevel(1), 6);
        const int own = CountWithCategory(invoker, 1, "i/e");
        allOwn += own == 5 ? 1 : 0;
        ownInvoker += own;

        TSpellBook generalist(3, 9, -4, "Generalist");
        FillBook(&generalist, &master, Specialties.get());
        ownGeneralist += CountWithCategory(generalist, 1, "i/e");
    }
    // Common neutral spells join the first pool one in ten, about three of
    // them per book, so not every book holds all five own-school spells, but
    // own-school spells are most of it; a generalist's share is what uniform
    // drawing gives (about 6 x 5/35).
    EXPECT_GT(allOwn, seeds / 10);
    EXPECT_GT(ownInvoker / seeds, 3.0);
    EXPECT_LT(ownGeneralist / seeds, 1.5);
}

// With more own-school spells than the count, neutral spells still get in
// through the first pool, one in ten (Common odds 1) of them: about three of
// the thirty share the first pool with the thirty own-school spells.
TEST_F(FillTest, SomeNeutralSpellsJoinTheFirstPool) {
    TSpellBook master;
    AddSpells(master, 1, 30, 0, "i/e", "Blast");
    AddSpells(master, 1, 30, 0, "alt", "Shift");
    const int seeds = 300;
    double neutral = 0;
    for (int seed = 0; seed < seeds; ++seed) {
        SeedRandom(static_cast<uint64_t>(seed));
        TSpellBook invoker(3, 9, 0, "Invoker");
        FillBook(&invoker, &master, Specialties.get());
        ASSERT_EQ(invoker.CountOfLevel(1), 6);
        neutral += CountWithCategory(invoker, 1, "alt");
    }
    EXPECT_GT(neutral / seeds, 0.3); // about 6 x 3/33
    EXPECT_LT(neutral / seeds, 0.9);
}

// Restricted neutral spells join the first pool once in 1,000: nearly every
// book holds all five own-school spells.
TEST_F(FillTest, OwnSchoolFirstWithRareNeutrals) {
    TSpellBook master;
    AddSpells(master, 1, 5, 0, "i/e", "Blast");
    AddSpells(master, 1, 30, -4, "div", "Secret");
    int allOwn = 0;
    for (int seed = 0; seed < 200; ++seed) {
        SeedRandom(static_cast<uint64_t>(seed));
        TSpellBook invoker(3, 9, -4, "Invoker");
        FillBook(&invoker, &master, Specialties.get());
        ASSERT_EQ(invoker.CountOfLevel(1), 6);
        allOwn += CountWithCategory(invoker, 1, "i/e") == 5 ? 1 : 0;
    }
    EXPECT_GE(allOwn, 190);
}

TEST_F(FillTest, RareSpellsAreDrawnLessOften) {
    TSpellBook master;
    AddSpells(master, 1, 50, 0, "alt", "Common");
    AddSpells(master, 1, 50, -4, "alt", "Restricted");
    auto restrictedShare = [&] {
        int restricted = 0;
        int total = 0;
        for (int seed = 0; seed < 100; ++seed) {
            SeedRandom(static_cast<uint64_t>(seed));
            TSpellBook book(1, 9, -4, "Generalist");
            FillBook(&book, &master, Specialties.get());
            for (book.First(); book.Current(); book.Next()) {
                restricted += book.CurrentFrequency() == -4 ? 1 : 0;
                ++total;
            }
        }
        return double(restricted) / total;
    };
    EXPECT_LT(restrictedShare(), 0.05); // about 1 in 101 with the default odds
    SelectionOdds = {1, 1, 1, 1, 1};
    const double even = restrictedShare();
    EXPECT_GT(even, 0.35);
    EXPECT_LT(even, 0.65);
}

// Many wizards, odds and starting books against a generated master list: the
// exact count of every level, nothing illegal or foreign added, nothing lost,
// and the master list untouched.
TEST_F(FillTest, PropertiesOverManyWizards) {
    std::mt19937 gen(4242);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    const std::vector<std::string> categories = {"abj",  "alt", "c/s", "div",      "e/c",
                                                 "i/e",  "ill", "nec", "abj, alt", "i/e;nec",
                                                 "wild", "",    "Ill", "div, c/s", "\"e/c, x\""};
    const int32_t frequencies[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -1, -1, -1, -1, -2, -2, -2, -3, -3, -4};
    TSpellBook master;
    for (int i = 0; i < 3000; ++i) {
        char name[24];
        std::snprintf(name, sizeof name, "Spell %05d", i);
        master.AddSpell(MakeSpell(pick(1, 9), name, frequencies[pick(0, 19)],
                                  categories[static_cast<size_t>(pick(0, int(categories.size()) - 1))]));
    }
    ASSERT_EQ(master.Count(), 3000);
    std::vector<tSpell> snapshot;
    std::vector<const tSpell*> addresses;
    std::map<std::pair<int32_t, std::string>, const tSpell*> byKey;
    for (master.First(); master.Current(); master.Next()) {
        snapshot.push_back(*master.CurrentSpell());
        addresses.push_back(master.CurrentSpell());
        byKey[{master.CurrentLevel(), AsciiUpperCase(master.CurrentName())}] = master.CurrentSpell();
    }
    std::vector<std::string> specialties = Specialties->Names();
    specialties.push_back("Generalist");
    specialties.push_back("Nobody");

    for (int round = 0; round < 300; ++round) {
        const int32_t caster = pick(0, 12) == 0 ? pick(-1, 32) : pick(1, 30);
        const int32_t intelligence = pick(0, 12) == 0 ? pick(7, 23) : pick(9, 21);
        const std::string specialty = specialties[static_cast<size_t>(pick(0, int(specialties.size()) - 1))];
        TSpellBook book(caster, intelligence, pick(-4, 0), specialty);
        if (pick(0, 3) == 0) {
            for (int32_t& odds : SelectionOdds) {
                odds = pick(-2, 60);
            }
        } else {
            ResetSelectionOdds();
        }
        if (pick(0, 1) == 0) { // start from a book holding some spells
            for (int k = pick(0, 60); k > 0; --k) {
                book.AddCopy(addresses[static_cast<size_t>(pick(0, 2999))]);
            }
            for (int k = pick(0, 5); k > 0; --k) {
                book.AddSpell(MakeSpell(pick(1, 9), "Foreign " + std::to_string(k), 0, "wild"));
            }
        }
        const std::vector<std::string> before = NamesOf(book);
        const Counts initial = CountsOf(book);
        Counts lacking{}; // legal master spells per level that the book lacks
        for (const tSpell* s : addresses) {
            if (IsSpellLegal(s, &book, Specialties.get()) && !book.Contains(s)) {
                ++lacking[static_cast<size_t>(s->Level)];
            }
        }
        Counts expected{};
        for (int32_t l = 1; l <= 9; ++l) {
            const int32_t target = IsCasterLevel(caster) ? Target(caster, intelligence, l) : 0;
            const auto i = static_cast<size_t>(l);
            expected[i] = std::max(initial[i], std::min(target, initial[i] + lacking[i]));
        }

        SeedRandom(static_cast<uint64_t>(round));
        FillBook(&book, &master, Specialties.get());

        const std::string wizard = "round " + std::to_string(round) + ": caster " + std::to_string(caster) +
                                   ", intelligence " + std::to_string(intelligence) + ", " + specialty +
                                   ", frequency " + std::to_string(book.Frequency);
        ASSERT_EQ(CountsOf(book), expected) << wizard;
        std::set<std::string> held;
        for (book.First(); book.Current(); book.Next()) {
            const tSpell* s = book.CurrentSpell();
            ASSERT_TRUE(held.insert(std::to_string(s->Level) + AsciiUpperCase(s->Name)).second) << wizard;
        }
        const std::vector<std::string> after = NamesOf(book);
        for (const std::string& name : before) {
            ASSERT_NE(std::find(after.begin(), after.end(), name), after.end())
                << wizard << ": lost " << name;
        }
        for (book.First(); book.Current(); book.Next()) {
            const tSpell* s = book.CurrentSpell();
            if (std::find(before.begin(), before.end(), s->Name) != before.end()) {
                continue;
            }
            ASSERT_TRUE(IsSpellLegal(s, &book, Specialties.get())) << wizard << ": " << s->Name;
            const auto from = byKey.find({s->Level, AsciiUpperCase(s->Name)});
            ASSERT_NE(from, byKey.end()) << wizard << ": " << s->Name;
            ASSERT_EQ(*s, *from->second) << wizard;
            ASSERT_NE(s, from->second) << wizard; // a copy, not the master's spell
        }
    }
    ASSERT_EQ(master.Count(), 3000);
    size_t k = 0;
    for (master.First(); master.Current(); master.Next(), ++k) {
        ASSERT_EQ(master.CurrentSpell(), addresses[k]);
        ASSERT_EQ(*master.CurrentSpell(), snapshot[k]);
    }
}

} // namespace
