#include "files/SpellLine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

using Fields = std::vector<std::string>;

TEST(SplitCommaTextTest, SplitsByTheCommaTextRule) {
    const struct {
        std::string line;
        Fields fields;
    } cases[] = {
        {"a,b", {"a", "b"}},
        {"  a , b ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a"}},
        {",a", {"", "a"}},
        {"   ", {}},
        {"", {}},
        {"\"\"", {""}},
        {"\"\",\"\"", {"", ""}},
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"a,b\" c", {"a,b", "c"}},
        {"3,Fire Ball,PHB", {"3", "Fire", "Ball", "PHB"}},
        {"\"abc", {"ab"}}, // no closing quote: the rest without its last byte
        {"x,\"", {"x", ""}},
        {"\"ab\"cd,e", {"ab", "cd", "e"}}, // a field starting right after a closing quote
        {"\t\"x\"\x01,\x02y", {"x", "y"}},
        {std::string("a\0b,c", 5), {std::string("a\0b", 3), "c"}}, // byte 0 does not end a field
        {"\xE9t\xE9,\xFF", {"\xE9t\xE9", "\xFF"}},
        {"\"\"\"\"", {"\""}},
        {"\"a\"\"", {"a"}}, // a doubled quote at the end closes nothing
        {"\"\"\"", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitCommaText(c.line), c.fields) << c.line;
    }
}

TEST(ParseIntegerTest, AcceptsOnlyWholeInt32Texts) {
    const struct {
        std::string text;
        bool valid;
        int32_t value;
    } cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-7", true, -7},
        {"+7", true, 7},
        {"  12", true, 12},
        {"0000000000000000000012", true, 12},
        {"$1F", true, 31},
        {"$ff", true, 255},
        {"$7FFFFFFF", true, std::numeric_limits<int32_t>::max()},
        {"2147483647", true, std::numeric_limits<int32_t>::max()},
        {"-2147483648", true, std::numeric_limits<int32_t>::min()},
        {"$80000000", false, 0},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999999", false, 0},
        {"", false, 0},
        {" ", false, 0},
        {"$", false, 0},
        {"-", false, 0},
        {"12 ", false, 0},
        {"1.5", false, 0},
        {"-$5", false, 0},
        {"$-5", false, 0},
        {"$G", false, 0},
        {"\t5", false, 0},
        {"Fireball", false, 0},
    };
    for (const auto& c : cases) {
        int32_t value = 99;
        EXPECT_EQ(ParseInteger(c.text, value), c.valid) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(ParseSpellLineTest, ReadsTheSevenFields) {
    auto fireball = ParseSpellLine("3,\"Fireball\",\"PHB\",150,\"C\",\"e/c\",\"N\"");
    ASSERT_TRUE(fireball);
    EXPECT_EQ(*fireball, tSpell(3, "Fireball", "PHB", 150, 0, "e/c", false));

    auto fire = ParseSpellLine("3,Fire Ball,PHB");
    ASSERT_TRUE(fire);
    EXPECT_EQ(*fire, tSpell(3, "Fire", "Ball", 0, 0, "", false));

    auto web = ParseSpellLine("2,\"Web\",\"\",,\"r\",\"alt\",\"y\"");
    ASSERT_TRUE(web);
    EXPECT_EQ(*web, tSpell(2, "Web", "", 0, -2, "alt", true));

    auto wish = ParseSpellLine("9,\"Wish\"");
    ASSERT_TRUE(wish);
    EXPECT_EQ(*wish, tSpell(9, "Wish", "", 0, 0, "", false));

    auto odd = ParseSpellLine("$4,\"Odd\",\"B\",-12,\"X\",\"c\",\"yes\",extra,fields");
    ASSERT_TRUE(odd);
    EXPECT_EQ(*odd, tSpell(4, "Odd", "B", -12, 0, "c", false));

    auto vrare = ParseSpellLine("1,\"A\",\"B\",1,\"Very rare\",\"c\",\"Y\"");
    ASSERT_TRUE(vrare);
    EXPECT_EQ(vrare->Frequency, -3);
    EXPECT_TRUE(vrare->Memorized);
}

TEST(ParseSpellLineTest, YieldsNoSpellWithoutLevelOrName) {
    for (const char* line : {"0,\"Cantrip\"", "10,\"Wish\"", "-1,\"X\"", "3,\"\"", "3", "", " ", "5",
                             "Illusionist", "x,\"Name\"", "3.0,\"Name\""}) {
        EXPECT_FALSE(ParseSpellLine(line)) << line;
    }
}

TEST(FormatSpellLineTest, WritesTheFixedShape) {
    EXPECT_EQ(FormatSpellLine(tSpell(3, "Fireball", "PHB", 150, 0, "e/c", false)),
              "3,\"Fireball\",\"PHB\",150,\"C\",\"e/c\",\"N\"");
    EXPECT_EQ(FormatSpellLine(tSpell(1, "Say \"hi\"", "", -5, -4, "", true)),
              "1,\"Say \"\"hi\"\"\",\"\",-5,\"S\",\"\",\"Y\"");
}

TEST(FormatSpellLineTest, EverySpellReadsBackEqual) {
    const tSpell spells[] = {
        {3, "Fireball", "PHB", 150, 0, "e/c", false},
        {1, "Vandermeere's \"Hand\"", "ToM, vol. 2", 7, -1, "abj, c/s", true},
        {2, "  blanks  ", " ", 0, -2, "a;b", false},
        {9, "\"", "\"\"", std::numeric_limits<int32_t>::min(), -3, "\",", true},
        {5, "\xE9t\xE9 \xFF", "\x80", std::numeric_limits<int32_t>::max(), -4, "\x01\x1F", false},
        {4, ",", "", 1, 0, "", false},
        {6, std::string("nul\0byte", 8), "b", 2, -1, "c", true},
    };
    for (const tSpell& spell : spells) {
        auto back = ParseSpellLine(FormatSpellLine(spell));
        ASSERT_TRUE(back) << spell.Name;
        EXPECT_EQ(*back, spell) << FormatSpellLine(spell);
    }
}

// Names of every length up to 40 from bytes near the double quote (its
// high-bit twin, neighbours, blanks, commas) read back equal: the quote that
// closes a field is found wherever it falls among eight-byte words.
TEST(FormatSpellLineTest, NamesOfEveryLengthAndQuotePlaceReadBackEqual) {
    const char alphabet[] = {'"', '\xA2', '\xA3', '\xFF', '!', '#', 'a', ' ', ',', '\0'};
    uint32_t state = 1;
    for (size_t length = 1; length <= 40; ++length) {
        for (int round = 0; round < 40; ++round) {
            std::string name;
            for (size_t i = 0; i < length; ++i) {
                state = state * 1103515245u + 12345u;
                name += alphabet[(state >> 16) % sizeof alphabet];
            }
            const tSpell spell(1, name, "b\"", 1, 0, name, false);
            auto back = ParseSpellLine(FormatSpellLine(spell));
            ASSERT_TRUE(back) << FormatSpellLine(spell);
            ASSERT_EQ(*back, spell) << FormatSpellLine(spell);
        }
    }
}

TEST(FormatCommaTextTest, QuotesWhatTheSplitWouldChange) {
    const struct {
        Fields items;
        std::string text;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"abj"}, "abj"},
        {{"alt", "ill"}, "alt,ill"},
        {{"c s"}, "\"c s\""},
        {{"a\"b", "x,y"}, "\"a\"\"b\",\"x,y\""},
        {{"", "a"}, ",a"},
        {{"a", ""}, "a,\"\""},
        {{"", ""}, ",\"\""},
        {{"\xE9", "\x7F"}, "\xE9,\x7F"},
        {{" lead", "tab\t"}, "\" lead\",\"tab\t\""},
        {{std::string(1, '\0')}, std::string("\"\0\"", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCommaText(c.items), c.text);
        EXPECT_EQ(SplitCommaText(FormatCommaText(c.items)), c.items) << c.text;
    }
}

} // namespace

