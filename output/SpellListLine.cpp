#include "output/SpellListLine.h"

std::string SpellListLine(const tSpell& spell, bool withMemorizedMark) {
    std::string line = spell.Name;
    if (withMemorizedMark && spell.Memorized) {
        line += '*';
    }
    line += "  (";
    line += spell.Category;
    line += ") [";
    line += spell.Book;
    line += ' ';
    line += std::to_string(spell.Page);
    line += "] - ";
    line += FrequencyLetter(spell.Frequency);
    return line;
}

std::vector<std::string> SpellListLines(TSpellBook& book, int32_t level, bool withMemorizedMark) {
    std::vector<std::string> lines;
    const int32_t count = book.CountOfLevel(level);
    lines.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        if (const tSpell* spell = book.SpellAt(level, i)) {
            lines.push_back(SpellListLine(*spell, withMemorizedMark));
        }
    }
    return lines;
}
