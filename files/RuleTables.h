#pragma once
// The game's fixed tables: spells per day by caster level and spell level, and
// the starting and maximum spells per level by intelligence. Reading outside a
// table never happens: a caster level outside 1..30 reads as a row of zeros (no
// spell level usable) and an intelligence outside 9..21 as counts of zero.

#include <cstdint>

constexpr int32_t MinCasterLevel = 1;
constexpr int32_t MaxCasterLevel = 30;
constexpr int32_t MinIntelligence = 9;
constexpr int32_t MaxIntelligence = 21;

inline bool IsCasterLevel(int32_t c) {
    return c >= MinCasterLevel && c <= MaxCasterLevel;
}
inline bool IsIntelligence(int32_t i) {
    return i >= MinIntelligence && i <= MaxIntelligence;
}

// Spells of spell level l a wizard of caster level c prepares per day; 0 when
// he cannot use that level, and for c outside 1..30 or l outside 1..9.
int32_t SpellsPerDay(int32_t casterLevel, int32_t spellLevel);

// The count a book is filled to for a spell level the wizard has just reached.
int32_t StartingCount(int32_t intelligence);
// The most spells of one level a book is filled to.
int32_t MaximumCount(int32_t intelligence);
