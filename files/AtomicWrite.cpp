#include "files/AtomicWrite.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr size_t BlockSize = size_t{64} * 1024;
constexpr std::string_view TemporaryPrefix = ".quillmark-";
constexpr std::string_view TemporarySuffix = ".tmp";
// Links followed before a path counts as looping, as the system counts.
constexpr int MaxLinks = 40;

// Closes a file descriptor when it goes.
class tDescriptor {
public:
    explicit tDescriptor(int fd) : Fd(fd) {}
    tDescriptor(const tDescriptor&) = delete;
    tDescriptor& operator=(const tDescriptor&) = delete;
    ~tDescriptor() { Close(); }
    int Get() const { return Fd; }
    bool Close() {
        const int fd = Fd;
        Fd = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int Fd;
};

// Writes all of size bytes to fd; false (errno set) when the system refuses.
bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t put = ::write(fd, data, size);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += put;
        size -= static_cast<size_t>(put);
    }
    return true;
}

// An output buffer on a file descriptor it does not own. A failed write throws,
// which the stream catches and turns into badbit; the system's error number
// is kept.
class tFileWriteBuffer : public std::streambuf {
public:
    explicit tFileWriteBuffer(int fd) : Fd(fd), Buffer(BlockSize) {
        setp(Buffer.data(), Buffer.data() + Buffer.size());
    }
    int SystemError() const { return Error; }

protected:
    int_type overflow(int_type c) override {
        Drain();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override {
        Drain();
        return 0;
    }

private:
    void Drain() {
        if (!WriteAll(Fd, pbase(), static_cast<size_t>(pptr() - pbase()))) {
            Error = errno;
            throw std::ios_base::failure("write error");
        }
        setp(Buffer.data(), Buffer.data() + Buffer.size());
    }

    int Fd;
    std::vector<char> Buffer;
    int Error = 0;
};

// Runs body on a stream writing to fd; true when body agreed and every byte
// reached the system. system is the system's error number of a failed write,
// 0 when body refused by itself.
bool WriteBody(int fd, const std::function<bool(std::ostream&)>& body, int& system) {
    tFileWriteBuffer buffer(fd);
    std::ostream out(&buffer);
    const bool written = body(out);
    out.flush();
    system = buffer.SystemError();
    return written && out.good();
}

// The whole content body writes, made in memory; false when body refuses.
bool ContentOf(const std::function<bool(std::ostream&)>& body, std::string& content) {
    std::ostringstream out;
    const bool written = body(out) && !out.fail();
    content = std::move(out).str();
    return written;
}

bool Fail(FileError* error, int system) {
    SetFileError(error, FileError(FileError::CannotWrite, system));
    return false;
}

bool Succeed(FileError* error) {
    SetFileError(error, FileError::None);
    return true;
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// Follows the links path names to the file they lead to, which need not exist
// (a dangling link leads to the file a write creates). 0, or ELOOP when the
// links loop.
int ResolveLinks(const fs::path& path, fs::path& target) {
    target = path;
    for (int hops = 0;; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) {
            return 0; // a missing file or an unreadable folder is told by what comes next
        }
        if (hops == MaxLinks) {
            return ELOOP;
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            return ec.value();
        }
        target = next.is_absolute() || !target.has_parent_path() ? next : target.parent_path() / next;
    }
}

// 0 when this user may open the existing file at path for writing, else the
// system's reason. Only for regular files: opening a pipe could wait for a
// reader.
int WriteRefusal(const fs::path& path) {
    tDescriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    return fd.Get() >= 0 ? 0 : errno;
}

void FlushFolder(const fs::path& folder) {
    tDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        ::fsync(fd.Get());
    }
}

// A new name for a temporary file or folder of this process in folder.
fs::path TemporaryPath(const fs::path& folder) {
    static std::atomic<uint64_t> counter{0};
    return folder / (std::string(TemporaryPrefix) + std::to_string(::getpid()) + "-" +
                     std::to_string(counter++) + std::string(TemporarySuffix));
}

