#include "files/AtomicWrite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <stdexcept>
#include <sys/resource.h>
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

// Everything under dir, by path from dir: "file:" and the bytes, "link:" and
// where it points, "folder" or "other".
std::map<std::string, std::string> Snapshot(const fs::path& dir) {
    std::map<std::string, std::string> entries;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::file_status status = it->symlink_status();
        std::string& entry = entries[it->path().lexically_relative(dir).string()];
        if (fs::is_symlink(status)) {
            entry = "link:" + fs::read_symlink(it->path()).string();
        } else if (fs::is_directory(status)) {
            entry = "folder";
        } else {
            entry = fs::is_regular_file(status) ? "file:" + ReadBytes(it->path()) : "other";
        }
    }
    return entries;
}

// Files may grow to at most bytes bytes while it lives; a write beyond fails
// (EFBIG) instead of ending the process.
class tFileSizeLimit {
public:
    explicit tFileSizeLimit(rlim_t bytes) {
        Handler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &Old);
        struct rlimit limited = Old;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    tFileSizeLimit(const tFileSizeLimit&) = delete;
    tFileSizeLimit& operator=(const tFileSizeLimit&) = delete;
    ~tFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, Handler);
    }

private:
    struct rlimit Old {};
    void (*Handler)(int) = nullptr;
};

