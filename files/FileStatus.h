#pragma once
// Why a file operation failed. Readers still answer none and writers false; a
// caller that wants the reason passes a FileError for them to fill in.
//
// Three values are warnings that come with a result: a reader that returns a
// book may set NoSpells (the file held text but not one spell or header line
// could be read from it: it is no spell list at all), or, for a spellbook file
// whose header line 2 or 3 is not a number, CasterLevelNotNumber or
// IntelligenceNotNumber (that value reads as 0).

#include <string>

enum class FileError {
    None,
    CannotOpen,
    ReadError,
    NotSpellbook,
    CannotWrite,
    NoSpells,
    CasterLevelNotNumber,
    IntelligenceNotNumber
};

// A short English reason to follow a file's name in a message, such as
// "cannot be opened"; empty for None.
std::string DescribeFileError(FileError error);

// Why the file at path gave error, as one sentence for beneath a message,
// made as precise as the file system tells now: "The file was not found.",
// "The file may not be read (permission denied).", "It is a folder, not a
// file.", "The disk is full." and so on; the reason of DescribeFileError where
// nothing more is known. Empty for None.
std::string ExplainFileError(const std::string& path, FileError error);

// Stores error where target points; nothing when target is none.
inline void SetFileError(FileError* target, FileError error) {
    if (target) {
        *target = error;
    }
}
