#pragma once
// Adding spells to a spellbook window's book: the legal test and the
// invalid-spell question every added spell goes through, Add Random Spell and
// Fill Book.

#include "book/SpellBookDocument.h"

#include <memory>
#include <string>

// "Added spell...\r\n--->  " + name + "  <---\r\nis invalid for this spellbook"
std::string InvalidSpellQuestion(const std::string& name);

// Adds the spell object itself to the window's book, as one of the changes
// of a command, when it is legal for the book or when the user answers OK to
// the invalid-spell question (Cancel drops it). A spell equal to one the book
// holds is refused without a message. Returns whether the book took the
// spell. The view is not refreshed.
bool AddSpellWithQuestion(tSpellBookDocument& document, tBookChanges& changes, std::unique_ptr<tSpell> spell);

// The names of the steps that add spells.
inline constexpr const char* AddRandomSpellStep = "Add Random Spell";
inline constexpr const char* FillBookStep = "Fill Book";

inline constexpr const char* NoMasterList = "No Master list available";

// Add Random Spell: one spell of the chosen level drawn from master with the
// selection odds among the master list's spells of that level the book does
// not hold (each as likely, relative to the others, as its odds make it); a
// copy, memorized mark kept, goes through the legal test and the question,
// and the view is refreshed. Nothing happens when the book already holds
// every spell of that level of the master list; with no master list,
// "No Master list available".
void AddRandomSpell(tSpellBookDocument& document, TSpellBook* master);

// Fill Book: fills the book from master behind "Filling Spellbook" and
// refreshes the view; the spells it adds are not an unsaved change.
void FillBookCommand(tSpellBookDocument& document, TSpellBook* master);
