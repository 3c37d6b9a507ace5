#pragma once
// The state every window shares for the whole run, and the window-free steps of
// program start: where the files are, the settings file, the specialty list
// in use and the built-in one, and the help file.
//
// Start-up order: LoadProgram() before any window exists; then, while the main
// frame is being created, OpenSharedState(); CloseSharedState() when the main
// frame closes.

#include "app/FileLocations.h"
#include "app/SettingsFile.h"
#include "app/UserInterface.h"
#include "model/Specialty.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Help context numbers of the windows.
constexpr int32_t HelpMainFrame = 1;
constexpr int32_t HelpSpellBook = 100;
constexpr int32_t HelpPrintPreview = 200;
constexpr int32_t HelpOutputFormat = 300;
constexpr int32_t HelpBookParameters = 400;
constexpr int32_t HelpDataDirectory = 500;
constexpr int32_t HelpSelectionOdds = 600;
constexpr int32_t HelpMasterList = 800;

constexpr std::string_view ProgramTitle = "Quillmark";
constexpr std::string_view MainSection = "Quillmark";
constexpr std::string_view DataDirectoryKey = "DataDirectory";
constexpr std::string_view SpecialtyFileName = "Specialty.dat";

// The built-in specialties, made by LoadProgram(); never changed afterwards.
extern std::unique_ptr<tSpecialtyList> DefaultSpecialties;
// The specialty list in use: the one read from "Specialty.dat", or a copy of
// DefaultSpecialties. The same object from OpenSharedState() to the end of the
// run; specialty maintenance edits it in place.
extern std::unique_ptr<tSpecialtyList> Specialties;
// True when "Specialty.dat" was in the settings folder at start but could not
// be read (not opened, not a regular file, a read error): Specialties is then
// a copy of the built-in list, and the file must not be written over with it.
extern bool SpecialtyFileUnreadable;
// The open settings file; none before OpenSharedState() and after
// CloseSharedState().
extern std::unique_ptr<tSettingsFile> Settings;
// The help file: "Quillmark.hlp" until OpenSharedState() makes it the full path
// of the help file where FileLocations() says.
extern std::string HelpFile;

// Where the program's files are: found from the running system on first use
// (FindFileLocations), unless SetFileLocations() chose them.
const tFileLocations& FileLocations();
void SetFileLocations(const tFileLocations& locations);
// A copy run from folder (tests run the program in a folder of their own);
// an empty folder goes back to the running system's locations.
void SetProgramDirectory(const std::string& folder);

// Program start, before any window: seeds the random source from the clock,
// puts DefaultOdds into SelectionOdds and builds DefaultSpecialties.
void LoadProgram();

// The main frame's part of start-up: opens Settings on "Quillmark.INI" in the
// settings folder, reads the five selection odds, sets HelpFile, and reads
// "Specialty.dat" from the settings folder into Specialties (a copy of
// DefaultSpecialties when it is missing or cannot be read, the latter noted in
// SpecialtyFileUnreadable). Nothing is written.
void OpenSharedState();

// Releases Settings.
void CloseSharedState();

// What the main frame says at start when the settings file is there but could
// not be read: its path, why, and that the default settings are in force.
// Empty when it was read or is not there, and without Settings.
std::string SettingsNotice();

// The "DataDirectory" setting, or the default data directory of
// FileLocations() when it is missing.
std::string ReadDataDirectory();

// Writes one setting, making the settings folder first when it is missing.
// When the system refuses the write, shows the error
// "Unable to write to <settings path>" and returns false: the command that
// wrote stops there. False without a message when Settings is none.
bool WriteSetting(std::string_view section, std::string_view key, std::string_view value,
                  tMessages& messages);

// "Specialty.dat" in the settings folder.
std::string SpecialtyFilePath();

// Makes the settings folder when it is missing (an installed copy's, on the
// first write); a folder that cannot be made shows in the write that follows.
void MakeSettingsFolder();

// False when path is the settings folder's "Specialty.dat" and that file could
// not be read at start (SpecialtyFileUnreadable): writing the list in use (the
// built-in one) there would replace the file's own specialties.
bool MayWriteSpecialtyFile(const std::string& path);

// The names a specialty choice offers: "Generalist", then the names of the
// list in order.
std::vector<std::string> SpecialtyChoices(tSpecialtyList& specialties);
