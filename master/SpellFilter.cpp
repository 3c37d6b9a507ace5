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

namespace {

template <class Keep> void RebuildView(TSpellBook& pool, TSpellBook& shown, Keep keep) {
    if (!shown.ReferencesOnly) {
        return;
    }
    shown.Clear();
    for (pool.First(); pool.Current(); pool.Next()) {
        tSpell* spell = pool.CurrentSpell();
        if (keep(*spell)) {
            shown.AddSpell(spell);
        }
    }
}

} // namespace

void ApplyFilter(TSpellBook& pool, TSpellBook& shown, const tSpellFilter& filter) {
    RebuildView(pool, shown, [&filter](const tSpell& spell) { return filter.Passes(spell); });
}

void ShowWholePool(TSpellBook& pool, TSpellBook& shown) {
    RebuildView(pool, shown, [](const tSpell&) { return true; });
}
