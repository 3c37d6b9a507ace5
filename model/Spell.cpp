#include "model/Spell.h"

#include "model/Text.h"

const std::array<std::string, 5> FrequencyTitles = {"Restricted", "Very Rare", "Rare", "Uncommon", "Common"};

char FrequencyLetter(int32_t code) {
    return IsFrequencyCode(code) ? FrequencyLetters[static_cast<size_t>(code + 4)] : 'C';
}

const std::string& FrequencyTitle(int32_t code) {
    return FrequencyTitles[IsFrequencyCode(code) ? static_cast<size_t>(code + 4) : 4];
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
