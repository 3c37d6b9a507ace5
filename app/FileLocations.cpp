#include "app/FileLocations.h"

#include "files/AtomicWrite.h"
#include "files/DataFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

// The installed data folder (help file, sample list) as a path from the folder
// the executables are installed in; the build states it from its install
// folders.
#ifndef QUILL_DATA_FROM_BIN
#define QUILL_DATA_FROM_BIN "../share/quillmark"
#endif

namespace {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string FolderText(const std::filesystem::path& folder) {
    return WithSeparator(folder.lexically_normal().string());
}

// The variable when it holds an absolute path: the XDG rules say a relative
// one is to be ignored.
std::optional<std::filesystem::path> AbsoluteVariable(const tSystemView& system, const char* name) {
    std::optional<std::string> value = system.Variable ? system.Variable(name) : std::nullopt;
    if (!value || value->empty() || value->front() != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(*value);
}

// $<variable>, else $HOME/<fallback>; none without either.
std::optional<std::filesystem::path> UserBase(const tSystemView& system, const char* variable,
                                              const char* fallback) {
    if (std::optional<std::filesystem::path> base = AbsoluteVariable(system, variable)) {
        return base;
    }
    if (std::optional<std::filesystem::path> home = AbsoluteVariable(system, "HOME")) {
        return *home / fallback;
    }
    return std::nullopt;
}

} // namespace

tFileLocations LocationsBeside(const std::string& folder) {
    tFileLocations locations;
    locations.SettingsFolder = WithSeparator(folder);
    locations.HelpFile = locations.SettingsFolder + std::string(HelpFileName);
    locations.MasterFile = std::string(DefaultMasterFile);
    locations.DataDirectory = locations.SettingsFolder;
    return locations;
}

tFileLocations FindFileLocations(const tSystemView& system) {
    const std::string& executableFolder = system.ExecutableFolder;
    const std::filesystem::path installed = std::filesystem::path(executableFolder) / QUILL_DATA_FROM_BIN;
    // Root may write a system folder too: an installation's layout tells it
    // apart from a copy run from a folder of its own.
    const bool laidOutAsInstalled = system.IsFolder && system.IsFolder(installed.lexically_normal().string());
    if (!laidOutAsInstalled && (!system.MayWrite || system.MayWrite(executableFolder))) {
        return LocationsBeside(executableFolder);
    }
    const std::optional<std::filesystem::path> config = UserBase(system, "XDG_CONFIG_HOME", ".config");
    const std::optional<std::filesystem::path> data = UserBase(system, "XDG_DATA_HOME", ".local/share");
    if (!config || !data) {
        return LocationsBeside(executableFolder);
    }
    tFileLocations locations;
    locations.Installed = true;
    locations.SettingsFolder = FolderText(*config / UserFolderName);
    locations.HelpFile = (installed / HelpFileName).lexically_normal().string();
    locations.MasterFile = (*data / UserFolderName / DefaultMasterFile).lexically_normal().string();
    locations.SampleMasterFile = (installed / DefaultMasterFile).lexically_normal().string();
    std::error_code error;
    if (!system.DocumentsFolder.empty() && std::filesystem::is_directory(system.DocumentsFolder, error)) {
        locations.DataDirectory = FolderText(system.DocumentsFolder);
    } else if (std::optional<std::filesystem::path> home = AbsoluteVariable(system, "HOME")) {
        locations.DataDirectory = FolderText(*home);
    } else {
        locations.DataDirectory = FolderText(*data / UserFolderName);
    }
    return locations;
}

std::string ExecutableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        std::filesystem::path current = std::filesystem::current_path(error);
        return error ? std::string("./") : WithSeparator(current.string());
    }
    return WithSeparator(exe.parent_path().string());
}

tSystemView RunningSystem(const std::string& documentsFolder) {
    tSystemView system;
    system.ExecutableFolder = ExecutableDirectory();
    system.Variable = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    system.MayWrite = [](const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; };
    system.IsFolder = [](const std::string& path) {
        std::error_code error;
        return std::filesystem::is_directory(path, error);
    };
    system.DocumentsFolder = documentsFolder;
    return system;
}

bool MakeUserFolder(const std::string& folder) {
    std::filesystem::path made;
    for (const std::filesystem::path& part : std::filesystem::path(folder)) {
        made /= part;
        if (!part.empty() && ::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    std::error_code error;
    return std::filesystem::is_directory(folder, error);
}

bool SeedMasterFile(const tFileLocations& locations) {
    if (locations.SampleMasterFile.empty() || locations.MasterFile.empty()) {
        return false;
    }
    const std::filesystem::path target(locations.MasterFile);
    std::error_code error;
    if (std::filesystem::symlink_status(target, error).type() != std::filesystem::file_type::not_found) {
        return false;
    }
    std::string bytes;
    const std::unique_ptr<std::istream> in = OpenDataFile(locations.SampleMasterFile, nullptr);
    if (!in || !ReadAllBytes(*in, bytes)) {
        return false;
    }
    MakeUserFolder(target.parent_path().string());
    // The whole sample goes to a file of its own first, which is then linked
    // in under the master file's name: a link never replaces a file.
    const std::filesystem::path staged =
        target.parent_path() / ("." + target.filename().string() + ".seed-" + std::to_string(::getpid()));
    const bool written = WriteFileAtomically(staged.string(), [&bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return static_cast<bool>(out);
    });
    if (!written) {
        return false;
    }
    std::filesystem::create_hard_link(staged, target, error);
    bool placed = !error;
    if (error && error != std::errc::file_exists &&
        std::filesystem::symlink_status(target, error).type() == std::filesystem::file_type::not_found) {
        // A file system without links: renamed in, which could only replace
        // a file made in the moment since the look above.
        std::filesystem::rename(staged, target, error);
        placed = !error;
    }
    std::filesystem::remove(staged, error);
    return placed;
}