bool NeverInterrupted() {
    return false;
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

// Permission tests: root writes whatever the permission bits say, so these skip
// as root; the test command runs them again as an unprivileged user.

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
    EXPECT_EQ(error.System(), EACCES);
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

// Every kind of place a save may be sent to, through a single save and as the
// second of three files of a batch (the first and third plain files beside
// it): what is written where, or why nothing is, with everything else as it
// was. Cases this user cannot set up (mounts need root; permission bits do not
// stop root) are left out and named; the test command runs this again as an
// unprivileged user.
TEST(FilePermissionTest, EveryOutputTargetAsASingleSaveAndInABatch) {
    using tMake = std::function<std::string(const fs::path&, tTestMounts&)>;
    const auto link = [](const fs::path& at, const std::string& to) { fs::create_symlink(to, at); };
    struct tTarget {
        std::string What;
        tMake Make;                    // sets the case up in a folder; the name to write, "" if it cannot
        int Refusal;                   // the system's reason the write fails, 0 when it goes through
        std::string Lands = "";        // where the content lands ("" the name itself; "-" outside)
        int BatchRefusal = -1;         // where a batch differs
        std::string BatchFailsAt = ""; // the name a batch names ("" the case's own)
        bool SizeLimit = false;        // files may not grow beyond 2 bytes
    };
    const std::vector<tTarget> targets = {
        {"a new name", [](const fs::path&, tTestMounts&) { return "new.spb"; }, 0},
        {"an existing file",
         [](const fs::path& d, tTestMounts&) {
             WriteBytes(d / "old.spb", "old");
             return "old.spb";
         },
         0},
        {"a live link",
         [&](const fs::path& d, tTestMounts&) {
             WriteBytes(d / "real.spb", "old");
             link(d / "link.spb", "real.spb");
             return "link.spb";
         },
         0, "real.spb"},
        {"links through another folder",
         [&](const fs::path& d, tTestMounts&) {
             fs::create_directory(d / "sub");
             WriteBytes(d / "sub" / "real.spb", "old");
             link(d / "sub" / "hop.spb", "real.spb");
             link(d / "link.spb", "sub/hop.spb");
             return "link.spb";
         },
         0, "sub/real.spb"},
        {"a dangling link",
         [&](const fs::path& d, tTestMounts&) {
             link(d / "link.spb", "made.spb");
             return "link.spb";
         },
         0, "made.spb"},
        {"a dangling link into a missing folder",
         [&](const fs::path& d, tTestMounts&) {
             link(d / "link.spb", "gone/made.spb");
             return "link.spb";
         },
         ENOENT},
        {"a link to itself",
         [&](const fs::path& d, tTestMounts&) {
             link(d / "a.spb", "a.spb");
             return "a.spb";
         },
         ELOOP},
        {"two links in a loop",
         [&](const fs::path& d, tTestMounts&) {
             link(d / "a.spb", "b.spb");
             link(d / "b.spb", "a.spb");
             return "a.spb";
         },
         ELOOP},
        {"a new name of 244 bytes",
         [](const fs::path&, tTestMounts&) { return std::string(240, 'n') + ".spb"; }, 0},
        {"a file named with 255 bytes",
         [](const fs::path& d, tTestMounts&) {
             const std::string name = std::string(251, 'x') + ".spb";
             WriteBytes(d / name, "old");
             return name;
         },
         0},
        {"a name of 256 bytes", [](const fs::path&, tTestMounts&) { return std::string(252, 'x') + ".spb"; },
         ENAMETOOLONG},
        {"a folder",
         [](const fs::path& d, tTestMounts&) {
             fs::create_directory(d / "folder.spb");
             return "folder.spb";
         },
         EISDIR},
        {"a link to a device",
         [&](const fs::path& d, tTestMounts&) {
             link(d / "null.spb", "/dev/null");
             return "null.spb";
         },
         0, "-", ENODEV},
        {"a read-only file",
         [](const fs::path& d, tTestMounts&) {
             WriteBytes(d / "locked.spb", "old");
             fs::permissions(d / "locked.spb", fs::perms::owner_read | fs::perms::group_read);
             return std::ofstream(d / "locked.spb", std::ios::app) ? "" : "locked.spb";
         },
         EACCES},
        {"a file on a read-only file system",
         [&](const fs::path& d, tTestMounts& mounts) {
             if (!mounts.SmallDisk(d / "ro", 65536)) {
                 return "";
             }
             WriteBytes(d / "ro" / "real.spb", "old");
             link(d / "link.spb", "ro/real.spb");
             return mounts.ReadOnly(d / "ro") ? "link.spb" : "";
         },
         EROFS},
        {"a link to a file on a full disk",
         [&](const fs::path& d, tTestMounts& mounts) {
             if (!mounts.SmallDisk(d / "disk", 65536)) {
                 return "";
             }
             WriteBytes(d / "disk" / "real.spb", "old");
             link(d / "link.spb", "disk/real.spb");
             return tTestMounts::Fill(d / "disk") ? "link.spb" : "";
         },
         ENOSPC},
        {"a file something is mounted on",
         [](const fs::path& d, tTestMounts& mounts) {
             WriteBytes(d / "other.spb", "other");
             WriteBytes(d / "mounted.spb", "old");
             return mounts.Bind(d / "other.spb", d / "mounted.spb") ? "mounted.spb" : "";
         },
         EBUSY},
        {"a file size limit",
         [](const fs::path& d, tTestMounts&) {
             WriteBytes(d / "old.spb", "old");
             return "old.spb";
         },
         EFBIG, "", -1, "book-1.spb", true},
    };
    std::vector<std::string> leftOut;
    for (const tTarget& t : targets) {
        for (const bool batch : {false, true}) {
            const std::string what = t.What + (batch ? " in a batch" : "");
            TempDir dir;
            tTestMounts mounts;
            WriteBytes(dir / "book-1.spb", "old 1");
            WriteBytes(dir / "book-3.spb", "old 3");
            const std::string name = t.Make(dir.Path(), mounts);
            if (name.empty()) {
                leftOut.push_back(what);
                continue;
            }
            const std::map<std::string, std::string> before = Snapshot(dir.Path());
            std::map<std::string, std::string> expected = before;
            const std::string lands = t.Lands.empty() ? name : t.Lands;
            FileError error;
            bool written = false;
            std::string failedPath;
            {
                std::optional<tFileSizeLimit> limit;
                if (t.SizeLimit) {
                    limit.emplace(2);
                }
                if (batch) {
                    const std::string names[] = {"book-1.spb", name, "book-3.spb"};
                    const tBatchResult result = WriteFilesIntoFolder(
                        dir.Path().string(), 3, [&names](size_t i) { return names[i]; },
                        [](size_t i, std::ostream& out) { return static_cast<bool>(out << "new " << i); },
                        NeverInterrupted);
                    written = result.Status == tBatchResult::tStatus::Written;
                    error = result.Error;
                    failedPath = result.Path;
                } else {
                    written = WriteFileAtomically((dir / name).string(), Writes("new"), &error);
                }
            }
            const int refusal = batch && t.BatchRefusal >= 0 ? t.BatchRefusal : t.Refusal;
            EXPECT_EQ(written, refusal == 0) << what;
            EXPECT_EQ(error.System(), refusal) << what << ": " << DescribeFileError(error);
            if (refusal == 0) {
                EXPECT_EQ(error, FileError::None) << what;
                if (lands != "-") {
                    expected[lands] = batch ? "file:new 1" : "file:new";
                }
                if (batch) {
                    expected["book-1.spb"] = "file:new 0";
                    expected["book-3.spb"] = "file:new 2";
                }
            } else {
                EXPECT_EQ(error, FileError::CannotWrite) << what;
                if (batch) {
                    EXPECT_EQ(failedPath, (dir / (t.BatchFailsAt.empty() ? name : t.BatchFailsAt)).string())
                        << what;
                }
            }
            EXPECT_EQ(Snapshot(dir.Path()), expected) << what;
        }
    }
    for (const std::string& what : leftOut) {
        std::cout << "left out (this user cannot set it up): " << what << "\n";
    }
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
        // A batch refuses it instead: a file written in place could not be put
        // back should another fail.
        const bool saved =
            ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
            WriteFilesIntoFolder(
                dir.Path().string(), 1, [](size_t) { return std::string("shared.spb"); },
                [](size_t, std::ostream& out) { return static_cast<bool>(out << "batch"); }, NeverInterrupted)
                    .Error.System() == EPERM &&
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

// A batch into a folder that is not there makes it whole; one stopped part way
// (asked to stop, a file its writer refuses, a writer that throws) leaves
// nothing it made, whether the folder was there or not.
TEST(AtomicWriteTest, ABatchStoppedPartWayLeavesNothingBehind) {
    const auto names = [](size_t i) { return "book-" + std::to_string(i + 1) + ".spb"; };
    TempDir dir;
    const fs::path made = dir / "a" / "b" / "party";
    const tBatchResult result = WriteFilesIntoFolder(
        made.string() + "/", 3, names,
        [](size_t i, std::ostream& out) { return static_cast<bool>(out << i); }, NeverInterrupted);
    EXPECT_EQ(result.Status, tBatchResult::tStatus::Written);
    EXPECT_EQ(Snapshot(made),
              (std::map<std::string, std::string>{
                  {"book-1.spb", "file:0"}, {"book-2.spb", "file:1"}, {"book-3.spb", "file:2"}}));
    EXPECT_EQ(EntriesIn(made.parent_path()), 1u);

    enum class tStop { Asked, Refused, Thrown };
    for (const bool existing : {false, true}) {
        for (const tStop stop : {tStop::Asked, tStop::Refused, tStop::Thrown}) {
            TempDir here;
            const fs::path folder = here / "party";
            if (existing) {
                fs::create_directory(folder);
                WriteBytes(folder / "book-1.spb", "old");
            }
            const auto before = Snapshot(here.Path());
            size_t asked = 0;
            const auto write = [stop](size_t i, std::ostream& out) {
                out << "book " << i;
                if (i == 2 && stop == tStop::Thrown) {
                    throw std::runtime_error("stopped");
                }
                return i != 2 || stop != tStop::Refused;
            };
            const auto interrupted = [&asked, stop] { return stop == tStop::Asked && ++asked == 3; };
            tBatchResult stopped;
            if (stop == tStop::Thrown) {
                EXPECT_THROW(WriteFilesIntoFolder(folder.string(), 4, names, write, interrupted),
                             std::runtime_error);
            } else {
                stopped = WriteFilesIntoFolder(folder.string(), 4, names, write, interrupted);
                EXPECT_EQ(stopped.Status, stop == tStop::Asked ? tBatchResult::tStatus::Interrupted
                                                               : tBatchResult::tStatus::Failed);
            }
            if (stop == tStop::Refused) {
                EXPECT_EQ(stopped.Path, (folder / "book-3.spb").string());
                EXPECT_EQ(stopped.Error, FileError::CannotWrite);
            }
            EXPECT_EQ(Snapshot(here.Path()), before) << existing << " " << static_cast<int>(stop);
        }
    }
}

// What saves and batches of processes that were killed left (temporary files
// and staging folders, named after their process) goes with the next save or
// batch into the same folder; what running processes or others made stays.
TEST(AtomicWriteTest, WhatKilledSavesLeftIsRemoved) {
    const pid_t gone = ::fork();
    ASSERT_GE(gone, 0);
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone);
    const std::vector<std::string> kept = {".quillmark-" + std::to_string(::getppid()) + "-3.tmp",
                                           ".quillmark-" + dead + "-0.tmp.keep", ".quillmark-x-0.tmp",
                                           "MASTER.DAT." + dead + "-0.tmp", "book-1.spb"};
    const auto leaveBehind = [&](const fs::path& folder) {
        fs::create_directories(folder / (".quillmark-" + dead + "-1.tmp"));
        WriteBytes(folder / (".quillmark-" + dead + "-1.tmp") / "book-7.spb", "half");
        WriteBytes(folder / (".quillmark-" + dead + "-0.tmp"), "half");
        for (const std::string& name : kept) {
            WriteBytes(folder / name, "keep");
        }
    };
    const auto write = [](size_t, std::ostream& out) { return static_cast<bool>(out << "new"); };
    const auto name = [](size_t) { return std::string("book-1.spb"); };
    const std::vector<std::function<void(const fs::path&)>> writers = {
        [](const fs::path& folder) {
            EXPECT_TRUE(WriteFileAtomically((folder / "book-1.spb").string(), Writes("new")));
        },
        [&](const fs::path& folder) {
            EXPECT_EQ(WriteFilesIntoFolder(folder.string(), 1, name, write, NeverInterrupted).Status,
                      tBatchResult::tStatus::Written);
        },
        [&](const fs::path& folder) {
            EXPECT_EQ(
                WriteFilesIntoFolder((folder / "party").string(), 1, name, write, NeverInterrupted).Status,
                tBatchResult::tStatus::Written);
        },
    };
    for (const auto& writer : writers) {
        TempDir dir;
        leaveBehind(dir.Path());
        writer(dir.Path());
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(dir.Path())) {
            left.push_back(entry.path().filename().string());
        }
        std::vector<std::string> expected = kept;
        if (fs::exists(dir / "party")) {
            expected.push_back("party");
        }
        std::sort(left.begin(), left.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(left, expected);
    }
}

} // namespace
