#include "files/SpellLine.h"

#include "files/ByteSearch.h"
#include "model/SpellBook.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

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

// The next double quote in line from position from on, or npos.
size_t FindQuote(std::string_view line, size_t from) {
    return FindEitherByte<'"', '"'>(line, from);
}

// Reads the fields of a line one after the other by the comma-text rule.
// A field is seen where it stands in the line whenever it can be (no doubled
// quote inside), so that reading a spell copies each text once, into the
// spell.
class tCommaFields {
public:
    explicit tCommaFields(std::string_view line) : Line(line) { SkipControlsAndBlanks(); }

    // Sets field to the next field and returns true; with no field left,
    // empties field and returns false. field is valid until the next call,
    // and shows the line or scratch.
    bool Next(std::string_view& field, std::string& scratch) {
        const size_t n = Line.size();
        if (I >= n) {
            field = std::string_view();
            return false;
        }
        if (Line[I] == '"') {
            field = ReadQuoted(scratch);
        } else {
            const size_t start = I;
            while (I < n && Line[I] != ',' && !IsControlOrBlank(Line[I])) {
                ++I;
            }
            field = Line.substr(start, I - start);
        }
        SkipControlsAndBlanks();
        if (I < n && Line[I] == ',') {
            ++I;
            SkipControlsAndBlanks();
        }
        return true;
    }

    // The next field as a text of its own.
    bool Next(std::string& field) {
        std::string_view view;
        const bool found = Next(view, field);
        if (view.data() != field.data()) {
            field.assign(view);
        }
        return found;
    }

private:
    void SkipControlsAndBlanks() {
        while (I < Line.size() && IsControlOrBlank(Line[I])) {
            ++I;
        }
    }

    // A field in double quotes, a doubled quote inside standing for one; with
    // no closing quote, the rest of the line without its last byte.
    std::string_view ReadQuoted(std::string& scratch) {
        const size_t n = Line.size();
        ++I;
        size_t quote = FindQuote(Line, I);
        if (quote != std::string_view::npos && (quote + 1 == n || Line[quote + 1] != '"')) {
            const std::string_view field = Line.substr(I, quote - I); // the usual field: no quote inside
            I = quote + 1;
            return field;
        }
        scratch.clear();
        while (quote != std::string_view::npos && quote + 1 < n && Line[quote + 1] == '"') {
            scratch.append(Line.substr(I, quote + 1 - I));
            I = quote + 2;
            quote = FindQuote(Line, I);
        }
        if (quote == std::string_view::npos) {
            scratch.append(Line.substr(I));
            I = n;
            if (!scratch.empty()) {
                scratch.pop_back();
            }
            return scratch;
        }
        scratch.append(Line.substr(I, quote - I));
        I = quote + 1;
        return scratch;
    }

    std::string_view Line;
    size_t I = 0;
};

// The comma-text split, stopping after maxFields fields so that a line of
// endless commas costs no more than the fields wanted.
std::vector<std::string> SplitFields(std::string_view line, size_t maxFields) {
    std::vector<std::string> fields;
    tCommaFields reader(line);
    std::string field;
    while (fields.size() < maxFields && reader.Next(field)) {
        fields.push_back(std::move(field));
    }
    return fields;
}

// A text field of a written line: a double quote at line[i], the text with
// each double quote doubled, and its closing quote, after which i stands.
// field shows the line, or scratch when a doubled quote was inside. False
// when the closing quote is missing.
bool ReadWrittenText(std::string_view line, size_t& i, std::string_view& field, std::string& scratch) {
    const size_t n = line.size();
    const size_t start = i + 1;
    size_t quote = FindQuote(line, start);
    if (quote == std::string_view::npos) {
        return false;
    }
    if (quote + 1 == n || line[quote + 1] != '"') {
        field = line.substr(start, quote - start);
        i = quote + 1;
        return true;
    }
    scratch.clear();
    size_t from = start;
    while (quote + 1 < n && line[quote + 1] == '"') {
        scratch.append(line.substr(from, quote + 1 - from));
        from = quote + 2;
        quote = FindQuote(line, from);
        if (quote == std::string_view::npos) {
            return false;
        }
    }
    scratch.append(line.substr(from, quote - from));
    field = scratch;
    i = quote + 1;
    return true;
}

