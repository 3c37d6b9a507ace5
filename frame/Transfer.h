#pragma once
// Spells passed from one window to another: the master list's Add Spells to
// Book, and lines of a list dropped on a spellbook window's list.

#include "book/SpellBookDocument.h"

#include <cstdint>
#include <vector>

// Copies of the spells at the given rows of the level of source (another
// spellbook window's book, or the master list's view), their memorized marks
// cleared, go into the target window's book one after another, each through the
// legal test and the invalid-spell question; a spell the book already holds is
// refused silently. The target then shows that level. The spells added are
// one step of the target's history, called step.
void CopySpellsIntoBook(tSpellBookDocument& target, TSpellBook& source, int32_t level,
                        const std::vector<int32_t>& rows, const char* step);

// The names of the steps: the master list's Add Spells to Book, and a drop.
inline constexpr const char* AddSpellsToBookStep = "Add Spells to Book";
inline constexpr const char* DropSpellsStep = "Drop Spells";
