#pragma once
// The master spell pool: the one book holding every spell the user knows of.
// Books are filled from it and random spells drawn from it. It is loaded when
// the master list window is made at start-up and exists, never none, from then
// to the end of the run.

#include "app/FileLocations.h"
#include "app/SettingsFile.h"
#include "app/UserInterface.h"
#include "files/FileStatus.h"
#include "model/SpellBook.h"

#include <memory>
#include <string>
#include <string_view>

constexpr std::string_view MasterFileKey = "MasterFile";

// The pool; owns its spells. None only before the first load.
extern std::unique_ptr<TSpellBook> MasterSpells;

// The master file name: "MasterFile" of section "Quillmark", or the master
// file of FileLocations() (a bare "MASTER.DAT", looked for in the working
// folder, or an installed copy's in the user's data folder) when the key is
// missing or empty or there are no settings.
std::string MasterFileName(const tSettingsFile* settings);

// Replaces the pool with the spellbook or spell list file at path; an empty
// book (all header fields 0 and an empty specialty) when the file is missing or
// unreadable. The pool is unmodified afterwards. Returns why the file gave no
// book, NoSpells for a file that held text but no spell (the pool is empty),
// or None.
FileError LoadMasterSpells(const std::string& path);

// Before the first load: when the settings name no master file, an installed
// copy's own one (in the user's data folder) is made from the sample list if
// it is missing (SeedMasterFile).
void PrepareMasterFile(const tSettingsFile* settings);

// The load at start-up: shows the working notice with "Loading Master Spell
// List", reads the master file name from settings, prepares it
// (PrepareMasterFile) and loads it. The notice is
// left showing: the master list window hides it once its views are built.
// Returns what LoadMasterSpells returned.
FileError LoadMasterSpellsAtStart(const tSettingsFile* settings, tWorkingNotice& notice);
