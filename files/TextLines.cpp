#include "files/TextLines.h"

#include <filesystem>

namespace {
constexpr size_t BlockSize = 64 * 1024;
constexpr char EndOfText = '\x1A';

bool IsLineBreakOrEnd(char c) {
    return c == '\r' || c == '\n' || c == EndOfText;
}
} // namespace

tLineReader::tLineReader(std::istream& in) : In(in), Buffer(BlockSize) {
    if (In.fail()) {
        FFailed = true;
        SourceDone = true;
        Ended = true;
    }
}

bool tLineReader::Fill() {
    if (Pos < End) {
        return true;
    }
    if (Ended) {
        return false;
    }
    Pos = End = 0;
    if (!SourceDone) {
        try {
            In.read(Buffer.data(), static_cast<std::streamsize>(Buffer.size()));
        } catch (const std::ios_base::failure&) {
            FFailed = true;
        }
        End = static_cast<size_t>(In.gcount());
        if (In.bad()) {
            FFailed = true;
        }
        SourceDone = FFailed || !In.good();
    }
    if (End == 0) {
        Ended = true;
        return false;
    }
    return true;
}

bool tLineReader::AtEnd() {
    if (!Fill()) {
        return true;
    }
    if (Buffer[Pos] == EndOfText) {
        Ended = true;
        Pos = End;
        return true;
    }
    return false;
}

bool tLineReader::ReadLine(std::string& line) {
    line.clear();
    if (AtEnd()) {
        return false;
    }
    while (Fill()) {
        const char* begin = Buffer.data() + Pos;
        const char* end = Buffer.data() + End;
        const char* p = begin;
        while (p != end && !IsLineBreakOrEnd(*p)) {
            ++p;
        }
        line.append(begin, p);
        Pos += static_cast<size_t>(p - begin);
        if (p == end) {
            continue;
        }
        const char lineEnd = *p;
        if (lineEnd == EndOfText) {
            Ended = true;
            Pos = End;
            break;
        }
        ++Pos;
        if (lineEnd == '\r' && Fill() && Buffer[Pos] == '\n') {
            ++Pos;
        }
        break;
    }
    return true;
}

void WriteTextLine(std::ostream& out, std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsLineBreakOrEnd(text[i])) {
            out.write(text.data() + start, static_cast<std::streamsize>(i - start));
            out.put(' ');
            start = i + 1;
        }
    }
    out.write(text.data() + start, static_cast<std::streamsize>(text.size() - start));
    out.write("\r\n", 2);
}

bool OpenInputFile(const std::string& path, std::ifstream& in, FileError* error) {
    std::error_code ec;
    if (path.empty() || std::filesystem::is_directory(path, ec)) {
        SetFileError(error, FileError::CannotOpen);
        return false;
    }
    in.open(path, std::ios::in | std::ios::binary);
    if (!in.is_open()) {
        SetFileError(error, FileError::CannotOpen);
        return false;
    }
    return true;
}
