#include "files/Fill.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "model/Random.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace {

// True when some caster level below casterLevel already gave spells of the
// spell level: such a level is filled to the maximum count.
bool UsableEarlier(int32_t casterLevel, int32_t spellLevel) {
    for (int32_t c = MinCasterLevel; c < casterLevel; ++c) {
        if (SpellsPerDay(c, spellLevel) > 0) {
            return true;
        }
    }
    return false;
}

// A neutral spell joins the first pool on a draw of 0 from 0 to 10 x its odds
// - 1. The bound is capped to what the random source takes; odds below 1 give
// a bound below 2, whose draw is always 0.
bool NeutralJoinsFirstPool(int32_t frequency) {
    const int64_t bound = int64_t{10} * OddsFor(frequency);
    const int64_t capped = std::min<int64_t>(bound, std::numeric_limits<int32_t>::max());
    return RandomInt(static_cast<int32_t>(capped)) == 0;
}

// The pool's spells of one level in book order, and how many of them the book
// lacks. Both books keep the same order, so one merge walk finds them.
struct LevelCandidates {
    std::vector<const tSpell*> Spells;
    int32_t Missing = 0;
};

LevelCandidates CandidatesOfLevel(TSpellBook& book, TSpellBook& pool, int32_t level) {
    LevelCandidates result;
    const int32_t count = pool.CountOfLevel(level);
    result.Spells.reserve(static_cast<size_t>(count));
    pool.SeekLevel(level);
    book.SeekLevel(level);
    // The level's spells are contiguous in both books.
    int32_t bookLeft = book.CountOfLevel(level);
    for (int32_t i = 0; i < count; ++i, pool.Next()) {
        const tSpell* offered = pool.CurrentSpell();
        int32_t order = 1; // the book's spell at its cursor against the one offered
        while (bookLeft > 0 && (order = CompareSpells(*book.CurrentSpell(), *offered)) < 0) {
            book.Next();
            --bookLeft;
            order = 1;
        }
        result.Spells.push_back(offered);
        result.Missing += bookLeft > 0 && order == 0 ? 0 : 1;
    }
    return result;
}

// One spell of the level drawn as RandomSpell does (uniform over the level's
// spells), repeated until its odds draw accepts it.
const tSpell* DrawSpell(const std::vector<const tSpell*>& spells) {
    const auto n = static_cast<int32_t>(spells.size());
    const tSpell* drawn;
    do {
        drawn = spells[static_cast<size_t>(RandomInt(n))];
    } while (!OddsDrawAccepts(drawn->Frequency));
    return drawn;
}

// Adds drawn spells until the level holds target spells or the pool has no
// spell of the level left that the book lacks. A drawn spell the book already
// holds is refused by AddCopy and the loop draws again.
void FillLevelTo(TSpellBook& book, int32_t level, int32_t target, LevelCandidates& candidates,
                 std::vector<tSpell*>* added) {
    while (book.CountOfLevel(level) < target && candidates.Missing > 0) {
        if (tSpell* copy = book.AddCopyOf(DrawSpell(candidates.Spells))) {
            --candidates.Missing;
            if (added) {
                added->push_back(copy);
            }
        }
    }
}

} // namespace

void TopUpFromPool(TSpellBook& book, TSpellBook& pool, std::vector<tSpell*>* added) {
    if (!IsIntelligence(book.Intelligence) || !IsCasterLevel(book.CasterLevel) || book.ReferencesOnly) {
        return;
    }
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        if (pool.CountOfLevel(level) == 0) {
            continue;
        }
        LevelCandidates candidates = CandidatesOfLevel(book, pool, level);
        if (SpellsPerDay(book.CasterLevel, level) > 0) {
            FillLevelTo(book, level, StartingCount(book.Intelligence), candidates, added);
        }
        if (UsableEarlier(book.CasterLevel, level)) {
            FillLevelTo(book, level, MaximumCount(book.Intelligence), candidates, added);
        }
    }
}

void FillBook(TSpellBook* book, TSpellBook* source, tSpecialtyList* specialties,
              std::vector<tSpell*>* added) {
    if (!book || !source || book->ReferencesOnly) {
        return;
    }
    TSpellBook firstPool(0, 0, 0, std::string());
    TSpellBook secondPool(0, 0, 0, std::string());
    firstPool.MarkReferencesOnly();
    secondPool.MarkReferencesOnly();

    // What IsSpellLegal asks of each spell, with the specialty looked up once
    // (the lookup leaves the list's cursor where each of its calls would) and
    // its affinity for the spell worked out once.
    const tSpecialty* spec = specialties ? specialties->Find(book->Specialty) : nullptr;
    // The source is in book order, so each pool is too: the pools take their
    // spells at their ends, all at once.
    std::vector<tSpell*> first;
    std::vector<tSpell*> second;
    first.reserve(static_cast<size_t>(source->Count()));
    source->First();
    while (tSpell* spell = source->CurrentSpell()) {
        const bool legal = !specialties || (SpellsPerDay(book->CasterLevel, spell->Level) != 0 &&
                                            spell->Frequency >= book->Frequency);
        const int32_t affinity = legal && spec ? spec->Affinity(spell) : AffinityPreferred;
        if (legal) {
            if (affinity == AffinityPreferred) {
                first.push_back(spell);
            } else if (affinity == AffinityNeutral) {
                (NeutralJoinsFirstPool(spell->Frequency) ? first : second).push_back(spell);
            }
        }
        source->Next();
        // The source is in level order: past the first level the caster cannot
        // use, no spell is usable.
        if (source->Current() && SpellsPerDay(book->CasterLevel, source->CurrentSpell()->Level) == 0) {
            break;
        }
    }
    firstPool.AddReferencesInOrder(first);
    secondPool.AddReferencesInOrder(second);
    TopUpFromPool(*book, firstPool, added);
    TopUpFromPool(*book, secondPool, added);
}
