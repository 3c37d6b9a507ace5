#include "output/BookText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

tOutputOptions OnlyMemorized() {
    tOutputOptions options;
    options.BookPage = false;
    return options;
}

// The body lines of a book holding only level-1 spells.
Lines Level1Body(TSpellBook& book, const tOutputOptions& options) {
    const Lines lines = BuildOutputText(book, "untitled", options);
    EXPECT_GE(lines.size(), 8u);
    return Lines(lines.begin() + 8, lines.end());
}

void AddLevel1(TSpellBook& book, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        ASSERT_TRUE(book.AddSpell(MakeSpell(1, name)));
    }
}

TEST(OutputOptionsTest, DefaultsAreNoneColumnsMemorizedAndBookPageOnSystemFont) {
    const tOutputOptions options;
    EXPECT_EQ(options.Columns, 0);
    EXPECT_TRUE(options.Memorized);
    EXPECT_TRUE(options.BookPage);
    EXPECT_FALSE(options.Category);
    EXPECT_FALSE(options.Frequency);
    EXPECT_EQ(options.Font.Face, "System");
    EXPECT_EQ(options.Font.Height, 17);
    EXPECT_FALSE(options.Font.Bold || options.Font.Italic || options.Font.Underline ||
                 options.Font.StrikeOut);
    EXPECT_FALSE(options.Font.Color.has_value());
}

TEST(EntryTextTest, EachOptionAddsItsPartInOrder) {
    const auto memorized = tSpell::Create(3, "Cinder Veil", "Ashen Grimoire", 150, -2, "e/c", true);
    const auto plain = tSpell::Create(3, "Cinder Veil", "Ashen Grimoire", 0, 0, "", false);
    struct Case {
        const char* what;
        const tSpell* spell;
        bool memorized, bookPage, category, frequency, extras;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"defaults", memorized.get(), true, true, false, false, true, "*Cinder Veil [Ashen Grimoire 150]"},
        {"everything", memorized.get(), true, true, true, true, true,
         "*Cinder Veil (e/c) [Ashen Grimoire 150]-R"},
        {"nothing", memorized.get(), false, false, false, false, true, "Cinder Veil"},
        {"no extras", memorized.get(), true, true, true, true, false, "*Cinder Veil"},
        {"category only", memorized.get(), false, false, true, false, true, "Cinder Veil (e/c)"},
        {"frequency only", memorized.get(), false, false, false, true, true, "Cinder Veil-R"},
        {"page 0, empty category", plain.get(), true, true, true, true, true,
         "Cinder Veil () [Ashen Grimoire 0]-C"},
    };
    for (const Case& c : cases) {
        tOutputOptions options;
        options.Memorized = c.memorized;
        options.BookPage = c.bookPage;
        options.Category = c.category;
        options.Frequency = c.frequency;
        EXPECT_EQ(EntryText(*c.spell, options, c.extras), c.expected) << c.what;
    }
    tOutputOptions letters;
    letters.BookPage = false;
    letters.Frequency = true;
    std::string shown;
    for (int32_t code = 0; code >= -4; --code) {
        shown += EntryText(*MakeSpell(1, "x", code), letters, true);
    }
    EXPECT_EQ(shown, "x-Cx-Ux-Rx-Vx-S");
}

TEST(LevelHeaderTest, SpecialistGetsOneMoreEvenWhereTheTableSaysNone) {
    struct Case {
        int32_t casterLevel;
        const char* specialty;
        int32_t level;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {5, "Generalist", 3, "level: 3     number per day: 1"},
        {5, "Illusionist", 3, "level: 3     number per day: 2"},
        {5, "generalist", 3, "level: 3     number per day: 2"},
        {1, "Generalist", 9, "level: 9     number per day: 0"},
        {1, "Abjurer", 9, "level: 9     number per day: 1"},
        {30, "Generalist", 1, "level: 1     number per day: 7"},
        {0, "Generalist", 1, "level: 1     number per day: 0"},
        {31, "Abjurer", 1, "level: 1     number per day: 1"},
    };
    for (const Case& c : cases) {
        TSpellBook book(c.casterLevel, 12, 0, c.specialty);
        EXPECT_EQ(LevelHeader(book, c.level), c.expected) << c.casterLevel << " " << c.specialty;
    }
}

TEST(BuildOutputTextTest, EmptyBookGivesExactlyTheFiveHeaderLines) {
    TSpellBook book(7, 15, -1, "Necromancer");
    for (int32_t k = 0; k <= 4; ++k) {
        tOutputOptions options;
        options.Columns = k;
        EXPECT_EQ(BuildOutputText(book, "/books/Morrow.SPB", options),
                  (Lines{"Spell Book:/books/Morrow.SPB", "Caster Level: 7", "Caster Intelligence: 15",
                         "Caster Specialty: Necromancer", " "}));
    }
    EXPECT_EQ(JoinLines(BuildOutputText(book, "untitled", tOutputOptions{})),
              "Spell Book:untitled\r\nCaster Level: 7\r\nCaster Intelligence: 15\r\n"
              "Caster Specialty: Necromancer\r\n \r\n");
}

