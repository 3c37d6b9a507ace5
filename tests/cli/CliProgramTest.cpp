// Runs the built quillmark-cli on files in a temporary folder and checks what
// it writes, what it says on standard error and its exit status.

#include "files/RuleTables.h"
#include "files/Rules.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "output/BookText.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include "cli/Cli.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct tRunResult {
    int Status = -1;
    std::string Out;
    std::string Err;
};

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

// The program under test: QUILL_CLI when set (the test command copies the
// programs where another user may run them), else the one built beside.
std::string Program() {
    const char* program = std::getenv("QUILL_CLI");
    return program && *program ? program : QUILL_CLI_PROGRAM;
}

// Runs the program in dir with args; relative paths are taken from dir.
// setup is shell text run before it (such as a ulimit), errTo where standard
// error goes (default: a file read back into Err).
tRunResult RunProgram(const TempDir& dir, const std::vector<std::string>& args, const std::string& setup = "",
                      const std::string& errTo = "") {
    const std::filesystem::path out = dir / ".stdout";
    const std::filesystem::path err = dir / ".stderr";
    std::string command =
        "cd " + ShellQuote(dir.Path().string()) + " && " + setup + " exec " + ShellQuote(Program());
    for (const std::string& arg : args) {
        command += " " + ShellQuote(arg);
    }
    command += " >" + ShellQuote(out.string()) + " 2>" + ShellQuote(errTo.empty() ? err.string() : errTo);
    const int raw = std::system(command.c_str());
    tRunResult result;
    result.Status = (raw != -1 && WIFEXITED(raw)) ? WEXITSTATUS(raw) : -1;
    result.Out = ReadBytes(out);
    result.Err = ReadBytes(err);
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return result;
}

std::unique_ptr<TSpellBook> BookFromBytes(const std::string& bytes) {
    std::istringstream in(bytes);
    return ReadSpellbookFile(in);
}

std::string BookBytes(TSpellBook& book) {
    std::ostringstream out;
    WriteSpellbookFile(book, out);
    return out.str();
}

// 16 spells of every level; every fourth is rarer than Common (U, R, V, S in
// turn) and the categories run through the eight schools.
std::unique_ptr<TSpellBook> MakeBigMaster() {
    static const std::vector<std::string> schools = {"abj", "alt", "ill", "e/c", "i/e", "nec", "div", "c/s"};
    auto master = TSpellBook::Create(0, 0, 0, "");
    for (int32_t level = 1; level <= 9; ++level) {
        for (int32_t k = 0; k < 16; ++k) {
            const int32_t frequency = k % 4 == 3 ? -(1 + (k / 4) % 4) : 0;
            master->AddSpell(MakeSpell(level, "L" + std::to_string(level) + " Spell " + std::to_string(k),
                                       frequency, schools[static_cast<size_t>(k) % schools.size()], "PHB",
                                       k + 1));
        }
    }
    return master;
}

void WriteListFile(TSpellBook& book, const std::filesystem::path& path) {
    std::ostringstream out;
    WriteSpellList(book, out);
    WriteBytes(path, out.str());
}

// Every spell of the book is legal for it under the built-in specialties.
void ExpectLegal(TSpellBook& book, const std::string& what) {
    auto specialties = MakeDefaultSpecialties();
    for (book.First(); book.Current(); book.Next()) {
        EXPECT_TRUE(IsSpellLegal(book.CurrentSpell(), &book, specialties.get()))
            << what << ": " << book.CurrentName();
    }
}

class CliProgram : public ::testing::Test {
protected:
    void SetUp() override {
        master = MakeBigMaster();
        WriteListFile(*master, dir / "master.dat");
    }

    // A caster level 3, intelligence 9 generalist book with two spells.
    void WriteSmallBook(const std::string& name) {
        auto book = TSpellBook::Create(3, 9, 0, "Generalist");
        book->AddSpell(MakeSpell(1, "L1 Spell 0", 0, "abj", "PHB", 1, true));
        book->AddSpell(MakeSpell(2, "Own Spell", 0, "alt", "Notes", 4));
        WriteBytes(dir / name, BookBytes(*book));
    }

    TempDir dir;
    std::unique_ptr<TSpellBook> master;
};

// Permission tests skip as root; the test command runs them as another user.
using CliPermissionTest = CliProgram;

} // namespace

