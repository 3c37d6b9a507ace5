#include "files/SpellLine.h"

#include "model/SpellBook.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
        size_t quote = Line.find('"', I);
        if (quote != std::string_view::npos && (quote + 1 == n || Line[quote + 1] != '"')) {
            const std::string_view field = Line.substr(I, quote - I); // the usual field: no quote inside
            I = quote + 1;
            return field;
        }
        scratch.clear();
        while (quote != std::string_view::npos && quote + 1 < n && Line[quote + 1] == '"') {
            scratch.append(Line.substr(I, quote + 1 - I));
            I = quote + 2;
            quote = Line.find('"', I);
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

// The double quotes of a line in the first WindowBytes bytes of a text, and
// where the line ends: bit i of a mask stands for byte i.
constexpr size_t WindowBytes = 128;
static_assert(tLineReader::ReadablePastEnd >= WindowBytes);

// Bit i of the result: whether bits 0 to i of mask are odd in number.
uint64_t PrefixXor(uint64_t mask) {
    for (int shift = 1; shift < 64; shift *= 2) {
        mask ^= mask << shift;
    }
    return mask;
}

// Sets the masks of the first WindowBytes bytes at data: both words of a
// mask, or the first alone when the first 64 bytes hold a line break or
// limit is at most 64. The bytes are compared sixteen at a time with the
// processor's baseline vector instructions (one at a time without them).
void Masks(const char* data, size_t limit, uint64_t quotes[2], uint64_t breaks[2]) {
#if defined(__SSE2__)
    // Each word is put together in registers and stored once: stores of its
    // parts one by one would stall the loads that read it whole. The second
    // word is read only when the line goes on past the first.
    const __m128i quote = _mm_set1_epi8('"');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (size_t word = 0; word < 2; ++word) {
        uint64_t wordQuotes = 0;
        uint64_t lineBreaks = 0;
        for (size_t part = 0; part < 4; ++part) {
            const __m128i bytes =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + word * 64 + part * 16));
            wordQuotes |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quote)))}
                          << (part * 16);
            lineBreaks |= uint64_t{static_cast<uint16_t>(_mm_movemask_epi8(
                              _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))))}
                          << (part * 16);
        }
        quotes[word] = wordQuotes;
        breaks[word] = lineBreaks;
        if (lineBreaks != 0 || limit <= 64) {
            break;
        }
    }
#else
    (void)limit;
    for (size_t i = 0; i < WindowBytes; ++i) {
        quotes[i / 64] |= uint64_t{data[i] == '"'} << (i % 64);
        breaks[i / 64] |= uint64_t{data[i] == '\r' || data[i] == '\n'} << (i % 64);
    }
#endif
}

// The quotes of a line in the first WindowBytes bytes of a text, told apart
// by where they stand. Bit i of a mask stands for byte i, in two words.
//
// Counting the quotes from the line's start, each has an odd or even number
// of quotes up to and including it: odd where it opens a text or is the
// second of a doubled pair, even where it closes a text or is the first of a
// pair. A quote counted even is the first of a pair when a quote follows it
// at once, else it closes a text. A line whose texts are each an opening
// quote, doubled pairs and a closing quote, with no quote between them, is
// thus told apart without a step from quote to quote.
class tQuoteWindow {
public:
    // Reads the window at data, of which the bytes before limit count; the
    // WindowBytes bytes at data must be readable.
    tQuoteWindow(const char* data, size_t limit) {
        uint64_t quotes[2] = {};
        uint64_t breaks[2] = {};
        Masks(data, limit, quotes, breaks);
        // Bytes at and past limit do not count: a break is put there.
        if (limit < WindowBytes) {
            breaks[limit / 64] |= uint64_t{1} << (limit % 64);
        }
        LineEnd = breaks[0] != 0   ? static_cast<size_t>(std::countr_zero(breaks[0]))
                  : breaks[1] != 0 ? 64 + static_cast<size_t>(std::countr_zero(breaks[1]))
                                   : WindowBytes;
        // Only the quotes of the line count.
        if (LineEnd < 64) {
            quotes[0] &= (uint64_t{1} << LineEnd) - 1;
            quotes[1] = 0;
        } else if (LineEnd < WindowBytes) {
            quotes[1] &= (uint64_t{1} << (LineEnd - 64)) - 1;
        }
        const uint64_t oddLow = PrefixXor(quotes[0]);
        const uint64_t odd[2] = {oddLow, PrefixXor(quotes[1]) ^ (0 - (oddLow >> 63))};
        const uint64_t quoteNext[2] = {quotes[0] >> 1 | quotes[1] << 63, quotes[1] >> 1};
        for (size_t word = 0; word < 2; ++word) {
            const uint64_t even = quotes[word] & ~odd[word];
            Closing[word] = even & ~quoteNext[word];
            Pairs[word] = even & quoteNext[word];
        }
    }