TEST(BuildOutputTextTest, FlowingLayoutPutsTheLevelOnOneLine) {
    TSpellBook book(1, 9, 0, "Generalist");
    AddLevel1(book, {"C", "A"});
    ASSERT_TRUE(book.AddSpell(MakeSpell(1, "B", 0, "", "PHB", 1, true)));
    EXPECT_EQ(Level1Body(book, OnlyMemorized()), Lines{"A,  *B,  C"});
}

TEST(BuildOutputTextTest, ColumnLayoutsFillColumnByColumn) {
    struct Case {
        int32_t columns;
        std::vector<std::string> names;
        Lines body;
    };
    const std::vector<Case> cases = {
        {1, {"A", "B", "C"}, {"A", "B", "C"}},
        {2, {"A", "B", "C", "D", "E"}, {"A\tD", "B\tE", "C\t"}},
        {2, {"A", "B", "C", "D"}, {"A\tC", "B\tD"}},
        {3, {"A", "B", "C", "D", "E", "F", "G"}, {"A\tD\tG", "B\tE\t", "C\tF\t"}},
        {4, {"A", "B"}, {"A\tB\t"}},
        {4, {"A", "B", "C", "D", "E"}, {"A\tC\tE\t", "B\tD\t"}},
        {4, {"A", "B", "C", "D"}, {"A\tB\tC\tD"}},
    };
    for (const Case& c : cases) {
        TSpellBook book(1, 9, 0, "Generalist");
        AddLevel1(book, c.names);
        tOutputOptions options = OnlyMemorized();
        options.Columns = c.columns;
        EXPECT_EQ(Level1Body(book, options), c.body)
            << c.columns << " columns, " << c.names.size() << " spells";
    }
}

TEST(BuildOutputTextTest, ColumnsOutsideTheRangeTakeTheNearerBound) {
    TSpellBook book(1, 9, 0, "Generalist");
    AddLevel1(book, {"A", "B"});
    tOutputOptions options = OnlyMemorized();
    options.Columns = 9;
    EXPECT_EQ(Level1Body(book, options), Lines{"A\tB\t"});
    options.Columns = -3;
    EXPECT_EQ(Level1Body(book, options), Lines{"A,  B"});
}

TEST(BuildOutputTextTest, ExtrasDependOnTheSpellsBookAndTheLayout) {
    TSpellBook book(1, 9, 0, "Generalist");
    ASSERT_TRUE(book.AddSpell(tSpell::Create(1, "A", "", 5, -1, "alt", false)));
    ASSERT_TRUE(book.AddSpell(tSpell::Create(1, "B", " ", 6, -1, "alt", false)));
    ASSERT_TRUE(book.AddSpell(tSpell::Create(1, "C", "\tX", 7, -1, "alt", false)));
    ASSERT_TRUE(book.AddSpell(tSpell::Create(1, "D", "Codex", 0, -1, "alt", false)));
    tOutputOptions options;
    options.Category = true;
    options.Frequency = true;
    EXPECT_EQ(Level1Body(book, options),
              Lines{"A,  B (alt) [  6]-U,  C (alt) [\tX 7]-U,  D (alt) [Codex 0]-U"});
    for (int32_t k = 1; k <= 4; ++k) {
        options.Columns = k;
        const std::string all = JoinLines(Level1Body(book, options));
        EXPECT_EQ(all.find("(alt) [  6]"), std::string::npos) << k;
        EXPECT_EQ(all.find("[\tX"), std::string::npos) << k;
        EXPECT_NE(all.find("D (alt) [Codex 0]-U"), std::string::npos) << k;
    }
    options.Columns = 1;
    EXPECT_EQ(Level1Body(book, options), (Lines{"A", "B", "C", "D (alt) [Codex 0]-U"}));
}

TEST(BuildOutputTextTest, SpecialistNamedLikeGeneralistInOtherCaseGetsTheExtraSpell) {
    TSpellBook book(1, 9, 0, "GENERALIST");
    AddLevel1(book, {"A"});
    ASSERT_TRUE(book.AddSpell(MakeSpell(2, "B")));
    const Lines lines = BuildOutputText(book, "untitled", tOutputOptions{});
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[7], "level: 1     number per day: 2");
    EXPECT_EQ(lines[11], "level: 2     number per day: 1");
}

TEST(JoinLinesTest, EveryLineEndsInCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({""}), "\r\n");
    EXPECT_EQ(JoinLines({"a", "", "b\t"}), "a\r\n\r\nb\t\r\n");
}

} // namespace
