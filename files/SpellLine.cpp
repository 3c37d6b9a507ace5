#include "files/SpellLine.h"

#include "model/SpellBook.h"

#include <limits>

namespace {

constexpr size_t SpellFieldCount = 7;

bool IsControlOrBlank(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 1 && u <= 32;
}

bool NeedsQuotes(std::string_view item) {
    for (char c : item) {
        if (static_cast<unsigned char>(c) <= 32 || c == '"' || c == ',') {
            return true;
        }
    }
    return false;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    size_t start = 0;
    for (size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"', quote + 1)) {
        out.append(text.substr(start, quote + 1 - start));
        out += '"';
        start = quote + 1;
    }
    out.append(text.substr(start));
    out += '"';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The comma-text split, stopping after maxFields fields so that a line of
// endless commas costs no more than the fields wanted.
std::vector<std::string> SplitFields(std::string_view line, size_t maxFields) {
    std::vector<std::string> fields;
    const size_t n = line.size();
    size_t i = 0;
    const auto skipControlsAndBlanks = [&] {
        while (i < n && IsControlOrBlank(line[i])) {
            ++i;
        }
    };
    skipControlsAndBlanks();
    while (i < n && fields.size() < maxFields) {
        std::string field;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const size_t quote = line.find('"', i);
                if (quote == std::string_view::npos) {
                    field.append(line.substr(i));
                    i = n;
                    break;
                }
                field.append(line.substr(i, quote - i));
                if (quote + 1 < n && line[quote + 1] == '"') {
                    field += '"';
                    i = quote + 2;
                    continue;
                }
                i = quote + 1;
                closed = true;
                break;
            }
            if (!closed && !field.empty()) {
                field.pop_back();
            }
        } else {
            const size_t start = i;
            while (i < n && line[i] != ',' && !IsControlOrBlank(line[i])) {
                ++i;
            }
            field.assign(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        skipControlsAndBlanks();
        if (i < n && line[i] == ',') {
            ++i;
            skipControlsAndBlanks();
        }
    }
    return fields;
}

} // namespace

std::vector<std::string> SplitCommaText(std::string_view line) {
    return SplitFields(line, std::numeric_limits<size_t>::max());
}

bool ParseInteger(std::string_view text, int32_t& value) {
    value = 0;
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    constexpr int64_t Largest = std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    if (!text.empty() && text.front() == '$') {
        text.remove_prefix(1);
        if (text.empty()) {
            return false;
        }
        for (char c : text) {
            const int digit = HexDigit(c);
            if (digit < 0) {
                return false;
            }
            magnitude = magnitude * 16 + digit;
            if (magnitude > Largest) {
                return false;
            }
        }
        value = static_cast<int32_t>(magnitude);
        return true;
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return false;
    }
    const int64_t limit = negative ? Largest + 1 : Largest;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return false;
        }
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

std::unique_ptr<tSpell> ParseSpellLine(std::string_view line) {
    std::vector<std::string> fields = SplitFields(line, SpellFieldCount);
    fields.resize(SpellFieldCount);
    int32_t level = 0;
    ParseInteger(fields[0], level);
    if (fields[1].empty() || !IsSpellLevel(level)) {
        return nullptr;
    }
    int32_t page = 0;
    ParseInteger(fields[3], page);
    int32_t frequency = FrequencyCommon;
    if (!fields[4].empty()) {
        FrequencyFromLetter(fields[4].front(), frequency);
    }
    const bool memorized = fields[6] == "Y" || fields[6] == "y";
    return tSpell::Create(level, std::move(fields[1]), std::move(fields[2]), page, frequency,
                          std::move(fields[5]), memorized);
}

std::string FormatSpellLine(const tSpell& spell) {
    std::string line;
    line.reserve(spell.Name.size() + spell.Book.size() + spell.Category.size() + 40);
    line += std::to_string(spell.Level);
    line += ',';
    AppendQuoted(line, spell.Name);
    line += ',';
    AppendQuoted(line, spell.Book);
    line += ',';
    line += std::to_string(spell.Page);
    line += ",\"";
    line += FrequencyLetter(spell.Frequency);
    line += "\",";
    AppendQuoted(line, spell.Category);
    line += ",\"";
    line += spell.MemorizedLetter();
    line += '"';
    return line;
}

std::string FormatCommaText(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        const bool last = i + 1 == items.size();
        if (NeedsQuotes(items[i]) || (items[i].empty() && last)) {
            AppendQuoted(text, items[i]);
        } else {
            text += items[i];
        }
    }
    return text;
}
