#pragma once
// The master list window's commands over the master spell pool: its filtered
// view (ShownSpells, references to pool spells), the level view, the filter,
// editing, adding and deleting spells, saving, switching to another master
// file and the close question. The window forwards its handlers here and
// shows what the commands tell it through tMasterListView.

#include "app/BookChanges.h"
#include "app/Undo.h"
#include "app/UserInterface.h"
#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the filter panel's boxes hold.
struct tFilterBoxes {
    bool MatchSpellbook = false; // "Match Spellbook "
    std::string Name;            // "Name Contains:"
    std::string Category;        // "Category Contains:"
    int32_t FrequencyIndex = -1; // "Frequency:", 0 Common .. 4 Restricted; -1 none chosen
    std::string SourceBook;      // "Source Book:"
};

// The master list window as its commands see it.
class tMasterListView {
public:
    virtual ~tMasterListView() = default;
    // The level tabs: level 1 to 9.
    virtual void SelectSpellLevel(int32_t level) = 0;
    // The spell list, in the given order, its first line selected.
    virtual void ShowSpells(std::vector<std::string> lines) = 0;
    // The positions of the selected lines, ascending.
    virtual std::vector<int32_t> SelectedRows() const = 0;
    // The filter boxes: read, emptied (no item chosen, no text, unchecked).
    virtual tFilterBoxes FilterBoxes() const = 0;
    virtual void ClearFilterBoxes() = 0;
    // The two button pairs: Apply-on and Remove-off after Apply Filter,
    // Remove-on and Apply-off after Remove Filter.
    virtual void ShowFilterState(bool filterOn) = 0;
    // The choices of the source book and category boxes; typed text stays.
    virtual void SetSourceBookChoices(const std::vector<std::string>& choices) = 0;
    virtual void SetCategoryChoices(const std::vector<std::string>& choices) = 0;
    // The File menu's "&Save Master File".
    virtual void EnableSave(bool enabled) = 0;
    // The Undo and Redo items: the names of the steps they would take, each
    // empty when there is none (the item is then disabled).
    virtual void ShowHistory(const std::string& undoName, const std::string& redoName) = 0;
    // The busy cursor.
    virtual void ShowBusy(bool busy) = 0;
    // A line in the status bar; empty clears it.
    virtual void ShowStatus(const std::string& text) = 0;
    // The open dialog for a master file, proposing proposedName in folder;
    // false when cancelled, otherwise path receives the file chosen.
    virtual bool ChooseMasterFile(const std::string& proposedName, const std::string& folder,
                                  std::string& path) = 0;
};

// "Spell has been added.\r\nWould you like to add another?"
inline constexpr const char* AddAnotherQuestion = "Spell has been added.\r\nWould you like to add another?";

class tMasterList {
public:
    // activeBook gives the book of the active spellbook window, or none when
    // no spellbook window is open (the filter's legality test).
    tMasterList(tMasterListView& view, tUserInterface& ui, tSpellEditor& editor, tSpecialtyList& specialties,
                std::function<const TSpellBook*()> activeBook);
    ~tMasterList();
    tMasterList(const tMasterList&) = delete;
    tMasterList& operator=(const tMasterList&) = delete;

    // Creation: the pool loaded from the master file behind the working
    // notice, the whole pool shown at level 1.
    void Create();

    // The level view: the lines of the chosen level of ShownSpells.
    void SpellLevelChosen(int32_t level);
    void LevelView();

    void ApplyFilter();
    void RemoveFilter();
    // The choices of the source book and category boxes, from the pool.
    void SourceBookEnter();
    void CategoryEnter();

    // Edits each selected spell once, in list order. An edit that would give
    // a spell the level and name of another spell of the pool is refused with
    // a message; the spell stays as it was.
    void EditSpellData();
    // Removes the selected spells from the view and the pool; no question.
    void DeleteSpell();
    // New spells from the editor, one after another while the user asks for
    // another.
    void AddNewSpell();
    // Takes back the newest change of the pool, or does again the one last
    // taken back; the view shows the pool anew through the filter in force.
    // Loading a master file starts a new history; saving keeps it.
    void Undo();
    void Redo();
    const tUndoHistory& History() const { return FHistory; }

    // Writes the pool to the master file in the form it was read in. False,
    // with the pool still changed, when the write failed (said in an error)
    // or the user kept a file that could not be read from being replaced.
    bool Save();
    // "The current Master Spell File is:" and the file's name.
    void CurrentFile();
    // Another master file: asks for it, offers to save changes first, loads it
    // behind the working notice and shows it through the filter in force.
    void SetMasterFile();
    // Whether the window may hide: an unchanged pool, or the question answered
    // Yes (and saved) or No (the pool is read again from the file).
    bool CloseQuery();

    TSpellBook& Shown() { return *ShownSpells; }
    bool FilterOn() const { return FFilterOn; }
    int32_t SpellLevel() const { return FSpellLevel; }

private:
    void Rebuild();
    // The view made anew from the pool, through the filter when it is on.
    void ShowPoolAgain();
    void LoadPool(bool reportFailure);
    // Runs a change of the pool as the newest step of the history.
    bool Change(std::string name, tBookCommand::tExecute execute);
    void HistoryChanged();

    tMasterListView& View;
    tUserInterface& UI;
    tSpellEditor& Editor;
    tSpecialtyList& FSpecialties;
    std::function<const TSpellBook*()> ActiveBook;
    std::unique_ptr<TSpellBook> ShownSpells;
    bool FFilterOn = false;
    int32_t FSpellLevel = 1;
    // A master file that exists but gave no pool: a save asks before it
    // replaces it.
    std::string FUnreadFile;
    tUndoHistory FHistory;
};

// The names of the commands' steps in the history.
inline constexpr const char* EditSpellDataStep = "Edit Spell Data";
inline constexpr const char* DeleteSpellStep = "Delete Spell";
inline constexpr const char* AddNewSpellStep = "Add New Spell";
