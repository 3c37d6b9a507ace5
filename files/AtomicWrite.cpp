#include "files/AtomicWrite.h"

#include "files/DataFile.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr size_t BlockSize = size_t{64} * 1024;
constexpr std::string_view TemporarySuffix = ".tmp";

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

// Writes all of size bytes to fd; false when the system refuses.
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
// which the stream catches and turns into badbit.
class tFileWriteBuffer : public std::streambuf {
public:
    explicit tFileWriteBuffer(int fd) : Fd(fd), Buffer(BlockSize) {
        setp(Buffer.data(), Buffer.data() + Buffer.size());
    }

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
            throw std::ios_base::failure("write error");
        }
        setp(Buffer.data(), Buffer.data() + Buffer.size());
    }

    int Fd;
    std::vector<char> Buffer;
};

// Runs body on a stream writing to fd; true when body agreed and every byte
// reached the system.
bool WriteBody(int fd, const std::function<bool(std::ostream&)>& body) {
    tFileWriteBuffer buffer(fd);
    std::ostream out(&buffer);
    const bool written = body(out);
    out.flush();
    return written && out.good();
}

// The whole content body writes, made in memory; false when body refuses.
bool ContentOf(const std::function<bool(std::ostream&)>& body, std::string& content) {
    std::ostringstream out;
    const bool written = body(out) && !out.fail();
    content = std::move(out).str();
    return written;
}

bool Fail(FileError* error) {
    SetFileError(error, FileError::CannotWrite);
    return false;
}

bool Succeed(FileError* error) {
    SetFileError(error, FileError::None);
    return true;
}

// Saving through a link replaces the file it points at, not the link.
fs::path ResolveLink(const std::string& path) {
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    return target;
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// True when this user may open the existing file at path for writing. Only
// for regular files: opening a pipe could wait for a reader.
bool MayWrite(const fs::path& path) {
    tDescriptor fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    return fd.Get() >= 0;
}

void FlushFolder(const fs::path& folder) {
    tDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() >= 0) {
        ::fsync(fd.Get());
    }
}

// The temporary files of a save of target are named "<name>.<pid>-<n>.tmp",
// with the process number of the program that saves.
std::string TemporaryPrefix(const fs::path& target) {
    return target.filename().string() + ".";
}

