// Reading data files from paths: only regular files are read, read errors are
// failures, and the warnings that come with a result.
#include "files/DataFile.h"
#include "FileTestSupport.h"
#include "files/SpecialtyFile.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace {

// Which of the three path readers answered, and with what error.
struct tPathResults {
    bool List = false;
    bool Book = false;
    bool Specialties = false;
    FileError ListError = FileError::None;
    FileError BookError = FileError::None;
    FileError SpecialtyError = FileError::None;
};

tPathResults ReadWithEveryPathReader(const std::string& path) {
    tPathResults r;
    r.List = ReadSpellList(path, &r.ListError) != nullptr;
    r.Book = ReadSpellbookFile(path, &r.BookError) != nullptr;
    r.Specialties = ReadSpecialtyFile(path, &r.SpecialtyError) != nullptr;
    return r;
}

void ExpectRefused(const std::string& path) {
    const tPathResults r = ReadWithEveryPathReader(path);
    EXPECT_FALSE(r.List || r.Book || r.Specialties) << path;
    EXPECT_EQ(r.ListError, FileError::CannotOpen) << path;
    EXPECT_EQ(r.BookError, FileError::CannotOpen) << path;
    EXPECT_EQ(r.SpecialtyError, FileError::CannotOpen) << path;
    FileError error = FileError::None;
    EXPECT_FALSE(OpenDataFile(path, &error)) << path;
    EXPECT_EQ(error, FileError::CannotOpen) << path;
}

// A named pipe with no writer would block an ordinary open for ever, and an
// endless device would be read until memory ran out: both are refused at once.
TEST(DataFileTest, OnlyRegularFilesAreRead) {
    TempDir dir;
    const std::filesystem::path fifo = dir / "pipe.spb";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", dir / "zero.spb");
    std::filesystem::create_symlink(fifo, dir / "link-to-pipe.spb");
    for (const std::string& path : {fifo.string(), std::string("/dev/zero"), std::string("/dev/null"),
                                    (dir / "zero.spb").string(), (dir / "link-to-pipe.spb").string(),
                                    dir.Path().string(), (dir / "missing.spb").string(), std::string()}) {
        ExpectRefused(path);
    }

    WriteBytes(dir / "book.spb", "5\r\n3\r\n9\r\nGeneralist\r\nC\r\n2,\"Web\"\r\n");
    std::filesystem::create_symlink(dir / "book.spb", dir / "link.spb");
    const tPathResults r = ReadWithEveryPathReader((dir / "link.spb").string());
    EXPECT_TRUE(r.List && r.Book && r.Specialties);
    EXPECT_EQ(r.BookError, FileError::None);
}

// A read the system fails is a failure: never an empty or a shortened file.
TEST(DataFileTest, ReadErrorsFailEveryReader) {
    TempDir dir;
    WriteBytes(dir / "book.spb", "on disk");
    SetDataFileOpener([](const std::string&, FileError*) -> std::unique_ptr<std::istream> {
        return std::make_unique<tFailingStream>("5\r\n3\r\n9\r\nGeneralist\r\nC\r\n2,\"Web\"\r\n");
    });
    const tPathResults r = ReadWithEveryPathReader((dir / "book.spb").string());
    SetDataFileOpener(nullptr);
    EXPECT_FALSE(r.List || r.Book || r.Specialties);
    EXPECT_EQ(r.ListError, FileError::ReadError);
    EXPECT_EQ(r.BookError, FileError::ReadError);
    EXPECT_EQ(r.SpecialtyError, FileError::ReadError);

    std::string bytes;
    tFailingStream failing("partial");
    EXPECT_FALSE(ReadAllBytes(failing, bytes));
    std::istringstream whole(std::string(200000, 'x'));
    EXPECT_TRUE(ReadAllBytes(whole, bytes));
    EXPECT_EQ(bytes.size(), 200000u);
    EXPECT_TRUE(ReadSpellbookFile((dir / "book.spb").string())) << "the system's opener is back";
}

// A byte-order mark at the start is no part of the first line, in every format.
TEST(DataFileTest, AByteOrderMarkIsSkipped) {
    const std::string mark = "\xEF\xBB\xBF";
    std::istringstream list(mark + "1,\"Sleep\"\r\n");
    auto spells = ReadSpellList(list);
    ASSERT_TRUE(spells);
    EXPECT_EQ(NamesOf(*spells), std::vector<std::string>{"Sleep"});

    std::istringstream book(mark + "5\r\n3\r\n9\r\nGeneralist\r\nC\r\n2,\"Web\"\r\n");
    auto versioned = ReadSpellbookFile(book);
    ASSERT_TRUE(versioned);
    EXPECT_EQ(versioned->FileVersion, 5);
    EXPECT_EQ(versioned->CasterLevel, 3);

    std::istringstream specialties(mark + "Warden\r\nabj\r\n\r\n");
    auto list2 = ReadSpecialtyFile(specialties);
    ASSERT_TRUE(list2);
    EXPECT_EQ(list2->Names(), std::vector<std::string>{"Warden"});

    // Only at the very start, and a mark alone is an empty file.
    std::istringstream later("1,\"Sleep\"\r\n" + mark + "2,\"Web\"\r\n");
    EXPECT_EQ(ReadSpellList(later)->Count(), 1);
    FileError error = FileError::NoSpells;
    std::istringstream alone(mark);
    EXPECT_EQ(ReadSpellList(alone, &error)->Count(), 0);
    EXPECT_EQ(error, FileError::None);
}

