// A book's spells as comma-separated values (RFC 4180), in UTF-8 with CR LF
// line ends: a header row naming the columns, then one row per spell in book
// order. The book's header is not kept; a book read back gets the header a
// spell list gets (files/SpellbookFile.h, DeriveHeader).
//
// Reading takes what spreadsheets save: a UTF-8 byte-order mark, LF or CR LF
// line ends, the columns in any order (more may stand among them), cells in
// double quotes or not, rows shorter than the header (the cells missing are
// empty). Empty rows are passed over. Of two rows naming the same spell the
// first is kept, as in a spell list.

#include "files/FileFormat.h"
#include "files/SpellLine.h"
#include "files/SpellbookFile.h"
#include "files/Windows1252.h"
#include "model/Text.h"

#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace {

enum tColumn { Level, Name, Book, Page, Frequency, Category, Memorized, ColumnCount };

constexpr std::array<std::string_view, ColumnCount> ColumnNames = {
    "level", "name", "book", "page", "frequency", "category", "memorized"};

constexpr std::string_view LineEnd = "\r\n";

// Appends the Windows-1252 text as one cell in UTF-8: between double quotes,
// with its quotes doubled, when it holds a comma, a double quote or a line
// break.
void AppendCell(std::string_view text, std::string& out) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        AppendUtf8Of1252(text, out);
        return;
    }
    out += '"';
    size_t start = 0;
    for (size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"', quote + 1)) {
        AppendUtf8Of1252(text.substr(start, quote + 1 - start), out);
        out += '"';
        start = quote + 1;
    }
    AppendUtf8Of1252(text.substr(start), out);
    out += '"';
}

// The records of a CSV text, one at a time.
class tCsvRecords {
public:
    explicit tCsvRecords(std::string_view text) : Text(text) {
        if (Text.starts_with(ByteOrderMark)) {
            Text.remove_prefix(ByteOrderMark.size());
        }
    }

    // Reads the next record into cells; false at the end of the text, or when
    // the record is malformed (reason then says why, naming its line).
    bool Next(std::vector<std::string>& cells, std::string& reason) {
        cells.clear();
        if (At >= Text.size()) {
            return false;
        }
        FirstLine = Line;
        for (;;) {
            std::string& cell = cells.emplace_back();
            if (At < Text.size() && Text[At] == '"') {
                if (!ReadQuoted(cell, reason)) {
                    return false;
                }
            } else {
                const size_t end = Text.find_first_of(",\r\n", At);
                const size_t stop = end == std::string_view::npos ? Text.size() : end;
                cell.assign(Text.substr(At, stop - At));
                At = stop;
            }
            if (At < Text.size() && Text[At] == ',') {
                ++At;
                continue;
            }
            if (At < Text.size() && Text[At] != '\r' && Text[At] != '\n') {
                reason = "line " + std::to_string(Line) + ": a quoted cell has text after its closing quote";
                return false;
            }
            SkipLineEnd();
            return true;
        }
    }

    // The line the last record began on, counted from 1.
    size_t RecordLine() const { return FirstLine; }

private:
    // A cell between double quotes, a doubled quote standing for one.
    bool ReadQuoted(std::string& cell, std::string& reason) {
        const size_t opened = Line;
        ++At;
        for (;;) {
            const size_t quote = Text.find('"', At);
            if (quote == std::string_view::npos) {
                reason = "line " + std::to_string(opened) + ": a quoted cell is not closed";
                return false;
            }
            const std::string_view part = Text.substr(At, quote - At);
            CountLines(part);
            cell.append(part);
            At = quote + 1;
            if (At < Text.size() && Text[At] == '"') {
                cell += '"';
                ++At;
                continue;
            }
            return true;
        }
    }

    // A CR, an LF or both: one line end.
    void SkipLineEnd() {
        if (At < Text.size() && Text[At] == '\r') {
            ++At;
        }
        if (At < Text.size() && Text[At] == '\n') {
            ++At;
        }
        ++Line;
    }

    void CountLines(std::string_view part) {
        for (size_t i = 0; i < part.size(); ++i) {
            if (part[i] == '\n' || (part[i] == '\r' && (i + 1 == part.size() || part[i + 1] != '\n'))) {
                ++Line;
            }
        }
    }

    std::string_view Text;
    size_t At = 0;
    size_t Line = 1;
    size_t FirstLine = 1;
};

bool IsEmptyRecord(const std::vector<std::string>& cells) {
    for (const std::string& cell : cells) {
        if (!cell.empty()) {
            return false;
        }
    }
    return true;
}

// Where each column stands in a row; none when the header row lacks one or
// names one twice (reason then says which).
std::optional<std::array<size_t, ColumnCount>> ColumnsOf(const std::vector<std::string>& header,
                                                         std::string& reason) {
    constexpr size_t Missing = static_cast<size_t>(-1);
    std::array<size_t, ColumnCount> at;
    at.fill(Missing);
    for (size_t cell = 0; cell < header.size(); ++cell) {
        for (size_t column = 0; column < ColumnCount; ++column) {
            if (!SameTextAscii(header[cell], ColumnNames[column])) {
                continue;
            }
            if (at[column] != Missing) {
                reason = "the column \"" + std::string(ColumnNames[column]) + "\" appears twice";
                return std::nullopt;
            }
            at[column] = cell;
        }
    }
    for (size_t column = 0; column < ColumnCount; ++column) {
        if (at[column] == Missing) {
            reason = "the column \"" + std::string(ColumnNames[column]) + "\" is missing";
            return std::nullopt;
        }
    }
    return at;
}

