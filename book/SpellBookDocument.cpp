#include "book/SpellBookDocument.h"

#include "app/PathText.h"
#include "app/Shared.h"
#include "files/Fill.h"
#include "files/SpellbookFile.h"
#include "output/SpellListLine.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

int32_t NumberBoxValue(const std::string& text, int32_t min, int32_t max) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) {
        return min;
    }
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') {
        ++first;
    }
    long long value = 0;
    auto [stop, error] = std::from_chars(first, last, value);
    if (stop != last) {
        return min;
    }
    if (error == std::errc::result_out_of_range) {
        return *first == '-' ? min : max;
    }
    if (error != std::errc()) {
        return min;
    }
    return static_cast<int32_t>(std::clamp<long long>(value, min, max));
}

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
    : View(view), UI(ui), FSpecialties(specialties), SpellBook(TSpellBook::Create(1, 9, 0, GeneralistName)) {
}

void tSpellBookDocument::Create(const std::string& dataDirectory) {
    SpellBook = TSpellBook::Create(1, 9, FrequencyCommon, GeneralistName);
    View.SetWizardLevelBox(1);
    View.SetIntelligenceBox(9);
    View.SetSpecialtyItems(SpecialtyChoices(FSpecialties));
    View.SelectSpecialty(0);
    FDialogFolder = dataDirectory;
    View.SetFrequencyItems(FrequencyChoices());
    View.SelectFrequency(0);
    FSpellLevel = 1;
    View.SelectSpellLevel(1);
    Refresh();
    FCaption = UntitledCaption;
    View.SetCaption(FCaption);
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
    View.SelectSpecialty(std::max(parameters.SpecialtyIndex, 0));
    View.SelectFrequency(frequency);
    book.Modified = true;
}

void tSpellBookDocument::TakeOpenedBook(std::unique_ptr<TSpellBook> book, const std::string& path) {
    SpellBook = std::move(book);
    ShowBoxesOfBook();
    View.SetSpecialtyText(SpellBook->Specialty);
    View.SelectFrequency(std::clamp(-SpellBook->Frequency, 0, 4));
    FSpellLevel = 1;
    View.SelectSpellLevel(1);
    Refresh();
    SpellBook->Modified = false;
    FCaption = path;
    View.SetCaption(FCaption);
}

// Sets the wizard-level and intelligence boxes to the book's values, brought
// into the boxes' ranges, and runs their change handling (which writes the
// boxes' values back into the book).
void tSpellBookDocument::ShowBoxesOfBook() {
    const int32_t level = std::clamp(SpellBook->CasterLevel, WizardLevelBoxMin, WizardLevelBoxMax);
    View.SetWizardLevelBox(level);
    WizardLevelChanged(std::to_string(level));
    const int32_t intelligence = std::clamp(SpellBook->Intelligence, IntelligenceBoxMin, IntelligenceBoxMax);
    View.SetIntelligenceBox(intelligence);
    IntelligenceChanged(std::to_string(intelligence));
}

bool tSpellBookDocument::Save() {
    if (FCaption == UntitledCaption) {
        return SaveAs();
    }
    return WriteTo(FCaption);
}

bool tSpellBookDocument::SaveAs() {
    std::string path;
    if (!View.ChooseSaveFile(FDialogFolder, path) || path.empty()) {
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
    View.SetCaption(FCaption);
    return true;
}

bool tSpellBookDocument::WriteTo(const std::string& path) {
    if (!WriteSpellbookFile(*SpellBook, path)) {
        UI.ShowError(SettingsWriteError(MessagePath(path)));
        return false;
    }
    SpellBook->Modified = false;
    return true;
}

bool tSpellBookDocument::CloseQuery() {
    if (!SpellBook->Modified) {
        return true;
    }
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
    View.ShowSpells(SpellListLines(*SpellBook, FSpellLevel, true));
    const int32_t memorized = MemorizedOfLevel(*SpellBook, FSpellLevel);
    const int32_t perDay = SpellsPerDayShown(*SpellBook, FSpellLevel);
    View.ShowCounters(perDay, memorized, MarkedColour(memorized, perDay));
}

void tSpellBookDocument::SpellLevelChosen(int32_t level) {
    FSpellLevel = std::clamp(level, MinSpellLevel, MaxSpellLevel);
    Refresh();
}

void tSpellBookDocument::WizardLevelChanged(const std::string& text) {
    SpellBook->Modified = true;
    SpellBook->CasterLevel = NumberBoxValue(text, WizardLevelBoxMin, WizardLevelBoxMax);
    Refresh();
}

void tSpellBookDocument::IntelligenceChanged(const std::string& text) {
    SpellBook->Modified = true;
    SpellBook->Intelligence = NumberBoxValue(text, IntelligenceBoxMin, IntelligenceBoxMax);
}

void tSpellBookDocument::SpecialtyChanged(const std::string& text) {
    SpellBook->Modified = true;
    SpellBook->Specialty = text;
    Refresh();
}

void tSpellBookDocument::SpecialtyExit(const std::string& text) {
    if (FSpecialties.Find(text) || text == GeneralistName) {
        return;
    }
    if (UI.AskYesNo(UnknownSpecialtyQuestion(text)) == tAnswer::Yes) {
        View.OpenSpecialtyMaintenance();
    }
}

void tSpellBookDocument::FrequencyChanged(int32_t position) {
    SpellBook->Frequency = -std::clamp(position, 0, 4);
}
