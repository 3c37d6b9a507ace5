#pragma once
// The specialty file: three lines per specialty in list order, its name as it
// is, then its preferred and its prohibited school texts as comma text. No
// header and no closing line.

#include "files/FileStatus.h"
#include "model/Specialty.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

// A new list with one specialty for every three lines, lines missing at the
// end reading as empty: an empty text gives one specialty with an empty name
// and empty lists. Any content is accepted. Returns none when a read error
// occurs (error ReadError) or, for the path form, when the file cannot be
// opened (CannotOpen); error is None otherwise.
std::unique_ptr<tSpecialtyList> ReadSpecialtyFile(std::istream& in, FileError* error = nullptr);
std::unique_ptr<tSpecialtyList> ReadSpecialtyFile(const std::string& path, FileError* error = nullptr);

// Writes the three lines of every specialty; lines end with CR LF. The list's
// cursor is left none. Returns false when writing fails; the path form then
// leaves any previous file as it was and sets error to CannotWrite.
bool WriteSpecialtyFile(tSpecialtyList& list, std::ostream& out);
bool WriteSpecialtyFile(tSpecialtyList& list, const std::string& path, FileError* error = nullptr);
