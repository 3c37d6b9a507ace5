// A book as a Markdown page (CommonMark with GitHub's tables), in UTF-8 with
// CR LF line ends: a title with the book's caption, the caster's lines as a
// list, then for each level holding spells a heading with the number per day
// and a table of its spells. Every text renders as exactly its characters.
// Written only.

#include "files/FileFormat.h"
#include "files/Rules.h"
#include "files/Windows1252.h"

#include <string_view>

namespace {

constexpr std::string_view LineEnd = "\r\n";

bool IsEdgeSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Appends the Windows-1252 text as Markdown inline text in UTF-8. The ASCII
// marks that may start markup (emphasis, code, links, HTML, entities,
// strike-through, table cells, closing heading marks, escapes) get a
// backslash; the white space at either end, which table cells, headings and
// list items trim, and line breaks anywhere are written as character
// references.
void AppendInline(std::string_view text, std::string& out) {
    size_t first = 0;
    while (first < text.size() && IsEdgeSpace(text[first])) {
        ++first;
    }
    size_t last = text.size();
    while (last > first && IsEdgeSpace(text[last - 1])) {
        --last;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((IsEdgeSpace(c) && (i < first || i >= last)) || c == '\r' || c == '\n') {
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
            continue;
        }
        if (std::string_view("\\`*_[]<>&|~#").find(c) != std::string_view::npos) {
            out += '\\';
        }
        if (static_cast<unsigned char>(c) >= 0x80) {
            AppendUtf8Of1252(text.substr(i, 1), out);
        } else {
            out += c;
        }
    }
}

void AppendCell(std::string_view text, std::string& out) {
    out += ' ';
    AppendInline(text, out);
    out += " |";
}

class tMarkdownFormat final : public tFileFormat {
public:
    std::string_view Name() const override { return "markdown"; }
    std::string_view Extension() const override { return "md"; }
    std::string_view DialogFilter() const override { return "*.MD (Markdown files)|*.md"; }
    bool KeepsHeader() const override { return true; }
    bool CanRead() const override { return false; }
    bool CanWrite() const override { return true; }

    bool Write(TSpellBook& book, const std::string& caption, std::ostream& out,
               tFormatError& error) const override {
        std::string page = "# ";
        AppendInline(caption, page);
        page += LineEnd;
        page += LineEnd;
        page += "- Caster Level: " + std::to_string(book.CasterLevel) + std::string(LineEnd);
        page += "- Caster Intelligence: " + std::to_string(book.Intelligence) + std::string(LineEnd);
        page += "- Caster Specialty: ";
        AppendInline(book.Specialty, page);
        page += LineEnd;
        page += "- Spell Frequency: " + FrequencyTitle(book.Frequency) + std::string(LineEnd);
        int32_t level = 0;
        for (book.First(); const tSpell* spell = book.CurrentSpell(); book.Next()) {
            if (spell->Level != level) {
                level = spell->Level;
                page += LineEnd;
                page += "## Level " + std::to_string(level) +
                        " (number per day: " + std::to_string(NumberPerDay(book, level)) + ")";
                page += LineEnd;
                page += LineEnd;
                page += "| Memorized | Name | Book | Page | Category | Frequency |";
                page += LineEnd;
                page += "| --- | --- | --- | --- | --- | --- |";
                page += LineEnd;
            }
            page += '|';
            AppendCell(spell->Memorized ? "*" : "", page);
            AppendCell(spell->Name, page);
            AppendCell(spell->Book, page);
            AppendCell(std::to_string(spell->Page), page);
            AppendCell(spell->Category, page);
            AppendCell(FrequencyTitle(spell->Frequency), page);
            page += LineEnd;
        }
        return EndWrite(out, page, error);
    }
};

} // namespace

const tFileFormat& MarkdownFormat() {
    static const tMarkdownFormat format;
    return format;
}
