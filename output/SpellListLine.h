#pragma once
// The line a spell list shows for one spell: the master list window and the
// spellbook window's level view list one spell per line in this form, which
// the command-line companion prints as well.

#include "model/SpellBook.h"

#include <cstdint>
#include <string>
#include <vector>

// Name, then "*" when withMemorizedMark is on and the spell is memorized, then
// "  (" category ") [" book " " page "] - " and the frequency letter. The two
// blanks before the parenthesis stand even when the category is empty. The
// master list passes false (it never shows the mark), a spellbook window true.
std::string SpellListLine(const tSpell& spell, bool withMemorizedMark);

// The lines of every spell of one level (1..9) in book order, line i standing
// for SpellAt(level, i); none for a level outside 1..9. Moves the book's cursor.
std::vector<std::string> SpellListLines(TSpellBook& book, int32_t level, bool withMemorizedMark);