// Creates a new temporary file in folder; its descriptor, or -1 with errno
// set.
int CreateTemporary(const fs::path& folder, fs::path& created) {
    for (;;) {
        created = TemporaryPath(folder);
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
}

// Creates a new temporary folder in folder; 0 or the system's error number.
int CreateTemporaryFolder(const fs::path& folder, fs::path& created) {
    for (;;) {
        created = TemporaryPath(folder);
        if (::mkdir(created.c_str(), 0777) == 0) {
            return 0;
        }
        if (errno != EEXIST) {
            return errno;
        }
    }
}

// The process number in a temporary name of ours, or 0.
pid_t TemporaryOwner(std::string_view name) {
    if (!name.starts_with(TemporaryPrefix) || !name.ends_with(TemporarySuffix)) {
        return 0;
    }
    name = name.substr(TemporaryPrefix.size(), name.size() - TemporaryPrefix.size() - TemporarySuffix.size());
    const size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == name.size() ||
        name.find_first_not_of("0123456789-") != std::string_view::npos ||
        name.find('-', dash + 1) != std::string_view::npos) {
        return 0;
    }
    pid_t pid = 0;
    for (const char c : name.substr(0, dash)) {
        pid = pid * 10 + (c - '0');
    }
    return pid;
}

// Removes the temporary files and folders of ours in folder whose program is
// gone (killed or cut off by a power loss before it could clean up).
void RemoveStaleTemporaries(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t owner = TemporaryOwner(it->path().filename().string());
        if (owner <= 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) {
            continue;
        }
        std::error_code removeError;
        const fs::file_status status = fs::symlink_status(it->path(), removeError);
        if (fs::is_regular_file(status)) {
            fs::remove(it->path(), removeError);
        } else if (fs::is_directory(status)) {
            fs::remove_all(it->path(), removeError);
        }
    }
}

// Removes a temporary file or folder unless it was kept, also when a body
// throws.
class tTemporary {
public:
    explicit tTemporary(fs::path path = {}) : Path(std::move(path)) {}
    tTemporary(const tTemporary&) = delete;
    tTemporary& operator=(const tTemporary&) = delete;
    ~tTemporary() {
        if (!Path.empty()) {
            std::error_code ec;
            fs::remove_all(Path, ec);
        }
    }
    void Keep() { Path.clear(); }
    fs::path Path;
};

