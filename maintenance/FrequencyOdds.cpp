#include "maintenance/FrequencyOdds.h"

#include "app/NumberBox.h"
#include "app/OddsSettings.h"
#include "app/Shared.h"
#include "files/Odds.h"

#include <algorithm>

namespace {

// SelectionOdds is indexed by code + 4; list position p stands for code -p.
int32_t& OddsAt(int32_t position) {
    const int32_t index = 4 - std::clamp(position, 0, 4);
    return SelectionOdds[static_cast<size_t>(index)];
}

} // namespace

void tFrequencyOdds::Create() {
    std::vector<std::string> items;
    for (int32_t position = 0; position <= 4; ++position) {
        items.push_back(FrequencyNames[static_cast<size_t>(4 - position)]);
    }
    View.SetFrequencyItems(items);
    View.SelectFrequency(0);
    FrequencyChosen(0);
}

void tFrequencyOdds::FrequencyChosen(int32_t position) {
    FPosition = std::clamp(position, 0, 4);
    int32_t& odds = OddsAt(FPosition);
    odds = std::clamp(odds, OddsBoxMin, OddsBoxMax);
    View.ShowOdds(odds);
}

void tFrequencyOdds::OddsChanged(const std::string& text) {
    OddsAt(FPosition) = NumberBoxValue(text, OddsBoxMin, OddsBoxMax);
}

void tFrequencyOdds::DefaultValues() {
    ResetSelectionOdds();
    FrequencyChosen(FPosition);
}

bool tFrequencyOdds::Ok() {
    // Restricted (code -4, index 0) first, Common last.
    for (size_t index = 0; index < SelectionOdds.size(); ++index) {
        if (!WriteSetting(OddsSection, FrequencyNames[index], std::to_string(SelectionOdds[index]),
                          Messages)) {
            return false;
        }
    }
    return true;
}
