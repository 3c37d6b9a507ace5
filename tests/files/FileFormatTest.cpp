// The file formats, walked through their registry: each writes every case of
// tests/data/formats/cases as the golden file of its folder
// (tests/data/formats/<name>/), reads back what it writes, and carries a spell
// list through it byte for byte; the refusals of the formats that read, one
// table; the Markdown pages rendered by a CommonMark renderer.

#include "files/FileFormat.h"
#include "files/Rules.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "files/Windows1252.h"
#include "model/Random.h"
#include "support/Golden.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <iconv.h>
#include <sstream>

namespace {

namespace fs = std::filesystem;

fs::path FormatsFolder() {
    const char* root = std::getenv("QUILL_TEST_DATA");
    return root ? fs::path(root) / "formats" : fs::path();
}

// The input books of the golden cases, in name order.
std::vector<fs::path> Cases() {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(FormatsFolder() / "cases")) {
        cases.push_back(entry.path());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string Written(const tFileFormat& format, TSpellBook& book, const std::string& caption) {
    std::ostringstream out;
    tFormatError error;
    EXPECT_TRUE(format.Write(book, caption, out, error)) << format.Name() << ": " << error.Describe();
    return out.str();
}

std::unique_ptr<TSpellBook> ReadBytesAs(const tFileFormat& format, const std::string& bytes,
                                        tFormatError& error) {
    std::istringstream in(bytes);
    return format.Read(in, error);
}

std::string ListBytes(TSpellBook& book) {
    return Written(SpellListFormat(), book, "");
}

TEST(FileFormatTest, EveryFormatWritesEachCaseAsItsGoldenFile) {
    ASSERT_GE(Cases().size(), 5u) << FormatsFolder();
    for (const tFileFormat* format : FileFormats()) {
        if (!format->CanWrite()) {
            continue;
        }
        for (const fs::path& input : Cases()) {
            SCOPED_TRACE(std::string(format->Name()) + " " + input.filename().string());
            auto book = ReadSpellbookFile(input.string());
            ASSERT_TRUE(book);
            const std::string before = Written(SpellbookFormat(), *book, "");
            const tGoldenRun run{FormatsFolder() / format->Name(),
                                 input.stem().string() + "." + std::string(format->Extension()),
                                 {}};
            ExpectGolden(run, Written(*format, *book, input.filename().string()));
            EXPECT_EQ(book->Current(), nullptr);
            EXPECT_EQ(Written(SpellbookFormat(), *book, ""), before);
        }
    }
}

// Read back, a file gives the same spells, and written again the same bytes
// (the header too, where the format keeps it).
TEST(FileFormatTest, EveryFormatReadsBackWhatItWrites) {
    for (const tFileFormat* format : FileFormats()) {
        if (!format->CanRead() || !format->CanWrite()) {
            continue;
        }
        for (const fs::path& input : Cases()) {
            SCOPED_TRACE(std::string(format->Name()) + " " + input.filename().string());
            auto book = ReadSpellbookFile(input.string());
            ASSERT_TRUE(book);
            const std::string bytes = Written(*format, *book, "caption");
            tFormatError error;
            auto back = ReadBytesAs(*format, bytes, error);
            ASSERT_TRUE(back) << error.Describe();
            EXPECT_EQ(error.Error, FileError::None);
            EXPECT_EQ(ListBytes(*back), ListBytes(*book));
            EXPECT_EQ(Written(*format, *back, "caption"), bytes);
            if (format->KeepsHeader()) {
                EXPECT_EQ(Written(SpellbookFormat(), *back, ""), Written(SpellbookFormat(), *book, ""));
            }
        }
    }
}

// A list of count spells with random names, books and categories of blanks,
// quotes, commas, tabs, every 8-bit byte and the marks of Markdown, some of
// them empty; every level, frequency, page sign and memorized mark.
std::unique_ptr<TSpellBook> RandomList(int32_t count) {
    std::string alphabet = "aZ \t\",|*_<>&\\#`[]~!";
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        alphabet += static_cast<char>(byte);
    }
    const auto text = [&alphabet](int32_t longest) {
        std::string made;
        for (int32_t n = RandomInt(longest + 1); n > 0; --n) {
            made += alphabet[static_cast<size_t>(RandomInt(static_cast<int32_t>(alphabet.size())))];
        }
        return made;
    };
    auto book = TSpellBook::Create(0, 0, 0, "");
    while (book->Count() < count) {
        std::string name = text(12);
        if (name.empty()) {
            continue;
        }
        book->AddSpell(std::make_unique<tSpell>(1 + RandomInt(9), name, text(6), RandomInt(2001) - 1000,
                                                -RandomInt(5), text(4), RandomInt(2) == 1));
    }
    return book;
}

TEST(FileFormatTest, ASpellListComesBackByteForByteThroughEveryFormat) {
    std::vector<std::pair<std::string, std::string>> lists;
    const fs::path sample = FormatsFolder().parent_path().parent_path().parent_path() / "data" / "MASTER.DAT";
    lists.emplace_back("sample list", ReadBytes(sample));
    ASSERT_GT(lists.back().second.size(), 1000u) << sample;
    SeedRandom(29);
    for (int32_t count : {1, 50, 400}) {
        lists.emplace_back("random list of " + std::to_string(count), ListBytes(*RandomList(count)));
    }
    for (const tFileFormat* format : FileFormats()) {
        if (!format->CanRead() || !format->CanWrite()) {
            continue;
        }
        for (const auto& [what, list] : lists) {
            tFormatError error;
            auto book = ReadBytesAs(SpellListFormat(), list, error);
            ASSERT_TRUE(book);
            auto back = ReadBytesAs(*format, Written(*format, *book, what), error);
            ASSERT_TRUE(back) << format->Name() << ", " << what << ": " << error.Describe();
            EXPECT_EQ(ListBytes(*back), list) << format->Name() << ", " << what;
        }
    }
}

TEST(FileFormatTest, RefusedFilesNameTheirCause) {
    const std::string header = "level,name,book,page,frequency,category,memorized\r\n";
    struct tCase {
        const tFileFormat& Format;
        std::string Bytes;
        std::string Reason;
    };
    const std::vector<tCase> cases = {
        {CsvFormat(), "", "the header row is missing"},
        {CsvFormat(), "level,name,book,frequency,category,memorized\r\n1,A,,C,,N\r\n",
         "the column \"page\" is missing"},
        {CsvFormat(), "level,name,NAME,book,page,frequency,category,memorized\r\n",
         "the column \"name\" appears twice"},
        {CsvFormat(), header + "1,A,,1,Common,,N\r\n2,\"B,\r\n", "line 3: a quoted cell is not closed"},
        {CsvFormat(), header + "1,\"A\"x,,1,Common,,N\r\n",
         "line 2: a quoted cell has text after its closing quote"},
        {CsvFormat(), header + "1,A,,1,Common,,N\r\n\r\n0,B,,1,Common,,N\r\n",
         "line 4: the level \"0\" is not a whole number from 1 to 9"},
        {CsvFormat(), header + "x,A,,1,Common,,N\r\n",
         "line 2: the level \"x\" is not a whole number from 1 to 9"},
        {CsvFormat(), header + "1,A,,p. 4,Common,,N\r\n", "line 2: the page \"p. 4\" is not a whole number"},
        {CsvFormat(), header + "1,A,,1,Epic,,N\r\n",
         "line 2: the frequency \"Epic\" is not Common, Uncommon, Rare, Very Rare or Restricted"},
        {CsvFormat(), header + "1,A,,1,Common,,yes\r\n", "line 2: memorized is \"yes\", not Y or N"},
        {CsvFormat(), header + "1,,,1,Common,,N\r\n", "line 2: the name is empty"},
        {CsvFormat(), header + "1,A,,1,,,\r\n1,\"Two\r\nLines\",,1,,,\r\n",
         "line 3: the name holds a line break"},
        {CsvFormat(), header + "1,A,,1,,,\r\n1,B,\xC4\x80,1,,,\r\n",
         "line 3: in the book, the character U+0100 has no Windows-1252 byte"},
        {CsvFormat(), header + "1,A,,1,,\xE9,\r\n", "line 2: in the category, the text is not UTF-8"},
        {JsonFormat(), "{\"spells\": [}",
         "parse error at line 1, column 13: syntax error while parsing value - "
         "unexpected '}'; expected '[', '{', or a literal"},
        {JsonFormat(), "",
         "parse error at line 1, column 1: syntax error while parsing value - "
         "unexpected end of input; expected '[', '{', or a literal"},
        {JsonFormat(), "[]", "it does not hold one object"},
        {JsonFormat(), "{\"caster_level\": 3}", "\"spells\" is missing"},
        {JsonFormat(), "{\"spells\": {}}", "\"spells\" is not a list"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"A\"}, 7]}", "spell 2 is not an object"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1}]}", "spell 1: \"name\" is missing"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"A\"}, {\"level\": 10, \"name\": \"B\"}]}",
         "spell 2: the level 10 is not from 1 to 9"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1.5, \"name\": \"A\"}]}",
         "spell 1: \"level\" is not a whole number"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"A\", \"page\": 3000000000}]}",
         "spell 1: \"page\" is not a whole number"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": 5}]}", "spell 1: \"name\" is not a text"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"A\", \"memorized\": \"Y\"}]}",
         "spell 1: \"memorized\" is not true or false"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"A\", \"frequency\": \"C\"}]}",
         "spell 1: \"frequency\" is not Common, Uncommon, Rare, Very Rare or Restricted"},
        {JsonFormat(), "{\"spells\": [{\"level\": 1, \"name\": \"\\u0100\"}]}",
         "spell 1: in the name, the character U+0100 has no Windows-1252 byte"},
        {JsonFormat(), "{\"specialty\": \"\\ud83d\\ude00\", \"spells\": []}",
         "in the specialty, the character U+1F600 has no Windows-1252 byte"},
        {JsonFormat(), "{\"spells\": [], \"intelligence\": \"12\"}",
         "\"intelligence\" is not a whole number"},
    };
    for (const tCase& c : cases) {
        tFormatError error;
        EXPECT_FALSE(ReadBytesAs(c.Format, c.Bytes, error)) << c.Bytes;
        EXPECT_EQ(error.Error, FileError::BadContent) << c.Bytes;
        EXPECT_EQ(error.Reason, c.Reason) << c.Bytes;
    }
}

