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
    // The level's spells are contiguous in book order: from the first, one
    // step each, the cursor ending on the last as SpellAt(level, count - 1)
    // leaves it.
    std::vector<std::string> lines;
    const int32_t count = book.CountOfLevel(level);
    if (count == 0) {
        return lines;
    }
    lines.reserve(static_cast<size_t>(count));
    book.SeekLevel(level);
    for (int32_t i = 0; i < count; ++i) {
        if (i > 0) {
            book.Next();
        }
        lines.push_back(SpellListLine(*book.CurrentSpell(), withMemorizedMark));
    }
    return lines;
}