// Reads line when it has exactly the shape FormatSpellLine writes, with a
// level of 1 to 9, a name, a page of at most nine digits and one letter in
// each of the two letter fields: level,"name","book",page,"F","category","M".
// In that shape every field ends where the comma-text rule ends it, so the
// fields are the rule's. False for any other line, leaving it to the rule.
bool ParseWrittenSpellLine(std::string_view line, tSpellLineFields& fields) {
    const size_t n = line.size();
    // The shortest such line: 1,"a","",0,"C","","N".
    if (n < 22 || line[0] < '1' || line[0] > '9' || line[1] != ',' || line[2] != '"') {
        return false;
    }
    size_t i = 2;
    if (!ReadWrittenText(line, i, fields.Name, fields.NameScratch) || fields.Name.empty() || i + 2 > n ||
        line[i] != ',' || line[i + 1] != '"') {
        return false;
    }
    ++i;
    if (!ReadWrittenText(line, i, fields.Book, fields.BookScratch) || i + 2 > n || line[i] != ',') {
        return false;
    }
    ++i;
    const bool negative = i < n && line[i] == '-';
    i += negative ? 1 : 0;
    const size_t digits = i;
    int32_t page = 0;
    while (i < n && line[i] >= '0' && line[i] <= '9' && i - digits < 9) {
        page = page * 10 + (line[i] - '0');
        ++i;
    }
    // The frequency letter and the memorized letter, each with its quotes.
    if (i == digits || i + 6 > n || line[i] != ',' || line[i + 1] != '"' || line[i + 2] == '"' ||
        line[i + 3] != '"' || line[i + 4] != ',' || line[i + 5] != '"') {
        return false;
    }
    const char letter = line[i + 2];
    i += 5;
    if (!ReadWrittenText(line, i, fields.Category, fields.CategoryScratch) || i + 4 != n || line[i] != ',' ||
        line[i + 1] != '"' || line[i + 2] == '"' || line[i + 3] != '"') {
        return false;
    }
    fields.Level = line[0] - '0';
    fields.Page = negative ? -page : page;
    fields.Frequency = FrequencyCommon;
    FrequencyFromLetter(letter, fields.Frequency);
    fields.Memorized = line[i + 2] == 'Y' || line[i + 2] == 'y';
    return true;
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

bool ParseSpellLineFields(std::string_view line, tSpellLineFields& fields) {
    return ParseWrittenSpellLine(line, fields) || ParseSpellLineFieldsByRule(line, fields);
}

bool ParseSpellLineFieldsByRule(std::string_view line, tSpellLineFields& fields) {
    // Each field is seen where it stands in the line; missing fields read as
    // empty.
    tCommaFields reader(line);
    std::string_view text;
    reader.Next(text, fields.Scratch);
    fields.Level = 0;
    ParseInteger(text, fields.Level);
    if (!IsSpellLevel(fields.Level)) {
        return false;
    }
    reader.Next(fields.Name, fields.NameScratch);
    if (fields.Name.empty()) {
        return false;
    }
    reader.Next(fields.Book, fields.BookScratch);
    reader.Next(text, fields.Scratch);
    ParseInteger(text, fields.Page);
    reader.Next(text, fields.Scratch);
    fields.Frequency = FrequencyCommon;
    if (!text.empty()) {
        FrequencyFromLetter(text.front(), fields.Frequency);
    }
    reader.Next(fields.Category, fields.CategoryScratch);
    reader.Next(text, fields.Scratch);
    fields.Memorized = text == "Y" || text == "y";
    return true;
}

std::unique_ptr<tSpell> ParseSpellLine(std::string_view line) {
    tSpellLineFields fields;
    if (!ParseSpellLineFields(line, fields)) {
        return nullptr;
    }
    return std::make_unique<tSpell>(fields.Level, fields.Name, fields.Book, fields.Page, fields.Frequency,
                                    fields.Category, fields.Memorized);
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
