#pragma once
// Adding spells to a spellbook window's book: the legal test and the
// invalid-spell question every added spell goes through.

#include "book/SpellBookDocument.h"

#include <memory>
#include <string>

// "Added spell...\r\n--->  " + name + "  <---\r\nis invalid for this spellbook"
std::string InvalidSpellQuestion(const std::string& name);

// Adds the spell object itself to the window's book when it is legal for it,
// or when the user answers OK to the invalid-spell question (Cancel drops it).
// A spell equal to one the book holds is refused without a message. The book
// is marked changed when it took the spell; returns whether it did. The view
// is not refreshed.
bool AddSpellWithQuestion(tSpellBookDocument& document, std::unique_ptr<tSpell> spell);
