#include "files/SpellListFile.h"
#include "FileTestSupport.h"
#include "files/SpellLine.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <sstream>

namespace {

std::unique_ptr<TSpellBook> ReadText(const std::string& bytes, FileError* error = nullptr) {
    std::istringstream in(bytes);
    return ReadSpellList(in, error);
}

std::string WriteText(TSpellBook& book) {
    std::ostringstream out;
    EXPECT_TRUE(WriteSpellList(book, out));
    return out.str();
}

TEST(SpellListFileTest, WritesSpellLinesInBookOrderThenOneBlank) {
    TSpellBook book;
    book.AddSpell(tSpell::Create(3, "Fireball", "PHB", 150, 0, "e/c", false));
    book.AddSpell(tSpell::Create(1, "Sleep", "PHB", 154, -1, "e/c", true));
    EXPECT_EQ(WriteText(book), "1,\"Sleep\",\"PHB\",154,\"U\",\"e/c\",\"Y\"\r\n"
                               "3,\"Fireball\",\"PHB\",150,\"C\",\"e/c\",\"N\"\r\n"
                               " \r\n");
    EXPECT_EQ(book.Current(), nullptr);

    TSpellBook empty;
    EXPECT_EQ(WriteText(empty), " \r\n");
}

TEST(SpellListFileTest, RoundTripKeepsEverySpell) {
    TSpellBook book;
    int32_t page = 0;
    for (int32_t frequency = -4; frequency <= 0; ++frequency) {
        for (const std::string& name : {std::string("Plain"), std::string("With \"quotes\""),
                                        std::string("a, b"), std::string(" lead"), std::string("\xE9\xFF")}) {
            ++page;
            book.AddSpell(tSpell::Create(1 - frequency * 2, name, frequency == -2 ? "" : "B\"k", -page,
                                         frequency, frequency == -1 ? "" : "abj, \"x\"", page % 2 == 0));
        }
    }
    const std::string bytes = WriteText(book);
    FileError error = FileError::CannotOpen;
    auto back = ReadText(bytes, &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(error, FileError::None);
    EXPECT_EQ(SpellsOf(*back), SpellsOf(book));
    EXPECT_EQ(back->LevelCount, book.LevelCount);
    EXPECT_EQ(back->FileVersion, 0);
    EXPECT_EQ(WriteText(*back), bytes);
}

TEST(SpellListFileTest, SkipsUnusableLinesAndKeepsTheFirstOfEqualSpells) {
    auto book = ReadText("5\r\n7\r\n15\r\nIllusionist\r\nR\r\n"
                         "2,\"Web\",\"A\",1,\"C\",\"\",\"N\"\r\n"
                         "0,\"Cantrip\"\r\n"
                         "1,\"sleep\",\"first\"\n"
                         "1,\"Sleep\",\"second\"\r"
                         "\r\n"
                         "1,\"Armor\"\r\n"
                         " \r\n");
    ASSERT_TRUE(book);
    const std::vector<tSpell> spells = SpellsOf(*book);
    ASSERT_EQ(spells.size(), 3u);
    EXPECT_EQ(spells[0].Name, "Armor");
    EXPECT_EQ(spells[1].Name, "sleep");
    EXPECT_EQ(spells[1].Book, "first");
    EXPECT_EQ(spells[2].Name, "Web");
    EXPECT_EQ(book->CasterLevel, 0);
    EXPECT_EQ(book->Specialty, "");
}

TEST(SpellListFileTest, UnsortedAndDuplicatedLinesGiveTheSortedBook) {
    std::string bytes;
    for (int round = 0; round < 3; ++round) {
        for (int i = 999; i >= 0; --i) {
            bytes += std::to_string(i % 9 + 1) + ",\"S" + std::to_string(i * 7919 % 1000) + "\",\"r" +
                     std::to_string(round) + "\"\r\n";
        }
    }
    auto book = ReadText(bytes);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->Count(), 1000);
    const std::vector<tSpell> spells = SpellsOf(*book);
    for (size_t i = 1; i < spells.size(); ++i) {
        EXPECT_LT(CompareSpells(spells[i - 1], spells[i]), 0);
    }
    for (const tSpell& spell : spells) {
        EXPECT_EQ(spell.Book, "r0");
    }
}

// Reading a shuffled file gives the book that adding its spells one by one
// in file order gives. Names sharing long beginnings (past the 20 bytes the
// sort keys hold), equal but for case, with doubled quotes, short and long,
// at every level; and names whose keys differ in a few bytes only (so the
// whole difference between the keys is sorted at once), many equal in the
// key's 20 bytes and differing after them.
TEST(SpellListFileTest, ShuffledLinesReadAsAddingThemOneByOne) {
    static const char* const starts[] = {"Vandermeere's Marvellously ",
                                         "vANDERMEERE'S mARVELLOUSLY ",
                                         "Abcdefghijklmnopqrs",
                                         "x",
                                         "Say \"\"hi\"\" ",
                                         "Quillon's Freezing Sphere of the Northern Wastes "};
    using tDraw = std::mt19937;
    const struct {
        uint32_t Levels;
        std::string (*Name)(tDraw&);
    } cases[] = {
        {9,
         [](tDraw& draw) {
             return starts[draw() % 6] + std::string(1, static_cast<char>('a' + draw() % 3)) +
                    std::to_string(draw() % 40);
         }},
        {2,
         [](tDraw& draw) {
             std::string name = "Spell of the " + std::string(1, "xyz"[draw() % 3]) + " ancients, ";
             for (int k = 0; k < 3; ++k) {
                 name += "aAbB"[draw() % 4];
             }
             return name;
         }},
    };
    for (const auto& c : cases) {
        tDraw draw(7);
        std::string bytes;
        TSpellBook expected;
        for (int i = 0; i < 3000; ++i) {
            const std::string level = std::to_string(draw() % c.Levels + 1);
            const std::string line = level + ",\"" + c.Name(draw) + "\",\"b" + std::to_string(i) + "\"";
            bytes += line + "\r\n";
            expected.AddSpell(ParseSpellLine(line));
        }
        auto book = ReadText(bytes);
        ASSERT_TRUE(book);
        EXPECT_EQ(SpellsOf(*book), SpellsOf(expected)) << c.Levels;
    }
}

// The same with names of any bytes: 8-bit bytes, letters in both cases and
// blanks at every place of names of 1 to 24 bytes, so that many share long
// beginnings and many are equal.
TEST(SpellListFileTest, ShuffledEightBitNamesReadAsAddingThemOneByOne) {
    const std::string alphabet = "\x80\xE9\xFF"
                                 "aA \x7F";
    std::mt19937 draw(5);
    std::string bytes;
    TSpellBook expected;
    for (int i = 0; i < 4000; ++i) {
        tSpell spell(static_cast<int32_t>(draw() % 3 + 1), std::string(draw() % 24 + 1, 'x'),
                     "b" + std::to_string(i), i, FrequencyCommon, "", false);
        std::string name = spell.Name;
        for (char& c : name) {
            c = alphabet[draw() % (draw() % 2 == 0 ? 2 : alphabet.size())];
        }
        spell.Name = name;
        bytes += FormatSpellLine(spell) + "\r\n";
        expected.AddCopy(&spell);
    }
    auto book = ReadText(bytes);
    ASSERT_TRUE(book);
    EXPECT_EQ(SpellsOf(*book), SpellsOf(expected));
}

// A file in book order up to some line, then out of order from there (an
// equal spell in other letter case, a spell sorting first, random lines), or
// in order to its end, reads as adding its spells one by one too.
TEST(SpellListFileTest, LinesInOrderUpToAnyPointReadAsAddingThemOneByOne) {
    std::mt19937 draw(11);
    const auto randomLine = [&draw](int i) {
        return std::to_string(draw() % 9 + 1) + ",\"Spell " +
               std::string(1, static_cast<char>('a' + draw() % 3)) + std::to_string(draw() % 300) + "\",\"b" +
               std::to_string(i) + "\"," + std::to_string(i);
    };
    TSpellBook ordered;
    for (int i = 0; i < 1500; ++i) {
        ordered.AddSpell(ParseSpellLine(randomLine(i)));
    }
    std::string inOrder;
    for (ordered.First(); ordered.Current(); ordered.Next()) {
        inOrder += FormatSpellLine(*ordered.CurrentSpell()) + "\r\n";
    }
    ordered.GoTo(ordered.Count());
    std::string lastInOtherCase = FormatSpellLine(*ordered.CurrentSpell());
    for (char& c : lastInOtherCase) {
        c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c)
                                                                          : std::toupper(c));
    }
    std::string randomTail;
    for (int i = 0; i < 1500; ++i) {
        randomTail += randomLine(i) + "\r\n";
    }
    for (const std::string& tail :
         {std::string(), lastInOtherCase + "\r\n", std::string("1,\"A\"\r\n"), randomTail}) {
        const std::string bytes = inOrder + tail;
        TSpellBook expected;
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            expected.AddSpell(ParseSpellLine(line));
        }
        auto book = ReadText(bytes);
        ASSERT_TRUE(book);
        EXPECT_EQ(SpellsOf(*book), SpellsOf(expected)) << tail.substr(0, 40);
    }
}

