#include "output/PrintLayout.h"

#include "output/BookText.h"

#include "model/Text.h"

#include <algorithm>
#include <iterator>
#include <string_view>
#include <vector>

namespace {

const std::string Separator = ", ";
// The room a drawn text takes beyond its width.
constexpr int32_t TextSpacing = 3;

// True when text ends inside a marked path (an odd number of path marks).
bool EndsInPath(std::string_view text) {
    return std::count(text.begin(), text.end(), PathMark) % 2 == 1;
}

// A byte that continues a character of the file system's (UTF-8) names.
bool ContinuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// The text on as many lines as it takes to keep each within room, and the
// last one also within room - reserve (which leaves room for what follows
// it): broken after the last blank that lets a line fit (the blanks there
// fall away), or, where one word is wider than room, after as many bytes as
// fit (one at least, and never inside a character of a marked path). A line
// that ends inside a marked path closes it and the next one opens it again,
// so every line shows as the whole text would. A text that fits is one line.
std::vector<std::string> BreakText(tDrawingSurface& surface, const std::string& text, int32_t room,
                                   int32_t reserve = 0) {
    const std::string blankOrMark{' ', PathMark};
    std::vector<std::string> lines;
    std::string rest = text;
    while (surface.TextWidth(rest) > room - reserve) {
        // Every line holds a byte that is neither a blank nor a mark, so a
        // line ends after the first such byte and before the last.
        const size_t first = rest.find_first_not_of(blankOrMark);
        const size_t last = rest.find_last_not_of(blankOrMark);
        if (first == std::string::npos || first == last) {
            break;
        }
        const auto line = [&rest](size_t size) {
            std::string start = rest.substr(0, size);
            if (EndsInPath(start)) {
                start += PathMark;
            }
            return start;
        };
        size_t cut = 0;
        for (size_t blank = rest.find(' ', first); blank < last; blank = rest.find(' ', blank + 1)) {
            if (rest[blank - 1] == ' ') {
                continue;
            }
            if (surface.TextWidth(line(blank)) > room) {
                break;
            }
            cut = blank;
        }
        size_t resume = rest.find_first_not_of(' ', cut);
        if (cut == 0) {
            cut = first + 1;
            while (cut < last && surface.TextWidth(line(cut + 1)) <= room) {
                ++cut;
            }
            // A character of a path stays whole: the line ends before it,
            // or after it when it is the line's only one.
            const auto splitsCharacter = [&rest](size_t at) {
                return ContinuesCharacter(rest[at]) && EndsInPath(rest.substr(0, at));
            };
            while (cut > first + 1 && splitsCharacter(cut)) {
                --cut;
            }
            while (cut <= last && splitsCharacter(cut)) {
                ++cut;
            }
            if (cut > last) {
                break;
            }
            resume = cut;
        }
        const bool open = EndsInPath(rest.substr(0, cut));
        lines.push_back(line(cut));
        rest.erase(0, resume);
        if (open) {
            rest.insert(rest.begin(), PathMark);
        }
    }
    lines.push_back(std::move(rest));
    return lines;
}

// The pen of one drawing: its position, the line height and the page tests.
class tPen {
public:
    tPen(tDrawingSurface& surface, tPrintMedium medium, int32_t lineHeight)
        : Surface(surface), Paper(medium == tPrintMedium::Paper), LineHeight(lineHeight) {}

    tDrawingSurface& Surface;
    const bool Paper;
    const int32_t LineHeight;
    int32_t X = 0;
    int32_t Y = 0;

    void NewLine() {
        Y += LineHeight;
        X = 0;
    }

    // Draws text at the pen. In the preview a text starting below the image
    // is left out (it could not be seen).
    void Draw(const std::string& text) {
        if (Paper || Y < Surface.PageHeight()) {
            Surface.DrawText(X, Y, text);
        }
    }

    // Draws text at the pen and moves the pen past it.
    void Write(const std::string& text) {
        Draw(text);
        X += Surface.TextWidth(text) + TextSpacing;
    }

