#include "files/AtomicWrite.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

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

// A name beside target that no file has yet.
fs::path FreeTemporaryName(const fs::path& target) {
    static std::atomic<uint64_t> counter{0};
    const auto stamp = static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (;;) {
        fs::path candidate = target;
        candidate += "." + std::to_string(stamp % 1000000) + "-" + std::to_string(counter++) + ".tmp";
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec))) {
            return candidate;
        }
    }
}

bool Fail(FileError* error) {
    SetFileError(error, FileError::CannotWrite);
    return false;
}

// A device or pipe (/dev/null, /dev/stdout, a FIFO) holds no content to keep
// safe, and renaming over it would replace it with a plain file: write to it
// directly.
bool WriteInPlace(const fs::path& target, const std::function<bool(std::ostream&)>& body, FileError* error) {
    std::ofstream out(target, std::ios::out | std::ios::binary);
    if (!out.is_open()) {
        return Fail(error);
    }
    const bool written = body(out);
    out.flush();
    if (!written || !out.good()) {
        return Fail(error);
    }
    SetFileError(error, FileError::None);
    return true;
}

} // namespace

bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error) {
    if (path.empty()) {
        return Fail(error);
    }
    std::error_code ec;
    fs::path target(path);
    // Saving through a link replaces the file it points at, not the link.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    const fs::file_status existing = fs::status(target, ec);
    if (fs::is_directory(existing)) {
        return Fail(error);
    }
    if (fs::exists(existing) && !fs::is_regular_file(existing)) {
        return WriteInPlace(target, body, error);
    }
    // Renaming over a file needs only the folder's permission; an existing
    // file the system would not let this user change (read-only) is refused
    // instead, as overwriting it in place would be. Only a regular file is
    // probed: opening a pipe for writing would wait for a reader.
    if (fs::is_regular_file(target, ec) &&
        !std::ofstream(target, std::ios::out | std::ios::app | std::ios::binary).is_open()) {
        return Fail(error);
    }

    tTemporaryFile temporary(FreeTemporaryName(target));
    {
        std::ofstream out(temporary.Path, std::ios::out | std::ios::binary | std::ios::trunc);
        if (!out.is_open()) {
            return Fail(error);
        }
        const bool written = body(out);
        out.flush();
        const bool flushed = out.good();
        out.close();
        if (!written || !flushed || out.fail()) {
            return Fail(error);
        }
    }

    const fs::file_status previous = fs::status(target, ec);
    if (!ec && fs::exists(previous)) {
        fs::permissions(temporary.Path, previous.permissions(), ec);
    }
    fs::rename(temporary.Path, target, ec);
    if (ec) {
        return Fail(error);
    }
    temporary.Kept = true;
    SetFileError(error, FileError::None);
    return true;
}