// What a spreadsheet may save: a byte-order mark, LF line ends, the columns
// in another order and among others, every cell quoted or none, words in
// other letter cases, empty cells, empty rows, no line end at the end. Each
// reads to the same spells.
TEST(FileFormatTest, CsvReadsWhatSpreadsheetsSave) {
    const std::string expected = "1,\"Alarm\",\"Codex, 2nd\",12,\"R\",\"abj\",\"Y\"\r\n"
                                 "1,\"Sl\xE9\"\"ep\",\"\",0,\"C\",\"e/c\",\"N\"\r\n"
                                 "3,\"Fireball\",\"Codex\",-4,\"V\",\"\",\"N\"\r\n \r\n";
    const std::vector<std::string> files = {
        "level,name,book,page,frequency,category,memorized\r\n3,Fireball,Codex,-4,Very Rare,,N\r\n"
        "1,Alarm,\"Codex, 2nd\",12,Rare,abj,Y\r\n1,\"Sl\xC3\xA9\"\"ep\",,0,Common,e/c,N\r\n",
        "\xEF\xBB\xBFlevel,name,book,page,frequency,category,memorized\n1,Alarm,\"Codex, "
        "2nd\",12,Rare,abj,Y\n"
        "1,\"Sl\xC3\xA9\"\"ep\",,0,Common,e/c,N\n3,Fireball,Codex,-4,Very Rare,,N",
        "Name,Notes,Memorized,Level,Category,Book,Frequency,Page\r\n\"Fireball\",\"hot\",\"n\",\"3\",\"\","
        "\"Codex\",\"very rare\",\"-4\"\r\n,,,,,,,\r\n\r\n\"Alarm\",,\"y\",\"1\",\"abj\",\"Codex, "
        "2nd\",\"RARE\","
        "\"12\"\r\n\"Sl\xC3\xA9\"\"ep\",,,1,e/c,,,\r\n\"alarm\",second is dropped,,1,,,,\r\n\r\n",
    };
    for (const std::string& file : files) {
        tFormatError error;
        auto book = ReadBytesAs(CsvFormat(), file, error);
        ASSERT_TRUE(book) << error.Describe() << "\n" << file;
        EXPECT_EQ(ListBytes(*book), expected) << file;
        EXPECT_EQ(book->CasterLevel, 5) << "worked out as for a spell list";
    }
}

