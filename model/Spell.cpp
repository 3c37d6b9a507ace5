#include "model/Spell.h"

#include "model/AddressSanitizer.h"
#include "model/Text.h"

#include <memory>
#include <new>
#include <vector>

const std::array<std::string, 5> FrequencyTitles = {"Restricted", "Very Rare", "Rare", "Uncommon", "Common"};

namespace {
// The position of a frequency code in "SVRUC" and in FrequencyTitles; Common's
// for a code that is none.
size_t FrequencyIndex(int32_t code) {
    const int32_t index = IsFrequencyCode(code) ? code + 4 : 4;
    return static_cast<size_t>(index);
}
} // namespace

char FrequencyLetter(int32_t code) {
    return FrequencyLetters[FrequencyIndex(code)];
}

const std::string& FrequencyTitle(int32_t code) {
    return FrequencyTitles[FrequencyIndex(code)];
}

bool FrequencyFromTitle(std::string_view title, int32_t& code) {
    for (size_t i = 0; i < FrequencyTitles.size(); ++i) {
        if (SameTextAscii(title, FrequencyTitles[i])) {
            code = static_cast<int32_t>(i) + FrequencyRestricted;
            return true;
        }
    }
    return false;
}

bool FrequencyFromLetter(char letter, int32_t& code) {
    // Every spell line read asks this: a look-up, not a search of the letters.
    // Each byte's code plus 5, or 0 for a byte that is no frequency letter.
    static constexpr std::array<int8_t, 256> Codes = [] {
        std::array<int8_t, 256> codes{};
        for (size_t k = 0; k < FrequencyLetters.size(); ++k) {
            const auto upper = static_cast<unsigned char>(FrequencyLetters[k]);
            codes[upper] = codes[upper + ('a' - 'A')] = static_cast<int8_t>(k + 1);
        }
        return codes;
    }();
    const int8_t found = Codes[static_cast<unsigned char>(letter)];
    code = found != 0 ? found - 5 : code;
    return found != 0;
}

int32_t CompareSpells(const tSpell& newSpell, const tSpell& listedSpell) {
    if (newSpell.Level != listedSpell.Level) {
        return newSpell.Level < listedSpell.Level ? -1 : 1;
    }
    return CompareTextAscii(newSpell.Name, listedSpell.Name);
}

namespace {

// Where spells live: blocks of SpellsPerBlock places handed out in order,
// and a chain of released places handed out again first; under the address
// sanitizer each spell is allocated on its own.
constexpr bool PoolSpells = !UnderAddressSanitizer;

class tSpellPool {
public:
    void* New() {
        ++FLive;
        if (FReleased) {
            tPlace* place = FReleased;
            FReleased = place->Next;
            return place;
        }
        if (FBlock == FBlocks.size() || FUsed == SpellsPerBlock) {
            if (FBlock < FBlocks.size()) {
                ++FBlock;
            }
            if (FBlock == FBlocks.size()) {
                FBlocks.push_back(std::make_unique<tPlace[]>(SpellsPerBlock));
            }
            FUsed = 0;
        }
        return &FBlocks[FBlock][FUsed++];
    }

    // With no spell left, the blocks are handed out again from the first,
    // in order, so that spells made one after the other lie side by side.
    void Release(void* spell) {
        auto* place = static_cast<tPlace*>(spell);
        place->Next = FReleased;
        FReleased = place;
        if (--FLive == 0) {
            FReleased = nullptr;
            FBlock = 0;
            FUsed = 0;
        }
    }

private:
    static constexpr size_t SpellsPerBlock = 4096;
    union tPlace {
        tPlace* Next;
        alignas(tSpell) std::byte Bytes[sizeof(tSpell)];
    };

    std::vector<std::unique_ptr<tPlace[]>> FBlocks;
    size_t FBlock = 0; // the block handing out places
    size_t FUsed = 0;  // places of it handed out
    tPlace* FReleased = nullptr;
    size_t FLive = 0;
};

// Never destroyed: spells held by objects destroyed at the program's end are
// still released safely.
tSpellPool& SpellPool() {
    static auto* pool = new tSpellPool;
    return *pool;
}

} // namespace

void* tSpell::operator new(size_t size) {
    if (!PoolSpells || size != sizeof(tSpell)) {
        return ::operator new(size);
    }
    return SpellPool().New();
}

void tSpell::operator delete(void* spell, size_t size) noexcept {
    if (!spell) {
        return;
    }
    if (!PoolSpells || size != sizeof(tSpell)) {
        ::operator delete(spell);
        return;
    }
    SpellPool().Release(spell);
}
