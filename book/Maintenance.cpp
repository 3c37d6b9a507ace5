#include "book/Maintenance.h"

#include "app/PathText.h"
#include "app/SettingsFile.h"
#include "book/Adding.h"
#include "files/FileFormat.h"
#include "files/Rules.h"
#include "model/BookSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// The spells of the selected lines of the chosen level, taken before any of
// them changes.
std::vector<tSpell*> SelectedSpells(tSpellBookDocument& document) {
    std::vector<tSpell*> spells;
    for (int32_t row : document.View().SelectedRows()) {
        if (tSpell* spell = document.Book().SpellAt(document.SpellLevel(), row)) {
            spells.push_back(spell);
        }
    }
    return spells;
}

std::string AlreadyInBook(const tSpell& spell) {
    return "Spell " + spell.Name + " of level " + std::to_string(spell.Level) +
           " is already in the spellbook.";
}

} // namespace

void ValidateBook(tSpellBookDocument& document) {
    // Marked changed whether or not a spell went.
    document.Change(ValidateBookStep, [&](tBookChanges& changes) {
        for (std::unique_ptr<tSpell>& spell : PurgeIllegalSpells(changes.Book(), document.Specialties())) {
            changes.Removed(std::move(spell));
        }
        changes.Touch();
    });
    document.Refresh();
}

void ClearBook(tSpellBookDocument& document) {
    if (document.UserInterface().AskOkCancel(ClearBookQuestion) != tAnswer::Ok) {
        return;
    }
    // The old book is kept whole by the step, not released: the clear and its
    // undo cost the same, whatever the book holds.
    document.Change(ClearBookStep, [&](tBookChanges& changes) {
        const TSpellBook& old = changes.Book();
        changes.ReplaceBook(TSpellBook::Create(old.CasterLevel, old.Intelligence,
                                               -document.FrequencyPosition(), old.Specialty));
    });
    document.Refresh();
}

void DeleteSpells(tSpellBookDocument& document) {
    document.Change(DeleteSpellStep, [&](tBookChanges& changes) {
        TSpellBook& book = changes.Book();
        for (tSpell* spell : SelectedSpells(document)) {
            if (SeekSpell(book, spell)) {
                changes.Removed(book.TakeCurrent());
            }
        }
    });
    document.Refresh();
}

void ToggleMemorized(tSpellBookDocument& document) {
    if (document.Change(ToggleMemorizedStep,
                        [&](tBookChanges& changes) {
                            for (tSpell* spell : SelectedSpells(document)) {
                                changes.Flip(spell);
                            }
                        },
                        {.Marks = false})) {
        document.Refresh();
    }
}

void EditSpells(tSpellBookDocument& document, tSpellEditor& editor) {
    const bool edited = document.Change(EditSpellStep, [&](tBookChanges& changes) {
        TSpellBook& book = changes.Book();
        for (tSpell* spell : SelectedSpells(document)) {
            std::unique_ptr<tSpell> copy = spell->Copy();
            if (!editor.EditSpell(*copy, true)) {
                continue;
            }
            const tSpell* other = FindEqualSpell(book, *copy);
            if (other && other != spell) {
                document.UserInterface().ShowError(AlreadyInBook(*copy), "The spell was not changed.");
                continue;
            }
            if (SeekSpell(book, spell)) {
                changes.Removed(book.TakeCurrent());
            }
            changes.Add(std::move(copy));
        }
    });
    if (edited) {
        document.Refresh();
    }
}

void CreateNewSpells(tSpellBookDocument& document, tSpellEditor& editor) {
    tUserInterface& ui = document.UserInterface();
    document.Change(CreateNewSpellStep, [&](tBookChanges& changes) {
        tSpell working(1, std::string(), std::string(), 0, FrequencyCommon, std::string(), false);
        while (editor.EditSpell(working, true)) {
            tAnswer another = tAnswer::No;
            if (changes.Add(working.Copy())) {
                document.Refresh();
                another = ui.AskYesNo(AddAnotherSpellQuestion);
            } else {
                // Nothing was added: say so instead of reporting the spell added.
                ui.ShowInformation(AlreadyInBook(working) + "\r\nIt was not added.");
                another = ui.AskYesNo("Would you like to add another?");
            }
            if (another != tAnswer::Yes) {
                break;
            }
            working.Name.clear();
        }
    });
}

void ImportSpells(tSpellBookDocument& document) {
    std::string path;
    if (!document.View().ChooseImportFile(document.DialogFolder(), path) || path.empty()) {
        return;
    }
    // A file of another program's kind is read in its format, found by its
    // extension; any other as a spell list, which takes the spells of the
    // program's own files (a spellbook's header yields none).
    const tFileFormat* format = FileFormatOfPath(path);
    if (!format || format->Own() || !format->CanRead()) {
        format = &SpellListFormat();
    }
    tFormatError error;
    std::unique_ptr<TSpellBook> spells = ReadBookFile(*format, path, error);
    if (!spells || error.Error == FileError::NoSpells) {
        document.UserInterface().ShowError("Error Reading Spell File",
                                           MessagePath(path) + "\r\n" + ExplainFormatError(path, error));
        return;
    }
    document.Change(ImportSpellsStep, [&](tBookChanges& changes) {
        for (spells->First(); const tSpell* spell = spells->CurrentSpell(); spells->Next()) {
            AddSpellWithQuestion(document, changes, spell->Copy());
        }
    });
    document.Refresh();
}

void ExportSpells(tSpellBookDocument& document) {
    std::string path;
    if (!document.View().ChooseExportFile(document.DialogFolder(), path) || path.empty()) {
        return;
    }
    std::error_code exists;
    if (std::filesystem::exists(path, exists) &&
        document.UserInterface().AskYesNo(ReplaceFileQuestion(path)) != tAnswer::Yes) {
        return;
    }
    // The format the file's extension names, else a spell list.
    const tFileFormat* format = FileFormatOfPath(path);
    if (!format || !format->CanWrite()) {
        format = &SpellListFormat();
    }
    tFormatError error;
    if (!WriteBookFile(*format, document.Book(), document.Caption(), path, error)) {
        document.UserInterface().ShowError(SettingsWriteError(MessagePath(path)),
                                           ExplainFormatError(path, error));
    }
}
