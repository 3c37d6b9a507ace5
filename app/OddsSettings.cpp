#include "app/OddsSettings.h"

#include "files/Odds.h"

void ReadSelectionOdds(const tSettingsFile& settings) {
    for (size_t i = 0; i < SelectionOdds.size(); ++i) {
        SelectionOdds[i] = settings.ReadInteger(OddsSection, FrequencyNames[i], DefaultOdds[i]);
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
