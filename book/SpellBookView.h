#pragma once
// A spellbook window as its commands see it: the controls they set, the list
// they fill and the dialogs they open (its messages and working notice come
// through tUserInterface). The
// window's setters only show what they are given: they never call back into
// the commands (a command that wants a control's change handling runs it
// itself).

#include "book/LevelView.h"

#include <cstdint>
#include <string>
#include <vector>

class tSpellBookView {
public:
    virtual ~tSpellBookView() = default;

    // The wizard-level and intelligence boxes.
    virtual void SetWizardLevelBox(int32_t value) = 0;
    virtual void SetIntelligenceBox(int32_t value) = 0;
    // The specialty box: its entries, the entry shown by position, or a text
    // shown as typed.
    virtual void SetSpecialtyItems(const std::vector<std::string>& items) = 0;
    virtual void SelectSpecialty(int32_t position) = 0;
    virtual void SetSpecialtyText(const std::string& text) = 0;
    // The frequency box: its entries and the entry chosen.
    virtual void SetFrequencyItems(const std::vector<std::string>& items) = 0;
    virtual void SelectFrequency(int32_t position) = 0;
    // The level tabs: level 1 to 9.
    virtual void SelectSpellLevel(int32_t level) = 0;
    // The spell list, in the given order, its first line current.
    virtual void ShowSpells(std::vector<std::string> lines) = 0;
    // The per-day and memorized counters and the memorized counter's colour.
    virtual void ShowCounters(int32_t perDay, int32_t memorized, tMarkedColour colour) = 0;
    // The window's caption: "untitled" or a path (file-system bytes).
    virtual void SetCaption(const std::string& caption) = 0;
    // The save-spellbook dialog, starting in folder. Returns false when it is
    // cancelled; otherwise path receives the file chosen.
    virtual bool ChooseSaveFile(const std::string& folder, std::string& path) = 0;
    // Asks for specialty maintenance, shown modally; returns when it closed.
    virtual void OpenSpecialtyMaintenance() = 0;
    // The positions of the selected lines of the spell list, ascending.
    virtual std::vector<int32_t> SelectedRows() const = 0;
    // The import dialog (the file must exist) and the export dialog, starting
    // in folder. False when cancelled; otherwise path receives the file.
    virtual bool ChooseImportFile(const std::string& folder, std::string& path) = 0;
    virtual bool ChooseExportFile(const std::string& folder, std::string& path) = 0;
    // Puts text on the clipboard as plain text: Windows-1252, with marked
    // paths (MessagePath) as the file system spells them.
    virtual void PutOnClipboard(const std::string& text) = 0;
    // The Undo and Redo items: the names of the steps they would take, each
    // empty when there is none (the item is then disabled).
    virtual void ShowHistory(const std::string& undoName, const std::string& redoName) = 0;
    // Brings the window to the front, the active one, as a question about it
    // is asked (while the program closes, each in turn).
    virtual void ComeToFront() = 0;
};
