#include "book/SpellBookDocument.h"

#include "app/NumberBox.h"
#include "app/PathText.h"
#include "app/RecentFiles.h"
#include "app/Shared.h"
#include "files/Fill.h"
#include "files/SpellbookFile.h"
#include "output/SpellListLine.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string CloseQuestion(const std::string& caption) {
    return "Spellbook:\r\n" + MessagePath(caption) + "\r\nhas not been saved. Do you wish to save it now?";
}

std::string UnknownSpecialtyQuestion(const std::string& text) {
    return "The specialty \"" + text + "\" does not exist on the current specialty list.\r\n" +
           "Would you like modify the specialty list?";
}

std::string ReplaceFileQuestion(const std::string& path) {
    return MessagePath(path) + " already exists.\r\nDo you want to replace it?";
}

tSpellBookDocument::tSpellBookDocument(tSpellBookView& view, tUserInterface& ui, tSpecialtyList& specialties)
    : FView(view), UI(ui), FSpecialties(specialties), SpellBook(TSpellBook::Create(1, 9, 0, GeneralistName)),
      FHistory([this] { HistoryChanged(); }) {
}

void tSpellBookDocument::HistoryChanged() {
    SpellBook->Modified = FHistory.Modified();
    FView.ShowHistory(FHistory.UndoName(), FHistory.RedoName());
}

bool tSpellBookDocument::Change(std::string name, tBookCommand::tExecute execute, tCommandKind kind) {
    return FHistory.Do(std::make_unique<tBookCommand>(SpellBook, std::move(name), std::move(execute), kind));
}

void tSpellBookDocument::Undo() {
    if (FHistory.Undo()) {
        ShowWhatTheBookHolds();
    }
}

void tSpellBookDocument::Redo() {
    if (FHistory.Redo()) {
        ShowWhatTheBookHolds();
    }
}

void tSpellBookDocument::ShowWhatTheBookHolds() {
    FView.SetWizardLevelBox(std::clamp(SpellBook->CasterLevel, WizardLevelBoxMin, WizardLevelBoxMax));
    FView.SetIntelligenceBox(std::clamp(SpellBook->Intelligence, IntelligenceBoxMin, IntelligenceBoxMax));
    FView.SetSpecialtyText(SpellBook->Specialty);
    ShowFrequency(std::clamp(-SpellBook->Frequency, 0, 4));
    Refresh();
}

void tSpellBookDocument::Create(const std::string& dataDirectory) {
    SpellBook = TSpellBook::Create(1, 9, FrequencyCommon, GeneralistName);
    FHistory.Reset(true);
    FView.SetWizardLevelBox(1);
    FView.SetIntelligenceBox(9);
    FView.SetSpecialtyItems(SpecialtyChoices(FSpecialties));
    FView.SelectSpecialty(0);
    FDialogFolder = dataDirectory;
    FView.SetFrequencyItems(FrequencyChoices());
    ShowFrequency(0);
    FSpellLevel = 1;
    FView.SelectSpellLevel(1);
    Refresh();
    FCaption = UntitledCaption;
    FView.SetCaption(FCaption);
}

void tSpellBookDocument::MakeNew(const tBookParameters& parameters, TSpellBook* master) {
    TSpellBook& book = *SpellBook;
    book.CasterLevel = parameters.CasterLevel;
    book.Intelligence = parameters.Intelligence;
    book.Specialty = parameters.SpecialtyIndex < 0 ? GeneralistName : parameters.SpecialtyText;
    const int32_t frequency = std::clamp(parameters.FrequencyIndex, 0, 4);
    book.Frequency = -frequency;
    {
        tWorking working(UI, WorkingFillingSpellbook);
        FillBook(&book, master, &FSpecialties);
        Refresh();
    }
    ShowBoxesOfBook();
    // With no specialty chosen in the dialog the book is a generalist's; the box
    // shows so rather than going blank.
    FView.SelectSpecialty(std::max(parameters.SpecialtyIndex, 0));
    ShowFrequency(frequency);
    FHistory.Reset(false);
}

void tSpellBookDocument::TakeOpenedBook(std::unique_ptr<TSpellBook> book, const std::string& path) {
    ShowBook(std::move(book));
    FHistory.Reset(true);
    FCaption = path;
    FView.SetCaption(FCaption);
}

void tSpellBookDocument::TakeNewBook(std::unique_ptr<TSpellBook> book) {
    ShowBook(std::move(book));
    FHistory.Reset(false);
}

// The window takes the book: the boxes show it (caster level and
// intelligence brought into the boxes' ranges and written back), level 1.
void tSpellBookDocument::ShowBook(std::unique_ptr<TSpellBook> book) {
    SpellBook = std::move(book);
    ShowBoxesOfBook();
    FView.SetSpecialtyText(SpellBook->Specialty);
    ShowFrequency(std::clamp(-SpellBook->Frequency, 0, 4));
    FSpellLevel = 1;
    FView.SelectSpellLevel(1);
    Refresh();
}

