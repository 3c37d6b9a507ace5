#include "output/PrintLayout.h"

#include "output/BookText.h"

#include <algorithm>
#include <vector>

namespace {

const std::string Separator = ", ";
// The room a drawn text takes beyond its width.
constexpr int32_t TextSpacing = 3;

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
// line. The separator is drawn without that test.
void DrawFlowing(tPen& pen, const std::vector<const tSpell*>& spells, const tOutputOptions& options) {
    for (size_t j = 0; j < spells.size(); ++j) {
        if (j > 0) {
            pen.Write(Separator);
        }
        const std::string entry = EntryText(*spells[j], options, !spells[j]->Book.empty());
        if (pen.X + pen.Surface.TextWidth(entry + Separator) > pen.Surface.PageWidth()) {
            pen.NewLine();
            if (pen.PastPreview()) {
                return;
            }
            pen.KeepRoom(1);
        }
        pen.Write(entry);
    }
}

// Column layout: rows = count / columns rounded up; the first column holds the
// first rows entries top to bottom, the next column the next rows, and so on.
// A column begins at the largest x any entry of the earlier columns reached
// (its start plus its width plus 3) plus the gap. The block's rows go on the
// page in runs: all of them when they fit (or in the preview), else as many as
// fit, the rest at the top of the next pages in the same columns. The pen ends
// at the left edge of the line below the block's last row.
void DrawColumns(tPen& pen, const std::vector<const tSpell*>& spells, int32_t columns, int32_t gap,
                 const tOutputOptions& options) {
    const auto count = static_cast<int32_t>(spells.size());
    const int32_t rows = ColumnRows(count, columns);
    std::vector<std::string> entries;
    entries.reserve(spells.size());
    std::vector<int32_t> columnStart(static_cast<size_t>(columns), 0);
    int32_t rightEdge = 0;
    for (int32_t i = 0; i < count; ++i) {
        const tSpell& spell = *spells[static_cast<size_t>(i)];
        entries.push_back(EntryText(spell, options, !spell.Book.empty()));
        const int32_t column = i / rows;
        const int32_t x =
            columnStart[static_cast<size_t>(column)] + pen.Surface.TextWidth(entries.back()) + TextSpacing;
        rightEdge = std::max(rightEdge, x);
        if (i % rows == rows - 1 && column + 1 < columns) {
            columnStart[static_cast<size_t>(column) + 1] = rightEdge + gap;
        }
    }

    int32_t top = pen.Y;
    int32_t firstRow = 0;
    int32_t runRows = 0;
    while (firstRow < rows) {
        runRows = rows - firstRow;
        if (pen.Paper) {
            const int32_t room = (pen.Surface.PageHeight() - top) / pen.LineHeight;
            runRows = std::clamp(room, 1, runRows);
        }
        for (int32_t c = 0; c < columns; ++c) {
            for (int32_t r = firstRow; r < firstRow + runRows; ++r) {
                const int32_t index = c * rows + r;
                if (index >= count) {
                    break;
                }
                pen.X = columnStart[static_cast<size_t>(c)];
                pen.Y = top + (r - firstRow) * pen.LineHeight;
                pen.Draw(entries[static_cast<size_t>(index)]);
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

    pen.Write("Spell Book: " + caption);
    pen.NewLine();
    pen.Write("Caster Level: " + std::to_string(book.CasterLevel));
    pen.NewLine();
    pen.Write("Caster Intelligence: " + std::to_string(book.Intelligence));
    pen.NewLine();
    pen.Write("Caster Specialty: " + book.Specialty);

    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        const int32_t count = book.LevelCount[level];
        if (count <= 0) {
            continue;
        }
        pen.NewLine();
        pen.NewLine();
        if (pen.PastPreview()) {
            return;
        }
        // A column block that fits on a page goes to a new page whole when it
        // does not fit below the pen; a taller one starts here and carries on
        // over the next pages. The header always stays with the first line of
        // its spells.
        if (columns > 0) {
            const int64_t blockLines = int64_t{ColumnRows(count, columns)} + 1;
            if (blockLines * pen.LineHeight <= surface.PageHeight()) {
                pen.KeepRoom(blockLines);
            }
        }
        pen.KeepRoom(2);
        surface.AddUnderline();
        pen.Write(LevelHeader(book, level));
        surface.SetFont(options.Font);
        pen.NewLine();

        const std::vector<const tSpell*> spells = SpellsOfLevel(book, level);
        if (columns == 0) {
            DrawFlowing(pen, spells, options);
        } else {
            DrawColumns(pen, spells, columns, gap, options);
        }
    }
}
