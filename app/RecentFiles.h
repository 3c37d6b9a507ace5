#pragma once
// The spellbooks opened or saved last, newest first: at most eight, kept in
// the settings file (section "Quillmark", keys "Recent1" to "Recent8") so that
// they outlast the run. The "&File" menus list them.

#include "app/SettingsFile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t MaxRecentFiles = 8;
// The keys are this and the place in the list, from 1.
constexpr std::string_view RecentFileKey = "Recent";

// The list the settings file holds, newest first; empty places and repeats
// are left out.
std::vector<std::string> ReadRecentFiles(const tSettingsFile& settings);

// Puts path (made absolute) first, taking it from any later place and
// letting the ninth go, and writes the list at once. A path the settings file
// could not give back as it is (a line break in it, or more than a value
// holds) is not listed. False when the write was refused.
bool AddRecentFile(tSettingsFile& settings, const std::string& path);

// Takes path off the list and writes it at once; false when the write was
// refused.
bool RemoveRecentFile(tSettingsFile& settings, const std::string& path);

// The same on the program's settings (Settings); none without them. A list
// that cannot be written is not worth a message: the open or save it follows
// went well.
std::vector<std::string> RecentFiles();
void NoteRecentFile(const std::string& path);
void ForgetRecentFile(const std::string& path);
