#include "master/SpellFilter.h"

#include "files/Rules.h"
#include "model/Text.h"

bool tSpellFilter::Passes(const tSpell& spell) const {
    if (MatchBook && !IsSpellLegal(&spell, MatchBook, Specialties)) {
        return false;
    }
    if (IsTextPresent(Name) && !ContainsTextAscii(spell.Name, Name)) {
        return false;
    }
    if (IsTextPresent(Category) && !ContainsTextAscii(spell.Category, Category)) {
        return false;
    }
    if (Frequency && spell.Frequency != *Frequency) {
        return false;
    }
    if (IsTextPresent(SourceBook) && !SameTextAscii(spell.Book, SourceBook)) {
        return false;
    }
    return true;
}

void ApplyFilter(TSpellBook& pool, TSpellBook& shown, const tSpellFilter& filter) {
    shown.ShowSpellsOf(pool, [&filter](const tSpell& spell) { return filter.Passes(spell); });
}

void ShowWholePool(TSpellBook& pool, TSpellBook& shown) {
    shown.ShowAllSpellsOf(pool);
}