    // Where the line ends: its first CR or LF, or the limit, or WindowBytes
    // when neither is in the window.
    size_t LineEnd;

    // The next closing quote, which is taken off the ones left; WindowBytes
    // when none is left.
    size_t TakeClosing() { return TakeLowest(Closing); }

    // The first quote of the first doubled pair left; WindowBytes when none is.
    size_t FirstPair() const { return Lowest(Pairs); }

    // The first quote of the next doubled pair, which is taken off the ones
    // left when it lies before end; WindowBytes when none is left.
    size_t TakePairBefore(size_t end) {
        const size_t at = Lowest(Pairs);
        if (at < end) {
            TakeLowest(Pairs);
        }
        return at;
    }

private:
    static size_t Lowest(const uint64_t (&mask)[2]) {
        return mask[0] != 0 ? static_cast<size_t>(std::countr_zero(mask[0]))
                            : 64 + static_cast<size_t>(std::countr_zero(mask[1]));
    }
    static size_t TakeLowest(uint64_t (&mask)[2]) {
        const bool low = mask[0] != 0;
        const size_t at = Lowest(mask);
        mask[0] &= mask[0] - 1;
        mask[1] = low ? mask[1] : mask[1] & (mask[1] - 1);
        return at;
    }

    uint64_t Closing[2];
    uint64_t Pairs[2];
};

// The two bytes at at, as one number to compare with TwoBytes of a text.
inline uint16_t TwoBytes(const char* at) {
    uint16_t value;
    std::memcpy(&value, at, 2);
    return value;
}
inline uint16_t TwoBytes(char first, char second) {
    const char pair[2] = {first, second};
    return TwoBytes(pair);
}

// Room for a text of a line read through the window, with a block to spare.
constexpr size_t QuickSlot = WindowBytes + 16;

// The text field between the quotes at open and close: field shows the same
// bytes at shown (the line, or the line this is a copy of), or, when a
// doubled quote is inside (the window's next pairs before close), a copy
// with each pair read as one quote in slot (QuickSlot bytes).
[[gnu::always_inline]] inline void TakeText(const char* line, const char* shown, tQuoteWindow& window,
                                            size_t open, size_t close, std::string_view& field, char* slot) {
    const size_t start = open + 1;
    size_t pair = window.TakePairBefore(close);
    if (pair >= close) {
        field = std::string_view(shown + start, close - start);
        return;
    }
    // Each part up to the first quote of a pair is copied in blocks of
    // sixteen bytes, which may run past the part (the window may be read
    // past the line, and the slot has room) to be written over by the next.
    constexpr size_t Block = 16;
    char* to = slot;
    const auto copy = [&to, line](size_t from, size_t count) {
        for (size_t done = 0; done < count; done += Block) {
            std::memcpy(to + done, line + from + done, Block);
        }
        to += count;
    };
    size_t from = start;
    for (; pair < close; pair = window.TakePairBefore(close)) {
        copy(from, pair + 1 - from);
        from = pair + 2;
    }
    copy(from, close - from);
    field = std::string_view(slot, static_cast<size_t>(to - slot));
}

