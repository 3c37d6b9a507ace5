#pragma once
// Filling a spellbook at random from the master list within the wizard's
// limits: per spell level up to the starting count of his intelligence for a
// level just reached, and up to the maximum count for a level he could already
// use at an earlier caster level; a specialist's own school first, rarer spells
// drawn less often (SelectionOdds).

#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <vector>

// Adds copies of legal spells of source (the whole master list) to book. The
// legal spells are split into two references-only pools: every preferred one
// (every one for a generalist or a specialty name not in the list) and about
// one neutral spell in 10 times its odds go to the first pool, the other
// neutral ones to the second; the book is topped up from the first pool, then
// from the second. For a book that starts empty each usable level ends with
// min(its count, the legal spells of that level). Never removes a spell, never
// adds one the book holds, leaves source's spells untouched (its cursor ends
// none or at the first unusable level) and does not touch Modified. Nothing
// for a none book or source; with no specialty list every spell counts as
// legal. Does nothing to a references-only book. With added, the spells it
// adds are appended to it, in the order they were added.
void FillBook(TSpellBook* book, TSpellBook* source, tSpecialtyList* specialties,
              std::vector<tSpell*>* added = nullptr);

// The per-level step of FillBook: for each spell level the book's caster level
// can use, draws spells of that level from pool (uniformly, each accepted with
// its selection odds) and adds copies until the level holds its starting or
// maximum count or the pool holds no spell of that level the book lacks. Does
// nothing when the book's Intelligence is outside 9..21, its CasterLevel
// outside 1..30, or the book is references-only. Moves the cursors of both.
// With added, the spells it adds are appended to it.
void TopUpFromPool(TSpellBook& book, TSpellBook& pool, std::vector<tSpell*>* added = nullptr);