TEST(FileFormatTest, Windows1252MapsEveryByteAsBrowsersDo) {
    // Every byte has a character and comes back; the bytes Windows leaves
    // undefined stand for the C1 controls of the same number, the others are
    // those of the C library's own table.
    iconv_t toUtf8 = iconv_open("UTF-8", "CP1252");
    ASSERT_NE(toUtf8, reinterpret_cast<iconv_t>(-1));
    for (int value = 1; value <= 0xFF; ++value) {
        std::string byte(1, static_cast<char>(value));
        const std::string utf8 = Utf8Of1252(byte);
        std::string back;
        tUtf8Refusal refusal;
        EXPECT_TRUE(Windows1252OfUtf8(utf8, back, refusal)) << value;
        EXPECT_EQ(back, byte) << value;
        char out[8] = {};
        char* in = byte.data();
        char* to = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        if (iconv(toUtf8, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1)) {
            EXPECT_EQ(utf8, std::string(out, to)) << value;
        } else {
            EXPECT_NE(std::string("\x81\x8D\x8F\x90\x9D").find(static_cast<char>(value)), std::string::npos)
                << value;
            EXPECT_EQ(utf8, "\xC2" + byte) << value;
        }
    }
    iconv_close(toUtf8);

    const std::vector<std::pair<std::string, std::string>> refused = {
        {"\xC4\x80", "the character U+0100 has no Windows-1252 byte"},
        {"a\xE2\x82\xAD", "the character U+20AD has no Windows-1252 byte"},
        {"\xC0\x80", "the text is not UTF-8"},     // an overlong NUL
        {"\xED\xA0\x80", "the text is not UTF-8"}, // a surrogate
        {"\xE2\x82", "the text is not UTF-8"},     // cut short
        {"\xF5\x80\x80\x80", "the text is not UTF-8"},
    };
    for (const auto& [utf8, reason] : refused) {
        std::string out;
        tUtf8Refusal refusal;
        EXPECT_FALSE(Windows1252OfUtf8(utf8, out, refusal)) << utf8;
        EXPECT_EQ(DescribeRefusal(refusal), reason) << utf8;
    }
}

