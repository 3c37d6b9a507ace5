#pragma once
// Scrolls: a new book for the same caster holding a random choice of the
// spells of another book, a chosen number per level.

#include "model/SpellBook.h"

#include <array>
#include <cstdint>
#include <memory>

// The count of spells a scroll takes of each level: index 1..9 (index 0 is
// not read).
using tScrollCounts = std::array<int32_t, MaxSpellLevel + 1>;

// A new owning book with the source's CasterLevel, Intelligence, Specialty and
// Frequency, holding for each level i counts[i] distinct copies of the
// source's level-i spells (counts[i] taken within 0..LevelCount[i]), each
// drawn with equal chance from the program's random source; copies keep every
// field, Memorized included. The result is marked modified. The source keeps
// its spells; only its cursor moves.
std::unique_ptr<TSpellBook> MakeScroll(TSpellBook& source, const tScrollCounts& counts);
