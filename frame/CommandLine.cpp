#include "frame/CommandLine.h"

#include "app/Shared.h"
#include "app/Version.h"
#include "master/MasterPool.h"

#include <filesystem>

tCommandLineRequest ReadCommandLine(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            return tCommandLineRequest::Help;
        }
        if (arg == "--version") {
            return tCommandLineRequest::Version;
        }
    }
    return tCommandLineRequest::StartWindows;
}

std::string VersionText() {
    return "quillmark " + std::string(ProgramVersion()) + "\n";
}

std::string HelpText() {
    const tFileLocations& locations = FileLocations();
    const tSettingsFile settings(locations.SettingsFolder + std::string(SettingsFileName));
    const std::string master = MasterFileName(&settings);
    std::string text = R"(Usage: quillmark [--help | --version]

Quillmark builds and keeps the spellbooks of wizard characters in a tabletop
role-playing game. It rolls legal spellbooks from a master list of spells,
lets you browse and edit the list and the books, and prints them.
quillmark-cli does the same jobs without the windows.

Files:
)";
    const auto line = [&text](const char* what, const std::string& path) {
        std::string name(what);
        name.resize(14, ' ');
        text += "  " + name + path + "\n";
    };
    line("settings", settings.Path());
    line("specialties", SpecialtyFilePath());
    line("master list", std::filesystem::path(master).is_relative()
                            ? master + " (in the folder the program is started in)"
                            : master);
    if (locations.Installed) {
        line("sample list", locations.SampleMasterFile);
    }
    line("help", locations.HelpFile);
    line("spellbooks", settings.ReadString(MainSection, DataDirectoryKey, locations.DataDirectory) +
                           " (where the file dialogs start)");
    text += locations.Installed
                ? "\nThe settings folder is made when a setting is first changed. On the first start\n"
                  "the master list is copied from the sample list.\n"
                : "\nThe settings and specialty files are made when first changed.\n";
    return text;
}
