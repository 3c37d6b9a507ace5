#pragma once
// Lines of the program's 8-bit text files. A line ends at a carriage return
// (one line feed right after it belongs to the same line end) or at a bare line
// feed; a byte 26 ends the whole text. Lines are written with CR LF.

#include "files/FileStatus.h"

#include <cstddef>
#include <fstream>
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
    // The position of the next byte c in the buffer from Pos on, or End; a
    // position found before is reused while it still lies ahead.
    size_t Find(size_t& cached, char c);

    std::istream& In;
    std::vector<char> Buffer;
    size_t Pos = 0;
    size_t End = 0;
    size_t NextCr = 0;
    size_t NextLf = 0;
    bool SourceDone = false; // the stream gave its last block
    bool Ended = false;      // no byte is left: stream exhausted or byte 26 met
    bool FFailed = false;
};

// Writes text and CR LF. A CR, LF or byte 26 inside text would break the file
// into other lines, so each is written as a blank.
void WriteTextLine(std::ostream& out, std::string_view text);

// Opens path for binary reading. On failure (empty path, missing file, a
// folder) returns false and sets error to CannotOpen.
bool OpenInputFile(const std::string& path, std::ifstream& in, FileError* error);

// What a reader answers once it is done with reader: none with error
// ReadError after a read error, otherwise result with error None.
template <class T>
std::unique_ptr<T> FinishRead(const tLineReader& reader, std::unique_ptr<T> result, FileError* error) {
    if (reader.Failed()) {
        SetFileError(error, FileError::ReadError);
        return nullptr;
    }
    SetFileError(error, FileError::None);
    return result;
}

// Opens path and hands the stream to read (a stream reader taking the stream
// and error); none with error CannotOpen when the file cannot be opened.
template <class Read> auto ReadFromPath(const std::string& path, FileError* error, Read read) {
    std::ifstream in;
    return OpenInputFile(path, in, error) ? read(in, error) : nullptr;
}
