#include "app/OddsSettings.h"

#include "files/Odds.h"

#include <algorithm>

void ReadSelectionOdds(const tSettingsFile& settings) {
    for (size_t i = 0; i < SelectionOdds.size(); ++i) {
        SelectionOdds[i] =
            std::min(settings.ReadInteger(OddsSection, FrequencyNames[i], DefaultOdds[i]), MaxSelectionOdds);
    }
}

void ReadSelectionOdds(const std::string& text) {
    for (size_t i = 0; i < SelectionOdds.size(); ++i) {
        int32_t value = DefaultOdds[i];
        if (const std::optional<std::string> found =
                FindSettingsValue(text, OddsSection, FrequencyNames[i])) {
            ParseSettingsInteger(*found, value);
        }
        SelectionOdds[i] = std::min(value, MaxSelectionOdds);
    }
}

bool WriteSelectionOdds(tSettingsFile& settings) {
    for (size_t i = 0; i < SelectionOdds.size(); ++i) {
        if (!settings.WriteInteger(OddsSection, FrequencyNames[i], SelectionOdds[i])) {
            return false;
        }
    }
    return true;
}
