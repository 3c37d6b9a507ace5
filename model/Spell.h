#pragma once
// One wizard spell: level, name, where it is published, how rare it is, its
// school or category text and whether the wizard has it memorized. A spell has
// no identity beyond level and name; the same spell in two books is two objects.
// The source book and the category are shared texts (model/SharedText.h): a
// spell holds a handle to the one stored copy of each. The name is a compact
// text of the spell's own (model/SpellName.h).

#include "model/SharedText.h"
#include "model/SpellName.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// Frequency codes: 0 Common down to -4 Restricted; a higher code is more common.
constexpr int32_t FrequencyCommon = 0;
constexpr int32_t FrequencyRestricted = -4;

// Indexed by code + 4.
constexpr std::string_view FrequencyLetters = "SVRUC";
extern const std::array<std::string, 5> FrequencyTitles; // "Restricted" .. "Common"

inline bool IsFrequencyCode(int32_t code) {
    return code >= FrequencyRestricted && code <= FrequencyCommon;
}

// The one-letter form of a frequency code ("C" for 0 ... "S" for -4); an
// out-of-range code, which no reader produces, is shown as Common.
char FrequencyLetter(int32_t code);

// The display name of a frequency code ("Common" ... "Restricted").
const std::string& FrequencyTitle(int32_t code);

// Sets code from a frequency letter of "SVRUC" (either case) and returns true;
// returns false and leaves code alone for any other byte.
bool FrequencyFromLetter(char letter, int32_t& code);

// Sets code from a frequency's display name ("Very Rare"; any ASCII case) and
// returns true; returns false and leaves code alone for any other text.
bool FrequencyFromTitle(std::string_view title, int32_t& code);

class tSpell {
public:
    tSpell() = default;
    // Stores the seven values unchanged; nothing is checked.
    tSpell(int32_t level, tSpellName name, tSharedText book, int32_t page, int32_t frequency,
           tSharedText category, bool memorized)
        : Name(std::move(name)), Book(std::move(book)), Category(std::move(category)), Level(level),
          Page(page), Frequency(frequency), Memorized(memorized) {}

    static std::unique_ptr<tSpell> Create(int32_t level, tSpellName name, tSharedText book, int32_t page,
                                          int32_t frequency, tSharedText category, bool memorized) {
        return std::make_unique<tSpell>(level, std::move(name), std::move(book), page, frequency,
                                        std::move(category), memorized);
    }

    // A new, independent spell with all seven fields equal to this one's.
    std::unique_ptr<tSpell> Copy() const { return std::make_unique<tSpell>(*this); }

    char MemorizedLetter() const { return Memorized ? 'Y' : 'N'; }

    bool operator==(const tSpell&) const = default;

    // Spells are made in blocks of thousands, one allocation a block, and
    // a released spell's place is handed out again first: a master list of
    // half a million spells costs a few hundred allocations and no
    // allocator's bookkeeping per spell.
    static void* operator new(size_t size);
    static void operator delete(void* spell, size_t size) noexcept;

    // The texts first and the numbers after them, so that no padding lies
    // between the fields.
    tSpellName Name;
    tSharedText Book;
    tSharedText Category;
    int32_t Level = 0;
    int32_t Page = 0;
    int32_t Frequency = FrequencyCommon;
    bool Memorized = false;
};

// The order of every spellbook: by level, then by name ignoring ASCII case.
int32_t CompareSpells(const tSpell& newSpell, const tSpell& listedSpell);
