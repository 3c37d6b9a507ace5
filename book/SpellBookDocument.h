#pragma once
// The commands of one spellbook window over the book it owns: making the window,
// a new book from the parameters dialog, a book opened from a file, Save, Save
// As and the close question, and the level view with the change handling of the
// wizard's four controls. The window forwards its handlers here and shows what
// the commands tell it through tSpellBookView.

#include "app/BookChanges.h"
#include "app/Undo.h"
#include "app/UserInterface.h"
#include "book/SpellBookView.h"
#include "model/Specialty.h"
#include "model/SpellBook.h"

#include <cstdint>
#include <memory>
#include <string>

// The caption of a book never saved.
inline constexpr const char* UntitledCaption = "untitled";

// The wizard-level box's range. It goes to 30, the table's last row, so a
// level-30 wizard keeps his level.
constexpr int32_t WizardLevelBoxMin = 1;
constexpr int32_t WizardLevelBoxMax = 30;
constexpr int32_t IntelligenceBoxMin = 9;
constexpr int32_t IntelligenceBoxMax = 21;

// What the new-spellbook parameters dialog gave.
struct tBookParameters {
    int32_t CasterLevel = 1;    // 1 to 30
    int32_t Intelligence = 9;   // 9 to 21
    int32_t SpecialtyIndex = 0; // position in the dialog's list ("Generalist" first); -1 none chosen
    std::string SpecialtyText;  // the text of that entry
    int32_t FrequencyIndex = 0; // 0 Common to 4 Restricted
};

// "Spellbook:\r\n" + caption + "\r\nhas not been saved. Do you wish to save it now?"
std::string CloseQuestion(const std::string& caption);
// The question asked when the specialty box is left with an unknown name.
std::string UnknownSpecialtyQuestion(const std::string& text);
// The question asked before Save As replaces an existing file.
std::string ReplaceFileQuestion(const std::string& path);

class tSpellBookDocument {
public:
    // The window's commands over its controls (view), its messages and
    // working notice (ui) and the specialty list in use (the shared one).
    tSpellBookDocument(tSpellBookView& view, tUserInterface& ui, tSpecialtyList& specialties);
    tSpellBookDocument(const tSpellBookDocument&) = delete;
    tSpellBookDocument& operator=(const tSpellBookDocument&) = delete;

    // Making the window: an empty Generalist book (caster level 1, intelligence
    // 9, Common), the boxes at their start values, the specialty and frequency
    // choices filled, level 1 shown, caption "untitled". dataDirectory becomes
    // the folder the window's file dialogs start in.
    void Create(const std::string& dataDirectory);

    // New: the book takes the parameters, is filled from master behind the
    // working notice "Filling Spellbook", the boxes follow the book (running
    // their change handling), the dialog's specialty and frequency are chosen
    // in the boxes, and the book is marked changed.
    void MakeNew(const tBookParameters& parameters, TSpellBook* master);

    // Open, after the file was read: the window takes the book, the boxes show
    // it (caster level and intelligence brought into the boxes' ranges and
    // written back), level 1 is shown, the book is unchanged and the caption is
    // the path.
    void TakeOpenedBook(std::unique_ptr<TSpellBook> book, const std::string& path);
    // A new book made elsewhere (a scroll): shown as an opened one, but still
    // untitled and marked changed.
    void TakeNewBook(std::unique_ptr<TSpellBook> book);

    // Save: Save As for an untitled window; otherwise writes the book to the
    // caption's path. True when the book was written: it is then unchanged,
    // and its file first among the recent files.
    // A refused write shows "Unable to write to <path>" and leaves the book
    // changed.
    bool Save();
    // Save As: asks for a file (and, when it exists, whether to replace it),
    // writes the book there and makes the path the caption. False, with nothing
    // changed, when the dialog is cancelled, replacing is refused or the write
    // fails (the error is shown).
    bool SaveAs();
    // Whether the window may close: true for an unchanged book; otherwise the
    // close question decides (Yes saves, and the window closes only if the
    // book is then unchanged).
    bool CloseQuery();

    // Runs a change of the book as the newest step of the window's history
    // (execute makes it through the changes it is given); false when it
    // changed nothing. The book's Modified follows the history.
    bool Change(std::string name, tBookCommand::tExecute execute, tCommandKind kind = {});
    // Takes back the newest step, or does again the one last taken back; the
    // boxes and the list then show the book as it is.
    void Undo();
    void Redo();
    const tUndoHistory& History() const { return FHistory; }

    // Rebuilds the spell list and both counters for the chosen level.
    void Refresh();
    // The specialty box's choices made anew from the list in use ("Generalist"
    // first); the text shown stays.
    void RefreshSpecialtyChoices();

    // The handlers of the level view's controls.
    void SpellLevelChosen(int32_t level);
    // Chooses the level tab and refreshes the view.
    void ShowLevel(int32_t level);
    void WizardLevelChanged(const std::string& text);
    void IntelligenceChanged(const std::string& text);
    void SpecialtyChanged(const std::string& text);
    void SpecialtyExit(const std::string& text);
    void FrequencyChanged(int32_t position);

    TSpellBook& Book() { return *SpellBook; }
    tSpecialtyList& Specialties() { return FSpecialties; }
    tUserInterface& UserInterface() { return UI; }
    tSpellBookView& View() { return FView; }
    // The position chosen in the frequency box: 0 Common .. 4 Restricted.
    int32_t FrequencyPosition() const { return FFrequencyPosition; }
    const TSpellBook& Book() const { return *SpellBook; }
    const std::string& Caption() const { return FCaption; }
    int32_t SpellLevel() const { return FSpellLevel; }
    bool Modified() const { return SpellBook->Modified; }
    // The folder the window's file dialogs start in.
    const std::string& DialogFolder() const { return FDialogFolder; }

private:
    bool WriteTo(const std::string& path);
    void ShowFrequency(int32_t position);
    void ShowBook(std::unique_ptr<TSpellBook> book);
    void ShowBoxesOfBook();
    // The boxes show the book's four values, and the list its spells.
    void ShowWhatTheBookHolds();
    void HistoryChanged();

    tSpellBookView& FView;
    tUserInterface& UI;
    tSpecialtyList& FSpecialties;
    std::unique_ptr<TSpellBook> SpellBook;
    std::string FCaption = UntitledCaption;
    std::string FDialogFolder;
    int32_t FSpellLevel = 1;
    int32_t FFrequencyPosition = 0;
    tUndoHistory FHistory;
};

// The names of the steps the wizard's four boxes make.
inline constexpr const char* WizardLevelStep = "Wizard Level";
inline constexpr const char* IntelligenceStep = "Intelligence";
inline constexpr const char* SpecialtyStep = "Specialty";
inline constexpr const char* FrequencyStep = "Spell Frequency";