// Gives the file open as fd the owner, group and permissions of the old file
// described by old. 0, or the system's error number when the owner or group
// cannot be given.
int TakeOver(int fd, const struct stat& old) {
    struct stat own {};
    if (::fstat(fd, &own) != 0) {
        return errno;
    }
    if ((own.st_uid != old.st_uid || own.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        return errno;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// A device or pipe (/dev/null, /dev/stdout, a FIFO) holds no content to keep
// safe, and renaming over it would replace it with a plain file: write to it
// directly. The open does not wait: a pipe with no reader is refused.
bool WriteToDevice(const fs::path& target, const std::function<bool(std::ostream&)>& body, FileError* error) {
    std::string content;
    if (!ContentOf(body, content)) {
        return Fail(error, 0);
    }
    tDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0 || ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK) != 0 ||
        !WriteAll(fd.Get(), content.data(), content.size()) || !fd.Close()) {
        return Fail(error, errno);
    }
    return Succeed(error);
}

// Overwrites the existing regular file's content with what body writes. The
// content is made first, so a body that fails leaves the file as it was, and
// the room for it is taken before the first byte changes, so a full disk
// leaves it as it was too.
bool WriteInPlace(const fs::path& target, const std::function<bool(std::ostream&)>& body, FileError* error) {
    std::string content;
    if (!ContentOf(body, content)) {
        return Fail(error, 0);
    }
    tDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0) {
        return Fail(error, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return Fail(error, EISDIR);
    }
    if (!content.empty()) {
        if (const int refused = ::posix_fallocate(fd.Get(), 0, static_cast<off_t>(content.size()))) {
            return Fail(error, refused);
        }
    }
    if (!WriteAll(fd.Get(), content.data(), content.size()) ||
        ::ftruncate(fd.Get(), static_cast<off_t>(content.size())) != 0 || ::fsync(fd.Get()) != 0 ||
        !fd.Close()) {
        return Fail(error, errno);
    }
    return Succeed(error);
}

// Writes what write gives into a new file at path; 0, or the system's error
// number (-1 when write refused by itself). Not flushed to disk.
int WriteNewFile(const fs::path& path, const std::function<bool(std::ostream&)>& write) {
    tDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
    if (fd.Get() < 0) {
        return errno;
    }
    int system = 0;
    if (!WriteBody(fd.Get(), write, system)) {
        return system != 0 ? system : -1;
    }
    return fd.Close() ? 0 : errno;
}

// Copies the file at from into a new temporary file beside target, flushed to
// disk and given the owner, group and permissions of old when there is one.
// 0 or the system's error number.
int CopyBeside(const fs::path& from, const fs::path& target, const struct stat* old, tTemporary& copy) {
    fs::path created;
    tDescriptor out(CreateTemporary(FolderOf(target), created));
    if (out.Get() < 0) {
        return errno;
    }
    copy.Path = created;
    tDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (in.Get() < 0) {
        return errno;
    }
    std::vector<char> block(BlockSize);
    for (;;) {
        const ssize_t got = ::read(in.Get(), block.data(), block.size());
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || (got > 0 && !WriteAll(out.Get(), block.data(), static_cast<size_t>(got)))) {
            return errno;
        }
        if (got == 0) {
            break;
        }
    }
    if (old) {
        if (const int refused = TakeOver(out.Get(), *old)) {
            return refused;
        }
    }
    return ::fsync(out.Get()) == 0 && out.Close() ? 0 : errno;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error) {
    if (path.empty()) {
        return Fail(error, ENOENT);
    }
    fs::path target;
    if (const int refused = ResolveLinks(path, target)) {
        return Fail(error, refused);
    }
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) {
        return Fail(error, errno);
    }
    if (exists && S_ISDIR(old.st_mode)) {
        return Fail(error, EISDIR);
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return WriteToDevice(target, body, error);
    }
    // Renaming over a file needs only the folder's permission; an existing
    // file the system would not let this user change (read-only) is refused
    // instead, as overwriting it in place would be.
    if (exists) {
        if (const int refused = WriteRefusal(target)) {
            return Fail(error, refused);
        }
    }
    const fs::path folder = FolderOf(target);
    RemoveStaleTemporaries(folder);

    fs::path temporaryPath;
    tDescriptor fd(CreateTemporary(folder, temporaryPath));
    if (fd.Get() < 0) {
        // Only a folder that refuses this user new files sends the save to
        // the file itself; a full disk or a read-only file system does not.
        const int refused = errno;
        const bool folderRefuses = refused == EACCES || refused == EPERM;
        return exists && folderRefuses ? WriteInPlace(target, body, error) : Fail(error, refused);
    }
    tTemporary temporary(temporaryPath);
    if (exists && TakeOver(fd.Get(), old) != 0) {
        // Replacing the file would hand it to this user: write it in place.
        fd.Close();
        return WriteInPlace(target, body, error);
    }
    int system = 0;
    if (!WriteBody(fd.Get(), body, system)) {
        return Fail(error, system);
    }
    if (::fsync(fd.Get()) != 0 || !fd.Close() || ::rename(temporary.Path.c_str(), target.c_str()) != 0) {
        return Fail(error, errno);
    }
    temporary.Keep();
    FlushFolder(folder);
    return Succeed(error);
}

namespace {

// One name of a batch going into an existing folder, once checked: where its
// links lead and what is there now.
struct tBatchTarget {
    fs::path Target; // the file the name leads to
    bool Exists = false;
    struct stat Old {};
};

// Checks the name at entry for WriteFilesIntoFolder: 0, or why it cannot be
// replaced as a single save would replace it.
int CheckBatchTarget(const fs::path& entry, tBatchTarget& checked) {
    struct stat own {};
    if (::lstat(entry.c_str(), &own) != 0 && errno == ENOENT) {
        checked.Target = entry; // a free name in a folder that is there
        checked.Exists = false;
        return 0;
    }
    if (const int refused = ResolveLinks(entry, checked.Target)) {
        return refused;
    }
    checked.Exists = ::stat(checked.Target.c_str(), &checked.Old) == 0;
    if (!checked.Exists) {
        if (errno != ENOENT) {
            return errno;
        }
        struct stat folder {};
        if (::stat(FolderOf(checked.Target).c_str(), &folder) != 0) {
            return errno;
        }
        return S_ISDIR(folder.st_mode) ? 0 : ENOTDIR;
    }
    if (S_ISDIR(checked.Old.st_mode)) {
        return EISDIR;
    }
    if (!S_ISREG(checked.Old.st_mode)) {
        return ENODEV; // a device or pipe would take the book at once, with no way back
    }
    return WriteRefusal(checked.Target);
}

// How a file of a batch went into place, so that it can be undone.
enum class tPlaced : unsigned char {
    No,
    Exchanged, // the old file is now where the new one was
    Created,   // nothing was there
    Replaced   // the old file is gone: the file system cannot exchange two names
};

// Puts from in place of to, which exists when exists. 0 or the system's error
// number.
int PlaceFile(const fs::path& from, const fs::path& to, bool exists, tPlaced& placed) {
    const unsigned flags = exists ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), flags) == 0) {
        placed = exists ? tPlaced::Exchanged : tPlaced::Created;
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    placed = exists ? tPlaced::Replaced : tPlaced::Created;
    return 0;
}

