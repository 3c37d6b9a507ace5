#pragma once
// The file formats a book is read from and written to, one class each, and
// the list of them that the dialogs' filters and quillmark-cli's convert are
// made from. A new format is a class in a file of its own, listed in
// FileFormats().

#include "files/FileStatus.h"
#include "model/SpellBook.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Why a format could not read or write a file: the file error and, for
// content the format refuses (BadContent), the reason in words, which may
// name a line, a column or a spell ("line 4: the level \"x\" is not a whole
// number from 1 to 9").
struct tFormatError {
    FileError Error = FileError::None;
    std::string Reason;

    // Reason, else the file error's description ("cannot be opened").
    std::string Describe() const { return Reason.empty() ? DescribeFileError(Error) : Reason; }
    void Refuse(std::string reason) {
        Error = FileError::BadContent;
        Reason = std::move(reason);
    }
};

class tFileFormat {
public:
    tFileFormat() = default;
    tFileFormat(const tFileFormat&) = delete;
    tFileFormat& operator=(const tFileFormat&) = delete;
    virtual ~tFileFormat() = default;

    // The word quillmark-cli's --as takes ("csv").
    virtual std::string_view Name() const = 0;
    // The extension of its files, without the dot ("csv"); letter case does
    // not matter.
    virtual std::string_view Extension() const = 0;
    // Its entry of a file dialog's filter: "description|pattern".
    virtual std::string_view DialogFilter() const = 0;
    // One of the program's own 8-bit files (spellbook and spell list), which
    // the spellbook reader tells apart by their content.
    virtual bool Own() const { return false; }
    // Whether its files keep the book's header (caster level, intelligence,
    // specialty, frequency) besides the spells.
    virtual bool KeepsHeader() const = 0;

    virtual bool CanRead() const = 0;
    virtual bool CanWrite() const = 0;

    // A new book from the stream, or none with error set. A book may come
    // with a warning in error (NoSpells: the file held text but no spell).
    // A format that only writes answers none with error NotSpellbook.
    virtual std::unique_ptr<TSpellBook> Read(std::istream& in, tFormatError& error) const;
    // Writes the book (its cursor is left none); caption is the book's
    // window caption or file name (file-system bytes), for the formats that
    // show one. False with error set when it fails. A format that only reads
    // answers false with error CannotWrite.
    virtual bool Write(TSpellBook& book, const std::string& caption, std::ostream& out,
                       tFormatError& error) const;

protected:
    // The whole stream into text; false with error ReadError when it could
    // not be read.
    static bool ReadWhole(std::istream& in, std::string& text, tFormatError& error);
    // Writes the last bytes of a file and flushes the stream; false with
    // error CannotWrite when the stream failed at any point.
    static bool EndWrite(std::ostream& out, std::string_view last, tFormatError& error);
};

// Every format, the spell list first (the file dialogs' default).
const std::vector<const tFileFormat*>& FileFormats();

const tFileFormat& SpellListFormat();
const tFileFormat& SpellbookFormat();
const tFileFormat& MarkdownFormat();
const tFileFormat& CsvFormat();
const tFileFormat& JsonFormat();

// The format called name (any ASCII case), or none.
const tFileFormat* FindFileFormat(std::string_view name);

// The format whose extension path ends in (".csv", any ASCII case), or none.
const tFileFormat* FileFormatOfPath(std::string_view path);

// The filter of an open dialog (reading) or save dialog (writing): every
// format that reads or writes, in the order of FileFormats(), then all files.
std::string DialogFilterOf(bool reading);

// The path forms: read the file at path (a regular file, see OpenDataFile),
// or write it without ever leaving half a file (WriteFileAtomically: an
// existing file stays as it was when writing fails).
std::unique_ptr<TSpellBook> ReadBookFile(const tFileFormat& format, const std::string& path,
                                         tFormatError& error);
bool WriteBookFile(const tFileFormat& format, TSpellBook& book, const std::string& caption,
                   const std::string& path, tFormatError& error);

// Why the file at path could not be read or written, as one sentence for
// beneath a message: the reason with a capital and a full stop, else
// ExplainFileError's.
std::string ExplainFormatError(const std::string& path, const tFormatError& error);
