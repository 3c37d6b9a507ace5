#pragma once
// The spell list file: one spell line per spell in book order, then a line
// holding one blank. The master spell file and the import and export files.

#include "files/FileStatus.h"
#include "files/TextLines.h"
#include "model/SpellBook.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

// A new book (header 0, 0, 0, empty; FileVersion 0) with the spell of every
// line that yields one; lines that yield none are skipped, and of spells that
// are equal (same level, names equal ignoring case) the first line wins. An
// empty text, or one of blank lines, gives an empty book. Returns none when a
// read error occurs (error ReadError) or, for the path form, when the file
// cannot be opened or is not a regular file (error CannotOpen). Otherwise
// error is None, or NoSpells when some line held more than blanks and yet not
// one spell was read (the empty book is still returned).
std::unique_ptr<TSpellBook> ReadSpellList(std::istream& in, FileError* error = nullptr);
std::unique_ptr<TSpellBook> ReadSpellList(const std::string& path, FileError* error = nullptr);

// Writes every spell of the book in book order, then the closing line holding
// one blank; lines end with CR LF. The book's cursor is left none. Returns
// false when writing fails; the path form then leaves any previous file as it
// was and sets error to CannotWrite.
bool WriteSpellList(TSpellBook& book, std::ostream& out);
bool WriteSpellList(TSpellBook& book, const std::string& path, FileError* error = nullptr);

// Reads the rest of the lines of reader into book as a spell list does, after
// firstLine when that is given (a line the caller already took from reader).
// Returns true when some line (firstLine included) held a byte other than the
// blanks and control bytes 1 to 32 that a spell line skips.
bool ReadSpellLines(tLineReader& reader, TSpellBook& book, const std::string* firstLine = nullptr);

// Writes the book's spell lines and the closing line, cursor left none.
void WriteSpellLines(TSpellBook& book, std::ostream& out);
