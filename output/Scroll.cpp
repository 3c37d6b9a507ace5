#include "output/Scroll.h"

#include "model/Random.h"

#include <algorithm>

std::unique_ptr<TSpellBook> MakeScroll(TSpellBook& source, const tScrollCounts& counts) {
    auto scroll =
        TSpellBook::Create(source.CasterLevel, source.Intelligence, source.Frequency, source.Specialty);
    // One walk through the book in order, choosing among the spells of each
    // level not yet passed: a spell is taken with the chance (still wanted) /
    // (still to come), so every choice of the wanted number of spells is
    // equally likely and each spell of the level has the same chance. The
    // copies arrive in book order, so each is linked at the scroll's tail.
    std::array<int32_t, MaxSpellLevel + 1> wanted{};
    std::array<int32_t, MaxSpellLevel + 1> toCome{};
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        toCome[static_cast<size_t>(level)] = source.LevelCount[level];
        wanted[static_cast<size_t>(level)] =
            std::clamp(counts[static_cast<size_t>(level)], 0, source.LevelCount[level]);
    }
    for (source.First(); const tSpell* spell = source.CurrentSpell(); source.Next()) {
        if (!IsSpellLevel(spell->Level)) {
            continue;
        }
        const auto level = static_cast<size_t>(spell->Level);
        if (wanted[level] > 0 && RandomInt(toCome[level]) < wanted[level]) {
            scroll->AddCopy(spell);
            --wanted[level];
        }
        --toCome[level];
    }
    scroll->Modified = true;
    return scroll;
}
