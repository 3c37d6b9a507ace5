#include "files/SpellbookFile.h"
#include "FileTestSupport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::unique_ptr<TSpellBook> ReadText(const std::string& bytes, FileError* error = nullptr) {
    std::istringstream in(bytes);
    return ReadSpellbookFile(in, error);
}

std::string WriteText(TSpellBook& book) {
    std::ostringstream out;
    EXPECT_TRUE(WriteSpellbookFile(book, out));
    return out.str();
}

const std::string TwoSpells = "1,\"Sleep\",\"PHB\",154,\"U\",\"e/c\",\"Y\"\r\n"
                              "3,\"Fireball\",\"PHB\",150,\"C\",\"e/c\",\"N\"\r\n";

TEST(SpellbookFileTest, WritesVersionFiveAndReadsItBack) {
    TSpellBook book(7, 15, -2, "Illusionist");
    book.FileVersion = 3;
    book.AddSpell(tSpell::Create(3, "Fireball", "PHB", 150, 0, "e/c", false));
    book.AddSpell(tSpell::Create(1, "Sleep", "PHB", 154, -1, "e/c", true));
    const std::string bytes = WriteText(book);
    EXPECT_EQ(bytes, "5\r\n7\r\n15\r\nIllusionist\r\nR\r\n" + TwoSpells + " \r\n");
    EXPECT_EQ(book.FileVersion, 3);
    EXPECT_EQ(book.Current(), nullptr);

    FileError error = FileError::CannotOpen;
    auto back = ReadText(bytes, &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(error, FileError::None);
    EXPECT_EQ(back->FileVersion, 5);
    EXPECT_EQ(back->CasterLevel, 7);
    EXPECT_EQ(back->Intelligence, 15);
    EXPECT_EQ(back->Specialty, "Illusionist");
    EXPECT_EQ(back->Frequency, -2);
    EXPECT_EQ(SpellsOf(*back), SpellsOf(book));
}

TEST(SpellbookFileTest, HeaderTextsRoundTrip) {
    for (const std::string& specialty : {std::string(), std::string(" Odd, \"one\" "), std::string("\xE9")}) {
        for (int32_t frequency = -4; frequency <= 0; ++frequency) {
            TSpellBook book(30, 21, frequency, specialty);
            auto back = ReadText(WriteText(book));
            ASSERT_TRUE(back);
            EXPECT_EQ(back->Specialty, specialty);
            EXPECT_EQ(back->Frequency, frequency);
        }
    }
}

TEST(SpellbookFileTest, VersionsFourAndThree) {
    auto four = ReadText("4\r\n7\r\n15\r\nIllusionist\r\nr\r\n" + TwoSpells);
    auto five = ReadText("5\r\n7\r\n15\r\nIllusionist\r\nr\r\n" + TwoSpells);
    ASSERT_TRUE(four && five);
    EXPECT_EQ(four->FileVersion, 4);
    EXPECT_EQ(four->Specialty, five->Specialty);
    EXPECT_EQ(four->Frequency, -2);
    EXPECT_EQ(SpellsOf(*four), SpellsOf(*five));

    const struct {
        std::string line;
        std::string specialty;
    } numbers[] = {{"0", "Generalist"}, {"1", "Abjurer"},  {"6", "Invoker"},       {"8", "Transmuter"},
                   {"9", "unknown"},    {"-1", "unknown"}, {"Invoker", "unknown"}, {"", "unknown"}};
    for (const auto& n : numbers) {
        auto three = ReadText("3\r\n5\r\n12\r\n" + n.line + "\r\nVery rare\r\n" + TwoSpells);
        ASSERT_TRUE(three) << n.line;
        EXPECT_EQ(three->FileVersion, 3);
        EXPECT_EQ(three->Specialty, n.specialty) << n.line;
        EXPECT_EQ(three->Frequency, -3);
        EXPECT_EQ(three->Count(), 2);
    }
}

TEST(SpellbookFileTest, OtherVersionsAreRefused) {
    for (const char* first : {"2", "6", "-1", "$10", "1", "2147483647"}) {
        FileError error = FileError::None;
        EXPECT_FALSE(ReadText(std::string(first) + "\r\n7\r\n15\r\nX\r\nC\r\n" + TwoSpells, &error)) << first;
        EXPECT_EQ(error, FileError::NotSpellbook) << first;
    }
}

TEST(SpellbookFileTest, HeaderlessFilesGetAWorkedOutHeader) {
    const auto lines = [](int32_t level, int32_t count) {
        std::string text;
        for (int32_t i = 0; i < count; ++i) {
            text +=
                std::to_string(level) + ",\"L" + std::to_string(level) + "S" + std::to_string(i) + "\"\r\n";
        }
        return text;
    };
    const struct {
        std::string bytes;
        int32_t caster;
        int32_t intelligence;
    } cases[] = {
        {"", 2, 9},
        {" \r\n", 2, 9},
        {lines(1, 1), 2, 9},
        {lines(1, 5), 2, 9},
        {lines(1, 6), 2, 10},
        {lines(1, 25), 2, 20},
        {lines(1, 26), 2, 21},
        {lines(1, 40), 2, 21},
        {lines(2, 1), 3, 9},
        {lines(1, 2) + lines(3, 1), 5, 9},
        {lines(9, 1) + lines(4, 3), 18, 9},
        {"0\r\n" + lines(6, 1), 12, 9},
    };
    for (const auto& c : cases) {
        FileError error = FileError::CannotOpen;
        auto book = ReadText(c.bytes, &error);
        ASSERT_TRUE(book) << c.bytes;
        EXPECT_EQ(error, FileError::None);
        EXPECT_EQ(book->FileVersion, 0);
        EXPECT_EQ(book->CasterLevel, c.caster) << c.bytes;
        EXPECT_EQ(book->Intelligence, c.intelligence) << c.bytes;
        EXPECT_EQ(book->Specialty, "");
        EXPECT_EQ(book->Frequency, 0);
    }
    // The first line of a headerless file is a spell line like the others.
    auto book = ReadText(lines(3, 1) + lines(1, 1));
    ASSERT_TRUE(book);
    EXPECT_EQ(book->Count(), 2);
}

TEST(SpellbookFileTest, DamagedOrShortHeaders) {
    auto damaged = ReadText("5\r\nseven\r\n1 5\r\nInvoker\r\n\r\n" + TwoSpells);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->CasterLevel, 0);
    EXPECT_EQ(damaged->Intelligence, 0);
    EXPECT_EQ(damaged->Specialty, "Invoker");
    EXPECT_EQ(damaged->Frequency, 0);
    EXPECT_EQ(damaged->Count(), 2);

    auto shortFile = ReadText("5\r\n12\x1A\r\n13\r\n");
    ASSERT_TRUE(shortFile);
    EXPECT_EQ(shortFile->FileVersion, 5);
    EXPECT_EQ(shortFile->CasterLevel, 12);
    EXPECT_EQ(shortFile->Intelligence, 0);
    EXPECT_EQ(shortFile->Count(), 0);

    auto lf = ReadText("  +5\n9\n16\nDiviner\nS\n2,\"Web\"\n");
    ASSERT_TRUE(lf);
    EXPECT_EQ(lf->CasterLevel, 9);
    EXPECT_EQ(lf->Specialty, "Diviner");
    EXPECT_EQ(lf->Frequency, -4);
    EXPECT_EQ(lf->Count(), 1);
}

TEST(SpellbookFileTest, ReadErrorsAndPaths) {
    for (const std::string& text :
         {"5\r\n7\r\n15\r\nX\r\nC\r\n" + TwoSpells, TwoSpells, std::string("2\r\n")}) {
        FileError error = FileError::None;
        tFailingStream failing(text);
        EXPECT_FALSE(ReadSpellbookFile(failing, &error));
        EXPECT_EQ(error, FileError::ReadError);
    }

    TempDir dir;
    const std::string path = (dir / "wizard.spb").string();
    FileError error = FileError::None;
    EXPECT_FALSE(ReadSpellbookFile(path, &error));
    EXPECT_EQ(error, FileError::CannotOpen);

    TSpellBook book(3, 9, 0, "Abjurer");
    book.AddSpell(MakeSpell(2, "Web"));
    ASSERT_TRUE(WriteSpellbookFile(book, path, &error));
    auto back = ReadSpellbookFile(path, &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Specialty, "Abjurer");
    EXPECT_EQ(SpellsOf(*back), SpellsOf(book));
}

} // namespace
