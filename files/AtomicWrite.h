#pragma once
// Saving a file without ever leaving a half-written one behind.

#include "files/FileStatus.h"

#include <functional>
#include <ostream>
#include <string>

// Writes a new version of the file at path: body writes the content to a
// temporary file in the same folder, which is flushed, closed and then renamed
// over path (a link is followed, and an existing file's permissions are kept).
// Returns true and sets error to None on success. Returns false and sets error
// to CannotWrite when path names an existing file this user may not write
// (read-only), the temporary file cannot be made, body returns false, writing
// fails or the rename fails; the previous file at path is then left as it was
// and the temporary file is removed. A path that names a device or pipe
// (/dev/stdout, /dev/null, a FIFO) is written to directly, never replaced.
bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error = nullptr);
