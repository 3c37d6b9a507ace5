#pragma once
// A spellbook as plain text: the entry text of one spell, the level header, and
// the lines of a whole book laid out under the output options. The clipboard
// takes the lines joined by JoinLines; the preview and the printer build their
// entries and headers with the same functions.

#include "files/Rules.h"
#include "model/SpellBook.h"
#include "output/OutputOptions.h"

#include <cstdint>
#include <string>
#include <vector>

// "*" when options.Memorized is on and the spell is memorized, then the name;
// with withExtras also, each under its option and in this order,
// " (" category ")", " [" book " " page "]" and "-" frequency letter.
std::string EntryText(const tSpell& spell, const tOutputOptions& options, bool withExtras);

// "level: " L "     number per day: " N, with N from NumberPerDay.
std::string LevelHeader(const TSpellBook& book, int32_t level);

// The spells of one level (1..9) in book order; leaves the cursor past them.
std::vector<const tSpell*> SpellsOfLevel(TSpellBook& book, int32_t level);

// Rows of a column block: count / columns rounded up; 0 when columns < 1.
int32_t ColumnRows(int32_t count, int32_t columns);

// The lines of the book's text: five header lines ("Spell Book:" + caption
// first), then for each level holding spells two lines of one blank, the level
// header and the level's body. options.Columns 0 puts a level on one line with
// ",  " between entries and extras where the spell's book is not empty; 1..4
// lays it out in that many columns, filled column by column, one line per row,
// a tab after every entry but those of the last column, extras where the
// spell's book sorts after " ". A Columns value outside 0..4 is taken as the
// nearer bound. Moves the book's cursor and changes nothing else.
std::vector<std::string> BuildOutputText(TSpellBook& book, const std::string& caption,
                                         const tOutputOptions& options);

// Every line followed by CR LF, the last one too.
std::string JoinLines(const std::vector<std::string>& lines);
