#pragma once
// The printed pages of a book as a PDF document, drawn by the windows' own
// drawing code (ui/PainterSurface.h) on Qt's offscreen platform, so no display
// is needed. Only builds that have the windows have it.

#include "model/SpellBook.h"
#include "output/OutputOptions.h"

#include <string>

// The book's pages on A4 paper, as Print draws them, into pdf. False, with a
// one-line reason in message, when the document cannot be made.
bool MakeBookPdf(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
                 std::string& pdf, std::string& message);
