#pragma once
// Saving a file without ever leaving a half-written one behind.

#include "files/FileStatus.h"

#include <functional>
#include <ostream>
#include <string>

// Writes a new version of the file at path: body writes the content to a
// temporary file in the same folder, which is flushed to disk and then renamed
// over path; the folder is flushed after the rename. A link is followed, and
// an existing file keeps its permissions, owner and group. Returns true and
// sets error to None on success. Returns false and sets error to CannotWrite
// when path names a folder or an existing file this user may not write
// (read-only), body returns false or throws, writing fails or the rename
// fails; the previous file at path is then left as it was and the temporary
// file is removed.
//
// Where the file cannot be replaced but may be written, it is written in
// place instead: when the folder refuses new files (a writable file in a
// read-only folder) and when the old file's owner or group cannot be given to
// the new one. The content is then made in full before the file is touched.
//
// A path that names a device or pipe (/dev/stdout, /dev/null, a FIFO) is
// written to directly, never replaced; a pipe that nobody reads is refused at
// once rather than waited for.
//
// Temporary files of this program beside path that an interrupted save left
// (their process is gone) are removed.
bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error = nullptr);

// True when a save could go to path: nothing is there yet, or it is (through
// links) a regular file this user may write. False for a folder, a device or
// pipe and a read-only file.
bool CanReplaceFile(const std::string& path);

// Puts the finished file staged (a regular file on the same file system,
// already flushed to disk) in place of path, keeping the promises of
// WriteFileAtomically: the link is followed, a read-only file is refused, the
// old file's permissions, owner and group are kept (else it is written in
// place). Where a rename cannot do it (another file system, a device), the
// content is copied with WriteFileAtomically. staged is gone afterwards, moved
// or removed. The folder is not flushed: see FlushFileSystem.
bool MoveFileIntoPlace(const std::string& staged, const std::string& path, FileError* error = nullptr);

// Flushes to disk everything written to the file system that holds folder, in
// one go (cheaper than flushing many new files one by one). False when the
// folder cannot be opened or the flush fails.
bool FlushFileSystem(const std::string& folder);
