#include "files/FileStatus.h"

std::string DescribeFileError(FileError error) {
    switch (error) {
    case FileError::None:
        return {};
    case FileError::CannotOpen:
        return "cannot be opened";
    case FileError::ReadError:
        return "could not be read to the end";
    case FileError::NotSpellbook:
        return "is not a spellbook file";
    case FileError::CannotWrite:
        return "cannot be written";
    case FileError::NoSpells:
        return "holds no spells";
    case FileError::CasterLevelNotNumber:
        return "line 2 (the caster level) is not a number";
    case FileError::IntelligenceNotNumber:
        return "line 3 (the intelligence) is not a number";
    }
    return {};
}
