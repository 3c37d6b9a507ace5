#pragma once
// A spellbook drawn as formatted text: the preview image and the printed pages
// follow one layout, built from the output options, the entry text of a spell
// and the level header (output/BookText.h), in the output font. The drawing
// itself goes to a surface the windows provide (an image, a printer, a PDF);
// tests draw on a surface of fixed metrics.

#include "model/SpellBook.h"
#include "output/OutputOptions.h"

#include <cstdint>
#include <string>

// Where the layout draws: one image, or the pages of a print job. Every
// length is in the surface's own units (screen pixels for the preview, device
// pixels for paper). A surface starts blank, with the pen's page the first.
class tDrawingSurface {
public:
    tDrawingSurface() = default;
    tDrawingSurface(const tDrawingSurface&) = delete;
    tDrawingSurface& operator=(const tDrawingSurface&) = delete;
    virtual ~tDrawingSurface() = default;

    // The texts drawn next use font (underlined only when font.Underline is on).
    virtual void SetFont(const tOutputFont& font) = 0;
    // Adds the underline to the current font; face, size, bold and italic stay.
    virtual void AddUnderline() = 0;
    // The width and the height of text in the current font.
    virtual int32_t TextWidth(const std::string& text) = 0;
    virtual int32_t TextHeight(const std::string& text) = 0;
    // Draws text in the current font with its top left corner at (x, y).
    virtual void DrawText(int32_t x, int32_t y, const std::string& text) = 0;
    // Ends the current page and starts a blank one. Only paper has pages.
    virtual void NewPage() = 0;
    // The size of the drawable area of a page (for paper, the printable area).
    virtual int32_t PageWidth() const = 0;
    virtual int32_t PageHeight() const = 0;
};

enum class tPrintMedium {
    // One image of the surface's size; what falls below or beside it is cut off.
    Preview,
    // Pages: a text that would pass a page's bottom edge starts a new page.
    Paper,
};

// The space between the columns of a column block.
constexpr int32_t PreviewColumnGap = 6;
constexpr int32_t PaperColumnGap = 15;

// Draws the book on the surface, starting at its top left corner in
// options.Font: the lines "Spell Book: " caption, "Caster Level: ",
// "Caster Intelligence: " and "Caster Specialty: "; then for every level
// holding spells an empty line, its level header underlined and its spells,
// flowing from entry to entry with ", " between them (options.Columns 0) or in
// 1..4 columns filled column by column. Lines are the height of "Mg" plus 3
// apart; a drawn text moves the pen its width plus 3 to the right. A flowing
// entry that, with a ", " after it, would pass the page's right edge starts
// the next line. Every entry carries its extras when the spell's book is not
// empty.
//
// Nothing is drawn past the page's right edge: a level whose columns would
// pass it is drawn in as many columns as fit (one at least); a text wider
// than the page (a caster line, a header, an entry) is broken at blanks, or
// within a word wider than the page, onto lines of its own; a separator at
// the end of a line is drawn only as far as it fits. Where everything fits,
// none of this changes the drawing.
//
// On paper, a level moves to a new page when its header and its first line do
// not fit below the pen, or when its header and column block do not fit there
// but would on a page of their own; flowing lines that wrap below the bottom
// start a new page; a column block taller than a page starts below the pen and
// carries the rows that do not fit over to the next pages, each column keeping
// its place. So nothing is drawn past the bottom edge of a page that holds a
// level header and a line below it, and no page is left blank. In the
// preview no page starts, and texts that would start below the image are
// left out.
//
// Moves the book's cursor and changes nothing else in the book.
void DrawBook(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
              tPrintMedium medium, tDrawingSurface& surface);