TEST(FileFormatTest, FormatsAreFoundByNameAndExtension) {
    EXPECT_EQ(FindFileFormat("CSV"), &CsvFormat());
    EXPECT_EQ(FindFileFormat("Spellbook"), &SpellbookFormat());
    EXPECT_EQ(FindFileFormat("pdf"), nullptr);
    EXPECT_EQ(FileFormatOfPath("a/b/Spells.JSON"), &JsonFormat());
    EXPECT_EQ(FileFormatOfPath("notes.md"), &MarkdownFormat());
    EXPECT_EQ(FileFormatOfPath("MASTER.DAT"), &SpellListFormat());
    EXPECT_EQ(FileFormatOfPath("csv"), nullptr);
    EXPECT_EQ(FileFormatOfPath("spells.csv.bak"), nullptr);
    EXPECT_EQ(FileFormatOfPath("book.xspb"), nullptr);
    for (const tFileFormat* format : FileFormats()) {
        EXPECT_TRUE(fs::is_directory(FormatsFolder() / format->Name()) || !format->CanWrite())
            << format->Name();
    }
    EXPECT_EQ(DialogFilterOf(true), "*.DAT (data files)|*.DAT|*.SPB (Spellbook Files)|*.SPB|"
                                    "*.CSV (comma-separated values)|*.csv|*.JSON (JSON files)|*.json|"
                                    "*.* (all files)|*.*");
    EXPECT_EQ(DialogFilterOf(false), "*.DAT (data files)|*.DAT|*.SPB (Spellbook Files)|*.SPB|"
                                     "*.MD (Markdown files)|*.md|*.CSV (comma-separated values)|*.csv|"
                                     "*.JSON (JSON files)|*.json|*.* (all files)|*.*");
}

// --- Markdown, rendered -----------------------------------------------------