// Out-of-order files come back whole and sorted: names that differ in a few
// scattered bytes only (most byte places alike in every name), names of every
// length around the room a record keeps for a name (36 bytes), and as many
// spells as fill the reader's record blocks to each side of their edges (4 KiB
// doubling to 64 KiB, then 16 MiB).
TEST(SpellListFileTest, OutOfOrderFilesComeBackWholeAndSorted) {
    std::mt19937 draw(13);
    std::vector<std::vector<std::string>> files;
    std::vector<std::string> sparse;
    for (int i = 0; i < 2000; ++i) {
        std::string name(9, 'A');
        for (int k = 0; k < 2; ++k) {
            name[draw() % name.size()] = "BC"[draw() % 2];
        }
        sparse.push_back("1,\"" + name + "\",\"b" + std::to_string(i) + "\"");
    }
    sparse.insert(sparse.begin(), {"1,\"AAAACAAAB\"", "1,\"AAABAAAAA\""});
    files.push_back(sparse);
    std::vector<std::string> lengths;
    for (size_t length = 1; length <= 80; ++length) {
        for (const char last : {'z', 'a', 'm'}) {
            lengths.push_back(std::to_string(length % 3 + 1) + ",\"" + std::string(length - 1, 'n') + last +
                              "\"");
        }
    }
    files.push_back(lengths);
    const size_t small = 64 + 128 + 256 + 512 + 1024;
    for (const size_t count : {size_t{63}, size_t{64}, size_t{65}, small, small + 1, small + 262145}) {
        std::vector<std::string> descending;
        for (size_t i = count; i-- > 0;) {
            descending.push_back("2,\"Spell " + std::to_string(1000000 + i) + "\"");
        }
        files.push_back(descending);
    }
    for (const std::vector<std::string>& lines : files) {
        std::string bytes;
        std::vector<std::unique_ptr<tSpell>> spells;
        for (const std::string& line : lines) {
            bytes += line + "\r\n";
            spells.push_back(ParseSpellLine(line));
        }
        // The expected book, made fast: the spells sorted and added in order,
        // the first of equal spells kept.
        std::stable_sort(spells.begin(), spells.end(),
                         [](const auto& a, const auto& b) { return CompareSpells(*a, *b) < 0; });
        TSpellBook expected;
        const tSpell* last = nullptr;
        for (std::unique_ptr<tSpell>& spell : spells) {
            if (!last || CompareSpells(*spell, *last) != 0) {
                last = spell.get();
                expected.AddSpell(std::move(spell));
            }
        }
        auto book = ReadText(bytes);
        ASSERT_TRUE(book);
        EXPECT_EQ(SpellsOf(*book), SpellsOf(expected)) << lines.size() << " lines from " << lines.front();
    }
}

