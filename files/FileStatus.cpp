#include "files/FileStatus.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

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

namespace {

namespace fs = std::filesystem;

// The folder a path names a file in ("." for a bare name).
fs::path FolderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

std::string ExplainOpening(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) {
        return fs::is_directory(FolderOf(path), ec) ? "The file was not found." : "Its folder was not found.";
    }
    if (fs::is_directory(status)) {
        return "It is a folder, not a file.";
    }
    if (!fs::is_regular_file(status)) {
        return "It is not a plain file (a device or a pipe).";
    }
    if (access(path.c_str(), R_OK) != 0) {
        return "The file may not be read (permission denied).";
    }
    return "The file cannot be opened.";
}

std::string ExplainWriting(const std::string& path) {
    std::error_code ec;
    const fs::path folder = FolderOf(path);
    if (!fs::is_directory(folder, ec)) {
        return "Its folder was not found.";
    }
    const fs::file_status status = fs::status(path, ec);
    if (fs::is_directory(status)) {
        return "It is a folder, not a file.";
    }
    if (fs::exists(status) && access(path.c_str(), W_OK) != 0) {
        return "The file may not be written (permission denied).";
    }
    if (!fs::exists(status) && access(folder.c_str(), W_OK) != 0) {
        return "Its folder may not be written (permission denied).";
    }
    const fs::space_info space = fs::space(folder, ec);
    if (!ec && space.available == 0) {
        return "The disk is full.";
    }
    return "The file cannot be written.";
}

} // namespace

std::string ExplainFileError(const std::string& path, FileError error) {
    switch (error) {
    case FileError::None:
        return {};
    case FileError::CannotOpen:
        return ExplainOpening(path);
    case FileError::CannotWrite:
        return ExplainWriting(path);
    default:
        return "The file " + DescribeFileError(error) + ".";
    }
}