    // Writes the lines of a broken text (BreakText) one under the other,
    // each on a page that has room for it; the pen ends past the last.
    void WriteLines(const std::vector<std::string>& lines) {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                NewLine();
                KeepRoom(1);
            }
            Write(lines[i]);
        }
    }

    // The separator of the flowing layout, drawn without a width test: as
    // much of it as stays left of the page's right edge (it ends a line
    // there: the next entry cannot follow it). The pen moves past it whole.
    void WriteSeparator() {
        std::string shown = Separator;
        while (!shown.empty() && X + Surface.TextWidth(shown) > Surface.PageWidth()) {
            shown.pop_back();
        }
        if (!shown.empty()) {
            Draw(shown);
        }
        X += Surface.TextWidth(Separator) + TextSpacing;
    }

    // On paper: starts a new page when lines more lines do not fit between the
    // pen and the page's bottom edge. A page already begun at its top stays,
    // so no page is left blank.
    void KeepRoom(int64_t lines) {
        if (Paper && Y > 0 && Y + lines * LineHeight > Surface.PageHeight()) {
            Surface.NewPage();
            Y = 0;
        }
    }

    // In the preview, true once nothing more can be seen: the pen stands
    // below the image and never goes back up.
    bool PastPreview() const { return !Paper && Y >= Surface.PageHeight(); }
};

// Flowing layout: the entries one after the other, ", " between them, an
// entry that would pass the right edge with a ", " after it starting the next
// line, and one wider than the page (with at least the comma after it)
// broken over lines of its own.
void DrawFlowing(tPen& pen, const std::vector<const tSpell*>& spells, const tOutputOptions& options) {
    for (size_t j = 0; j < spells.size(); ++j) {
        if (j > 0) {
            pen.WriteSeparator();
        }
        const std::string entry = EntryText(*spells[j], options, !spells[j]->Book.empty());
        if (pen.X + pen.Surface.TextWidth(entry + Separator) <= pen.Surface.PageWidth()) {
            pen.Write(entry);
            continue;
        }
        pen.NewLine();
        if (pen.PastPreview()) {
            return;
        }
        pen.KeepRoom(1);
        // An entry that another follows leaves room on its last line for
        // the comma after it.
        const int32_t reserve =
            j + 1 < spells.size() ? TextSpacing + pen.Surface.TextWidth(Separator.substr(0, 1)) : 0;
        pen.WriteLines(BreakText(pen.Surface, entry, pen.Surface.PageWidth(), reserve));
    }
}

// A level's column block as it goes on the page: its cells filled column by
// column, Rows to a column, the columns starting at Starts.
struct tColumnBlock {
    std::vector<std::string> Cells;
    int32_t Columns = 1;
    int32_t Rows = 0;
    std::vector<int32_t> Starts{0};
};

// The column layout of the entries: rows = count / columns rounded up; the
// first column holds the first rows entries top to bottom, the next column
// the next rows, and so on. A column begins at the largest x any entry of the
// earlier columns reached (its start plus its width plus 3) plus the gap.
// When an entry of the last columns would pass the page's right edge, the
// block has as many columns as keep every entry within it; in one column, an
// entry wider than the page takes lines of its own (BreakText).
tColumnBlock ColumnBlock(tDrawingSurface& surface, const std::vector<const tSpell*>& spells, int32_t columns,
                         int32_t gap, const tOutputOptions& options) {
    tColumnBlock block;
    std::vector<int32_t> widths;
    widths.reserve(spells.size());
    block.Cells.reserve(spells.size());
    for (const tSpell* spell : spells) {
        block.Cells.push_back(EntryText(*spell, options, !spell->Book.empty()));
        widths.push_back(surface.TextWidth(block.Cells.back()));
    }
    const auto count = static_cast<int32_t>(spells.size());
    const int32_t pageWidth = surface.PageWidth();
    for (int32_t k = columns; k > 1; --k) {
        const int32_t rows = ColumnRows(count, k);
        std::vector<int32_t> starts(static_cast<size_t>(k), 0);
        int32_t rightEdge = 0;
        bool fits = true;
        for (int32_t i = 0; i < count && fits; ++i) {
            const int32_t column = i / rows;
            const int32_t start = starts[static_cast<size_t>(column)];
            fits = start + widths[static_cast<size_t>(i)] <= pageWidth;
            rightEdge = std::max(rightEdge, start + widths[static_cast<size_t>(i)] + TextSpacing);
            if (i % rows == rows - 1 && column + 1 < k) {
                starts[static_cast<size_t>(column) + 1] = rightEdge + gap;
            }
        }
        if (fits) {
            block.Columns = k;
            block.Rows = rows;
            block.Starts = std::move(starts);
            return block;
        }
    }
    std::vector<std::string> lines;
    lines.reserve(block.Cells.size());
    for (size_t i = 0; i < block.Cells.size(); ++i) {
        if (widths[i] <= pageWidth) {
            lines.push_back(std::move(block.Cells[i]));
        } else {
            for (std::string& line : BreakText(surface, block.Cells[i], pageWidth)) {
                lines.push_back(std::move(line));
            }
        }
    }
    block.Cells = std::move(lines);
    block.Rows = static_cast<int32_t>(block.Cells.size());
    return block;
}

