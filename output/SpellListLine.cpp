#include "output/SpellListLine.h"

std::string SpellListLine(const tSpell& spell, bool withMemorizedMark) {
    const std::string page = std::to_string(spell.Page);
    const std::string& category = spell.Category;
    const std::string& book = spell.Book;
    // Room for the whole line at once: a window keeps many lines, each in a
    // block of the size it needs.
    std::string line;
    line.reserve(spell.Name.size() + 1 + category.size() + book.size() + page.size() + 12);
    line += spell.Name;
    if (withMemorizedMark && spell.Memorized) {
        line += '*';
    }
    line += "  (";
    line += category;
    line += ") [";
    line += book;
    line += ' ';
    line += page;
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
