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
    }
    return {};
}
