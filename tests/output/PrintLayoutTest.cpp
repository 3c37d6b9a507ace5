// The print layout on pages of every size: the golden files
// (GoldenOutputTest) show the layout itself; here, whatever the columns and
// however long the entries, nothing may leave the page, every spell must
// reach the paper exactly once and no page may be left blank.

#include "FakeSurface.h"

#include "model/Text.h"
#include "output/BookText.h"
#include "output/PrintLayout.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace {

// "<007>": a spell's tag, the first word of its name, found once in a drawing
// that shows the spell once.
std::string Tag(int32_t i) {
    char tag[8];
    std::snprintf(tag, sizeof tag, "<%03d>", i);
    return tag;
}

struct tBookCase {
    const char* Name;
    std::vector<std::string> Names; // each after its tag and a blank
    std::string Caption;
};

std::unique_ptr<TSpellBook> MakeBook(const tBookCase& book) {
    auto spells = std::make_unique<TSpellBook>(12, 16, 0, "Generalist");
    for (size_t i = 0; i < book.Names.size(); ++i) {
        const auto n = static_cast<int32_t>(i);
        const std::string name = book.Names[i].empty() ? Tag(n) : Tag(n) + " " + book.Names[i];
        EXPECT_TRUE(
            spells->AddSpell(MakeSpell(1 + n % 3, name, 0, "alt", n % 4 == 0 ? "" : "Tome", n, n % 5 == 0)));
    }
    return spells;
}

TEST(PrintLayoutTest, EverySpellIsDrawnOnceWithinThePageWhateverItsSizeAndTheColumns) {
    std::vector<std::string> shortNames(23, "");
    std::vector<std::string> longNames;
    for (int32_t i = 0; i < 40; ++i) {
        // Names of 6 to 60 bytes, with blanks between their words.
        longNames.push_back(std::string("Grand Ward of the Seventh Silver Gate of the Old Tower")
                                .substr(0, static_cast<size_t>(i * 37 % 55)));
    }
    std::vector<std::string> overWide = longNames;
    overWide.resize(12);
    overWide[3] = "Litany";
    for (int32_t i = 0; i < 30; ++i) {
        overWide[3] += " of Stars";
    }
    overWide[7] = std::string(300, 'w') + " and more";
    const std::string longPath = std::string(1, PathMark) + "/home/reader/books/" + std::string(80, 'p') +
                                 "/Sp\xC3\xA9lls.SPB" + std::string(1, PathMark);
    const tBookCase books[] = {
        {"short entries", shortNames, "untitled"},
        {"entries up to 60 bytes", longNames, "untitled"},
        {"entries and a caption wider than a page", overWide, longPath},
    };

    for (const tBookCase& bookCase : books) {
        const auto book = MakeBook(bookCase);
        for (const int32_t width : {120, 300, 600, 2000}) {
            for (const int32_t height : {1, 14, 15, 29, 30, 44, 60, 75, 100, 1000}) {
                for (int32_t columns = -1; columns <= 5; ++columns) {
                    SCOPED_TRACE(std::string(bookCase.Name) + ", page " + std::to_string(width) + "x" +
                                 std::to_string(height) + ", columns " + std::to_string(columns));
                    tOutputOptions options;
                    options.Columns = columns;
                    options.Category = columns % 2 == 0;
                    tFakeSurface paper(width, height);
                    DrawBook(*book, bookCase.Caption, options, tPrintMedium::Paper, paper);
                    tFakeSurface preview(width, height);
                    DrawBook(*book, bookCase.Caption, options, tPrintMedium::Preview, preview);

                    for (const tDrawnText& text : DrawnTexts(preview.Recording)) {
                        EXPECT_LE(text.Right(), width) << "preview: " << text.Text;
                    }

                    std::istringstream lines(paper.Recording);
                    std::string previous;
                    for (std::string line; std::getline(lines, line); previous = line) {
                        EXPECT_FALSE(line == "new page" &&
                                     (previous == "new page" || previous.starts_with("surface")));
                    }
                    EXPECT_NE(previous, "new page");
                    const std::vector<tDrawnText> drawn = DrawnTexts(paper.Recording);
                    std::string all;
                    for (const tDrawnText& text : drawn) {
                        EXPECT_GE(text.X, 0) << text.Text;
                        EXPECT_LE(text.Right(), width) << text.Text;
                        EXPECT_EQ(std::count(text.Text.begin(), text.Text.end(), PathMark) % 2, 0)
                            << text.Text;
                        // A page that holds a level header with a line below
                        // it holds every line.
                        if (height >= 60) {
                            EXPECT_LE(text.Y + tFakeSurface::CharHeight, height) << text.Text;
                        }
                        all += text.Text + "\n";
                    }
                    for (size_t i = 0; i < bookCase.Names.size(); ++i) {
                        const std::string tag = Tag(static_cast<int32_t>(i));
                        const size_t at = all.find(tag);
                        EXPECT_TRUE(at != std::string::npos && all.find(tag, at + 1) == std::string::npos)
                            << tag << " drawn once";
                    }
                    EXPECT_EQ(Ink(drawn), BookInk(*book, bookCase.Caption, options));
                }
            }
        }
    }
}

} // namespace
