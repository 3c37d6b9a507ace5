#pragma once
// Why a file operation failed. Readers still answer none and writers false; a
// caller that wants the reason passes a FileError for them to fill in.

#include <string>

enum class FileError { None, CannotOpen, ReadError, NotSpellbook, CannotWrite };

// A short English reason to follow a file's name in a message, such as
// "cannot be opened"; empty for None.
std::string DescribeFileError(FileError error);

// Stores error where target points; nothing when target is none.
inline void SetFileError(FileError* target, FileError error) {
    if (target) {
        *target = error;
    }
}
