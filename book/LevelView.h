#pragma once
// What a spellbook window shows of one spell level besides its list lines
// (output/SpellListLine.h): the number of spells castable per day, how many
// are memorized and the colour of the memorized counter.

#include "model/SpellBook.h"

#include <cstdint>
#include <string>
#include <vector>

// The number of the book's spells of the level that are memorized. Moves the
// book's cursor.
int32_t MemorizedOfLevel(TSpellBook& book, int32_t level);

// Spells of the level the book's wizard casts per day: the spells-per-day
// table's entry, plus 1 for a specialist (any specialty other than exactly
// "Generalist", letter case counting) where the entry is not 0.
int32_t SpellsPerDayShown(const TSpellBook& book, int32_t level);

// The colour of the memorized counter: green below the per-day number, the
// button face colour at it, red above it.
enum class tMarkedColour { Green, ButtonFace, Red };
tMarkedColour MarkedColour(int32_t memorized, int32_t perDay);

// The frequency choices in the order the windows list them: "Common" first,
// "Restricted" last; position p stands for the frequency code -p.
std::vector<std::string> FrequencyChoices();
