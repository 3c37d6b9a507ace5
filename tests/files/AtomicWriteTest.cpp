#include "files/AtomicWrite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// Permission tests: root writes whatever the permission bits say, so these skip
// as root; the test command runs them again as an unprivileged user.

// Replacing the file through its folder would get round the file's own
// protection: a file this user may not write stays as it is.
TEST(FilePermissionTest, ReadOnlyFileIsRefused) {
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
    EXPECT_FALSE(CanReplaceFile(path.string()));
}

// No temporary file can be made in a read-only folder; a file there that this
// user may write is written in place.
TEST(FilePermissionTest, AWritableFileInAReadOnlyFolderIsWrittenInPlace) {
    TempDir dir;
    const fs::path folder = dir / "locked";
    fs::create_directory(folder);
    WriteBytes(folder / "book.spb", "previous, longer");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(folder / "probe")) {
        GTEST_SKIP() << "permission bits do not stop this user's writes";
    }
    FileError error = FileError::CannotWrite;
    EXPECT_TRUE(WriteFileAtomically((folder / "book.spb").string(), Writes("new"), &error));
    EXPECT_EQ(error, FileError::None);
    EXPECT_EQ(ReadBytes(folder / "book.spb"), "new");
    EXPECT_FALSE(WriteFileAtomically((folder / "other.spb").string(), Writes("new"), &error));
    EXPECT_EQ(error, FileError::CannotWrite);
    EXPECT_EQ(EntriesIn(folder), 1u);
    fs::permissions(folder, fs::perms::owner_all); // so that the folder can be removed
}

// The reason given beneath a failure, as the file system tells it.
TEST(FilePermissionTest, TheReasonOfAFailureNamesWhatStoodInTheWay) {
    TempDir dir;
    const fs::path locked = dir / "locked.spb";
    WriteBytes(locked, "x");
    fs::permissions(locked, fs::perms::none);
    const fs::path folder = dir / "shut";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ifstream(locked)) {
        GTEST_SKIP() << "permission bits do not stop this user";
    }
    const struct {
        fs::path Path;
        FileError Error;
        std::string Reason;
    } cases[] = {
        {locked, FileError::CannotOpen, "The file may not be read (permission denied)."},
        {locked, FileError::CannotWrite, "The file may not be written (permission denied)."},
        {folder / "new.spb", FileError::CannotWrite, "Its folder may not be written (permission denied)."},
        {dir / "gone" / "x.spb", FileError::CannotWrite, "Its folder was not found."},
        {dir / "missing.spb", FileError::CannotOpen, "The file was not found."},
        {dir.Path(), FileError::CannotOpen, "It is a folder, not a file."},
        {locked, FileError::ReadError, "The file could not be read to the end."},
        {locked, FileError::None, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExplainFileError(c.Path.string(), c.Error), c.Reason) << c.Path;
    }
    fs::permissions(folder, fs::perms::owner_all);
    fs::permissions(locked, fs::perms::owner_all);
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

    // A pipe somebody reads gets the text; one nobody reads is refused at once
    // instead of waiting for a reader for ever.
    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    FileError error = FileError::None;
    EXPECT_FALSE(WriteFileAtomically(fifo.string(), Writes("nobody reads"), &error));
    EXPECT_EQ(error, FileError::CannotWrite);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_TRUE(WriteFileAtomically(fifo.string(), Writes("through the pipe")));
    char received[64] = {};
    const ssize_t got = ::read(reader, received, sizeof received);
    ::close(reader);
    EXPECT_EQ(std::string(received, static_cast<size_t>(std::max<ssize_t>(got, 0))), "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
}

// The new file keeps the old one's owner and group (root may give any).
TEST(AtomicWriteTest, OwnerAndGroupAreKept) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root may give a file to another user";
    }
    TempDir dir;
    const fs::path path = dir / "MASTER.DAT";
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path.string(), Writes("new")));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path), "new");
}

// A user who may write another user's file but not give a file away writes it
// in place: same file, same owner, new content, nothing left beside it.
TEST(AtomicWriteTest, AFileThatCannotBeGivenAwayIsWrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to set up a file of another user";
    }
    TempDir dir;
    fs::permissions(dir.Path(), fs::perms::all);
    const fs::path path = dir / "shared.spb";
    WriteBytes(path, "old content, longer than the new");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool saved = ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                           WriteFileAtomically(path.string(), Writes("new content"));
        ::_exit(saved ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadBytes(path), "new content");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// Temporary files of saves whose program was killed go at the next save of
// the same file; those of running programs and other files stay.
TEST(AtomicWriteTest, StaleTemporaryFilesAreRemoved) {
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    TempDir dir;
    const std::string stale = "MASTER.DAT." + std::to_string(gone) + "-0.tmp";
    const std::string running = "MASTER.DAT." + std::to_string(::getppid()) + "-3.tmp";
    const std::string others[] = {running, "MASTER.DAT.bak.tmp",
                                  "OTHER.DAT." + std::to_string(gone) + "-0.tmp",
                                  "MASTER.DAT." + std::to_string(gone) + "-0.tmp.keep"};
    WriteBytes(dir / stale, "half");
    for (const std::string& name : others) {
        WriteBytes(dir / name, "keep");
    }
    ASSERT_TRUE(WriteFileAtomically((dir / "MASTER.DAT").string(), Writes("saved")));
    EXPECT_FALSE(fs::exists(dir / stale));
    for (const std::string& name : others) {
        EXPECT_TRUE(fs::exists(dir / name)) << name;
    }
    EXPECT_EQ(EntriesIn(dir.Path()), 5u);
}

TEST(AtomicWriteTest, MovingAFinishedFileIntoPlace) {
    TempDir dir;
    const fs::path target = dir / "real.spb";
    WriteBytes(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, dir / "link.spb");
    WriteBytes(dir / "staged", "new");
    ASSERT_TRUE(MoveFileIntoPlace((dir / "staged").string(), (dir / "link.spb").string()));
    EXPECT_TRUE(fs::is_symlink(dir / "link.spb"));
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_FALSE(fs::exists(dir / "staged"));

    // A device takes a copy; a folder refuses, and the staged file goes anyway.
    WriteBytes(dir / "staged", "to the sink");
    EXPECT_TRUE(MoveFileIntoPlace((dir / "staged").string(), "/dev/null"));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    WriteBytes(dir / "staged", "nowhere");
    fs::create_directory(dir / "folder");
    FileError error = FileError::None;
    EXPECT_FALSE(MoveFileIntoPlace((dir / "staged").string(), (dir / "folder").string(), &error));
    EXPECT_EQ(error, FileError::CannotWrite);
    EXPECT_EQ(EntriesIn(dir.Path()), 3u);

    const fs::path fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& [path, replaceable] :
         {std::pair{(dir / "new.spb").string(), true}, std::pair{(dir / "link.spb").string(), true},
          std::pair{(dir / "folder").string(), false}, std::pair{fifo.string(), false},
          std::pair{std::string(), false}}) {
        EXPECT_EQ(CanReplaceFile(path), replaceable) << path;
    }
}

} // namespace
