#pragma once
// The selection odds in the settings file: section "SpellFrequencyOdds", one
// key per frequency name ("Restricted" ... "Common").

#include "app/SettingsFile.h"

#include <string>
#include <string_view>

constexpr std::string_view OddsSection = "SpellFrequencyOdds";

// Sets every entry of SelectionOdds to the integer under its frequency name,
// the entry of DefaultOdds where the key is missing, empty or not a number (or
// the file cannot be read). A value above MaxSelectionOdds is brought down to
// it; one below 1 is kept, and means that every draw passes.
void ReadSelectionOdds(const tSettingsFile& settings);
// The same from text, the content of a settings file.
void ReadSelectionOdds(const std::string& text);

// Writes the five entries of SelectionOdds under their frequency names, from
// Restricted to Common, stopping at the first refused write. Returns false
// when a write was refused (settings.LastError() tells which file).
bool WriteSelectionOdds(tSettingsFile& settings);
