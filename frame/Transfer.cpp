#include "frame/Transfer.h"

#include "book/Adding.h"

#include <memory>

void CopySpellsIntoBook(tSpellBookDocument& target, TSpellBook& source, int32_t level,
                        const std::vector<int32_t>& rows, const char* step) {
    // The copies are taken before any is added.
    std::vector<std::unique_ptr<tSpell>> copies;
    for (int32_t row : rows) {
        if (const tSpell* spell = source.SpellAt(level, row)) {
            copies.push_back(spell->Copy());
            copies.back()->Memorized = false;
        }
    }
    target.ShowLevel(level);
    target.Change(step, [&](tBookChanges& changes) {
        for (std::unique_ptr<tSpell>& copy : copies) {
            if (AddSpellWithQuestion(target, changes, std::move(copy))) {
                target.Refresh();
            }
        }
    });
}