// Creates a new temporary file beside target; its descriptor, or -1 with
// errno set.
int CreateTemporary(const fs::path& target, fs::path& created) {
    static std::atomic<uint64_t> counter{0};
    for (;;) {
        created = target;
        created +=
            "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + std::string(TemporarySuffix);
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
}

// The process number of a temporary file name of ours for target, or 0.
pid_t TemporaryOwner(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || !name.ends_with(TemporarySuffix)) {
        return 0;
    }
    name = name.substr(prefix.size(), name.size() - prefix.size() - TemporarySuffix.size());
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

// Removes temporary files of earlier saves of target whose program is gone
// (killed or cut off by a power loss before it could clean up).
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = TemporaryPrefix(target);
    std::error_code ec;
    for (fs::directory_iterator it(FolderOf(target), ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t owner = TemporaryOwner(it->path().filename().string(), prefix);
        if (owner <= 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) {
            continue;
        }
        std::error_code removeError;
        if (fs::is_regular_file(fs::symlink_status(it->path(), removeError))) {
            fs::remove(it->path(), removeError);
        }
    }
}

// Removes the temporary file unless it was renamed into place, also when the
// body throws.
class tTemporaryFile {
public:
    explicit tTemporaryFile(fs::path path) : Path(std::move(path)) {}
    tTemporaryFile(const tTemporaryFile&) = delete;
    tTemporaryFile& operator=(const tTemporaryFile&) = delete;
    ~tTemporaryFile() {
        if (!Kept) {
            std::error_code ec;
            fs::remove(Path, ec);
        }
    }
    const fs::path Path;
    bool Kept = false;
};

// Gives the file open as fd the owner, group and permissions of the old file
// described by old. False when the owner or group cannot be given.
bool TakeOver(int fd, const struct stat& old) {
    struct stat own {};
    if (::fstat(fd, &own) != 0) {
        return false;
    }
    if ((own.st_uid != old.st_uid || own.st_gid != old.st_gid) && ::fchown(fd, old.st_uid, old.st_gid) != 0) {
        return false;
    }
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

// A device or pipe (/dev/null, /dev/stdout, a FIFO) holds no content to keep
// safe, and renaming over it would replace it with a plain file: write to it
// directly. The open does not wait: a pipe with no reader is refused.
bool WriteToDevice(const fs::path& target, const std::function<bool(std::ostream&)>& body, FileError* error) {
    std::string content;
    if (!ContentOf(body, content)) {
        return Fail(error);
    }
    tDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.Get() < 0 || ::fcntl(fd.Get(), F_SETFL, ::fcntl(fd.Get(), F_GETFL) & ~O_NONBLOCK) != 0 ||
        !WriteAll(fd.Get(), content.data(), content.size()) || !fd.Close()) {
        return Fail(error);
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
        return Fail(error);
    }
    tDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        (!content.empty() && ::posix_fallocate(fd.Get(), 0, static_cast<off_t>(content.size())) != 0) ||
        !WriteAll(fd.Get(), content.data(), content.size()) ||
        ::ftruncate(fd.Get(), static_cast<off_t>(content.size())) != 0 || ::fsync(fd.Get()) != 0 ||
        !fd.Close()) {
        return Fail(error);
    }
    return Succeed(error);
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error) {
    if (path.empty()) {
        return Fail(error);
    }
    const fs::path target = ResolveLink(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return Fail(error);
    }
    if (exists && !S_ISREG(old.st_mode)) {
        return WriteToDevice(target, body, error);
    }
    // Renaming over a file needs only the folder's permission; an existing
    // file the system would not let this user change (read-only) is refused
    // instead, as overwriting it in place would be.
    if (exists && !MayWrite(target)) {
        return Fail(error);
    }
    RemoveStaleTemporaries(target);

    fs::path temporaryPath;
    tDescriptor fd(CreateTemporary(target, temporaryPath));
    if (fd.Get() < 0) {
        // Only a folder that refuses this user new files sends the save to
        // the file itself; a full disk or a read-only file system does not.
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        return exists && folderRefuses ? WriteInPlace(target, body, error) : Fail(error);
    }
    tTemporaryFile temporary(temporaryPath);
    if (exists && !TakeOver(fd.Get(), old)) {
        // Replacing the file would hand it to this user: write it in place.
        fd.Close();
        return WriteInPlace(target, body, error);
    }
    if (!WriteBody(fd.Get(), body) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
        return Fail(error);
    }
    if (::rename(temporary.Path.c_str(), target.c_str()) != 0) {
        return Fail(error);
    }
    temporary.Kept = true;
    FlushFolder(FolderOf(target));
    return Succeed(error);
}

bool CanReplaceFile(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const fs::path target = ResolveLink(path);
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode) && MayWrite(target);
}

bool MoveFileIntoPlace(const std::string& staged, const std::string& path, FileError* error) {
    tTemporaryFile stagedFile{fs::path(staged)};
    if (path.empty()) {
        return Fail(error);
    }
    const fs::path target = ResolveLink(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return Fail(error);
    }
    if (!exists || S_ISREG(old.st_mode)) {
        if (exists && !MayWrite(target)) {
            return Fail(error);
        }
        tDescriptor fd(::open(staged.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
        if (fd.Get() >= 0 && (!exists || TakeOver(fd.Get(), old)) &&
            ::rename(staged.c_str(), target.c_str()) == 0) {
            stagedFile.Kept = true;
            return Succeed(error);
        }
    }
    // Copy the content instead: the write decides how (device, in place, or
    // through a temporary file beside the target).
    std::unique_ptr<std::istream> in = OpenDataFile(staged, nullptr);
    std::string content;
    if (!in || !ReadAllBytes(*in, content)) {
        return Fail(error);
    }
    return WriteFileAtomically(
        target.string(),
        [&content](std::ostream& out) {
            out.write(content.data(), static_cast<std::streamsize>(content.size()));
            return true;
        },
        error);
}

bool FlushFileSystem(const std::string& folder) {
    tDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return false;
    }
#ifdef __linux__
    return ::syncfs(fd.Get()) == 0;
#else
    ::sync();
    return ::fsync(fd.Get()) == 0;
#endif
}
