#include "files/FileStatus.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace {

std::string DescribeKind(FileError error) {
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
    case FileError::BadContent:
        return "is damaged";
    }
    return {};
}

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

// The reason as a sentence: "The disk is full."
std::string Sentence(std::string reason) {
    if (!reason.empty() && reason[0] >= 'a' && reason[0] <= 'z') {
        reason[0] = static_cast<char>(reason[0] - 'a' + 'A');
    }
    return reason + ".";
}

std::string ExplainWriting(const std::string& path, int system) {
    // What the file system shows now tells a refusal apart better than the
    // number alone (the file or its folder); other numbers speak for
    // themselves.
    if (system != 0 && system != EACCES && system != EPERM && system != EISDIR) {
        return Sentence(SystemReason(system));
    }
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
    if (system != 0) {
        return Sentence(SystemReason(system));
    }
    const fs::space_info space = fs::space(folder, ec);
    if (!ec && space.available == 0) {
        return "The disk is full.";
    }
    return "The file cannot be written.";
}

} // namespace

std::string DescribeFileError(FileError error) {
    std::string text = DescribeKind(error);
    if (error.System() != 0 && !text.empty()) {
        text += ": " + SystemReason(error.System());
    }
    return text;
}

std::string SystemReason(int system) {
    switch (system) {
    case ENOSPC:
        return "the disk is full";
    case EDQUOT:
        return "the disk quota is used up";
    case EACCES:
        return "permission denied";
    case EPERM:
        return "not permitted";
    case EROFS:
        return "the file system is read-only";
    case ELOOP:
        return "its links form a loop";
    case ENAMETOOLONG:
        return "the name is too long";
    case ENOENT:
        return "its folder was not found";
    case EISDIR:
        return "it is a folder";
    case ENOTDIR:
        return "a file stands where a folder is needed";
    case EFBIG:
        return "the file is too large";
    case ENXIO:
        return "nobody reads it";
    default:
        break;
    }
    std::string text = std::generic_category().message(system);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z' &&
        (text.size() < 2 || text[1] < 'A' || text[1] > 'Z')) {
        text[0] = static_cast<char>(text[0] - 'A' + 'a');
    }
    return text;
}

std::string ExplainFileError(const std::string& path, FileError error) {
    switch (error) {
    case FileError::None:
        return {};
    case FileError::CannotOpen:
        return ExplainOpening(path);
    case FileError::CannotWrite:
        return ExplainWriting(path, error.System());
    default:
        return "The file " + DescribeFileError(error) + ".";
    }
}
