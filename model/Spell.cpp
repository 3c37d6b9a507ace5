#include "model/Spell.h"

#include "model/Text.h"

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

bool FrequencyFromLetter(char letter, int32_t& code) {
    const size_t k = FrequencyLetters.find(AsciiUpper(letter));
    if (k == std::string_view::npos || letter == '\0') {
        return false;
    }
    code = static_cast<int32_t>(k) - 4;
    return true;
}

int32_t CompareSpells(const tSpell& newSpell, const tSpell& listedSpell) {
    if (newSpell.Level != listedSpell.Level) {
        return newSpell.Level < listedSpell.Level ? -1 : 1;
    }
    return CompareTextAscii(newSpell.Name, listedSpell.Name);
}
