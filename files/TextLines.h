#pragma once
// Lines of the program's 8-bit text files. A line ends at a carriage return
// (one line feed right after it belongs to the same line end) or at a bare line
// feed; a byte 26 ends the whole text. A UTF-8 byte-order mark at the very
// start is not part of the text. Lines are written with CR LF.

#include "files/DataFile.h"
#include "files/FileStatus.h"

#include <cstddef>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class tLineReader {
public:
    explicit tLineReader(std::istream& in);
    tLineReader(const tLineReader&) = delete;
    tLineReader& operator=(const tLineReader&) = delete;

    // Reads the next line, whole and without its end, into line. Returns false,
    // with line empty, when no line is left.
    bool ReadLine(std::string& line);
    // The same, line showing the line where it stands in the reader's buffer
    // whenever it lies there whole (most lines), so nothing is copied. line
    // is valid until the next read.
    bool ReadLine(std::string_view& line);

    // The bytes read but not yet used, reading the next block when none are
    // left; empty when nothing is left. ReadablePastEnd bytes past its end
    // may be read too (their values mean nothing), so a scanner may compare
    // whole blocks of bytes across the end. Valid until the next read.
    std::string_view Buffered() {
        return Fill() ? std::string_view(Buffer.data() + Pos, End - Pos) : std::string_view();
    }
    static constexpr size_t ReadablePastEnd = 128;
    // Marks the first n bytes that Buffered() showed as used. They must end
    // with a whole line end (a CR with a line feed after it takes both).
    void Consume(size_t n) { Pos += n; }

    // How many bytes are still to read as far as the stream tells without
    // reading: those in the buffer and those its source holds at hand (0
    // when it cannot tell). A guide for reserving room, nothing more.
    size_t BytesLeftHint() const;

    // True when nothing is left before the end of the stream or a byte 26, and
    // after a read error.
    bool AtEnd();

    // True once the stream reported a read error (or was already failed when
    // given): what was read is then incomplete.
    bool Failed() const { return FFailed; }

private:
    // True when at least one unread byte is in the buffer, reading the next
    // block when the buffer is used up.
    bool Fill();
    // The position of the next CR or LF in the buffer from Pos on, or End.
    size_t FindLineBreak();

    std::istream& In;
    std::vector<char> Buffer;
    size_t Pos = 0;
    size_t End = 0;
    // Where the next line feed in the buffer is (End for none), when known:
    // a text of lines ending in carriage returns alone is then not searched
    // to its end for a line feed again at every line.
    size_t NextLineFeed = Unknown;
    static constexpr size_t Unknown = std::string_view::npos;
    bool Started = false;    // the first block was read
    bool SourceDone = false; // the stream gave its last block
    bool Ended = false;      // no byte is left: stream exhausted or byte 26 met
    bool FFailed = false;
    std::string Assembled; // a line read across blocks, shown by ReadLine(std::string_view&)
};

// The UTF-8 byte-order mark a reader skips at the very start of a file.
inline constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// Writes text and CR LF. A CR, LF or byte 26 inside text would break the file
// into other lines, so each is written as a blank.
void WriteTextLine(std::ostream& out, std::string_view text);

// What a reader answers once it is done with reader: none with error
// ReadError after a read error, otherwise result with error set to warning
// (None, or one of the warnings that come with a result).
template <class T>
std::unique_ptr<T> FinishRead(const tLineReader& reader, std::unique_ptr<T> result, FileError* error,
                              FileError warning = FileError::None) {
    if (reader.Failed()) {
        SetFileError(error, FileError::ReadError);
        return nullptr;
    }
    SetFileError(error, warning);
    return result;
}

// Opens path as a data file (OpenDataFile) and hands the stream to read (a
// stream reader taking the stream and error); none with error CannotOpen when
// the file cannot be opened or is not a regular file.
template <class Read> auto ReadFromPath(const std::string& path, FileError* error, Read read) {
    const std::unique_ptr<std::istream> in = OpenDataFile(path, error);
    return in ? read(*in, error) : nullptr;
}
