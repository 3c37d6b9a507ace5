#include "output/SpellListLine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

TEST(SpellListLine, LaysOutEveryFieldWithOrWithoutTheMark) {
    struct Case {
        tSpell spell;
        bool withMark;
        std::string line;
    };
    const std::vector<Case> cases = {
        {{1, "Magic Missile", "Tome", 12, 0, "e/c", true}, true, "Magic Missile*  (e/c) [Tome 12] - C"},
        {{1, "Magic Missile", "Tome", 12, 0, "e/c", true}, false, "Magic Missile  (e/c) [Tome 12] - C"},
        {{3, "Fireball", "PHB", 150, -2, "i/e", false}, true, "Fireball  (i/e) [PHB 150] - R"},
        // Empty category and book keep their blanks and brackets.
        {{2, "Web", "", 0, -4, "", false}, false, "Web  () [ 0] - S"},
        {{9, "Wish", "ToM", -3, -3, "alt", false}, false, "Wish  (alt) [ToM -3] - V"},
        {{4, "Odd", "B", 1, -1, "x", false}, false, "Odd  (x) [B 1] - U"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpellListLine(c.spell, c.withMark), c.line) << c.line;
    }
}

TEST(SpellListLine, LinesOfOneLevelInBookOrder) {
    TSpellBook book;
    book.AddSpell(MakeSpell(2, "web", 0, "alt", "PHB", 3, true));
    book.AddSpell(MakeSpell(1, "Sleep", 0, "e/c", "PHB", 1));
    book.AddSpell(MakeSpell(2, "Blur", -1, "ill", "PHB", 2));
    book.AddSpell(MakeSpell(3, "Haste", 0, "alt", "PHB", 4));

    EXPECT_EQ(SpellListLines(book, 2, true),
              (std::vector<std::string>{"Blur  (ill) [PHB 2] - U", "web*  (alt) [PHB 3] - C"}));
    EXPECT_EQ(SpellListLines(book, 2, false)[1], "web  (alt) [PHB 3] - C");
    EXPECT_TRUE(SpellListLines(book, 5, false).empty());
    EXPECT_TRUE(SpellListLines(book, 0, false).empty());
    EXPECT_TRUE(SpellListLines(book, 10, false).empty());
}
