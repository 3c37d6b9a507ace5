#pragma once
// Finding one spell in a book: the very spell object (a view's reference or a
// spell resolved from a list row), or the spell the book's order counts equal.

#include "model/SpellBook.h"

// Leaves the book's cursor on this very spell object and returns true; false,
// with the cursor none, when the book does not hold it.
bool SeekSpell(TSpellBook& book, const tSpell* spell);

// The book's spell equal to spell (the same level, the name equal ignoring
// ASCII case), the cursor left on it; none, with the cursor none, when there
// is none.
tSpell* FindEqualSpell(TSpellBook& book, const tSpell& spell);
