// Whole outputs against the golden files of tests/data: the book's text as it
// goes to the clipboard, and the preview and paper drawings on a surface of
// fixed metrics (tests/output/FakeSurface.h).

#include "FakeSurface.h"

#include "files/SpellbookFile.h"
#include "output/BookText.h"
#include "output/PrintLayout.h"
#include "support/Golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace {

// "Face:Height[:bold][:italic]".
tOutputFont FontOf(const std::string& text) {
    tOutputFont font;
    std::istringstream parts(text);
    std::getline(parts, font.Face, ':');
    std::string part;
    std::getline(parts, part, ':');
    font.Height = std::stoi(part);
    while (std::getline(parts, part, ':')) {
        font.Bold = font.Bold || part == "bold";
        font.Italic = font.Italic || part == "italic";
    }
    return font;
}

tOutputOptions OptionsOf(const tGoldenRun& run) {
    tOutputOptions options;
    options.Columns = run.Number("columns", options.Columns);
    options.Memorized = run.Number("memorized", 1) != 0;
    options.BookPage = run.Number("bookpage", 1) != 0;
    options.Category = run.Number("category", 0) != 0;
    options.Frequency = run.Number("frequency", 0) != 0;
    if (const std::string font = run.Option("font"); !font.empty()) {
        options.Font = FontOf(font);
    }
    return options;
}

// Runs check(run, book, caption, options) for every golden run whose file
// starts with prefix (at least atLeast of them), on the run's book, and
// checks that the book is left unchanged.
template <class tCheck> void ForEachRun(const std::string& prefix, size_t atLeast, tCheck check) {
    const std::vector<tGoldenRun> runs = GoldenRuns(prefix);
    EXPECT_GE(runs.size(), atLeast) << prefix;
    for (const tGoldenRun& run : runs) {
        SCOPED_TRACE(run.Folder / run.File);
        auto book = ReadSpellbookFile((run.Folder / "book.spb").string());
        ASSERT_NE(book, nullptr) << run.Folder / "book.spb";
        book->Modified = false;
        const int32_t count = book->Count();
        check(run, *book, run.Option("caption", "untitled"), OptionsOf(run));
        EXPECT_EQ(book->Count(), count);
        EXPECT_FALSE(book->Modified);
    }
}

// What a paper drawing must keep: no text passes the page's right or bottom
// edge, every spell and every other text is drawn (whole, however its lines
// break), and every underlined header is followed by the output font again.
void ExpectNothingLost(const std::string& recording, int32_t pageWidth, int32_t pageHeight, TSpellBook& book,
                       const std::string& caption, const tOutputOptions& options) {
    std::istringstream lines(recording);
    std::vector<std::string> all;
    for (std::string line; std::getline(lines, line);) {
        all.push_back(line);
    }
    ASSERT_GE(all.size(), 2u);
    int32_t headers = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i] == "underline") {
            ++headers;
            ASSERT_LT(i + 2, all.size());
            EXPECT_TRUE(all[i + 1].starts_with("text ")) << all[i + 1];
            EXPECT_EQ(all[i + 2], all[1]) << "the font after header " << headers;
        }
    }
    const std::vector<tDrawnText> texts = DrawnTexts(recording);
    for (const tDrawnText& text : texts) {
        EXPECT_LE(text.Right(), pageWidth) << text.Text;
        EXPECT_LE(text.Y + tFakeSurface::CharHeight, pageHeight) << text.Text;
    }
    EXPECT_EQ(Ink(texts), BookInk(book, caption, options));
}

TEST(GoldenOutputTest, BookTextsMatch) {
    ForEachRun("text", 10,
               [](const tGoldenRun& run, TSpellBook& book, const std::string& caption,
                  const tOutputOptions& options) {
                   ExpectGolden(run, JoinLines(BuildOutputText(book, caption, options)));
               });
}

TEST(GoldenOutputTest, PreviewDrawingsMatchOnOneImage) {
    ForEachRun("preview", 6,
               [](const tGoldenRun& run, TSpellBook& book, const std::string& caption,
                  const tOutputOptions& options) {
                   tFakeSurface surface(551, 442);
                   DrawBook(book, caption, options, tPrintMedium::Preview, surface);
                   ExpectGolden(run, surface.Recording);
                   EXPECT_EQ(surface.Pages, 1);
               });
}

TEST(GoldenOutputTest, PaperDrawingsMatchAndLoseNothing) {
    ForEachRun("paper", 10,
               [](const tGoldenRun& run, TSpellBook& book, const std::string& caption,
                  const tOutputOptions& options) {
                   int32_t width = 0;
                   int32_t height = 0;
                   ASSERT_EQ(std::sscanf(run.Option("page").c_str(), "%dx%d", &width, &height), 2)
                       << "page=WxH";
                   tFakeSurface surface(width, height);
                   DrawBook(book, caption, options, tPrintMedium::Paper, surface);
                   ExpectGolden(run, surface.Recording);
                   ExpectNothingLost(surface.Recording, width, height, book, caption, options);
               });
}

} // namespace
