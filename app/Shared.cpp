#include "app/Shared.h"

#include "app/OddsSettings.h"
#include "app/PathText.h"
#include "files/Odds.h"
#include "files/SpecialtyFile.h"
#include "model/Random.h"

#include <filesystem>
#include <optional>
#include <system_error>

std::unique_ptr<tSpecialtyList> DefaultSpecialties;
std::unique_ptr<tSpecialtyList> Specialties;
std::unique_ptr<tSettingsFile> Settings;
bool SpecialtyFileUnreadable = false;
std::string HelpFile = "Quillmark.hlp";

namespace {

std::optional<tFileLocations>& ChosenLocations() {
    static std::optional<tFileLocations> locations;
    return locations;
}

} // namespace

const tFileLocations& FileLocations() {
    std::optional<tFileLocations>& locations = ChosenLocations();
    if (!locations) {
        locations = FindFileLocations(RunningSystem());
    }
    return *locations;
}

void SetFileLocations(const tFileLocations& locations) {
    ChosenLocations() = locations;
}

void SetProgramDirectory(const std::string& folder) {
    if (folder.empty()) {
        ChosenLocations().reset();
    } else {
        ChosenLocations() = LocationsBeside(folder);
    }
}

void LoadProgram() {
    SeedRandomFromClock();
    ResetSelectionOdds();
    DefaultSpecialties = MakeDefaultSpecialties();
}

void OpenSharedState() {
    const tFileLocations& locations = FileLocations();
    Settings = std::make_unique<tSettingsFile>(locations.SettingsFolder + std::string(SettingsFileName));
    ReadSelectionOdds(*Settings);
    HelpFile = locations.HelpFile;
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

std::string SettingsNotice() {
    const FileError error = Settings ? Settings->ReadError() : FileError(FileError::None);
    if (error == FileError::None) {
        return {};
    }
    return MessagePath(Settings->Path()) + " could not be read. " +
           ExplainFileError(Settings->Path(), error) + " The default settings are in force.";
}

std::string ReadDataDirectory() {
    const std::string& folder = FileLocations().DataDirectory;
    if (!Settings) {
        return folder;
    }
    return Settings->ReadString(MainSection, DataDirectoryKey, folder);
}

bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  tMessages& messages) {
    if (!Settings) {
        return false;
    }
    MakeSettingsFolder();
    if (!Settings->WriteString(section, key, value)) {
        messages.ShowError(SettingsWriteError(MessagePath(Settings->Path())),
                           ExplainFileError(Settings->Path(), Settings->LastFileError()));
        return false;
    }
    return true;
}

std::string SpecialtyFilePath() {
    return FileLocations().SettingsFolder + std::string(SpecialtyFileName);
}

void MakeSettingsFolder() {
    MakeUserFolder(FileLocations().SettingsFolder);
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
