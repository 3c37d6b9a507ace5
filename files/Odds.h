#pragma once
// The selection odds: for each frequency code, the N of "one chance in N" with
// which a randomly drawn spell of that frequency is accepted. Process-wide,
// single-threaded state: it holds DefaultOdds until the settings are read and
// whatever the odds window stores afterwards; every draw uses the values in
// force at that moment.

#include <array>
#include <cstdint>
#include <string>

// Indexed by frequency code + 4: [0] Restricted ... [4] Common.
extern std::array<int32_t, 5> SelectionOdds;

// The largest odds the odds window offers, and the most a setting may give.
constexpr int32_t MaxSelectionOdds = 32767;

// 100, 20, 10, 5, 1 from Restricted to Common.
extern const std::array<int32_t, 5> DefaultOdds;

// "Restricted", "Very Rare", "Rare", "Uncommon", "Common", by code + 4; also the
// keys of the odds section of the settings file. The same texts as the spell
// record's frequency titles.
extern const std::array<std::string, 5>& FrequencyNames;

// The odds in force for a frequency code; a code outside -4..0 reads as Common.
int32_t OddsFor(int32_t frequency);

// Puts DefaultOdds back into SelectionOdds.
void ResetSelectionOdds();