// Draws a column block. Its rows go on the page in runs: all of them when
// they fit (or in the preview), else as many as fit, the rest at the top of
// the next pages in the same columns. The pen ends at the left edge of the
// line below the block's last row.
void DrawColumns(tPen& pen, const tColumnBlock& block) {
    const auto count = static_cast<int32_t>(block.Cells.size());
    const int32_t rows = block.Rows;
    int32_t top = pen.Y;
    int32_t firstRow = 0;
    int32_t runRows = 0;
    while (firstRow < rows) {
        runRows = rows - firstRow;
        if (pen.Paper) {
            const int32_t room = (pen.Surface.PageHeight() - top) / pen.LineHeight;
            runRows = std::clamp(room, 1, runRows);
        }
        for (int32_t c = 0; c < block.Columns; ++c) {
            for (int32_t r = firstRow; r < firstRow + runRows; ++r) {
                const int32_t index = c * rows + r;
                if (index >= count) {
                    break;
                }
                pen.X = block.Starts[static_cast<size_t>(c)];
                pen.Y = top + (r - firstRow) * pen.LineHeight;
                pen.Draw(block.Cells[static_cast<size_t>(index)]);
            }
        }
        firstRow += runRows;
        if (firstRow < rows) {
            pen.Surface.NewPage();
            top = 0;
        }
    }
    pen.X = 0;
    pen.Y = top + runRows * pen.LineHeight;
}

} // namespace

void DrawBook(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
              tPrintMedium medium, tDrawingSurface& surface) {
    surface.SetFont(options.Font);
    tPen pen(surface, medium, std::max(surface.TextHeight("Mg"), 0) + TextSpacing);
    const int32_t columns = std::clamp(options.Columns, 0, MaxOutputColumns);
    const int32_t gap = medium == tPrintMedium::Paper ? PaperColumnGap : PreviewColumnGap;

    const std::string casterLines[] = {
        "Spell Book: " + caption,
        "Caster Level: " + std::to_string(book.CasterLevel),
        "Caster Intelligence: " + std::to_string(book.Intelligence),
        "Caster Specialty: " + book.Specialty,
    };
    for (size_t i = 0; i < std::size(casterLines); ++i) {
        if (i > 0) {
            pen.NewLine();
            pen.KeepRoom(1);
        }
        pen.WriteLines(BreakText(surface, casterLines[i], surface.PageWidth()));
    }

    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        if (book.LevelCount[level] <= 0) {
            continue;
        }
        pen.NewLine();
        pen.NewLine();
        if (pen.PastPreview()) {
            return;
        }
        const std::vector<std::string> header =
            BreakText(surface, LevelHeader(book, level), surface.PageWidth());
        const auto headerLines = static_cast<int64_t>(header.size());
        const std::vector<const tSpell*> spells = SpellsOfLevel(book, level);
        tColumnBlock block;
        // A column block that fits on a page goes to a new page whole when it
        // does not fit below the pen; a taller one starts here and carries on
        // over the next pages. The header always stays with the first line of
        // its spells.
        if (columns > 0) {
            block = ColumnBlock(surface, spells, columns, gap, options);
            const int64_t blockLines = int64_t{block.Rows} + headerLines;
            if (blockLines * pen.LineHeight <= surface.PageHeight()) {
                pen.KeepRoom(blockLines);
            }
        }
        pen.KeepRoom(headerLines + 1);
        surface.AddUnderline();
        pen.WriteLines(header);
        surface.SetFont(options.Font);
        pen.NewLine();

        if (columns == 0) {
            DrawFlowing(pen, spells, options);
        } else {
            DrawColumns(pen, block);
        }
    }
}
