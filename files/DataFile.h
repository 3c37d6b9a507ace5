#pragma once
// Opening the program's data files for reading (master list, spellbooks, spell
// lists, the specialty file, the settings file). Only a regular file is read:
// a folder, a named pipe, a device or a socket in its place is refused at once,
// so that nothing waits for a writer that never comes or reads an endless
// device. A read that the system fails marks the stream bad (badbit), so what
// was read can never pass for the whole file.

#include "files/FileStatus.h"

#include <functional>
#include <istream>
#include <memory>
#include <string>

// The file at path (a link is followed) ready to read from its start. None,
// with error CannotOpen, for an empty path, a missing file, one this user may
// not read, or anything but a regular file; error is left alone on success.
std::unique_ptr<std::istream> OpenDataFile(const std::string& path, FileError* error);

// Reads everything left in the stream into bytes. False when the stream
// reports a read error (bytes then holds what was read before it).
bool ReadAllBytes(std::istream& in, std::string& bytes);

// The seam through which OpenDataFile opens files: tests put in an opener that
// hands out streams whose reads fail. An empty opener puts the system's back.
using tDataFileOpener =
    std::function<std::unique_ptr<std::istream>(const std::string& path, FileError* error)>;
void SetDataFileOpener(tDataFileOpener opener);