// The spell of one row; none with reason (without its line) for a row the
// format does not allow.
std::unique_ptr<tSpell> SpellOfRow(const std::vector<std::string>& cells,
                                   const std::array<size_t, ColumnCount>& columns, std::string& reason) {
    const auto cell = [&](tColumn column) -> std::string_view {
        const size_t at = columns[column];
        return at < cells.size() ? std::string_view(cells[at]) : std::string_view();
    };
    const auto quoted = [](std::string_view text) { return "\"" + std::string(text) + "\""; };
    int32_t level = 0;
    if (!ParseInteger(cell(Level), level) || level < MinSpellLevel || level > MaxSpellLevel) {
        reason = "the level " + quoted(cell(Level)) + " is not a whole number from 1 to 9";
        return nullptr;
    }
    int32_t page = 0;
    if (!cell(Page).empty() && !ParseInteger(cell(Page), page)) {
        reason = "the page " + quoted(cell(Page)) + " is not a whole number";
        return nullptr;
    }
    int32_t frequency = FrequencyCommon;
    if (!cell(Frequency).empty() && !FrequencyFromTitle(cell(Frequency), frequency)) {
        reason = "the frequency " + quoted(cell(Frequency)) +
                 " is not Common, Uncommon, Rare, Very Rare or Restricted";
        return nullptr;
    }
    const std::string_view memorized = cell(Memorized);
    if (!memorized.empty() && !SameTextAscii(memorized, "Y") && !SameTextAscii(memorized, "N")) {
        reason = "memorized is " + quoted(memorized) + ", not Y or N";
        return nullptr;
    }
    std::string name;
    std::string book;
    std::string category;
    if (!FieldTextOfUtf8(cell(Name), "name", name, reason) ||
        !FieldTextOfUtf8(cell(Book), "book", book, reason) ||
        !FieldTextOfUtf8(cell(Category), "category", category, reason)) {
        return nullptr;
    }
    if (name.empty()) {
        reason = "the name is empty";
        return nullptr;
    }
    return std::make_unique<tSpell>(level, name, book, page, frequency, category,
                                    SameTextAscii(memorized, "Y"));
}

class tCsvFormat final : public tFileFormat {
public:
    std::string_view Name() const override { return "csv"; }
    std::string_view Extension() const override { return "csv"; }
    std::string_view DialogFilter() const override { return "*.CSV (comma-separated values)|*.csv"; }
    bool KeepsHeader() const override { return false; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }

    std::unique_ptr<TSpellBook> Read(std::istream& in, tFormatError& error) const override {
        std::string text;
        if (!ReadWhole(in, text, error)) {
            return nullptr;
        }
        tCsvRecords records(text);
        std::vector<std::string> cells;
        std::string reason;
        bool header = false;
        while ((header = records.Next(cells, reason)) && IsEmptyRecord(cells)) {
        }
        if (!header) {
            error.Refuse(reason.empty() ? "the header row is missing" : reason);
            return nullptr;
        }
        const std::optional<std::array<size_t, ColumnCount>> columns = ColumnsOf(cells, reason);
        if (!columns) {
            error.Refuse(reason);
            return nullptr;
        }
        auto book = TSpellBook::Create(0, 0, 0, std::string());
        while (records.Next(cells, reason)) {
            if (IsEmptyRecord(cells)) {
                continue;
            }
            std::unique_ptr<tSpell> spell = SpellOfRow(cells, *columns, reason);
            if (!spell) {
                error.Refuse("line " + std::to_string(records.RecordLine()) + ": " + reason);
                return nullptr;
            }
            book->AddSpell(spell);
        }
        if (!reason.empty()) {
            error.Refuse(reason);
            return nullptr;
        }
        DeriveHeader(*book);
        return book;
    }

    bool Write(TSpellBook& book, const std::string& /*caption*/, std::ostream& out,
               tFormatError& error) const override {
        std::string text;
        for (const std::string_view column : ColumnNames) {
            text += column;
            text += column == ColumnNames.back() ? LineEnd : ",";
        }
        for (book.First(); const tSpell* spell = book.CurrentSpell(); book.Next()) {
            text += std::to_string(spell->Level);
            text += ',';
            AppendCell(spell->Name, text);
            text += ',';
            AppendCell(spell->Book, text);
            text += ',';
            text += std::to_string(spell->Page);
            text += ',';
            text += FrequencyTitle(spell->Frequency);
            text += ',';
            AppendCell(spell->Category, text);
            text += ',';
            text += spell->MemorizedLetter();
            text += LineEnd;
            if (text.size() >= (size_t{1} << 16)) {
                out.write(text.data(), static_cast<std::streamsize>(text.size()));
                text.clear();
            }
        }
        return EndWrite(out, text, error);
    }
};

} // namespace

const tFileFormat& CsvFormat() {
    static const tCsvFormat format;
    return format;
}
