// The print layout on pages of every height: the golden files
// (GoldenOutputTest) show the layout itself; here every spell must reach the
// paper exactly once, on a page, with no blank page, whatever the columns.

#include "FakeSurface.h"

#include "output/BookText.h"
#include "output/PrintLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

namespace {

TEST(PrintLayoutTest, EveryPageHeightKeepsEverySpellOnceAndMakesNoBlankPage) {
    TSpellBook book(12, 16, 0, "Generalist");
    for (int32_t i = 0; i < 23; ++i) {
        ASSERT_TRUE(book.AddSpell(MakeSpell(1 + i % 3, "S" + std::to_string(100 + i))));
    }
    tOutputOptions options;
    options.BookPage = false;
    for (const int32_t height : {1, 14, 15, 29, 30, 44, 60, 75, 100, 1000}) {
        for (int32_t columns = -1; columns <= 5; ++columns) {
            SCOPED_TRACE("page height " + std::to_string(height) + ", columns " + std::to_string(columns));
            options.Columns = columns;
            tFakeSurface surface(120, height);
            DrawBook(book, "untitled", options, tPrintMedium::Paper, surface);
            std::istringstream lines(surface.Recording);
            std::map<std::string, int> drawn;
            std::string previous;
            for (std::string line; std::getline(lines, line); previous = line) {
                EXPECT_FALSE(line == "new page" &&
                             (previous == "new page" || previous.starts_with("surface")));
                int32_t x = 0;
                int32_t y = 0;
                char name[16] = {};
                if (std::sscanf(line.c_str(), "text %d %d |%15[^|]|", &x, &y, name) == 3) {
                    ++drawn[name];
                    // A page that holds the four caster lines holds every line.
                    if (height >= 4 * 15) {
                        EXPECT_LE(y + tFakeSurface::CharHeight, height) << line;
                    }
                }
            }
            EXPECT_NE(previous, "new page");
            for (const std::string& name : NamesOf(book)) {
                EXPECT_EQ(drawn[name], 1) << name;
            }
        }
    }
}

} // namespace
