#pragma once
// A spellbook window's book put out as text: Copy to Clipboard.

#include "book/SpellBookDocument.h"
#include "output/OutputOptions.h"

// The book's whole text on the clipboard, after the output format dialog
// closed with OK, behind "Copying to Clipboard"; Cancel copies nothing.
void CopyToClipboard(tSpellBookDocument& document, tOutputFormat& format);

// The caption as the book's text and drawings show it: the window's caption,
// a path marked as one (so that the windows show it as the file system
// spells it).
std::string OutputCaption(const tSpellBookDocument& document);
