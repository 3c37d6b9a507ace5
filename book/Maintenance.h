#pragma once
// The spellbook window's commands that change its book in place: Validate,
// Clear, Delete, Toggle Memorized, Edit Spell Data, Create New Spell, and
// spells imported from and exported to spell list files. The lines they act
// on are the ones selected in the level view.

#include "book/SpellBookDocument.h"

#include <string>

inline constexpr const char* ClearBookQuestion =
    "This will remove all spells from the Spellbook!\r\nAre you sure you want to continue?";
inline constexpr const char* AddAnotherSpellQuestion =
    "Spell has been added.\r\nWould you like to add another?";

// The names of the commands' steps in the window's history.
inline constexpr const char* ValidateBookStep = "Validate Book";
inline constexpr const char* ClearBookStep = "Clear Book";
inline constexpr const char* DeleteSpellStep = "Delete Spell";
inline constexpr const char* ToggleMemorizedStep = "Toggle Memorized";
inline constexpr const char* EditSpellStep = "Edit Spell Data";
inline constexpr const char* CreateNewSpellStep = "Create New Spell";
inline constexpr const char* ImportSpellsStep = "Import Spells";

// Removes every spell the rules do not allow; the book is marked changed
// whether or not one was removed.
void ValidateBook(tSpellBookDocument& document);

// After the question, a new empty book for the same wizard (level,
// intelligence, specialty) with the frequency of the frequency box; marked
// changed.
void ClearBook(tSpellBookDocument& document);

// Removes the selected spells; no question.
void DeleteSpells(tSpellBookDocument& document);

// Flips the memorized mark of the selected spells; the book is not marked
// changed.
void ToggleMemorized(tSpellBookDocument& document);

// Edits each selected spell once, in list order (the spells are taken before
// the first edit, which may move one). An edit that would give a spell the
// level and name of another spell of the book is refused with a message; the
// spell stays as it was.
void EditSpells(tSpellBookDocument& document, tSpellEditor& editor);

// New spells from the editor straight into the book (no legal test), one
// after another while the user asks for another; each next one starts from
// the last with its name emptied.
void CreateNewSpells(tSpellBookDocument& document, tSpellEditor& editor);

// The spells of a file chosen in the import dialog (a CSV or JSON file by
// its extension, any other read as a spell list), each through the legal
// test and the invalid-spell question; a file that cannot be read is said to
// be so, with the reason its format gives.
void ImportSpells(tSpellBookDocument& document);

// The whole book, all levels, to a file chosen in the export dialog (asking
// before it replaces a file), in the format its extension names, else as a
// spell list; a file that cannot be written is said to be so. The book's
// changed mark stays.
void ExportSpells(tSpellBookDocument& document);
