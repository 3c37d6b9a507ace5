#include "app/RecentFiles.h"

#include "app/Shared.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

std::string KeyAt(size_t place) {
    return std::string(RecentFileKey) + std::to_string(place + 1);
}

bool WriteRecentFiles(tSettingsFile& settings, const std::vector<std::string>& files) {
    std::vector<std::pair<std::string, std::string>> values;
    for (size_t place = 0; place < MaxRecentFiles; ++place) {
        values.emplace_back(KeyAt(place), place < files.size() ? files[place] : std::string());
    }
    return settings.WriteStrings(MainSection, values);
}

std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

std::vector<std::string> ReadRecentFiles(const tSettingsFile& settings) {
    std::vector<std::string> files;
    for (size_t place = 0; place < MaxRecentFiles; ++place) {
        std::string file = settings.ReadString(MainSection, KeyAt(place), "");
        if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end()) {
            files.push_back(std::move(file));
        }
    }
    return files;
}

bool AddRecentFile(tSettingsFile& settings, const std::string& path) {
    const std::string file = Absolute(path);
    if (file.empty() || file.size() > MaxSettingsValueLength ||
        file.find_first_of("\r\n") != std::string::npos) {
        return true;
    }
    std::vector<std::string> files = ReadRecentFiles(settings);
    if (!files.empty() && files.front() == file) {
        return true;
    }
    std::erase(files, file);
    files.insert(files.begin(), file);
    if (files.size() > MaxRecentFiles) {
        files.resize(MaxRecentFiles);
    }
    return WriteRecentFiles(settings, files);
}

bool RemoveRecentFile(tSettingsFile& settings, const std::string& path) {
    std::vector<std::string> files = ReadRecentFiles(settings);
    if (std::erase(files, path) == 0) {
        return true;
    }
    return WriteRecentFiles(settings, files);
}

std::vector<std::string> RecentFiles() {
    return Settings ? ReadRecentFiles(*Settings) : std::vector<std::string>();
}

void NoteRecentFile(const std::string& path) {
    if (Settings) {
        MakeSettingsFolder();
        AddRecentFile(*Settings, path);
    }
}

void ForgetRecentFile(const std::string& path) {
    if (Settings) {
        RemoveRecentFile(*Settings, path);
    }
}
