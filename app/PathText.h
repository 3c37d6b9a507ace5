#pragma once
// Messages are Windows-1252 text, like everything the program shows, but a
// file path is the file system's own bytes (UTF-8 names on this platform). A
// path that goes into a message is marked, so that the windows show it as the
// file system spells it and the rest as Windows-1252.

#include "files/FileStatus.h"
#include "model/Text.h"

#include <string>

// The path as it goes into a message: between two marks.
std::string MessagePath(const std::string& path);

// The message with its path marks taken out: the bytes as they are, for
// whoever reads them as bytes (a terminal, a test).
std::string WithoutPathMarks(const std::string& text);

// What goes beneath a message about a file that could not be read or written:
// the path, then why (ExplainFileError).
std::string FileErrorDetail(const std::string& path, FileError error);