// The text of an HTML fragment: tags dropped, the entities cmark writes
// turned back into their characters.
std::string HtmlText(std::string_view html) {
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            continue;
        }
        if (html[i] == '&') {
            const size_t end = html.find(';', i);
            const std::string_view entity = html.substr(i, end + 1 - i);
            text += entity == "&amp;" ? "&" : entity == "&lt;" ? "<" : entity == "&gt;" ? ">" : "\"";
            EXPECT_TRUE(entity == "&amp;" || entity == "&lt;" || entity == "&gt;" || entity == "&quot;")
                << entity;
            i = end;
            continue;
        }
        text += html[i];
    }
    return text;
}

// The texts of every element of the tags (such as "td") in document order.
std::vector<std::string> ElementTexts(const std::string& html, const std::vector<std::string>& tags) {
    std::vector<std::string> texts;
    for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        for (const std::string& tag : tags) {
            if (html.compare(at + 1, tag.size(), tag) == 0 &&
                (html[at + 1 + tag.size()] == '>' || html[at + 1 + tag.size()] == ' ')) {
                const size_t start = html.find('>', at) + 1;
                const size_t end = html.find("</" + tag + ">", start);
                texts.push_back(HtmlText(std::string_view(html).substr(start, end - start)));
            }
        }
    }
    return texts;
}

// What the page of the book must show: the title, the caster's lines, each
// level's heading, and the table's cells row by row, each exactly its text.
std::vector<std::string> ExpectedTexts(TSpellBook& book, const std::string& caption) {
    std::vector<std::string> texts = {caption, "Caster Level: " + std::to_string(book.CasterLevel),
                                      "Caster Intelligence: " + std::to_string(book.Intelligence),
                                      "Caster Specialty: " + Utf8Of1252(book.Specialty),
                                      "Spell Frequency: " + FrequencyTitle(book.Frequency)};
    for (int32_t level = 1; level <= 9; ++level) {
        if (book.CountOfLevel(level) == 0) {
            continue;
        }
        texts.push_back("Level " + std::to_string(level) +
                        " (number per day: " + std::to_string(NumberPerDay(book, level)) + ")");
        for (const char* column : {"Memorized", "Name", "Book", "Page", "Category", "Frequency"}) {
            texts.emplace_back(column);
        }
        book.SeekLevel(level);
        for (int32_t i = 0; i < book.CountOfLevel(level); ++i, book.Next()) {
            const tSpell& spell = *book.CurrentSpell();
            for (const std::string& cell :
                 {std::string(spell.Memorized ? "*" : ""), Utf8Of1252(spell.Name), Utf8Of1252(spell.Book),
                  std::to_string(spell.Page), Utf8Of1252(spell.Category), FrequencyTitle(spell.Frequency)}) {
                texts.push_back(cell);
            }
        }
    }
    return texts;
}

TEST(FileFormatTest, MarkdownShowsEveryTextExactlyAsRendered) {
    if (std::system("command -v cmark-gfm >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "cmark-gfm is not installed (scripts/test.sh installs it)";
    }
    std::vector<std::pair<std::string, std::unique_ptr<TSpellBook>>> books;
    for (const fs::path& input : Cases()) {
        books.emplace_back(input.filename().string(), ReadSpellbookFile(input.string()));
    }
    SeedRandom(4);
    books.emplace_back(" *Random* #list# ", RandomList(300));
    books.back().second->Specialty = "\\_|Mixed|_\\";
    TempDir dir;
    for (auto& [caption, book] : books) {
        SCOPED_TRACE(caption);
        ASSERT_TRUE(book);
        WriteBytes(dir / "page.md", Written(MarkdownFormat(), *book, caption));
        const std::string command = "cmark-gfm -e table -e strikethrough -e autolink " +
                                    (dir / "page.md").string() + " > " + (dir / "page.html").string();
        ASSERT_EQ(std::system(command.c_str()), 0);
        const std::vector<std::string> shown =
            ElementTexts(ReadBytes(dir / "page.html"), {"h1", "li", "h2", "th", "td"});
        const std::vector<std::string> expected = ExpectedTexts(*book, Utf8Of1252(caption));
        ASSERT_EQ(shown.size(), expected.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i], expected[i]) << "element " << i;
        }
    }
}

} // namespace
