#pragma once
// The master list's filter: which spells of the pool its view shows. The
// window reads its filter boxes into a tSpellFilter; the view is a
// references-only book pointing at the pool's spells that pass.

#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <cstdint>
#include <optional>
#include <string>

struct tSpellFilter {
    // With a book, only spells legal for it (judged with Specialties) pass;
    // none leaves the legality test out ("Match Spellbook" unchecked, or no
    // spellbook open).
    const TSpellBook* MatchBook = nullptr;
    tSpecialtyList* Specialties = nullptr;
    // Kept when it occurs anywhere in the spell's Name, ignoring ASCII case. A
    // text that is not present (IsTextPresent: "", " ") is no test.
    std::string Name;
    // Kept when it occurs anywhere in the spell's Category, ignoring ASCII
    // case. A text that is not present (IsTextPresent: "", " ") is no test.
    std::string Category;
    // Kept when the spell's Frequency equals this code; none is no test.
    std::optional<int32_t> Frequency;
    // Kept when it equals the spell's Book as a whole, ignoring ASCII case.
    // A text that is not present is no test.
    std::string SourceBook;

    // True when the spell passes every test in use: legality, name, category,
    // frequency, source book, in this order. Moves the specialty list's cursor.
    bool Passes(const tSpell& spell) const;
};

// Empties shown, then adds a reference to every spell of pool that passes the
// filter, in pool order. shown must be references-only (the master list's
// view): for an owning book nothing happens, since it would take over the
// pool's spells. Leaves pool's cursor none; does not touch Modified.
void ApplyFilter(TSpellBook& pool, TSpellBook& shown, const tSpellFilter& filter);

// Empties shown and adds a reference to every spell of pool (Remove Filter).
// The same precondition and effects as ApplyFilter.
void ShowWholePool(TSpellBook& pool, TSpellBook& shown);
