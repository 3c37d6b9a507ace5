#include "files/Odds.h"

#include "model/Spell.h"

const std::array<int32_t, 5> DefaultOdds = {100, 20, 10, 5, 1};

std::array<int32_t, 5> SelectionOdds = {100, 20, 10, 5, 1};

const std::array<std::string, 5>& FrequencyNames = FrequencyTitles;

int32_t OddsFor(int32_t frequency) {
    const int32_t code = IsFrequencyCode(frequency) ? frequency : FrequencyCommon;
    return SelectionOdds[static_cast<size_t>(code - FrequencyRestricted)];
}

void ResetSelectionOdds() {
    SelectionOdds = DefaultOdds;
}