TEST(SpellListFileTest, LongLinesAreReadWhole) {
    const std::string name(300, 'n');
    auto book = ReadText("1,\"" + name + "\",\"PHB\",1,\"R\",\"abj\",\"Y\"\r\n");
    ASSERT_TRUE(book);
    ASSERT_EQ(book->Count(), 1);
    book->First();
    EXPECT_EQ(*book->CurrentSpell(), tSpell(1, name, "PHB", 1, -2, "abj", true));
}

TEST(SpellListFileTest, EmptyMissingAndFailingInput) {
    auto empty = ReadText("");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Count(), 0);

    FileError error = FileError::None;
    tFailingStream failing("1,\"Sleep\"\r\n2,\"Web\"\r\n");
    EXPECT_FALSE(ReadSpellList(failing, &error));
    EXPECT_EQ(error, FileError::ReadError);

    TempDir dir;
    for (const std::string& path : {std::string(), (dir / "missing.dat").string(), dir.Path().string()}) {
        error = FileError::None;
        EXPECT_FALSE(ReadSpellList(path, &error)) << path;
        EXPECT_EQ(error, FileError::CannotOpen) << path;
    }
}

TEST(SpellListFileTest, PathFormsWriteAndReadTheFile) {
    TempDir dir;
    const std::string path = (dir / "MASTER.DAT").string();
    TSpellBook book;
    book.AddSpell(MakeSpell(2, "Web", -2, "alt"));
    FileError error = FileError::CannotOpen;
    ASSERT_TRUE(WriteSpellList(book, path, &error));
    EXPECT_EQ(error, FileError::None);
    EXPECT_EQ(ReadBytes(path), "2,\"Web\",\"PHB\",1,\"R\",\"alt\",\"N\"\r\n \r\n");
    auto back = ReadSpellList(path, &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(SpellsOf(*back), SpellsOf(book));

    EXPECT_FALSE(WriteSpellList(book, (dir / "no" / "such.dat").string(), &error));
    EXPECT_EQ(error, FileError::CannotWrite);
}

} // namespace
