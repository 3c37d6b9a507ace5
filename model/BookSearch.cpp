#include "model/BookSearch.h"

namespace {

// Walks the spells of the spell's level until found says stop; the cursor is
// left on that spell, or none.
template <class Found> tSpell* WalkLevel(TSpellBook& book, int32_t level, Found found) {
    for (book.SeekLevel(level); tSpell* at = book.CurrentSpell(); book.Next()) {
        if (at->Level != level) {
            break;
        }
        if (found(*at)) {
            return at;
        }
    }
    book.GoTo(0);
    return nullptr;
}

} // namespace

bool SeekSpell(TSpellBook& book, const tSpell* spell) {
    if (!spell) {
        book.GoTo(0);
        return false;
    }
    return WalkLevel(book, spell->Level, [spell](const tSpell& at) { return &at == spell; }) != nullptr;
}

tSpell* FindEqualSpell(TSpellBook& book, const tSpell& spell) {
    return WalkLevel(book, spell.Level, [&spell](const tSpell& at) { return CompareSpells(spell, at) == 0; });
}
