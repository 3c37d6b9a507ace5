#pragma once
// Saving a file, or a set of files, without ever leaving a half-written one
// behind.

#include "files/FileStatus.h"

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

// Writes a new version of the file at path: body writes the content to a
// temporary file in the same folder, which is flushed to disk and then renamed
// over path; the folder is flushed after the rename. Returns true and sets
// error to None on success. Returns false and sets error to CannotWrite, with
// the system's error number, when path names a folder or an existing file
// this user may not write (read-only), body returns false or throws, writing
// fails or the rename fails; the previous file at path is then left as it was
// and the temporary file is removed.
//
// Links are followed: a live link keeps pointing at the file it names, which
// is replaced; a dangling link gets the file it names created (its folder must
// exist); links that loop are refused (ELOOP).
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
// Temporary files are named ".quillmark-<process>-<n>.tmp" (short, whatever
// the length of the file's own name). Those of this program in the folder
// that an interrupted save left (their process is gone) are removed, and so
// are folders of that name left by an interrupted WriteFilesIntoFolder.
bool WriteFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& body,
                         FileError* error = nullptr);

// How WriteFilesIntoFolder ended.
struct tBatchResult {
    enum class tStatus { Written, Failed, Interrupted };
    tStatus Status = tStatus::Written;
    // What could not be written, as it was named to WriteFilesIntoFolder (the
    // folder, or the folder joined with a file's name), and why.
    std::string Path;
    FileError Error;
};

// Writes count files into folder, file i (from 0) named names(i) with the
// content write(i, stream) gives: all of them or none. Each file is written
// once, as it is made, into a staging folder beside the files (nothing is held
// in memory).
//
// When folder does not exist, it is made (with the folders above it) by
// renaming the staging folder. Otherwise every file replaces its name as
// WriteFileAtomically would (links followed, permissions, owner and group
// kept), and names that cannot be replaced so (a folder, a device or pipe,
// links that loop, a read-only file, one that could only be written in place)
// fail the run before anything is made. The new files are put in place last,
// in one pass that undoes itself should a rename fail (old files are
// exchanged with the new, not removed, until all are in place; a file system
// that cannot exchange two names gets plain renames, which cannot be undone).
//
// interrupted is asked between files; when it answers true, the run stops,
// removes what it made and answers Interrupted. Nothing a run made is left
// behind on failure either.
tBatchResult WriteFilesIntoFolder(const std::string& folder, size_t count,
                                  const std::function<std::string(size_t)>& names,
                                  const std::function<bool(size_t, std::ostream&)>& write,
                                  const std::function<bool()>& interrupted);
