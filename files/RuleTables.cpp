#include "files/RuleTables.h"

#include <cstdint>

namespace {

constexpr uint8_t SpellsPerDayTable[30][9] = {
    {1, 0, 0, 0, 0, 0, 0, 0, 0}, // 1
    {2, 0, 0, 0, 0, 0, 0, 0, 0}, // 2
    {2, 1, 0, 0, 0, 0, 0, 0, 0}, // 3
    {3, 2, 0, 0, 0, 0, 0, 0, 0}, // 4
    {4, 2, 1, 0, 0, 0, 0, 0, 0}, // 5
    {4, 2, 2, 0, 0, 0, 0, 0, 0}, // 6
    {4, 3, 2, 1, 0, 0, 0, 0, 0}, // 7
    {4, 3, 3, 2, 0, 0, 0, 0, 0}, // 8
    {4, 3, 3, 2, 1, 0, 0, 0, 0}, // 9
    {4, 4, 3, 2, 2, 0, 0, 0, 0}, // 10
    {4, 4, 4, 3, 3, 0, 0, 0, 0}, // 11
    {4, 4, 4, 4, 4, 1, 0, 0, 0}, // 12
    {5, 5, 5, 4, 4, 2, 0, 0, 0}, // 13
    {5, 5, 5, 4, 4, 2, 1, 0, 0}, // 14
    {5, 5, 5, 5, 5, 2, 1, 0, 0}, // 15
    {5, 5, 5, 5, 5, 3, 2, 1, 0}, // 16
    {5, 5, 5, 5, 5, 3, 3, 2, 0}, // 17
    {5, 5, 5, 5, 5, 3, 3, 2, 1}, // 18
    {5, 5, 5, 5, 5, 3, 3, 3, 1}, // 19
    {5, 5, 5, 5, 5, 4, 3, 3, 2}, // 20
    {5, 5, 5, 5, 5, 4, 4, 4, 2}, // 21
    {5, 5, 5, 5, 5, 5, 4, 4, 3}, // 22
    {5, 5, 5, 5, 5, 5, 5, 5, 3}, // 23
    {5, 5, 5, 5, 5, 5, 5, 5, 4}, // 24
    {5, 5, 5, 5, 5, 5, 5, 5, 5}, // 25
    {6, 6, 6, 6, 5, 5, 5, 5, 5}, // 26
    {6, 6, 6, 6, 6, 6, 6, 5, 5}, // 27
    {6, 6, 6, 6, 6, 6, 6, 6, 6}, // 28
    {7, 7, 7, 7, 6, 6, 6, 6, 6}, // 29
    {7, 7, 7, 7, 7, 7, 7, 6, 6}, // 30
};

// Starting and maximum count, intelligence 9 to 21.
constexpr uint8_t IntelligenceTable[13][2] = {
    {4, 6},  {5, 7},  {5, 7},  {5, 8},   {6, 9},   {6, 10},  {7, 11},
    {7, 12}, {8, 14}, {9, 18}, {10, 22}, {11, 26}, {12, 30},
};

} // namespace

int32_t SpellsPerDay(int32_t casterLevel, int32_t spellLevel) {
    if (!IsCasterLevel(casterLevel) || spellLevel < 1 || spellLevel > 9) {
        return 0;
    }
    return SpellsPerDayTable[casterLevel - 1][spellLevel - 1];
}

int32_t StartingCount(int32_t intelligence) {
    return IsIntelligence(intelligence) ? IntelligenceTable[intelligence - MinIntelligence][0] : 0;
}

int32_t MaximumCount(int32_t intelligence) {
    return IsIntelligence(intelligence) ? IntelligenceTable[intelligence - MinIntelligence][1] : 0;
}