TEST_F(CliProgram, NewMakesAFilledVersion5BookOnStandardOutput) {
    const tRunResult r = RunProgram(
        dir, {"new", "--master", "master.dat", "--level", "3", "--intelligence", "9", "--seed", "1"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    ASSERT_TRUE(r.Out.starts_with("5\r\n3\r\n9\r\nGeneralist\r\nC\r\n")) << r.Out;
    auto book = BookFromBytes(r.Out);
    ASSERT_TRUE(book);
    // Level 1 usable since caster level 1: the maximum count; level 2 just
    // reached: the starting count; nothing higher.
    EXPECT_EQ(book->LevelCount[1], MaximumCount(9));
    EXPECT_EQ(book->LevelCount[2], StartingCount(9));
    EXPECT_EQ(book->Count(), MaximumCount(9) + StartingCount(9));
    ExpectLegal(*book, "new");
}

TEST_F(CliProgram, NewTakesSpecialtyFrequencyAndOutputFile) {
    const tRunResult r =
        RunProgram(dir, {"new", "--master", "master.dat", "--level", "12", "--intelligence", "14",
                         "--specialty", "necromancer", "--frequency", "very rare", "-o", "n.spb"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    auto book = ReadSpellbookFile((dir / "n.spb").string());
    ASSERT_TRUE(book);
    EXPECT_EQ(book->FileVersion, 5);
    EXPECT_EQ(book->CasterLevel, 12);
    EXPECT_EQ(book->Intelligence, 14);
    EXPECT_EQ(book->Specialty, "Necromancer"); // as the list spells it
    EXPECT_EQ(book->Frequency, -3);
    EXPECT_GT(book->LevelCount[6], 0);
    EXPECT_EQ(book->LevelCount[7], 0);
    ExpectLegal(*book, "necromancer");
}

TEST_F(CliProgram, NewReadsSpecialtiesAndOddsFromFiles) {
    // A specialty only the file knows, prohibiting every school but abj.
    WriteBytes(dir / "Specialty.dat", "Warden\r\nabj\r\nalt,ill,e/c,i/e,nec,div,c/s\r\n");
    const tRunResult r =
        RunProgram(dir, {"new", "--master", "master.dat", "--level", "5", "--intelligence", "12",
                         "--specialty", "Warden", "--specialties", "Specialty.dat", "--seed", "3"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    auto book = BookFromBytes(r.Out);
    ASSERT_TRUE(book);
    EXPECT_EQ(book->Specialty, "Warden");
    ASSERT_GT(book->Count(), 0);
    for (book->First(); book->Current(); book->Next()) {
        EXPECT_EQ(book->CurrentCategory(), "abj");
    }

    // Odds: among Common and Rare first-level spells, odds of 1 in 32767 for
    // Common and 1 in 1 for Rare give Rare spells only; the defaults favour
    // Common ones.
    auto pool = TSpellBook::Create(0, 0, 0, "");
    for (int k = 0; k < 8; ++k) {
        pool->AddSpell(MakeSpell(1, "Common " + std::to_string(k), 0));
        pool->AddSpell(MakeSpell(1, "Rare " + std::to_string(k), -2));
    }
    WriteListFile(*pool, dir / "pool.dat");
    WriteBytes(dir / "odds.ini", "[SpellFrequencyOdds]\r\nCommon=32767\r\nRare=0x1\r\n");
    auto countRare = [&](const std::vector<std::string>& extra) {
        std::vector<std::string> args = {"new", "--master",    "pool.dat", "--level", "1",  "--intelligence",
                                         "9",   "--frequency", "Rare",     "--seed",  "11", "--count",
                                         "10",  "-o",          "odds"};
        args.insert(args.end(), extra.begin(), extra.end());
        const tRunResult run = RunProgram(dir, args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        int rare = 0;
        int all = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "odds")) {
            auto b = ReadSpellbookFile(entry.path().string());
            for (b->First(); b->Current(); b->Next()) {
                rare += b->CurrentFrequency() == -2 ? 1 : 0;
                ++all;
            }
        }
        std::filesystem::remove_all(dir / "odds");
        EXPECT_EQ(all, 40);
        return rare;
    };
    EXPECT_EQ(countRare({"--settings", "odds.ini"}), 40);
    EXPECT_LT(countRare({}), 20);
}

TEST_F(CliProgram, SeedMakesEveryDrawReproducible) {
    WriteSmallBook("small.spb");
    const std::vector<std::vector<std::string>> commands = {
        {"new", "--master", "master.dat", "--level", "14", "--intelligence", "18", "--frequency",
         "Restricted"},
        {"fill", "small.spb", "--master", "master.dat", "-o", "filled.spb"},
        {"scroll", "master.dat", "--counts", "3,3,3,3,3,3,3,3,3", "-o", "scroll.spb"},
    };
    for (const auto& command : commands) {
        auto run = [&](const std::string& seed) {
            std::vector<std::string> args = command;
            args.insert(args.end(), {"--seed", seed});
            const tRunResult r = RunProgram(dir, args);
            EXPECT_EQ(r.Status, 0) << r.Err;
            EXPECT_EQ(r.Err, "");
            const auto o = std::find(command.begin(), command.end(), "-o");
            return o == command.end() ? r.Out : ReadBytes(dir / *(o + 1));
        };
        const std::string first = run("42");
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(run("42"), first) << command[0];
        EXPECT_NE(run("43"), first) << command[0];
    }

    const std::vector<std::string> many = {"new", "--master", "master.dat", "--level", "9", "--intelligence",
                                           "12",  "--seed",   "7",          "--count", "5", "-o"};
    auto withFolder = [&](const std::string& folder) {
        std::vector<std::string> args = many;
        args.push_back(folder);
        return args;
    };
    ASSERT_EQ(RunProgram(dir, withFolder("a")).Status, 0);
    ASSERT_EQ(RunProgram(dir, withFolder("b")).Status, 0);
    for (int i = 1; i <= 5; ++i) {
        const std::string name = "book-" + std::to_string(i) + ".spb";
        EXPECT_FALSE(ReadBytes(dir / "a" / name).empty()) << name;
        EXPECT_EQ(ReadBytes(dir / "a" / name), ReadBytes(dir / "b" / name)) << name;
    }
    EXPECT_NE(ReadBytes(dir / "a" / "book-1.spb"), ReadBytes(dir / "a" / "book-2.spb"));
}

TEST_F(CliProgram, CountFiftyGivesFiftyLegalBooks) {
    const tRunResult r =
        RunProgram(dir, {"new", "--master", "master.dat", "--level", "12", "--intelligence", "15",
                         "--specialty", "Abjurer", "--frequency", "Rare", "--count", "50", "-o", "party"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    int books = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir / "party")) {
        ++books;
        auto book = ReadSpellbookFile(entry.path().string());
        ASSERT_TRUE(book) << entry.path();
        EXPECT_EQ(book->Specialty, "Abjurer");
        EXPECT_GT(book->Count(), 0);
        ExpectLegal(*book, entry.path().filename().string());
    }
    EXPECT_EQ(books, 50);
    EXPECT_TRUE(std::filesystem::exists(dir / "party" / "book-01.spb"));
    EXPECT_TRUE(std::filesystem::exists(dir / "party" / "book-50.spb"));
}

TEST_F(CliProgram, FillKeepsTheBookAndTopsItUp) {
    WriteSmallBook("small.spb");
    const tRunResult r = RunProgram(dir, {"fill", "small.spb", "--master", "master.dat", "-o", "small.spb"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    auto book = ReadSpellbookFile((dir / "small.spb").string());
    ASSERT_TRUE(book);
    EXPECT_EQ(book->CasterLevel, 3);
    ASSERT_TRUE(book->FindByName("Own Spell")); // not in the master list, kept
    ASSERT_TRUE(book->FindByName("L1 Spell 0"));
    EXPECT_TRUE(book->CurrentMemorized());
    EXPECT_EQ(book->LevelCount[1], MaximumCount(9));
    EXPECT_EQ(book->LevelCount[2], StartingCount(9));
}

TEST_F(CliProgram, ValidateRemovesIllegalSpellsAndListsThem) {
    auto book = TSpellBook::Create(1, 9, -1, "Abjurer");
    book->AddSpell(MakeSpell(1, "Alter Self", 0, "alt", "PHB", 3));
    book->AddSpell(MakeSpell(1, "Illusion", 0, "ill", "PHB", 4));
    book->AddSpell(MakeSpell(1, "Shield", -1, "abj", "PHB", 5));
    book->AddSpell(MakeSpell(1, "Ward", -2, "abj", "ToM", 6));
    book->AddSpell(MakeSpell(2, "Web", 0, "e/c", "PHB", 7));
    WriteBytes(dir / "abj.spb", BookBytes(*book));

    const tRunResult r = RunProgram(dir, {"validate", "abj.spb"});
    ASSERT_EQ(r.Status, 0);
    EXPECT_EQ(r.Err, "removed level 1: Alter Self  (alt) [PHB 3] - C\n"
                     "removed level 1: Illusion  (ill) [PHB 4] - C\n"
                     "removed level 1: Ward  (abj) [ToM 6] - R\n"
                     "removed level 2: Web  (e/c) [PHB 7] - C\n");
    auto valid = BookFromBytes(r.Out);
    ASSERT_TRUE(valid);
    EXPECT_EQ(NamesOf(*valid), std::vector<std::string>{"Shield"});
    EXPECT_EQ(valid->Specialty, "Abjurer");

    // With -o the book goes to the file; a valid book loses nothing.
    const tRunResult again = RunProgram(dir, {"validate", "abj.spb", "-o", "clean.spb"});
    ASSERT_EQ(again.Status, 0);
    EXPECT_EQ(again.Out, "");
    EXPECT_EQ(ReadBytes(dir / "clean.spb"), r.Out);
    const tRunResult clean = RunProgram(dir, {"validate", "clean.spb"});
    EXPECT_EQ(clean.Status, 0);
    EXPECT_EQ(clean.Err, "");
    EXPECT_EQ(clean.Out, r.Out);
}

TEST_F(CliProgram, TextFollowsTheOptions) {
    WriteSmallBook("small.spb");
    auto book = ReadSpellbookFile((dir / "small.spb").string());
    ASSERT_TRUE(book);
    struct Case {
        std::vector<std::string> flags;
        tOutputOptions options;
    };
    auto options = [](int32_t columns, bool memorized, bool bookPage, bool category, bool frequency) {
        tOutputOptions o;
        o.Columns = columns;
        o.Memorized = memorized;
        o.BookPage = bookPage;
        o.Category = category;
        o.Frequency = frequency;
        return o;
    };
    const std::vector<Case> cases = {
        {{}, options(0, true, true, false, false)},
        {{"--columns", "2", "--category"}, options(2, true, true, true, false)},
        {{"--no-memorized", "--no-book-page", "--frequency"}, options(0, false, false, false, true)},
        {{"--columns=4", "--category", "--frequency"}, options(4, true, true, true, true)},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"text", "./small.spb"};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const tRunResult r = RunProgram(dir, args);
        ASSERT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Err, "");
        EXPECT_EQ(r.Out, JoinLines(BuildOutputText(*book, "./small.spb", c.options)));
    }
    const tRunResult plain = RunProgram(dir, {"text", "small.spb", "--columns", "1"});
    EXPECT_TRUE(plain.Out.starts_with("Spell Book:small.spb\r\nCaster Level: 3\r\n")) << plain.Out;
    EXPECT_NE(plain.Out.find("\r\n*L1 Spell 0 [PHB 1]\r\n"), std::string::npos) << plain.Out;
}

#ifdef QUILL_CLI_PDF
TEST_F(CliProgram, PdfWritesThePrintedPages) {
    WriteSmallBook("small.spb");
    const tRunResult r =
        RunProgram(dir, {"pdf", "small.spb", "--columns", "2", "--category", "-o", "small.pdf"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(ReadBytes(dir / "small.pdf").starts_with("%PDF-"));
    // Its text as pdftotext (poppler-utils) reads it.
    const std::string command =
        "pdftotext '" + (dir / "small.pdf").string() + "' '" + (dir / "small.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string text = ReadBytes(dir / "small.txt");
    for (const char* line : {"Spell Book: small.spb", "Caster Level: 3", "level: 2",
                             "*L1 Spell 0 (abj) [PHB 1]", "Own Spell (alt) [Notes 4]"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    }
}
#endif

TEST_F(CliProgram, ScrollDrawsTheCountsFromTheBook) {
    WriteSmallBook("small.spb");
    const tRunResult r =
        RunProgram(dir, {"scroll", "master.dat", "--counts", "2,0,16,99,0,0,0,0,1", "-o", "scroll.spb"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    auto scroll = ReadSpellbookFile((dir / "scroll.spb").string());
    ASSERT_TRUE(scroll);
    EXPECT_EQ(scroll->LevelCount, (std::array<int32_t, 10>{0, 2, 0, 16, 16, 0, 0, 0, 0, 1}));
    for (scroll->First(); scroll->Current(); scroll->Next()) {
        EXPECT_TRUE(master->FindByName(scroll->CurrentName())) << scroll->CurrentName();
    }

    // The scroll keeps the caster and the memorized marks of its source.
    ASSERT_EQ(
        RunProgram(dir, {"scroll", "small.spb", "--counts", "1,1,0,0,0,0,0,0,0", "-o", "s2.spb"}).Status, 0);
    auto copy = ReadSpellbookFile((dir / "s2.spb").string());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->CasterLevel, 3);
    EXPECT_EQ(copy->Specialty, "Generalist");
    EXPECT_EQ(NamesOf(*copy), (std::vector<std::string>{"L1 Spell 0", "Own Spell"}));
    EXPECT_TRUE(copy->FindByName("L1 Spell 0")->Memorized);
}

TEST_F(CliProgram, ListShowsTheFilteredLines) {
    auto pool = TSpellBook::Create(0, 0, 0, "");
    pool->AddSpell(MakeSpell(1, "Alarm", 0, "abj", "PHB", 1, true));
    pool->AddSpell(MakeSpell(1, "Change Self", -1, "ALT", "phb", 2));
    pool->AddSpell(MakeSpell(1, "Charm", 0, "ench/alt", "ToM", 3));
    pool->AddSpell(MakeSpell(2, "Blur", -2, "ill", "PHB", 4));
    pool->AddSpell(MakeSpell(2, "Web", 0, "alt,e/c", "PHB 2", 5));
    pool->AddSpell(MakeSpell(5, "Cone", 0, "i/e", "", 6));
    WriteListFile(*pool, dir / "pool.dat");
    auto low = TSpellBook::Create(1, 9, -1, "Generalist");
    WriteBytes(dir / "low.spb", BookBytes(*low));
    auto abjurer = TSpellBook::Create(1, 9, -1, "Abjurer");
    WriteBytes(dir / "abj.spb", BookBytes(*abjurer));

    struct Case {
        std::vector<std::string> flags;
        std::string lines;
    };
    const std::vector<Case> cases = {
        {{},
         "Alarm  (abj) [PHB 1] - C\nChange Self  (ALT) [phb 2] - U\nCharm  (ench/alt) [ToM 3] - C\n"
         "Blur  (ill) [PHB 4] - R\nWeb  (alt,e/c) [PHB 2 5] - C\nCone  (i/e) [ 6] - C\n"},
        {{"--level", "2"}, "Blur  (ill) [PHB 4] - R\nWeb  (alt,e/c) [PHB 2 5] - C\n"},
        {{"--level", "3"}, ""},
        {{"--category", "alt"},
         "Change Self  (ALT) [phb 2] - U\nCharm  (ench/alt) [ToM 3] - C\nWeb  (alt,e/c) [PHB 2 5] - C\n"},
        {{"--category", " "},
         "Alarm  (abj) [PHB 1] - C\nChange Self  (ALT) [phb 2] - U\nCharm  (ench/alt) [ToM 3] - C\n"
         "Blur  (ill) [PHB 4] - R\nWeb  (alt,e/c) [PHB 2 5] - C\nCone  (i/e) [ 6] - C\n"},
        {{"--frequency", "uncommon"}, "Change Self  (ALT) [phb 2] - U\n"},
        {{"--name", "CH"}, "Change Self  (ALT) [phb 2] - U\nCharm  (ench/alt) [ToM 3] - C\n"},
        {{"--name", "ar", "--level", "1"}, "Alarm  (abj) [PHB 1] - C\nCharm  (ench/alt) [ToM 3] - C\n"},
        {{"--source", "PHB"},
         "Alarm  (abj) [PHB 1] - C\nChange Self  (ALT) [phb 2] - U\nBlur  (ill) [PHB 4] - R\n"},
        {{"--source", "PH"}, ""},
        // Caster level 1 admits level 1 only; Uncommon admits Change Self.
        {{"--match", "low.spb"},
         "Alarm  (abj) [PHB 1] - C\nChange Self  (ALT) [phb 2] - U\nCharm  (ench/alt) [ToM 3] - C\n"},
        // An Abjurer may not learn alt: of those, Alarm alone.
        {{"--match", "abj.spb"}, "Alarm  (abj) [PHB 1] - C\n"},
        {{"--match", "low.spb", "--source", "phb", "--category", "l"}, "Change Self  (ALT) [phb 2] - U\n"},
        {{"--match", "low.spb", "--source", "phb", "--category", "l", "--frequency", "Common"}, ""},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"list", "pool.dat"};
        args.insert(args.end(), c.flags.begin(), c.flags.end());
        const tRunResult r = RunProgram(dir, args);
        EXPECT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Err, "");
        EXPECT_EQ(r.Out, c.lines) << ::testing::PrintToString(c.flags);
    }
}

TEST_F(CliProgram, ConvertBetweenFormatsNamedByAsOrByExtension) {
    // A spell list in, a spellbook out: the header is worked out from the
    // spells (highest level 3 needs caster level 5).
    auto pool = TSpellBook::Create(0, 0, 0, "");
    pool->AddSpell(MakeSpell(1, "Alarm", 0, "abj"));
    pool->AddSpell(MakeSpell(3, "Fireball", -2, "i/e"));
    WriteListFile(*pool, dir / "list.dat");
    ASSERT_EQ(RunProgram(dir, {"convert", "list.dat", "book.spb"}).Status, 0);
    auto book = ReadSpellbookFile((dir / "book.spb").string());
    ASSERT_TRUE(book);
    EXPECT_EQ(book->FileVersion, 5);
    EXPECT_EQ(book->CasterLevel, 5);
    EXPECT_EQ(NamesOf(*book), (std::vector<std::string>{"Alarm", "Fireball"}));

    // And back: the spell list holds the same bytes as the one written first.
    const tRunResult r = RunProgram(dir, {"convert", "book.spb", "again.dat", "--as", "list"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    EXPECT_EQ(r.Err, "");
    EXPECT_EQ(ReadBytes(dir / "again.dat"), ReadBytes(dir / "list.dat"));

    // Older versions are written as version 5.
    WriteBytes(dir / "old.spb",
               "3\r\n7\r\n15\r\n6\r\nR\r\n1,\"Alarm\",\"PHB\",1,\"C\",\"abj\",\"N\"\r\n \r\n");
    ASSERT_EQ(RunProgram(dir, {"convert", "old.spb", "new.spb", "--as", "spellbook"}).Status, 0);
    EXPECT_EQ(ReadBytes(dir / "new.spb"),
              "5\r\n7\r\n15\r\nInvoker\r\nR\r\n1,\"Alarm\",\"PHB\",1,\"C\",\"abj\",\"N\"\r\n \r\n");

    // The other formats by OUT's extension or --as (any case), and read back
    // by IN's extension: CSV keeps the spells, JSON the header too.
    const auto convert = [&](std::vector<std::string> args) {
        args.insert(args.begin(), "convert");
        const tRunResult run = RunProgram(dir, args);
        EXPECT_EQ(run.Status, 0) << run.Err;
        EXPECT_EQ(run.Err + run.Out, "");
    };
    convert({"book.spb", "book.CSV"});
    EXPECT_TRUE(
        ReadBytes(dir / "book.CSV").starts_with("level,name,book,page,frequency,category,memorized\r\n1,"));
    convert({"book.CSV", "from-csv.txt", "--as", "LIST"});
    EXPECT_EQ(ReadBytes(dir / "from-csv.txt"), ReadBytes(dir / "list.dat"));
    convert({"new.spb", "book.json"});
    convert({"book.json", "from-json.spb"});
    EXPECT_EQ(ReadBytes(dir / "from-json.spb"), ReadBytes(dir / "new.spb"));
    convert({"new.spb", "page.txt", "--as", "markdown"});
    EXPECT_TRUE(ReadBytes(dir / "page.txt").starts_with("# new.spb\r\n")) << ReadBytes(dir / "page.txt");
    convert({"new.spb", "page.md"});
    EXPECT_EQ(ReadBytes(dir / "page.md"), ReadBytes(dir / "page.txt"));
    // The program's own extensions keep the default: a spellbook.
    convert({"list.dat", "other.dat"});
    EXPECT_EQ(ReadBytes(dir / "other.dat"), ReadBytes(dir / "book.spb"));
}

TEST_F(CliProgram, HelpForEveryCommandAndTheVersion) {
    std::vector<std::string> commands = {"new", "fill", "validate", "text", "scroll", "list", "convert"};
#ifdef QUILL_CLI_PDF
    commands.push_back("pdf");
#endif
    for (const std::string& command : commands) {
        const tRunResult r = RunProgram(dir, {command, "--help"});
        EXPECT_EQ(r.Status, 0) << command;
        EXPECT_EQ(r.Err, "");
        EXPECT_TRUE(r.Out.starts_with("Usage: quillmark-cli " + command)) << r.Out;
        EXPECT_EQ(RunProgram(dir, {"help", command}).Out, r.Out);
    }
    const tRunResult general = RunProgram(dir, {"--help"});
    EXPECT_EQ(general.Status, 0);
    EXPECT_NE(general.Out.find("convert"), std::string::npos);
    EXPECT_NE(general.Out.find("--version"), std::string::npos);
    const tRunResult version = RunProgram(dir, {"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, "quillmark-cli " QUILL_PROJECT_VERSION "\n");
    EXPECT_EQ(version.Err, "");
}

TEST_F(CliProgram, BadInputGetsOneLineAndLeavesTheOutputAlone) {
    WriteSmallBook("small.spb");
    WriteBytes(dir / "v2.spb", "2\r\n1\r\n9\r\nGeneralist\r\nC\r\n");
    // Files that are not spell lists at all, special files, damaged headers.
    WriteBytes(dir / "passwd", "root:x:0:0:root:/root:/bin/bash\nbin:x:1:1:bin:/bin:/sbin/nologin\n");
    WriteBytes(dir / "utf16.dat", std::string("\xFF\xFE"
                                              "1\0,\0\"\0S\0\"\0\r\0\n\0",
                                              16));
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const std::string spells = "1,\"Sleep\",\"PHB\",1,\"C\",\"e/c\",\"N\"\r\n \r\n";
    WriteBytes(dir / "level.spb", "5\r\nseven\r\n12\r\nGeneralist\r\nC\r\n" + spells);
    WriteBytes(dir / "int.spb", "5\r\n7\r\n\r\nGeneralist\r\nC\r\n" + spells);
    WriteBytes(dir / "bad.csv", "level,name,book,frequency,category,memorized\r\n1,Sleep,,Common,,N\r\n");
    WriteBytes(dir / "bad.json", "1,\"Sleep\",\"PHB\",1,\"C\",\"e/c\",\"N\"\r\n");
    WriteBytes(dir / "page.md", "# Notes\r\n\r\n- Caster Level: 3\r\n");
    const std::string keep = "previous contents\r\n";
    WriteBytes(dir / "keep.spb", keep);
    const std::vector<std::string> good = {"--master", "master.dat", "--level", "4", "--intelligence", "9"};
    auto newWith = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = {"new"};
        args.insert(args.end(), good.begin(), good.end());
        args.insert(args.end(), extra.begin(), extra.end());
        args.insert(args.end(), {"-o", "keep.spb"});
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string mention; // a text the message must hold
    };
    std::vector<Case> cases = {
        {{}, 2, "command"},
        {{"bogus"}, 2, "bogus"},
        {{"new", "-o", "keep.spb"}, 2, "--master"},
        {newWith({"--bogus"}), 2, "--bogus"},
        {{"new", "--master", "master.dat", "--level", "31", "--intelligence", "9", "-o", "keep.spb"},
         2,
         "--level"},
        {{"new", "--master", "master.dat", "--level", "4", "--intelligence", "8", "-o", "keep.spb"},
         2,
         "--intelligence"},
        {newWith({"--frequency", "Epic"}), 2, "Epic"},
        {newWith({"--specialty", "Wizard"}), 2, "Wizard"},
        {newWith({"--seed", "-1"}), 2, "--seed"},
        {newWith({"--count", "0"}), 2, "--count"},
        {newWith({"extra"}), 2, "extra"},
        {{"new", "--master", "master.dat", "--level", "4", "--intelligence", "9", "--count", "2"}, 2, "-o"},
        {{"new", "--master", "missing.dat", "--level", "4", "--intelligence", "9", "-o", "keep.spb"},
         1,
         "missing.dat"},
        {{"new", "--master", "v2.spb", "--level", "4", "--intelligence", "9", "-o", "keep.spb"}, 1, "v2.spb"},
        {newWith({"--specialties", "nope.dat"}), 1, "nope.dat"},
        {newWith({"--settings", "nope.ini"}), 1, "nope.ini"},
        {newWith({"--settings", "."}), 1, "."},
        {{"fill", "small.spb", "--master", "master.dat"}, 2, "-o"},
        {{"fill", "--master", "master.dat", "-o", "keep.spb"}, 2, "BOOK"},
        {{"fill", "v2.spb", "--master", "master.dat", "-o", "keep.spb"}, 1, "v2.spb"},
        {{"validate", "missing.spb", "-o", "keep.spb"}, 1, "missing.spb"},
        {{"validate", "small.spb", "other.spb"}, 2, "other.spb"},
        {{"text", "small.spb", "--columns", "5"}, 2, "--columns"},
        {{"text", "missing.spb"}, 1, "missing.spb"},
        {{"scroll", "small.spb", "--counts", "1,2", "-o", "keep.spb"}, 2, "--counts"},
        {{"scroll", "small.spb", "-o", "keep.spb"}, 2, "--counts"},
        {{"list", "master.dat", "--level", "0"}, 2, "--level"},
        {{"list", "master.dat", "--match", "missing.spb"}, 1, "missing.spb"},
        {{"convert", "master.dat"}, 2, "OUT"},
        {{"convert", "master.dat", "keep.spb", "--as", "pdf"},
         2,
         "--as must be spellbook, list, markdown, csv or json, not \"pdf\""},
        {{"convert", "bad.csv", "keep.spb"}, 1, "bad.csv: the column \"page\" is missing"},
        {{"convert", "bad.json", "keep.spb"}, 1, "bad.json: parse error at line 1"},
        {{"convert", "page.md", "keep.spb"}, 1, "page.md holds no spells"},
        {{"convert", "level.spb", "keep.spb", "--as", "json"}, 1, "level.spb line 2"},
        {{"convert", "missing.dat", "keep.spb"}, 1, "missing.dat"},
        {{"convert", "master.dat", "no/such/folder/x.spb"}, 1, "no/such/folder/x.spb"},
        {{"new", "--master", "master.dat", "--level", "4", "--intelligence", "9", "--count", "2", "-o",
          "keep.spb"},
         1,
         "keep.spb"},
        {{"convert", "passwd", "keep.spb"}, 1, "passwd holds no spells"},
        {{"text", "utf16.dat"}, 1, "utf16.dat holds no spells"},
        {{"list", "master.dat", "--match", "passwd"}, 1, "passwd holds no spells"},
        {{"new", "--master", "/dev/zero", "--level", "4", "--intelligence", "9", "-o", "keep.spb"},
         1,
         "/dev/zero cannot be opened"},
        {{"convert", "pipe", "keep.spb"}, 1, "pipe cannot be opened"},
        {{"convert", ".", "keep.spb"}, 1, ". cannot be opened"},
        {newWith({"--settings", "pipe"}), 1, "pipe cannot be opened"},
        {newWith({"--specialties", "/dev/zero"}), 1, "/dev/zero cannot be opened"},
        {{"convert", "small.spb", "pipe"}, 1, "pipe cannot be written"}, // nobody reads it
        {{"validate", "level.spb", "-o", "keep.spb"},
         1,
         "level.spb line 2 (the caster level) is not a number"},
        {{"fill", "int.spb", "--master", "master.dat", "-o", "keep.spb"},
         1,
         "int.spb line 3 (the intelligence) is not a number"},
        {{"convert", "level.spb", "keep.spb"}, 1, "level.spb line 2"},
    };
#ifdef QUILL_CLI_PDF
    cases.push_back({{"pdf", "small.spb"}, 2, "-o"});
    cases.push_back({{"pdf", "small.spb", "--columns", "-1", "-o", "keep.spb"}, 2, "--columns"});
    cases.push_back({{"pdf", "missing.spb", "-o", "keep.spb"}, 1, "missing.spb"});
    cases.push_back({{"pdf", "small.spb", "-o", "no/such/folder/x.pdf"}, 1, "no/such/folder/x.pdf"});
#endif
    for (const Case& c : cases) {
        const std::string what = ::testing::PrintToString(c.args);
        const tRunResult r = RunProgram(dir, c.args);
        EXPECT_EQ(r.Status, c.status) << what << "\n" << r.Err;
        EXPECT_EQ(r.Out, "") << what;
        EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << what << "\n" << r.Err;
        EXPECT_TRUE(r.Err.ends_with("\n")) << what;
        EXPECT_TRUE(r.Err.starts_with("quillmark-cli")) << what << "\n" << r.Err;
        EXPECT_NE(r.Err.find(c.mention), std::string::npos) << what << "\n" << r.Err;
        EXPECT_EQ(ReadBytes(dir / "keep.spb"), keep) << what;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "no"));

    // A damaged header does not stop what writes no header back; an empty file
    // is an empty list.
    EXPECT_EQ(RunProgram(dir, {"convert", "level.spb", "list.dat", "--as", "list"}).Status, 0);
    EXPECT_EQ(ReadBytes(dir / "list.dat"), spells);
    EXPECT_EQ(RunProgram(dir, {"text", "level.spb"}).Status, 0);
    WriteBytes(dir / "empty.dat", "");
    EXPECT_EQ(RunProgram(dir, {"convert", "empty.dat", "empty.spb"}).Status, 0);
}

// A file larger than the memory the program may have ends it with one line,
// not an abort.
TEST_F(CliProgram, RunningOutOfMemoryIsReported) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer needs more address space than the limit leaves";
#endif
    WriteBytes(dir / "huge.dat", "");
    std::filesystem::resize_file(dir / "huge.dat", 400u << 20); // one line of zero bytes, on no disk
    const tRunResult r = RunProgram(dir, {"convert", "huge.dat", "out.spb"}, "ulimit -v 262144;");
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "quillmark-cli convert: out of memory reading huge.dat\n");
    EXPECT_FALSE(std::filesystem::exists(dir / "out.spb"));
}

// validate's list of removed spells is its only record of them.
TEST_F(CliProgram, ValidateFailsWhenItCannotListTheRemovedSpells) {
    auto book = TSpellBook::Create(1, 9, 0, "Abjurer");
    book->AddSpell(MakeSpell(1, "Alter Self", 0, "alt"));
    WriteBytes(dir / "abj.spb", BookBytes(*book));
    EXPECT_EQ(RunProgram(dir, {"validate", "abj.spb", "-o", "out.spb"}, "", "/dev/full").Status, 1);
    EXPECT_EQ(RunProgram(dir, {"validate", "out.spb", "-o", "again.spb"}, "", "/dev/full").Status, 0)
        << "nothing removed, nothing to list";
}

TEST_F(CliProgram, CountThatFailsPartWayLeavesEveryBookOfTheFolderAlone) {
    // book-2.spb cannot be written (a folder stands there): the run fails, and
    // the book-1.spb and book-3.spb already in the folder keep their bytes.
    std::filesystem::create_directories(dir / "party" / "book-2.spb");
    WriteBytes(dir / "party" / "book-1.spb", "first\r\n");
    WriteBytes(dir / "party" / "book-3.spb", "third\r\n");
    const tRunResult r = RunProgram(dir, {"new", "--master", "master.dat", "--level", "5", "--intelligence",
                                          "12", "--count", "3", "-o", "party"});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("book-2.spb"), std::string::npos) << r.Err;
    EXPECT_EQ(ReadBytes(dir / "party" / "book-1.spb"), "first\r\n");
    EXPECT_EQ(ReadBytes(dir / "party" / "book-3.spb"), "third\r\n");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir / "party")) {
        ++entries;
    }
    EXPECT_EQ(entries, 3u); // nothing left behind
}

namespace {

// Starts the program in dir with args, its output thrown away; its process.
pid_t StartProgram(const TempDir& dir, const std::vector<std::string>& args) {
    const std::string program = Program();
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const struct rlimit noCore {};
        ::setrlimit(RLIMIT_CORE, &noCore); // signals that dump core leave no file in dir
        const int null = ::open("/dev/null", O_WRONLY);
        if (::chdir(dir.Path().c_str()) != 0 || null < 0 || ::dup2(null, 1) < 0 || ::dup2(null, 2) < 0) {
            ::_exit(127);
        }
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

std::vector<std::string> EntriesOf(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

// The peak memory of one run of the program, in kilobytes; -1 when it fails.
long PeakMemory(const TempDir& dir, const std::vector<std::string>& args) {
    const pid_t pid = StartProgram(dir, args);
    int status = -1;
    struct rusage usage {};
    if (pid <= 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return -1;
    }
    return usage.ru_maxrss;
}

// Books are written one by one as they are made, not all held in memory.
TEST_F(CliProgram, CountWritesEachBookAsItIsMade) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's own memory hides the program's";
#endif
    const long alone = PeakMemory(dir, {"--help"});
    const long many = PeakMemory(dir, {"new", "--master", "master.dat", "--level", "30", "--intelligence",
                                       "21", "--count", "1500", "-o", "many"});
    ASSERT_GT(alone, 0);
    ASSERT_GT(many, 0);
    EXPECT_EQ(EntriesOf(dir / "many").size(), 1500u);
    EXPECT_LT(many - alone, 6 * 1024) << "kilobytes over the program's own; all the books take about 12 MB";
}

// Interrupted by any signal that would end it, new --count leaves neither its
// staging folder nor a half-made OUT behind, whether OUT was there or not;
// killed outright, it leaves its staging folder to the next run, which
// removes it.
TEST_F(CliProgram, CountCleansUpWhenInterrupted) {
    // Books enough to outlast the wait (into an existing folder, fewer: every
    // name there is checked first).
    const auto interrupt = [&](int signal, const std::string& out, const std::string& count = "1000000") {
        const pid_t pid = StartProgram(dir, {"new", "--master", "master.dat", "--level", "5",
                                             "--intelligence", "12", "--count", count, "-o", out});
        if (pid <= 0) {
            return -1;
        }
        // Wait (at most 60 s) until the books are being written, then signal.
        bool staging = false;
        for (int i = 0; i < 6000 && !staging; ++i) {
            for (const std::string& name : EntriesOf(dir.Path())) {
                staging = staging || name.starts_with(".quillmark-");
            }
            if (std::filesystem::is_directory(dir / out)) {
                for (const std::string& name : EntriesOf(dir / out)) {
                    staging = staging || name.starts_with(".quillmark-");
                }
            }
            if (!staging) {
                ::usleep(10000);
            }
        }
        EXPECT_TRUE(staging);
        ::kill(pid, signal);
        int status = -1;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        return WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    };
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGUSR1, SIGALRM, SIGPIPE, SIGXFSZ, SIGRTMIN + 1}) {
        EXPECT_EQ(interrupt(signal, "party"), signal);
        EXPECT_EQ(EntriesOf(dir.Path()), (std::vector<std::string>{"master.dat"})) << signal;
    }
    std::filesystem::create_directory(dir / "party");
    WriteBytes(dir / "party" / "book-000001.spb", "kept");
    EXPECT_EQ(interrupt(SIGTERM, "party", "100000"), SIGTERM);
    EXPECT_EQ(EntriesOf(dir / "party"), (std::vector<std::string>{"book-000001.spb"}));
    EXPECT_EQ(ReadBytes(dir / "party" / "book-000001.spb"), "kept");

    EXPECT_EQ(interrupt(SIGKILL, "party", "100000"), SIGKILL);
    EXPECT_EQ(EntriesOf(dir / "party").size(), 2u) << "the staging folder is left";
    ASSERT_EQ(RunProgram(dir, {"new", "--master", "master.dat", "--level", "5", "--intelligence", "12",
                               "--count", "2", "-o", "party"})
                  .Status,
              0);
    EXPECT_EQ(EntriesOf(dir / "party"),
              (std::vector<std::string>{"book-000001.spb", "book-1.spb", "book-2.spb"}));
}

// Into an existing folder each book is saved as a single save would be: a link
// is followed, permissions and owner are kept.
TEST_F(CliProgram, CountKeepsWhatSingleSavesKeep) {
    namespace fs = std::filesystem;
    fs::create_directory(dir / "party");
    WriteBytes(dir / "elsewhere.spb", "old");
    fs::create_symlink(dir / "elsewhere.spb", dir / "party" / "book-1.spb");
    WriteBytes(dir / "party" / "book-2.spb", "old");
    fs::permissions(dir / "party" / "book-2.spb", fs::perms::owner_read | fs::perms::owner_write);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown((dir / "party" / "book-2.spb").c_str(), 65534, 65534), 0);
    }
    const tRunResult r = RunProgram(dir, {"new", "--master", "master.dat", "--level", "5", "--intelligence",
                                          "12", "--count", "3", "-o", "party"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(fs::is_symlink(dir / "party" / "book-1.spb"));
    EXPECT_TRUE(ReadBytes(dir / "elsewhere.spb").starts_with("5\r\n5\r\n12\r\n"));
    EXPECT_EQ(fs::status(dir / "party" / "book-2.spb").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    struct stat info {};
    ASSERT_EQ(::stat((dir / "party" / "book-2.spb").c_str(), &info), 0);
    if (root) {
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
    }
    EXPECT_EQ(EntriesOf(dir / "party"), (std::vector<std::string>{"book-1.spb", "book-2.spb", "book-3.spb"}));
}

// What becomes of each kind of output, saved alone (-o FILE) and as the second
// of three books (--count): written, through the link; or refused with the
// name and the system's reason, the books already there left as they were.
// Cases this user cannot set up are left out; the test command runs this again
// as an unprivileged user.
TEST_F(CliPermissionTest, EveryOutputTargetSaysWhatBecameOfIt) {
    namespace fs = std::filesystem;
    struct tTarget {
        std::string What;
        std::function<bool(const fs::path&, tTestMounts&)> Make; // sets party/book-2.spb up
        std::string Reason;                                      // "" when written
    };
    const std::vector<tTarget> targets = {
        {"a dangling link",
         [](const fs::path& party, tTestMounts&) {
             fs::create_symlink("../made.spb", party / "book-2.spb");
             return true;
         },
         ""},
        {"links in a loop",
         [](const fs::path& party, tTestMounts&) {
             fs::create_symlink("book-2.spb", party / "book-2.spb");
             return true;
         },
         "party/book-2.spb cannot be written: its links form a loop"},
        {"a read-only file",
         [](const fs::path& party, tTestMounts&) {
             WriteBytes(party / "book-2.spb", "old 2");
             fs::permissions(party / "book-2.spb", fs::perms::owner_read);
             return !std::ofstream(party / "book-2.spb", std::ios::app);
         },
         "party/book-2.spb cannot be written: permission denied"},
        {"a link to a full disk",
         [](const fs::path& party, tTestMounts& mounts) {
             if (!mounts.SmallDisk(party.parent_path() / "disk", 65536)) {
                 return false;
             }
             WriteBytes(party.parent_path() / "disk" / "real.spb", "old 2");
             fs::create_symlink("../disk/real.spb", party / "book-2.spb");
             return tTestMounts::Fill(party.parent_path() / "disk");
         },
         "party/book-2.spb cannot be written: the disk is full"},
        {"a link to a read-only file system",
         [](const fs::path& party, tTestMounts& mounts) {
             if (!mounts.SmallDisk(party.parent_path() / "ro", 65536)) {
                 return false;
             }
             WriteBytes(party.parent_path() / "ro" / "real.spb", "old 2");
             fs::create_symlink("../ro/real.spb", party / "book-2.spb");
             return mounts.ReadOnly(party.parent_path() / "ro");
         },
         "party/book-2.spb cannot be written: the file system is read-only"},
    };
    const std::vector<std::string> book = {"new", "--master",       "master.dat", "--level",
                                           "5",   "--intelligence", "12"};
    for (const tTarget& t : targets) {
        for (const bool count : {false, true}) {
            const std::string what = t.What + (count ? " (--count)" : "");
            TempDir here;
            tTestMounts mounts;
            WriteListFile(*master, here / "master.dat");
            fs::create_directory(here / "party");
            WriteBytes(here / "party" / "book-1.spb", "old 1");
            WriteBytes(here / "party" / "book-3.spb", "old 3");
            if (!t.Make(here / "party", mounts)) {
                std::cout << "left out (this user cannot set it up): " << what << "\n";
                continue;
            }
            const std::vector<std::string> out = count
                                                     ? std::vector<std::string>{"--count", "3", "-o", "party"}
                                                     : std::vector<std::string>{"-o", "party/book-2.spb"};
            std::vector<std::string> args = book;
            args.insert(args.end(), out.begin(), out.end());
            const tRunResult r = RunProgram(here, args);
            EXPECT_EQ(r.Status, t.Reason.empty() ? 0 : 1) << what << "\n" << r.Err;
            EXPECT_EQ(r.Err, t.Reason.empty() ? "" : "quillmark-cli new: " + t.Reason + "\n") << what;
            EXPECT_EQ(ReadBytes(here / "party" / "book-1.spb") == "old 1", !count || !t.Reason.empty())
                << what;
            EXPECT_EQ(EntriesOf(here / "party"),
                      (std::vector<std::string>{"book-1.spb", "book-2.spb", "book-3.spb"}))
                << what;
            if (t.Reason.empty()) {
                EXPECT_TRUE(fs::is_symlink(here / "party" / "book-2.spb")) << what;
                EXPECT_TRUE(ReadBytes(here / "made.spb").starts_with("5\r\n5\r\n12\r\n")) << what;
            }
        }
    }
}

// On a terminal a file's control bytes show as '?'; a pipe gets every byte.
TEST(CliTerminalTest, ControlBytesNeverReachATerminal) {
    TempDir dir;
    auto book = TSpellBook::Create(3, 9, 0, "Generalist");
    book->AddSpell(MakeSpell(1, "Bell\a and \x1B[2Jclear", 0, "abj", "Tab\tkept\x7F"));
    book->AddSpell(MakeSpell(2, "C1\xC2\x9B[2J and \x9B[2J but \xC5\x9Bwi\xC4\x99ty", 0, "abj"));
    auto small = TSpellBook::Create(1, 9, 0, "Abjurer");
    small->AddSpell(MakeSpell(1, "Alter\x1B]0;title\a", 0, "alt"));
    WriteBytes(dir / "book.spb", BookBytes(*book));
    WriteBytes(dir / "abj.spb", BookBytes(*small));
    const std::string path = (dir / "book.spb").string();
    struct Case {
        std::vector<std::string> Args;
        std::string Shown; // a text the output must hold
    };
    const std::vector<Case> cases = {
        {{"list", path}, "Bell? and ?[2Jclear  (abj) [Tab\tkept? 1] - C\n"},
        {{"list", path}, "C1?[2J and ?[2J but \xC5\x9Bwi\xC4\x99ty  (abj)"},
        {{"text", path}, "C1?[2J and ?[2J but \xC5\x9Bwi\xC4\x99ty [PHB 1]\r\n"},
        {{"text", path}, "Bell? and ?[2Jclear [Tab\tkept? 1]\r\n"},
        {{"validate", (dir / "abj.spb").string()}, "Alter?]0;title?"},
    };
    for (const Case& c : cases) {
        for (const bool terminal : {true, false}) {
            std::ostringstream out;
            std::ostringstream err;
            ASSERT_EQ(RunCli(c.Args, out, err, {terminal, terminal}), 0) << err.str();
            const std::string all = out.str() + err.str();
            const bool control =
                std::any_of(all.begin(), all.end(),
                            [](char ch) {
                                const auto u = static_cast<unsigned char>(ch);
                                return (u < 32 && ch != '\t' && ch != '\r' && ch != '\n') || u == 127;
                            }) ||
                all.find("\xC2\x9B") != std::string::npos || all.find(" \x9B") != std::string::npos;
            EXPECT_EQ(control, !terminal) << c.Args[0];
            EXPECT_EQ(all.find(c.Shown) != std::string::npos, terminal) << c.Args[0] << "\n" << all;
        }
    }
}

// The program itself tells a terminal from a pipe.
TEST_F(CliProgram, AProgramOnATerminalShowsControlBytesAsQuestionMarks) {
    if (::system("command -v script >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "script is needed to give the program a terminal";
    }
    auto book = TSpellBook::Create(3, 9, 0, "Generalist");
    book->AddSpell(MakeSpell(1, "Escape\x1B[31mred", 0, "abj"));
    WriteBytes(dir / "book.spb", BookBytes(*book));
    const std::string list = ShellQuote(Program()) + " list book.spb";
    const std::string command = "cd " + ShellQuote(dir.Path().string()) + " && script -qec " +
                                ShellQuote(list) + " /dev/null >.t 2>&1 </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string shown = ReadBytes(dir / ".t");
    EXPECT_NE(shown.find("Escape?[31mred"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x1B'), std::string::npos);
    const tRunResult piped = RunProgram(dir, {"list", "book.spb"});
    EXPECT_NE(piped.Out.find("Escape\x1B[31mred"), std::string::npos);
}
