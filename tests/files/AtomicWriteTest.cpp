#include "files/AtomicWrite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::function<bool(std::ostream&)> Writes(const std::string& text, bool result = true) {
    return [text, result](std::ostream& out) {
        out << text;
        return result;
    };
}

size_t EntriesIn(const fs::path& dir) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(AtomicWriteTest, WritesAndReplaces) {
    TempDir dir;
    const std::string path = (dir / "book.spb").string();
    FileError error = FileError::CannotOpen;
    ASSERT_TRUE(WriteFileAtomically(path, Writes("first"), &error));
    EXPECT_EQ(error, FileError::None);
    ASSERT_TRUE(WriteFileAtomically(path, Writes("second")));
    EXPECT_EQ(ReadBytes(path), "second");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicWriteTest, AFailedSaveKeepsThePreviousFile) {
    TempDir dir;
    const std::string path = (dir / "MASTER.DAT").string();
    WriteBytes(path, "previous");

    FileError error = FileError::None;
    EXPECT_FALSE(WriteFileAtomically(path, Writes("half", false), &error));
    EXPECT_EQ(error, FileError::CannotWrite);

    const auto throwing = [](std::ostream& out) -> bool {
        out << "half";
        throw std::runtime_error("interrupted");
    };
    EXPECT_THROW(WriteFileAtomically(path, throwing, &error), std::runtime_error);

    const auto badStream = [](std::ostream& out) {
        out.setstate(std::ios::badbit);
        return true;
    };
    EXPECT_FALSE(WriteFileAtomically(path, badStream, &error));

    EXPECT_EQ(ReadBytes(path), "previous");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u); // no temporary file is left behind
}

TEST(AtomicWriteTest, UnwritablePlaces) {
    TempDir dir;
    for (const std::string& path :
         {std::string(), (dir / "missing" / "x.dat").string(), dir.Path().string()}) {
        FileError error = FileError::None;
        EXPECT_FALSE(WriteFileAtomically(path, Writes("x"), &error)) << path;
        EXPECT_EQ(error, FileError::CannotWrite) << path;
    }
}

// Replacing the file through its folder would get round the file's own
// protection: a file this user may not write stays as it is.
TEST(AtomicWriteTest, ReadOnlyFileIsRefused) {
    TempDir dir;
    const fs::path path = dir / "MASTER.DAT";
    WriteBytes(path, "previous");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (std::fstream(path, std::ios::in | std::ios::out)) {
        GTEST_SKIP() << "permission bits do not stop this user's writes";
    }
    FileError error = FileError::None;
    EXPECT_FALSE(WriteFileAtomically(path.string(), Writes("new"), &error));
    EXPECT_EQ(error, FileError::CannotWrite);
    EXPECT_EQ(ReadBytes(path), "previous");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(AtomicWriteTest, FollowsLinksAndKeepsPermissions) {
    TempDir dir;
    const fs::path target = dir / "real.dat";
    const fs::path link = dir / "link.dat";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, link);

    ASSERT_TRUE(WriteFileAtomically(link.string(), Writes("new")));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(FileStatusTest, EveryFailureHasAReason) {
    EXPECT_EQ(DescribeFileError(FileError::None), "");
    for (FileError e :
         {FileError::CannotOpen, FileError::ReadError, FileError::NotSpellbook, FileError::CannotWrite}) {
        EXPECT_FALSE(DescribeFileError(e).empty());
    }
    EXPECT_EQ(DescribeFileError(FileError::CannotOpen), "cannot be opened");
}

} // namespace

namespace {

TEST(AtomicWriteTest, DevicesAndPipesAreWrittenNotReplaced) {
    // Replacing /dev/null with a plain file would break the whole machine.
    ASSERT_TRUE(fs::is_character_file("/dev/null"));
    TempDir dir;
    fs::create_symlink("/dev/null", dir / "sink");
    EXPECT_TRUE(WriteFileAtomically((dir / "sink").string(), Writes("gone")));
    EXPECT_TRUE(WriteFileAtomically("/dev/null", Writes("gone")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u) << "no temporary file left beside the link";

    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = ReadBytes(fifo); });
    const bool written = WriteFileAtomically(fifo.string(), Writes("through the pipe"));
    reader.join();
    EXPECT_TRUE(written);
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

} // namespace