// Text from which not one spell (or header) can be read is no spell list; an
// empty or blank file is an empty one.
TEST(DataFileTest, AFileWithTextButNoSpellsSaysSo) {
    const struct {
        std::string Bytes;
        FileError Expected;
    } cases[] = {
        {"", FileError::None},
        {" \r\n", FileError::None}, // an empty list as written
        {"\r\n\t\r\n  \n", FileError::None},
        {"root:x:0:0:root:/root:/bin/bash\nbin:x:1:1::/bin:/sbin/nologin\n", FileError::NoSpells},
        {std::string("\xFF\xFE"
                     "1\0,\0\"\0S\0\"\0\r\0\n\0",
                     16),
         FileError::NoSpells}, // UTF-16
        {std::string("\0\0\0\0", 4), FileError::NoSpells},
        {"10,\"Too High\"\r\n0,\"Too Low\"\r\n", FileError::NoSpells},
        {"10,\"Too High\"\r\n1,\"Fine\"\r\n", FileError::None},
    };
    for (const auto& c : cases) {
        FileError listError = FileError::CannotOpen;
        std::istringstream list(c.Bytes);
        auto spells = ReadSpellList(list, &listError);
        ASSERT_TRUE(spells);
        EXPECT_EQ(listError, c.Expected) << ::testing::PrintToString(c.Bytes);

        FileError bookError = FileError::CannotOpen;
        std::istringstream book(c.Bytes);
        ASSERT_TRUE(ReadSpellbookFile(book, &bookError));
        EXPECT_EQ(bookError, c.Expected) << ::testing::PrintToString(c.Bytes);
    }
    // A header read is something read: a versioned book without spells is fine.
    FileError error = FileError::CannotOpen;
    std::istringstream header("5\r\n3\r\n9\r\nGeneralist\r\nC\r\n \r\n");
    ASSERT_TRUE(ReadSpellbookFile(header, &error));
    EXPECT_EQ(error, FileError::None);
}

TEST(DataFileTest, HeaderNumbersMayEndInBlanksAndDamageIsReported) {
    const std::string spells = "1,\"Sleep\"\r\n2,\"Web\"\r\n";
    const struct {
        std::string Header;
        int32_t Version, Caster, Intelligence;
        FileError Expected;
    } cases[] = {
        {"5 \r\n12 \r\n15\t\r\nInvoker\r\nC\r\n", 5, 12, 15, FileError::None},
        {"3\r\n7\r\n15\r\n6 \r\nC\r\n", 3, 7, 15, FileError::None},
        {"5\r\nseven\r\n15\r\nInvoker\r\nC\r\n", 5, 0, 15, FileError::CasterLevelNotNumber},
        {"5\r\n7\r\n1 5\r\nInvoker\r\nC\r\n", 5, 7, 0, FileError::IntelligenceNotNumber},
        {"5\r\nx\r\ny\r\nInvoker\r\nC\r\n", 5, 0, 0, FileError::CasterLevelNotNumber},
    };
    for (const auto& c : cases) {
        FileError error = FileError::None;
        std::istringstream in(c.Header + spells);
        auto book = ReadSpellbookFile(in, &error);
        ASSERT_TRUE(book) << c.Header;
        EXPECT_EQ(book->FileVersion, c.Version) << c.Header;
        EXPECT_EQ(book->CasterLevel, c.Caster) << c.Header;
        EXPECT_EQ(book->Intelligence, c.Intelligence) << c.Header;
        EXPECT_EQ(error, c.Expected) << c.Header;
        EXPECT_EQ(book->Count(), 2) << "the spells are kept: " << c.Header;
    }
    std::istringstream version3("3\r\n7\r\n15\r\n6 \r\nC\r\n");
    EXPECT_EQ(ReadSpellbookFile(version3)->Specialty, "Invoker");
}

TEST(FileStatusTest, EveryReasonReadsAsWritten) {
    const std::pair<FileError, const char*> reasons[] = {
        {FileError::None, ""},
        {FileError::CannotOpen, "cannot be opened"},
        {FileError::ReadError, "could not be read to the end"},
        {FileError::NotSpellbook, "is not a spellbook file"},
        {FileError::CannotWrite, "cannot be written"},
        {FileError::NoSpells, "holds no spells"},
        {FileError::CasterLevelNotNumber, "line 2 (the caster level) is not a number"},
        {FileError::IntelligenceNotNumber, "line 3 (the intelligence) is not a number"},
        {{FileError::CannotWrite, ENOSPC}, "cannot be written: the disk is full"},
        {{FileError::CannotWrite, EACCES}, "cannot be written: permission denied"},
        {{FileError::CannotWrite, EROFS}, "cannot be written: the file system is read-only"},
        {{FileError::CannotWrite, ELOOP}, "cannot be written: its links form a loop"},
        {{FileError::CannotWrite, EIO}, "cannot be written: input/output error"},
        {{FileError::None, EIO}, ""},
    };
    for (const auto& [error, text] : reasons) {
        EXPECT_EQ(DescribeFileError(error), text);
    }
    // Beneath a message, the reason the system gave makes a sentence of its own.
    const std::pair<FileError, const char*> sentences[] = {
        {{FileError::CannotWrite, ENOSPC}, "The disk is full."},
        {{FileError::CannotWrite, EROFS}, "The file system is read-only."},
        {{FileError::CannotWrite, ENAMETOOLONG}, "The name is too long."},
        {{FileError::CannotWrite, EIO}, "Input/output error."},
        {{FileError::CannotWrite, ENOENT}, "Its folder was not found."},
    };
    for (const auto& [error, text] : sentences) {
        EXPECT_EQ(ExplainFileError("/nowhere/x.spb", error), text);
    }
}

} // namespace