// Lines the program writes take a quicker path than the comma-text rule; on
// lines in that shape, near it, cut short or with any byte changed, both must
// give the same spell.
TEST(ParseSpellLineTest, QuickPathAgreesWithTheRule) {
    std::vector<std::string> lines = {
        "3,\"Fireball\",\"PHB\",150,\"C\",\"e/c\",\"N\"",
        "1,\"Say \"\"hi\"\"\",\"\",-5,\"S\",\"\",\"Y\"",
        "9,\"\"\"\",\"Tome, vol. 2\",0,\"v\",\"abj, alt\",\"y\"",
        "2,\"a,b\",\"\"\"x\"\"\",999999999,\"R\",\",\",\"N\"",
        "2,\"n\",\"b\",1000000000,\"R\",\"c\",\"N\"",
        "2,\"n\",\"b\",-999999999,\"U\",\"c\",\"N\"",
        "2,\"n\",\"b\",-0,\"Q\",\"c\",\"n\"",
        "2,\"n\",\"b\",2147483648,\"C\",\"c\",\"Y\"",
        "4,\"\xE9\xFF \x01\",\"\x80\",7,\"\xC3\",\"\xA0\",\"\xD9\"",
        "5,\" lead\",\"trail \",+3,\"C\",\"c\",\"N\"",
        "5,\"n\",\"b\",3,\"C\",\"c\",\"N\",\"extra\"",
        "5,\"n\",\"b\",3,\"C\",\"c\",\"N\" ",
        "5, \"n\",\"b\",3,\"C\",\"c\",\"N\"",
        "5,\"n\" ,\"b\",3,\"C\",\"c\",\"N\"",
        "5,\"n\",\"b\", 3,\"C\",\"c\",\"N\"",
        "5,\"n\",\"b\",3,\"CC\",\"c\",\"NN\"",
        "5,\"n\",\"b\",3,\"C\",\"c\",\"Yes\"",
        "5,\"n\",\"b\",3,\"\",\"c\",\"\"",
        "5,\"n\",\"b\",3,\"\"\"\",\"c\",\"\"\"\"",
        "5,\"n\"\"\",\"b\",3,\"C\",\"c\",\"N",
        "0,\"n\",\"b\",3,\"C\",\"c\",\"N\"",
        "10,\"n\",\"b\",3,\"C\",\"c\",\"N\"",
        "5,\"\",\"b\",3,\"C\",\"c\",\"N\"",
        std::string("5,\"n\0x\",\"b\",3,\"C\",\"\0\",\"N\"", 24),
        // Quotes on either side of the window's 64-byte words: a doubled
        // pair across them, a text closing or opening at either edge, and
        // pairs in both words.
        "2,\"" + std::string(60, 'a') + "\"\"b\",\"x\"\"y\",12,\"R\",\"c\"\"\",\"Y\"",
        "2,\"" + std::string(60, 'a') + "\",\"book\",5,\"C\",\"cat\",\"N\"",
        "2,\"" + std::string(59, 'a') + "\",\"book\",5,\"C\",\"cat\",\"N\"",
        "7,\"" + std::string(20, 'a') + "\"\"" + std::string(50, 'b') + "\"\"q\",\"\",0,\"U\",\"\",\"N\"",
        // A written line of 128 bytes with more bytes after it.
        "1,\"" + std::string(106, 'n') + "\",\"b\",1,\"C\",\"c\",\"N\"" + "x,\"N\"",
    };
    // Every line of the table also cut at every length, and with each byte in
    // turn replaced by a blank, a comma, a quote, a digit, a byte 0 or a high byte.
    const size_t written = lines.size();
    for (size_t l = 0; l < written; ++l) {
        const std::string line = lines[l];
        for (size_t i = 0; i < line.size(); ++i) {
            lines.push_back(line.substr(0, i));
            for (const char c : {' ', ',', '"', '7', '\0', '\xFE'}) {
                std::string changed = line;
                changed[i] = c;
                lines.push_back(changed);
            }
        }
    }
    const auto valuesOf = [](const tSpellLineFields& f) {
        return std::tie(f.Level, f.Name, f.Book, f.Page, f.Frequency, f.Category, f.Memorized);
    };
    size_t spells = 0;
    size_t inBuffer = 0;
    for (const std::string& line : lines) {
        tSpellLineFields quick, rule;
        const bool read = ParseSpellLineFields(line, quick);
        ASSERT_EQ(read, ParseSpellLineFieldsByRule(line, rule)) << line;
        if (read) {
            ++spells;
            EXPECT_EQ(valuesOf(quick), valuesOf(rule)) << line;
        }
        // The same line where the line reader holds it, followed by each
        // line end and more bytes, or by a CR that ends what was read: it
        // is taken with its whole line end and the rule's values, or left
        // to be read as a line; a short line as the program writes it (with
        // a page of at most nine digits) is taken whenever its end is known.
        const bool asWritten = read && line.size() < 100 && rule.Page > -1000000000 &&
                               rule.Page < 1000000000 &&
                               FormatSpellLine(tSpell(rule.Level, rule.Name, rule.Book, rule.Page,
                                                      rule.Frequency, rule.Category, rule.Memorized)) == line;
        for (const std::string_view end : {"\r\n", "\n", "\r", "\r\"\n", "\n\r\n"}) {
            for (const bool cut : {false, true}) {
                std::string bytes = line + std::string(end) + "3,\"n\",\"b\",1,\"C\",\"c\",\"N\"\r\n";
                const size_t shown = cut ? line.size() + 1 : bytes.size();
                bytes.resize(bytes.size() + tLineReader::ReadablePastEnd, '"');
                tSpellLineFields buffered;
                const size_t used =
                    ParseWrittenSpellLineInBuffer(std::string_view(bytes.data(), shown), buffered);
                EXPECT_TRUE(used != 0 || !asWritten || (cut && end.starts_with("\r"))) << line;
                if (used != 0) {
                    ++inBuffer;
                    const size_t endSize = end.starts_with("\r\n") ? 2 : 1;
                    ASSERT_TRUE(read) << line;
                    EXPECT_EQ(used, line.size() + endSize) << line;
                    EXPECT_FALSE(cut && end.starts_with("\r")) << line;
                    EXPECT_EQ(valuesOf(buffered), valuesOf(rule)) << line;
                }
            }
        }
    }
    EXPECT_GT(spells, lines.size() / 2);
    EXPECT_GT(inBuffer, written);
}
