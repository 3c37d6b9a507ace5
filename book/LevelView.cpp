#include "book/LevelView.h"

#include "files/RuleTables.h"
#include "model/Specialty.h"

int32_t MemorizedOfLevel(TSpellBook& book, int32_t level) {
    int32_t memorized = 0;
    const int32_t count = book.CountOfLevel(level);
    for (int32_t i = 0; i < count; ++i) {
        const tSpell* spell = book.SpellAt(level, i);
        if (spell && spell->Memorized) {
            ++memorized;
        }
    }
    return memorized;
}

int32_t SpellsPerDayShown(const TSpellBook& book, int32_t level) {
    const int32_t entry = SpellsPerDay(book.CasterLevel, level);
    if (book.Specialty != GeneralistName && entry != 0) {
        return entry + 1;
    }
    return entry;
}

tMarkedColour MarkedColour(int32_t memorized, int32_t perDay) {
    if (memorized < perDay) {
        return tMarkedColour::Green;
    }
    return memorized == perDay ? tMarkedColour::ButtonFace : tMarkedColour::Red;
}

std::vector<std::string> FrequencyChoices() {
    std::vector<std::string> choices;
    for (int32_t code = FrequencyCommon; code >= FrequencyRestricted; --code) {
        choices.push_back(FrequencyTitle(code));
    }
    return choices;
}
