#include "app/Shared.h"

#include "app/OddsSettings.h"
#include "app/PathText.h"
#include "files/Odds.h"
#include "files/SpecialtyFile.h"
#include "model/Random.h"

#include <filesystem>
#include <system_error>

std::unique_ptr<tSpecialtyList> DefaultSpecialties;
std::unique_ptr<tSpecialtyList> Specialties;
std::unique_ptr<tSettingsFile> Settings;
bool SpecialtyFileUnreadable = false;
std::string HelpFile = "Quillmark.hlp";

namespace {

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string& ProgramFolder() {
    static std::string folder;
    return folder;
}

} // namespace

std::string ExecutableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        std::filesystem::path current = std::filesystem::current_path(error);
        return error ? std::string("./") : WithSeparator(current.string());
    }
    return WithSeparator(exe.parent_path().string());
}

const std::string& ProgramDirectory() {
    std::string& folder = ProgramFolder();
    if (folder.empty()) {
        folder = ExecutableDirectory();
    }
    return folder;
}

void SetProgramDirectory(const std::string& folder) {
    ProgramFolder() = folder.empty() ? std::string() : WithSeparator(folder);
}

void LoadProgram() {
    SeedRandomFromClock();
    ResetSelectionOdds();
    DefaultSpecialties = MakeDefaultSpecialties();
}

void OpenSharedState() {
    const std::string& folder = ProgramDirectory();
    Settings = std::make_unique<tSettingsFile>(folder + std::string(SettingsFileName));
    ReadSelectionOdds(*Settings);
    HelpFile = folder + std::string(HelpFileName);
    const std::string specialtyPath = SpecialtyFilePath();
    Specialties = ReadSpecialtyFile(specialtyPath);
    std::error_code error;
    SpecialtyFileUnreadable = !Specialties && std::filesystem::status(specialtyPath, error).type() !=
                                                  std::filesystem::file_type::not_found;
    if (!Specialties) {
        Specialties = DefaultSpecialties ? DefaultSpecialties->Clone() : MakeDefaultSpecialties();
    }
}

void CloseSharedState() {
    Settings.reset();
}

std::string ReadDataDirectory() {
    if (!Settings) {
        return ProgramDirectory();
    }
    return Settings->ReadString(MainSection, DataDirectoryKey, ProgramDirectory());
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  tMessages& messages) {
    if (!Settings) {
        return false;
    }
    if (!Settings->WriteString(section, key, value)) {
        messages.ShowError(SettingsWriteError(MessagePath(Settings->Path())),
                           ExplainFileError(Settings->Path(), Settings->LastFileError()));
        return false;
    }
    return true;
}

std::string SpecialtyFilePath() {
    return ProgramDirectory() + std::string(SpecialtyFileName);
}

bool MayWriteSpecialtyFile(const std::string& path) {
    return !SpecialtyFileUnreadable || path != SpecialtyFilePath();
}

std::vector<std::string> SpecialtyChoices(tSpecialtyList& specialties) {
    std::vector<std::string> choices{GeneralistName};
    for (std::string& name : specialties.Names()) {
        choices.push_back(std::move(name));
    }
    return choices;
}