// Undoes PlaceFile as far as the file system lets.
void UnplaceFile(const fs::path& from, const fs::path& to, tPlaced placed) {
    if (placed == tPlaced::Exchanged) {
        ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE);
    } else if (placed == tPlaced::Created) {
        ::rename(to.c_str(), from.c_str());
    }
}

tBatchResult BatchFailure(std::string path, int system) {
    return {tBatchResult::tStatus::Failed, std::move(path), FileError(FileError::CannotWrite, system)};
}

tBatchResult BatchInterrupted() {
    return {tBatchResult::tStatus::Interrupted, {}, {}};
}

// Writes the count files into the staging folder, one by one.
tBatchResult StageFiles(const fs::path& staging, const std::string& shownFolder, size_t count,
                        const std::function<std::string(size_t)>& names,
                        const std::function<bool(size_t, std::ostream&)>& write,
                        const std::function<bool()>& interrupted) {
    for (size_t i = 0; i < count; ++i) {
        if (interrupted()) {
            return BatchInterrupted();
        }
        const int refused =
            WriteNewFile(staging / names(i), [&write, i](std::ostream& out) { return write(i, out); });
        if (refused != 0) {
            return BatchFailure((fs::path(shownFolder) / names(i)).string(), refused < 0 ? 0 : refused);
        }
    }
    if (interrupted()) {
        return BatchInterrupted();
    }
    return {};
}