// Sets the wizard-level and intelligence boxes to the book's values, brought
// into the boxes' ranges, and writes the boxes' values back into the book, as
// their change handling does; the history starts afresh after it.
void tSpellBookDocument::ShowBoxesOfBook() {
    SpellBook->CasterLevel = std::clamp(SpellBook->CasterLevel, WizardLevelBoxMin, WizardLevelBoxMax);
    FView.SetWizardLevelBox(SpellBook->CasterLevel);
    SpellBook->Intelligence = std::clamp(SpellBook->Intelligence, IntelligenceBoxMin, IntelligenceBoxMax);
    FView.SetIntelligenceBox(SpellBook->Intelligence);
    Refresh();
}

bool tSpellBookDocument::Save() {
    if (FCaption == UntitledCaption) {
        return SaveAs();
    }
    return WriteTo(FCaption);
}

bool tSpellBookDocument::SaveAs() {
    std::string path;
    if (!FView.ChooseSaveFile(FDialogFolder, path) || path.empty()) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::exists(path, error) && UI.AskYesNo(ReplaceFileQuestion(path)) != tAnswer::Yes) {
        return false;
    }
    if (!WriteTo(path)) {
        return false;
    }
    FCaption = path;
    FView.SetCaption(FCaption);
    return true;
}

bool tSpellBookDocument::WriteTo(const std::string& path) {
    FileError error = FileError::None;
    if (!WriteSpellbookFile(*SpellBook, path, &error)) {
        UI.ShowError(SettingsWriteError(MessagePath(path)), ExplainFileError(path, error));
        return false;
    }
    FHistory.MarkSaved();
    NoteRecentFile(path);
    return true;
}

bool tSpellBookDocument::CloseQuery() {
    if (!SpellBook->Modified) {
        return true;
    }
    FView.ComeToFront();
    switch (UI.AskYesNoCancel(CloseQuestion(FCaption))) {
    case tAnswer::No:
        return true;
    case tAnswer::Yes:
        Save();
        return !SpellBook->Modified;
    default:
        return false;
    }
}

void tSpellBookDocument::Refresh() {
    FView.ShowSpells(SpellListLines(*SpellBook, FSpellLevel, true));
    const int32_t memorized = MemorizedOfLevel(*SpellBook, FSpellLevel);
    const int32_t perDay = SpellsPerDayShown(*SpellBook, FSpellLevel);
    FView.ShowCounters(perDay, memorized, MarkedColour(memorized, perDay));
}

void tSpellBookDocument::RefreshSpecialtyChoices() {
    FView.SetSpecialtyItems(SpecialtyChoices(FSpecialties));
}

void tSpellBookDocument::SpellLevelChosen(int32_t level) {
    FSpellLevel = std::clamp(level, MinSpellLevel, MaxSpellLevel);
    Refresh();
}

void tSpellBookDocument::ShowLevel(int32_t level) {
    FSpellLevel = std::clamp(level, MinSpellLevel, MaxSpellLevel);
    FView.SelectSpellLevel(FSpellLevel);
    Refresh();
}

// The boxes' changes are steps of the history; typing on in the same box
// makes one step of them.
void tSpellBookDocument::WizardLevelChanged(const std::string& text) {
    const int32_t value = NumberBoxValue(text, WizardLevelBoxMin, WizardLevelBoxMax);
    Change(WizardLevelStep, [value](tBookChanges& changes) { changes.SetCasterLevel(value); },
           {.Merges = true});
    Refresh();
}

void tSpellBookDocument::IntelligenceChanged(const std::string& text) {
    const int32_t value = NumberBoxValue(text, IntelligenceBoxMin, IntelligenceBoxMax);
    Change(IntelligenceStep, [value](tBookChanges& changes) { changes.SetIntelligence(value); },
           {.Merges = true});
}

void tSpellBookDocument::SpecialtyChanged(const std::string& text) {
    Change(SpecialtyStep, [&text](tBookChanges& changes) { changes.SetSpecialty(text); }, {.Merges = true});
    Refresh();
}

void tSpellBookDocument::SpecialtyExit(const std::string& text) {
    if (FSpecialties.Find(text) || text == GeneralistName) {
        return;
    }
    if (UI.AskYesNo(UnknownSpecialtyQuestion(text)) == tAnswer::Yes) {
        FView.OpenSpecialtyMaintenance();
    }
}

void tSpellBookDocument::ShowFrequency(int32_t position) {
    FFrequencyPosition = position;
    FView.SelectFrequency(position);
}

// The frequency box is not an unsaved change.
void tSpellBookDocument::FrequencyChanged(int32_t position) {
    FFrequencyPosition = std::clamp(position, 0, 4);
    const int32_t frequency = -FFrequencyPosition;
    Change(FrequencyStep, [frequency](tBookChanges& changes) { changes.SetFrequency(frequency); },
           {.Marks = false, .Merges = true});
}
