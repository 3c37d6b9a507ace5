#include "output/BookText.h"

#include "files/RuleTables.h"
#include "model/Text.h"

#include <algorithm>

namespace {

const std::string OneBlank = " ";

std::string FlowingBody(const std::vector<const tSpell*>& spells, const tOutputOptions& options) {
    std::string line;
    for (size_t j = 0; j < spells.size(); ++j) {
        if (j > 0) {
            line += ",  ";
        }
        line += EntryText(*spells[j], options, !spells[j]->Book.empty());
    }
    return line;
}

void AppendColumnBody(std::vector<std::string>& lines, const std::vector<const tSpell*>& spells,
                      int32_t columns, const tOutputOptions& options) {
    const auto count = static_cast<int32_t>(spells.size());
    const int32_t rows = ColumnRows(count, columns);
    for (int32_t r = 0; r < rows; ++r) {
        std::string line;
        for (int32_t c = 0; c < columns; ++c) {
            const int32_t index = c * rows + r;
            if (index >= count) {
                continue;
            }
            const tSpell& spell = *spells[static_cast<size_t>(index)];
            line += EntryText(spell, options, IsTextPresent(spell.Book));
            if (c < columns - 1) {
                line += '\t';
            }
        }
        lines.push_back(std::move(line));
    }
}

} // namespace

std::string EntryText(const tSpell& spell, const tOutputOptions& options, bool withExtras) {
    std::string text;
    if (options.Memorized && spell.Memorized) {
        text += '*';
    }
    text += spell.Name;
    if (withExtras) {
        if (options.Category) {
            text += " (" + spell.Category + ")";
        }
        if (options.BookPage) {
            text += " [" + spell.Book + " " + std::to_string(spell.Page) + "]";
        }
        if (options.Frequency) {
            text += '-';
            text += FrequencyLetter(spell.Frequency);
        }
    }
    return text;
}

std::string LevelHeader(const TSpellBook& book, int32_t level) {
    return "level: " + std::to_string(level) +
           "     number per day: " + std::to_string(NumberPerDay(book, level));
}

std::vector<const tSpell*> SpellsOfLevel(TSpellBook& book, int32_t level) {
    std::vector<const tSpell*> spells;
    spells.reserve(static_cast<size_t>(book.CountOfLevel(level)));
    book.SeekLevel(level);
    while (book.Current() && book.CurrentLevel() == level) {
        spells.push_back(book.CurrentSpell());
        book.Next();
    }
    return spells;
}

int32_t ColumnRows(int32_t count, int32_t columns) {
    if (columns < 1 || count < 1) {
        return 0;
    }
    return (count + columns - 1) / columns;
}

std::vector<std::string> BuildOutputText(TSpellBook& book, const std::string& caption,
                                         const tOutputOptions& options) {
    std::vector<std::string> lines{
        "Spell Book:" + caption,
        "Caster Level: " + std::to_string(book.CasterLevel),
        "Caster Intelligence: " + std::to_string(book.Intelligence),
        "Caster Specialty: " + book.Specialty,
        OneBlank,
    };
    const int32_t columns = std::clamp(options.Columns, 0, MaxOutputColumns);
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        if (book.LevelCount[level] <= 0) {
            continue;
        }
        lines.push_back(OneBlank);
        lines.push_back(OneBlank);
        lines.push_back(LevelHeader(book, level));
        const std::vector<const tSpell*> spells = SpellsOfLevel(book, level);
        if (columns == 0) {
            lines.push_back(FlowingBody(spells, options));
        } else {
            AppendColumnBody(lines, spells, columns, options);
        }
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