// A batch into a folder that is not there yet: staged beside it, then renamed
// into its name.
tBatchResult WriteIntoNewFolder(const fs::path& folder, const std::string& shownFolder, size_t count,
                                const std::function<std::string(size_t)>& names,
                                const std::function<bool(size_t, std::ostream&)>& write,
                                const std::function<bool()>& interrupted) {
    const fs::path parent = FolderOf(folder);
    std::error_code ec;
    fs::create_directories(parent, ec);
    if (ec) {
        return BatchFailure(shownFolder, ec.value());
    }
    RemoveStaleTemporaries(parent);
    tTemporary staging;
    if (const int refused = CreateTemporaryFolder(parent, staging.Path)) {
        return BatchFailure(shownFolder, refused);
    }
    tBatchResult staged = StageFiles(staging.Path, shownFolder, count, names, write, interrupted);
    if (staged.Status != tBatchResult::tStatus::Written) {
        return staged;
    }
    tDescriptor flush(::open(staging.Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (flush.Get() < 0 || ::syncfs(flush.Get()) != 0) {
        return BatchFailure(shownFolder, errno);
    }
    if (::renameat2(AT_FDCWD, staging.Path.c_str(), AT_FDCWD, folder.c_str(), RENAME_NOREPLACE) != 0 &&
        ((errno != EINVAL && errno != ENOSYS) || ::rename(staging.Path.c_str(), folder.c_str()) != 0)) {
        return BatchFailure(shownFolder, errno);
    }
    staging.Keep();
    FlushFolder(parent);
    return {};
}

// A batch into an existing folder: every name checked, every file staged in
// the folder (or, for a name whose links lead elsewhere, copied beside the
// file it leads to), then all put in place.
tBatchResult WriteIntoFolder(const fs::path& folder, const std::string& shownFolder, size_t count,
                             const std::function<std::string(size_t)>& names,
                             const std::function<bool(size_t, std::ostream&)>& write,
                             const std::function<bool()>& interrupted) {
    const auto shown = [&](size_t i) { return (fs::path(shownFolder) / names(i)).string(); };
    // The names whose links lead to another file, by index, with the copies
    // made beside those files; for the others a flag each says whether the
    // name is taken.
    struct tElsewhere {
        size_t Index;
        tBatchTarget Target;
        std::unique_ptr<tTemporary> Copy;
    };
    std::vector<tElsewhere> elsewhere;
    std::vector<bool> exists(count);
    for (size_t i = 0; i < count; ++i) {
        if (interrupted()) {
            return BatchInterrupted();
        }
        tBatchTarget target;
        const fs::path entry = folder / names(i);
        if (const int refused = CheckBatchTarget(entry, target)) {
            return BatchFailure(shown(i), refused);
        }
        exists[i] = target.Exists;
        if (target.Target != entry) {
            elsewhere.push_back({i, std::move(target), std::make_unique<tTemporary>()});
        }
    }
    const auto other = [&elsewhere](size_t i) -> tElsewhere* {
        const auto it = std::lower_bound(elsewhere.begin(), elsewhere.end(), i,
                                         [](const tElsewhere& e, size_t index) { return e.Index < index; });
        return it != elsewhere.end() && it->Index == i ? &*it : nullptr;
    };

    RemoveStaleTemporaries(folder);
    tTemporary staging;
    if (const int refused = CreateTemporaryFolder(folder, staging.Path)) {
        return BatchFailure(shownFolder, refused);
    }
    tBatchResult staged = StageFiles(staging.Path, shownFolder, count, names, write, interrupted);
    if (staged.Status != tBatchResult::tStatus::Written) {
        return staged;
    }
    // The new files take the owners, groups and permissions of the old; one
    // whose owner cannot be given could only be written in place, which
    // could not be undone.
    for (size_t i = 0; i < count; ++i) {
        if (interrupted()) {
            return BatchInterrupted();
        }
        const fs::path stagedFile = staging.Path / names(i);
        if (tElsewhere* e = other(i)) {
            if (const int refused = CopyBeside(stagedFile, e->Target.Target,
                                               e->Target.Exists ? &e->Target.Old : nullptr, *e->Copy)) {
                return BatchFailure(shown(i), refused);
            }
        } else if (exists[i]) {
            struct stat old {};
            tDescriptor fd(::open(stagedFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
            if (::stat((folder / names(i)).c_str(), &old) != 0 || fd.Get() < 0) {
                return BatchFailure(shown(i), errno);
            }
            if (const int refused = TakeOver(fd.Get(), old)) {
                return BatchFailure(shown(i), refused);
            }
        }
    }
    tDescriptor flush(::open(staging.Path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (flush.Get() < 0 || ::syncfs(flush.Get()) != 0) {
        return BatchFailure(shownFolder, errno);
    }
    if (interrupted()) {
        return BatchInterrupted();
    }

    // From here on nothing is asked: the files go into place, or all that
    // went is put back.
    const auto from = [&](size_t i) { return other(i) ? other(i)->Copy->Path : staging.Path / names(i); };
    const auto to = [&](size_t i) { return other(i) ? other(i)->Target.Target : folder / names(i); };
    std::vector<tPlaced> placed(count, tPlaced::No);
    for (size_t i = 0; i < count; ++i) {
        struct stat now {};
        const fs::path target = to(i);
        if (const int refused = PlaceFile(from(i), target, ::lstat(target.c_str(), &now) == 0, placed[i])) {
            for (size_t j = i; j-- > 0;) {
                UnplaceFile(from(j), to(j), placed[j]);
            }
            return BatchFailure(shown(i), refused);
        }
    }
    // The old files are now where the new ones were staged, and go with the
    // staging folder and the copies.
    for (const tElsewhere& e : elsewhere) {
        FlushFolder(FolderOf(e.Target.Target));
    }
    FlushFolder(folder);
    return {};
}

} // namespace

tBatchResult WriteFilesIntoFolder(const std::string& folder, size_t count,
                                  const std::function<std::string(size_t)>& names,
                                  const std::function<bool(size_t, std::ostream&)>& write,
                                  const std::function<bool()>& interrupted) {
    fs::path given(folder);
    if (!given.has_filename()) {
        given = given.parent_path(); // "party/" is the folder party
    }
    fs::path resolved;
    if (folder.empty()) {
        return BatchFailure(folder, ENOENT);
    }
    if (const int refused = ResolveLinks(given, resolved)) {
        return BatchFailure(folder, refused);
    }
    struct stat info {};
    if (::stat(resolved.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            return BatchFailure(folder, errno);
        }
        return WriteIntoNewFolder(resolved, folder, count, names, write, interrupted);
    }
    if (!S_ISDIR(info.st_mode)) {
        return BatchFailure(folder, ENOTDIR);
    }
    return WriteIntoFolder(resolved, folder, count, names, write, interrupted);
}
