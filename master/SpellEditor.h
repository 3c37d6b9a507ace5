#pragma once
// The spell editor's values: what its seven controls show of a spell, and how
// their texts go back into a spell. The editor dialog holds no spell of its
// own; its caller hands it one (LoadSpell) and, on OK, takes the values back
// (StoreSpell).

#include "model/Spell.h"

#include <cstdint>
#include <string>

struct tSpellEditorValues {
    std::string Level = "1"; // the level box's text
    std::string Name;
    std::string Book;
    std::string Page; // the page box's text
    std::string Category;
    int32_t FrequencyIndex = 0; // 0 Common .. 4 Restricted
    bool Memorized = false;
};

// The editor's limits on the level box.
constexpr int32_t EditorLevelMin = 1;
constexpr int32_t EditorLevelMax = 9;

// The values the controls show for spell: the level and page in decimal, the
// texts as they are, the frequency item minus the code.
tSpellEditorValues LoadSpell(const tSpell& spell);

// Writes the values into spell, in place: the level text read by the number
// box rule within 1 to 9 (a text that is no whole number gives 1); the
// texts as typed, nothing trimmed; the page read as the spell-line reader reads
// numbers (blanks, then a signed decimal or "$" and hexadecimal), 0 for any
// other text; the frequency minus the item index (within 0 to 4).
void StoreSpell(const tSpellEditorValues& values, tSpell& spell);
