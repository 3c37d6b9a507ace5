#pragma once
// Where the program keeps its files.
//
// A copy run from a folder it may write (built or unpacked anywhere) keeps
// its settings "Quillmark.INI" and specialty list "Specialty.dat" beside the
// executable, with its help file "Quillmark.HLP"; it looks for the master list
// "MASTER.DAT" in the folder it is started in, and its file dialogs start in
// the executable's folder.
//
// A copy installed where it may not write (a system folder), or laid out as an
// installation (its data folder, share/quillmark, beside its bin folder) even
// where it may write, as when root runs it, keeps the settings
// and the specialty list in the user's configuration folder
// ($XDG_CONFIG_HOME/Quillmark, else ~/.config/Quillmark), made on the first
// write, and its master list in the user's data folder
// ($XDG_DATA_HOME/Quillmark, else ~/.local/share/Quillmark), where the sample
// list installed with it is copied on the first start. Its help file and
// sample list are read where they were installed (the data folder of the
// installation, found from the executable's folder), and its file dialogs
// start in the user's documents folder.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// The folder the user's files go in, in the configuration and data folders.
constexpr std::string_view UserFolderName = "Quillmark";
constexpr std::string_view HelpFileName = "Quillmark.HLP";
// The master list's name.
constexpr std::string_view DefaultMasterFile = "MASTER.DAT";

struct tFileLocations {
    // An installed copy, which keeps its files in the user's folders.
    bool Installed = false;
    // The folder of the settings and the specialty list, ending in '/'.
    std::string SettingsFolder;
    std::string HelpFile;
    // The master list used when the settings name none: a bare "MASTER.DAT"
    // (looked for in the working folder), or the one in the user's data
    // folder.
    std::string MasterFile;
    // The installed sample list, copied to MasterFile when that is missing at
    // start; empty for a copy run from its own folder.
    std::string SampleMasterFile;
    // The default data directory, where file dialogs first start; ends in '/'.
    std::string DataDirectory;
};

// What the choice reads from the system.
struct tSystemView {
    // The folder of the running executable, ending in '/'.
    std::string ExecutableFolder;
    // An environment variable, none when it is not set.
    std::function<std::optional<std::string>(const char* name)> Variable;
    // Whether this user may make files in the folder.
    std::function<bool(const std::string& folder)> MayWrite;
    // Whether a folder is at that path.
    std::function<bool(const std::string& path)> IsFolder;
    // The desktop's documents folder, empty when not known.
    std::string DocumentsFolder;
};

// Where the files of a copy running as system describes are. An installed copy
// without a usable home (neither $HOME nor the XDG variable an absolute path)
// keeps its files beside the executable, as a copy run from its own folder.
tFileLocations FindFileLocations(const tSystemView& system);

// The locations of a copy run from folder.
tFileLocations LocationsBeside(const std::string& folder);

// The running process: its executable's folder, its environment, the file
// system's permissions, and documentsFolder as given.
tSystemView RunningSystem(const std::string& documentsFolder = {});

// The folder of the running executable, ending in '/'; the working folder when
// it cannot be found.
std::string ExecutableDirectory();

// Makes the folder and every folder above it that is missing, readable by
// this user alone as the desktop's rules for user folders ask. True when the
// folder is there afterwards.
bool MakeUserFolder(const std::string& folder);

// Copies the sample list to the master file when the sample exists and no file
// is at the master file's place, making its folder first. Never replaces a
// file there, even one made at the same moment, and never leaves a part of
// the sample behind. True when a copy was made.
bool SeedMasterFile(const tFileLocations& locations);
