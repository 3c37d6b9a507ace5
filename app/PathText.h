#pragma once
// File paths are kept as the file system gives them (UTF-8 bytes on this
// platform), while every text shown to the user is Windows-1252. A path that
// goes into a message or a caption is converted first.

#include <string>

// The path as Windows-1252 text: a valid UTF-8 path has each character mapped
// to its Windows-1252 byte ('?' for a character that has none); any other path
// is returned unchanged.
std::string PathForDisplay(const std::string& path);
