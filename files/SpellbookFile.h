#pragma once
// The spellbook file: five header lines (version, caster level, intelligence,
// specialty, frequency letter), then the spell lines and the closing line of a
// spell list file. Versions 5, 4 and 3 are read (version 3 numbers its
// specialty); a file whose first line is 0 or not an integer is read as a
// spell list, its header worked out from its spells. Only version 5 is written.

#include "files/FileStatus.h"
#include "model/SpellBook.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

// A new book from a spellbook file, FileVersion 5, 4 or 3 after its header,
// 0 for a headerless file. The numbers of the header may have blanks after
// them. Returns none when the first line is an integer other than 0, 3, 4 and
// 5 (error NotSpellbook), when a read error occurs (ReadError) or, for the
// path form, when the file cannot be opened or is not a regular file
// (CannotOpen). Otherwise error is None or one of these warnings:
//
// - NoSpells: a headerless file held more than blank lines, yet not one spell
//   could be read from it; the empty book is returned.
// - CasterLevelNotNumber, IntelligenceNotNumber: that header line is not an
//   integer. It reads as 0 and reading goes on, so the spells are kept; a
//   caller must not write the book back as it is, since the zero would purge
//   every spell.
std::unique_ptr<TSpellBook> ReadSpellbookFile(std::istream& in, FileError* error = nullptr);
std::unique_ptr<TSpellBook> ReadSpellbookFile(const std::string& path, FileError* error = nullptr);

// Header values for a book read without a header (a spell list): the lowest
// caster level (from 2 up) that grants a spell of the book's highest level,
// and the lowest intelligence whose maximum per level exceeds the first-level
// spells. Specialty and Frequency are left as they are.
void DeriveHeader(TSpellBook& book);

// Writes the book as a version-5 file; lines end with CR LF. The book's cursor
// is left none and FileVersion is not changed. Returns false when writing
// fails; the path form then leaves any previous file as it was and sets error
// to CannotWrite.
bool WriteSpellbookFile(TSpellBook& book, std::ostream& out);
bool WriteSpellbookFile(TSpellBook& book, const std::string& path, FileError* error = nullptr);