// Reads the line at the start of bytes when it has exactly the shape
// FormatSpellLine writes, with a level of 1 to 9, a name, a page of at most
// nine digits and one letter in each of the two letter fields, and ends
// within the first WindowBytes bytes at a line break:
// level,"name","book",page,"F","category","M". In that shape every field
// ends where the comma-text rule ends it, so the fields are the rule's.
// bytes go on past the line (WindowBytes of them may be read past their
// end). Returns the bytes of the line and its end (a CR with a line feed
// after it counted whole), or 0 for any other line and a line whose end is
// not known from bytes. The fields show the same bytes at shown, or scratch.
//
// The line's closing quotes are found at once from the window; then the
// bytes around them are checked. The line has the shape when its five
// texts close where the next byte is the comma before the next field, or
// the line's end, and the bytes between the texts are the commas and the
// page: then the quote after each of those commas is the next text's
// opening, there is no quote outside the texts, and each text holds only
// doubled pairs between its quotes.
[[gnu::flatten]] size_t ParseWrittenSpellLineAt(std::string_view bytes, const char* shown,
                                                tSpellLineFields& fields) {
    const size_t n = bytes.size();
    const char* line = bytes.data();
    // The shortest such line: 1,"a","",0,"C","","N" and its line end.
    if (n < 23 || line[0] < '1' || line[0] > '9' || line[1] != ',' || line[2] != '"') {
        return 0;
    }
    tQuoteWindow window(line, std::min(n, WindowBytes));
    const size_t lineEnd = window.LineEnd;
    // A line whose end is not in the window, or not in bytes, is left to be
    // read whole; so is a CR ending the bytes, whose line feed may be in what
    // comes next.
    if (lineEnd >= std::min(n, WindowBytes) || (line[lineEnd] == '\r' && lineEnd + 1 == n)) {
        return 0;
    }
    // The closing quotes of the name, the book, the frequency letter, the
    // category and the memorized letter, in order: WindowBytes for each one
    // missing, so that the last is lineEnd - 1 only when all five are found,
    // and no other closing quote is in the line. The bytes compared lie at
    // most two past a closing quote, within the window and the bytes past it.
    const size_t nameEnd = window.TakeClosing();
    const size_t bookEnd = window.TakeClosing();
    const size_t letterEnd = window.TakeClosing();
    const size_t categoryEnd = window.TakeClosing();
    const size_t memorizedEnd = window.TakeClosing();
    const uint16_t commaQuote = TwoBytes(',', '"');
    if (memorizedEnd + 1 != lineEnd || memorizedEnd != categoryEnd + 4 || nameEnd == 3 ||
        TwoBytes(line + nameEnd + 1) != commaQuote || line[bookEnd + 1] != ',' ||
        TwoBytes(line + letterEnd - 3) != commaQuote || TwoBytes(line + letterEnd + 1) != commaQuote ||
        TwoBytes(line + categoryEnd + 1) != commaQuote) {
        return 0;
    }
    // The page: an optional minus and one to nine digits, from after the
    // book's comma to the comma before the letter's opening quote.
    size_t i = bookEnd + 2;
    const size_t pageEnd = letterEnd - 3;
    const bool negative = line[i] == '-';
    i += negative ? 1 : 0;
    const size_t digits = i;
    int32_t page = 0;
    while (i < pageEnd && i - digits < 9 && line[i] >= '0' && line[i] <= '9') {
        page = page * 10 + (line[i] - '0');
        ++i;
    }
    if (i != pageEnd || i == digits) {
        return 0;
    }
    if (window.FirstPair() < lineEnd && fields.QuickTexts.size() < 3 * QuickSlot) {
        fields.QuickTexts.resize(3 * QuickSlot);
    }
    char* const slots = fields.QuickTexts.data();
    TakeText(line, shown, window, 2, nameEnd, fields.Name, slots);
    TakeText(line, shown, window, nameEnd + 2, bookEnd, fields.Book, slots + QuickSlot);
    TakeText(line, shown, window, letterEnd + 2, categoryEnd, fields.Category, slots + 2 * QuickSlot);
    fields.Level = line[0] - '0';
    fields.Page = negative ? -page : page;
    fields.Frequency = FrequencyCommon;
    FrequencyFromLetter(line[letterEnd - 1], fields.Frequency);
    fields.Memorized = line[categoryEnd + 3] == 'Y' || line[categoryEnd + 3] == 'y';
    return lineEnd + (line[lineEnd] == '\r' && line[lineEnd + 1] == '\n' ? 2 : 1);
}

// The same for a line on its own: it is copied with a line end into room
// that may be read past, when it is short enough to be read that way.
bool ParseWrittenSpellLine(std::string_view line, tSpellLineFields& fields) {
    if (line.size() >= WindowBytes) {
        return false;
    }
    std::string& copy = fields.LineCopy;
    copy.resize(2 * WindowBytes);
    std::memcpy(copy.data(), line.data(), line.size());
    copy[line.size()] = '\n';
    return ParseWrittenSpellLineAt(std::string_view(copy.data(), line.size() + 1), line.data(), fields) ==
           line.size() + 1;
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

size_t ParseWrittenSpellLineInBuffer(std::string_view bytes, tSpellLineFields& fields) {
    return ParseWrittenSpellLineAt(bytes, bytes.data(), fields);
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
