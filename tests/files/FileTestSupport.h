#pragma once
// Helpers of the file format tests.

#include "model/SpellBook.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

// Copies of the book's spells in book order (moves the cursor).
inline std::vector<tSpell> SpellsOf(TSpellBook& book) {
    std::vector<tSpell> spells;
    for (book.First(); book.Current(); book.Next()) {
        spells.push_back(*book.CurrentSpell());
    }
    return spells;
}
