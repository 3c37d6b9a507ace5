#include "files/DataFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ios>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t BlockSize = size_t{64} * 1024;

// Reads a file descriptor it owns. A failed read throws, which the stream
// catches and turns into badbit.
class tFileReadBuffer : public std::streambuf {
public:
    explicit tFileReadBuffer(int fd) : Fd(fd), Buffer(BlockSize) {}
    tFileReadBuffer(const tFileReadBuffer&) = delete;
    tFileReadBuffer& operator=(const tFileReadBuffer&) = delete;
    ~tFileReadBuffer() override { ::close(Fd); }

protected:
    int_type underflow() override {
        if (gptr() < egptr()) {
            return traits_type::to_int_type(*gptr());
        }
        const size_t got = ReadSome(Buffer.data(), Buffer.size());
        if (got == 0) {
            return traits_type::eof();
        }
        setg(Buffer.data(), Buffer.data(), Buffer.data() + got);
        return traits_type::to_int_type(*gptr());
    }

    // Hands out what the buffer holds, then reads straight into s, until n
    // bytes are given or the file ends.
    std::streamsize xsgetn(char* s, std::streamsize n) override {
        std::streamsize given = 0;
        const std::streamsize buffered = std::min<std::streamsize>(n, egptr() - gptr());
        if (buffered > 0) {
            std::memcpy(s, gptr(), static_cast<size_t>(buffered));
            gbump(static_cast<int>(buffered));
            given = buffered;
        }
        while (given < n) {
            const size_t got = ReadSome(s + given, static_cast<size_t>(n - given));
            if (got == 0) {
                break;
            }
            given += static_cast<std::streamsize>(got);
        }
        return given;
    }

private:
    size_t ReadSome(char* into, size_t size) {
        for (;;) {
            const ssize_t got = ::read(Fd, into, size);
            if (got >= 0) {
                return static_cast<size_t>(got);
            }
            if (errno != EINTR) {
                throw std::ios_base::failure("read error");
            }
        }
    }

    int Fd;
    std::vector<char> Buffer;
};

class tFileReadStream : public std::istream {
public:
    explicit tFileReadStream(int fd) : std::istream(nullptr), Buffer(fd) { rdbuf(&Buffer); }

private:
    tFileReadBuffer Buffer;
};

std::unique_ptr<std::istream> OpenRegularFile(const std::string& path, FileError* error) {
    // Opening without waiting: a named pipe would otherwise block until some
    // writer opened it.
    const int fd = path.empty() ? -1 : ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        SetFileError(error, FileError::CannotOpen);
        return nullptr;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        SetFileError(error, FileError::CannotOpen);
        return nullptr;
    }
    return std::make_unique<tFileReadStream>(fd);
}

tDataFileOpener& Opener() {
    static tDataFileOpener opener;
    return opener;
}

} // namespace

std::unique_ptr<std::istream> OpenDataFile(const std::string& path, FileError* error) {
    if (const tDataFileOpener& opener = Opener()) {
        return opener(path, error);
    }
    return OpenRegularFile(path, error);
}

bool ReadAllBytes(std::istream& in, std::string& bytes) {
    bytes.clear();
    std::vector<char> block(BlockSize);
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        bytes.append(block.data(), static_cast<size_t>(in.gcount()));
    }
    return !in.bad();
}

void SetDataFileOpener(tDataFileOpener opener) {
    Opener() = std::move(opener);
}
