#pragma once
// The game's rules over books: which spells a book may hold, pruning a book to
// them, the odds draw of random selection, and the source-book and category
// lists the master list offers as filters.

#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// True when the book's wizard may hold the spell: his caster level gives spells
// of its level per day, the spell is not rarer than the book's Frequency, and
// the book's specialty does not prohibit its school. A book whose CasterLevel
// is outside 1..30 can use no spell level, so every spell is illegal for it.
// True when spell, book or specialties is none. Moves the specialty list's
// cursor.
bool IsSpellLegal(const tSpell* spell, const TSpellBook* book, tSpecialtyList* specialties);

// The number per day a book's text shows for a spell level: the spells of the
// level the book's caster prepares per day, plus one for any specialty other
// than exactly "Generalist" (byte-wise), even where the table gives 0. A
// caster level outside 1..30 counts as a table entry of 0.
int32_t NumberPerDay(const TSpellBook& book, int32_t level);

// Removes every spell of the book that is not legal for it, testing each spell
// once, and returns the removed spells in book order: an owning book hands
// over the spells themselves; a references-only book, which only lets go of
// them, answers independent copies. Does not touch Modified.
std::vector<std::unique_ptr<tSpell>> PurgeIllegalSpells(TSpellBook& book, tSpecialtyList& specialties);

// One odds draw for a spell of the frequency: a uniform integer from 0 to
// OddsFor(frequency) - 1 from the program's random source; accepts when it is
// 0. Odds below 1, which only a hand-edited settings file can give, always
// accept.
bool OddsDrawAccepts(int32_t frequency);

// The distinct Book texts of the book's spells (empty titles included), sorted
// ignoring ASCII case; of texts equal ignoring case the first met in book order
// is kept. Leaves the book's cursor none.
std::vector<std::string> BookTitles(TSpellBook& book);

// The distinct single categories of the book's Category texts, with the same
// order and duplicate rule. Each text is split with the field parser at "," and
// at ";" (double quote as quote); the split with more fields is taken, the one
// at ";" on a tie. Leaves the book's cursor none.
std::vector<std::string> CategoryNames(TSpellBook& book);
