#include "output/Scroll.h"

#include <algorithm>

std::unique_ptr<TSpellBook> MakeScroll(TSpellBook& source, const tScrollCounts& counts) {
    auto scroll =
        TSpellBook::Create(source.CasterLevel, source.Intelligence, source.Frequency, source.Specialty);
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        const int32_t wanted = std::clamp(counts[static_cast<size_t>(level)], 0, source.LevelCount[level]);
        // A repeated draw is refused by AddCopy and simply drawn again; the
        // source holds LevelCount distinct spells of the level, so this ends.
        while (scroll->LevelCount[level] < wanted) {
            const tSpell* spell = source.RandomSpell(level);
            if (!spell || spell->Level != level) {
                break; // only if the source's counts do not match its spells
            }
            scroll->AddCopy(spell);
        }
    }
    scroll->Modified = true;
    return scroll;
}
