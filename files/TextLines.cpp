#include "files/TextLines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {
constexpr size_t BlockSize = size_t{64} * 1024;
constexpr char EndOfText = '\x1A';

bool IsLineBreakOrEnd(char c) {
    return c == '\r' || c == '\n' || c == EndOfText;
}
} // namespace

tLineReader::tLineReader(std::istream& in) : In(in), Buffer(BlockSize + ReadablePastEnd) {
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
    NextLineFeed = Unknown;
    if (!SourceDone) {
        try {
            In.read(Buffer.data(), static_cast<std::streamsize>(BlockSize));
        } catch (const std::ios_base::failure&) {
            FFailed = true;
        }
        End = static_cast<size_t>(In.gcount());
        if (In.bad()) {
            FFailed = true;
        }
        SourceDone = FFailed || !In.good();
    }
    // A byte 26 ends the text: the block is cut there and nothing more is read.
    if (const void* endOfText = std::memchr(Buffer.data(), EndOfText, End)) {
        End = static_cast<size_t>(static_cast<const char*>(endOfText) - Buffer.data());
        SourceDone = true;
    }
    // The first block is read whole up to the end of a short file, so a mark
    // at the start is always in it.
    if (!Started) {
        Started = true;
        if (std::string_view(Buffer.data(), End).starts_with(ByteOrderMark)) {
            Pos = ByteOrderMark.size();
            if (Pos == End) {
                return Fill();
            }
        }
    }
    if (End == 0) {
        Ended = true;
        return false;
    }
    return true;
}

size_t tLineReader::FindLineBreak() {
    const char* const data = Buffer.data();
    if (NextLineFeed == Unknown || NextLineFeed < Pos) {
        const void* lineFeed = std::memchr(data + Pos, '\n', End - Pos);
        NextLineFeed = lineFeed ? static_cast<size_t>(static_cast<const char*>(lineFeed) - data) : End;
    }
    const void* carriageReturn = std::memchr(data + Pos, '\r', NextLineFeed - Pos);
    return carriageReturn ? static_cast<size_t>(static_cast<const char*>(carriageReturn) - data)
                          : NextLineFeed;
}

size_t tLineReader::BytesLeftHint() const {
    std::streamsize atHand = 0;
    if (!SourceDone && In.rdbuf()) {
        atHand = std::max<std::streamsize>(0, In.rdbuf()->in_avail());
    }
    return End - Pos + static_cast<size_t>(atHand);
}

bool tLineReader::AtEnd() {
    return !Fill();
}

bool tLineReader::ReadLine(std::string& line) {
    line.clear();
    if (!Fill()) {
        return false;
    }
    for (;;) {
        const size_t stop = FindLineBreak();
        line.append(Buffer.data() + Pos, stop - Pos);
        if (stop == End) {
            Pos = End;
            if (!Fill()) {
                break;
            }
            continue;
        }
        const char lineEnd = Buffer[stop];
        Pos = stop + 1;
        if (lineEnd == '\r' && Fill() && Buffer[Pos] == '\n') {
            ++Pos;
        }
        break;
    }
    return true;
}

bool tLineReader::ReadLine(std::string_view& line) {
    if (!Fill()) {
        line = std::string_view();
        return false;
    }
    const size_t stop = FindLineBreak();
    // A carriage return that ends the buffer may have its line feed in the
    // next block, which would replace the bytes the line shows.
    if (stop < End && !(Buffer[stop] == '\r' && stop + 1 == End)) {
        line = std::string_view(Buffer.data() + Pos, stop - Pos);
        Pos = stop + 1;
        if (Buffer[stop] == '\r' && Buffer[Pos] == '\n') {
            ++Pos;
        }
        return true;
    }
    ReadLine(Assembled);
    line = Assembled;
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
