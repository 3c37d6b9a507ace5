#pragma once
// Why a file operation failed. Readers still answer none and writers false; a
// caller that wants the reason passes a FileError for them to fill in.
//
// Three values are warnings that come with a result: a reader that returns a
// book may set NoSpells (the file held text but not one spell or header line
// could be read from it: it is no spell list at all), or, for a spellbook file
// whose header line 2 or 3 is not a number, CasterLevelNotNumber or
// IntelligenceNotNumber (that value reads as 0).
//
// BadContent is a file whose content its format refuses (a CSV file without
// one of its columns, a JSON file that does not parse); the format says why
// in words (files/FileFormat.h).

#include <string>

// What went wrong, and, where the system refused, its own error number (an
// errno value) beside it. Compares and switches as its kind.
class FileError {
public:
    enum Kind {
        None,
        CannotOpen,
        ReadError,
        NotSpellbook,
        CannotWrite,
        NoSpells,
        CasterLevelNotNumber,
        IntelligenceNotNumber,
        BadContent
    };

    // NOLINTNEXTLINE: a kind is a FileError with no system error number.
    constexpr FileError(Kind kind = None, int system = 0) noexcept : FKind(kind), FSystem(system) {}
    constexpr operator Kind() const noexcept { return FKind; }

    // The system's error number behind the failure; 0 when none is known.
    constexpr int System() const noexcept { return FSystem; }

private:
    Kind FKind;
    int FSystem;
};

// A short English reason to follow a file's name in a message, such as
// "cannot be opened"; empty for None. With a system error number it is
// followed by the system's reason: "cannot be written: the disk is full".
std::string DescribeFileError(FileError error);

// The system's reason for the error number system, in a few lower-case
// words: "the disk is full", "permission denied", "the file system is
// read-only"; the system's own text for numbers without one of ours.
std::string SystemReason(int system);

// Why the file at path gave error, as one sentence for beneath a message,
// made as precise as the system told or the file system tells now: "The file
// was not found.", "The file may not be read (permission denied).", "It is a
// folder, not a file.", "The disk is full." and so on; the reason of
// DescribeFileError where nothing more is known. Empty for None.
std::string ExplainFileError(const std::string& path, FileError error);

// Stores error where target points; nothing when target is none.
inline void SetFileError(FileError* target, FileError error) {
    if (target) {
        *target = error;
    }
}
