#pragma once
// The selection odds dialog's commands: the five odds shown one frequency at
// a time and edited in place (a change is in force at once), put back to their
// defaults, and written to the settings file on OK.

#include "app/UserInterface.h"
#include "files/Odds.h"

#include <cstdint>
#include <string>
#include <vector>

// The odds box's range, the one the settings file's odds are kept in too.
constexpr int32_t OddsBoxMin = 1;
constexpr int32_t OddsBoxMax = MaxSelectionOdds;

class tFrequencyOddsView {
public:
    virtual ~tFrequencyOddsView() = default;
    // The frequency list: its items and the one chosen.
    virtual void SetFrequencyItems(const std::vector<std::string>& items) = 0;
    virtual void SelectFrequency(int32_t position) = 0;
    // The odds box shows value (already within its range).
    virtual void ShowOdds(int32_t value) = 0;
};

class tFrequencyOdds {
public:
    tFrequencyOdds(tFrequencyOddsView& view, tMessages& messages) : View(view), Messages(messages) {}

    // Creation: the five frequencies, Common chosen and its odds shown.
    void Create();
    // A frequency chosen (0 Common .. 4 Restricted): its odds shown, brought
    // into the box's range, and that value put back in force.
    void FrequencyChosen(int32_t position);
    // The box changed: its number (the box's rule, within 1 to 32767) is in
    // force at once for the chosen frequency.
    void OddsChanged(const std::string& text);
    // The defaults back in force; the chosen frequency's shown.
    void DefaultValues();
    // Writes all five odds to the settings, Restricted first; false when a
    // write was refused (the error is shown and the rest is not written).
    bool Ok();

    int32_t ChosenPosition() const { return FPosition; }

private:
    tFrequencyOddsView& View;
    tMessages& Messages;
    int32_t FPosition = 0;
};
