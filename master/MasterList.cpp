#include "master/MasterList.h"

#include "app/PathText.h"
#include "app/Shared.h"
#include "files/Rules.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "master/MasterPool.h"
#include "master/SpellFilter.h"
#include "model/BookSearch.h"
#include "output/SpellListLine.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

constexpr const char* ChangedQuestion = "Master Spell File has been changed.\r\nDo you wish to save it now?";
constexpr const char* CloseQuestionText =
    "Master Spell List has been changed and has \r\nnot been saved. Do you wish to save it now?";
constexpr const char* ErrorReadingMaster = "Error Reading Master Spell File";

// "Spell <name> of level <L> is already in the master list."
std::string AlreadyThere(const tSpell& spell) {
    return "Spell " + spell.Name + " of level " + std::to_string(spell.Level) +
           " is already in the master list.";
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// What the status bar says of the master file path after a load that gave
// error: that it holds no spells, is not a regular file, or could not be read
// and why; nothing for a file read or not there.
std::string LoadStatus(const std::string& path, FileError error) {
    if (error == FileError::NoSpells) {
        return MessagePath(path) + " holds no spells.";
    }
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (error == FileError::None || !std::filesystem::exists(status)) {
        return {};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return MessagePath(path) + " is not a regular file.";
    }
    return MessagePath(path) + " could not be read. " + ExplainFileError(path, error);
}

// The spells at the given rows of the level of the view, resolved before any
// of them changes.
std::vector<tSpell*> SpellsAt(TSpellBook& view, int32_t level, const std::vector<int32_t>& rows) {
    std::vector<tSpell*> spells;
    for (int32_t row : rows) {
        if (tSpell* spell = view.SpellAt(level, row)) {
            spells.push_back(spell);
        }
    }
    return spells;
}

// Removes the spell from the view (a reference) and from the pool, whose
// change keeps it.
void RemoveFromViewAndPool(TSpellBook& view, tBookChanges& pool, tSpell* spell) {
    if (SeekSpell(view, spell)) {
        view.DeleteCurrent();
    }
    if (SeekSpell(pool.Book(), spell)) {
        pool.Removed(pool.Book().TakeCurrent());
    }
}

} // namespace

tMasterList::tMasterList(tMasterListView& view, tUserInterface& ui, tSpellEditor& editor,
                         tSpecialtyList& specialties, std::function<const TSpellBook*()> activeBook)
    : View(view), UI(ui), Editor(editor), FSpecialties(specialties), ActiveBook(std::move(activeBook)),
      ShownSpells(TSpellBook::Create(0, 0, 0, std::string())), FHistory([this] { HistoryChanged(); }) {
    ShownSpells->MarkReferencesOnly();
}

tMasterList::~tMasterList() {
    // The view points at pool spells: it lets go of them first.
    ShownSpells->Clear();
}

void tMasterList::Create() {
    UI.ShowWorking(WorkingLoadingMaster);
    PrepareMasterFile(Settings.get());
    LoadPool(false);
    FFilterOn = false;
    RemoveFilter();
    FSpellLevel = 1;
    View.SelectSpellLevel(1);
    LevelView();
    UI.HideWorking();
}

// Reads the master file named in the settings into the pool, keeping the form
// it was read in. A file that exists but gives no pool (or holds no spell) is
// remembered, so that a save does not replace it unasked; with reportFailure,
// the user is told. A file that held no spell is also said to be so in the
// status bar.
void tMasterList::LoadPool(bool reportFailure) {
    ShownSpells->Clear();
    const std::string path = MasterFileName(Settings.get());
    const FileError error = LoadMasterSpells(path);
    FUnreadFile.clear();
    View.ShowStatus(LoadStatus(path, error));
    if (error != FileError::None && FileExists(path)) {
        FUnreadFile = path;
        if (reportFailure) {
            UI.HideWorking();
            UI.ShowError(ErrorReadingMaster, FileErrorDetail(path, error));
        }
    }
    FHistory.Reset(true);
}

void tMasterList::SpellLevelChosen(int32_t level) {
    FSpellLevel = std::clamp(level, MinSpellLevel, MaxSpellLevel);
    LevelView();
}

void tMasterList::LevelView() {
    View.ShowSpells(SpellListLines(*ShownSpells, FSpellLevel, false));
}

void tMasterList::ApplyFilter() {
    View.ShowBusy(true);
    const TSpellBook* active = ActiveBook ? ActiveBook() : nullptr;
    FFilterOn = true;
    View.ShowFilterState(true);
    const tFilterBoxes boxes = View.FilterBoxes();
    tSpellFilter filter;
    if (boxes.MatchSpellbook && active) {
        filter.MatchBook = active;
        filter.Specialties = &FSpecialties;
    }
    filter.Name = boxes.Name;
    filter.Category = boxes.Category;
    if (boxes.FrequencyIndex >= 0 && boxes.FrequencyIndex <= 4) {
        filter.Frequency = -boxes.FrequencyIndex;
    }
    filter.SourceBook = boxes.SourceBook;
    ::ApplyFilter(*MasterSpells, *ShownSpells, filter);
    LevelView();
    View.ShowBusy(false);
}

void tMasterList::RemoveFilter() {
    View.ShowBusy(true);
    FFilterOn = false;
    View.ShowFilterState(false);
    View.ClearFilterBoxes();
    ShowWholePool(*MasterSpells, *ShownSpells);
    LevelView();
    View.ShowBusy(false);
}

void tMasterList::Rebuild() {
    if (FFilterOn) {
        ApplyFilter();
    } else {
        RemoveFilter();
    }
}

void tMasterList::SourceBookEnter() {
    View.SetSourceBookChoices(BookTitles(*MasterSpells));
}

void tMasterList::CategoryEnter() {
    View.SetCategoryChoices(CategoryNames(*MasterSpells));
}

void tMasterList::HistoryChanged() {
    MasterSpells->Modified = FHistory.Modified();
    View.EnableSave(MasterSpells->Modified);
    View.ShowHistory(FHistory.UndoName(), FHistory.RedoName());
}

bool tMasterList::Change(std::string name, tBookCommand::tExecute execute) {
    return FHistory.Do(std::make_unique<tBookCommand>(MasterSpells, std::move(name), std::move(execute)));
}

void tMasterList::ShowPoolAgain() {
    if (FFilterOn) {
        ApplyFilter();
        return;
    }
    ShowWholePool(*MasterSpells, *ShownSpells);
    LevelView();
}

// The view lets go of the pool's spells first: the pool's change then moves
// no view along with it.
void tMasterList::Undo() {
    if (FHistory.CanUndo()) {
        ShownSpells->Clear();
        FHistory.Undo();
        ShowPoolAgain();
    }
}

void tMasterList::Redo() {
    if (FHistory.CanRedo()) {
        ShownSpells->Clear();
        FHistory.Redo();
        ShowPoolAgain();
    }
}

void tMasterList::EditSpellData() {
    const bool edited = Change(EditSpellDataStep, [&](tBookChanges& pool) {
        for (tSpell* spell : SpellsAt(*ShownSpells, FSpellLevel, View.SelectedRows())) {
            std::unique_ptr<tSpell> copy = spell->Copy();
            if (!Editor.EditSpell(*copy, false)) {
                continue;
            }
            // Another spell of the same level and name would refuse the edited
            // one after this one was gone: the edit is refused instead.
            const tSpell* other = FindEqualSpell(*MasterSpells, *copy);
            if (other && other != spell) {
                UI.ShowError(AlreadyThere(*copy), "The spell was not changed.");
                continue;
            }
            RemoveFromViewAndPool(*ShownSpells, pool, spell);
            tSpell* added = copy.get();
            if (pool.Add(std::move(copy))) {
                ShownSpells->AddSpell(added);
            }
        }
    });
    if (edited) {
        Rebuild();
    }
}

void tMasterList::DeleteSpell() {
    Change(DeleteSpellStep, [&](tBookChanges& pool) {
        for (tSpell* spell : SpellsAt(*ShownSpells, FSpellLevel, View.SelectedRows())) {
            RemoveFromViewAndPool(*ShownSpells, pool, spell);
        }
    });
    LevelView();
}

void tMasterList::AddNewSpell() {
    Change(AddNewSpellStep, [&](tBookChanges& pool) {
        tSpell working(1, std::string(), std::string(), 0, FrequencyCommon, std::string(), false);
        while (Editor.EditSpell(working, false)) {
            std::unique_ptr<tSpell> copy = working.Copy();
            tSpell* added = copy.get();
            tAnswer another = tAnswer::No;
            if (pool.Add(std::move(copy))) {
                ShownSpells->AddSpell(added);
                LevelView();
                another = UI.AskYesNo(AddAnotherQuestion);
            } else {
                // Nothing was added: say so instead of reporting the spell added.
                UI.ShowInformation(AlreadyThere(working) + "\r\nIt was not added.");
                another = UI.AskYesNo("Would you like to add another?");
            }
            if (another != tAnswer::Yes) {
                break;
            }
            working.Name.clear();
        }
    });
    Rebuild();
}

bool tMasterList::Save() {
    const std::string path = MasterFileName(Settings.get());
    if (!FUnreadFile.empty() && FUnreadFile == path && FileExists(path) &&
        UI.AskYesNo(MessagePath(path) + " could not be read. Replace it with the spells shown?") !=
            tAnswer::Yes) {
        return false;
    }
    FileError error = FileError::None;
    const bool written = MasterSpells->FileVersion != 0 ? WriteSpellbookFile(*MasterSpells, path, &error)
                                                        : WriteSpellList(*MasterSpells, path, &error);
    if (!written) {
        UI.ShowError(SettingsWriteError(MessagePath(path)), ExplainFileError(path, error));
        return false;
    }
    FUnreadFile.clear();
    FHistory.MarkSaved();
    return true;
}

void tMasterList::CurrentFile() {
    UI.ShowInformation("The current Master Spell File is:\r\n" + MessagePath(MasterFileName(Settings.get())));
}

void tMasterList::SetMasterFile() {
    const std::filesystem::path current(MasterFileName(Settings.get()));
    // A bare name is read from the working folder: the dialog starts there,
    // not wherever an earlier dialog was left.
    std::error_code error;
    std::string folder = current.has_parent_path() ? current.parent_path().string()
                                                   : std::filesystem::current_path(error).string();
    if (!folder.empty()) {
        folder += '/';
    }
    std::string path;
    if (!View.ChooseMasterFile(current.filename().string(), folder, path) || path.empty()) {
        return;
    }
    if (MasterSpells->Modified) {
        switch (UI.AskYesNoCancel(ChangedQuestion)) {
        case tAnswer::Yes:
            // A save that did not happen keeps the changes and the old file.
            if (!Save()) {
                return;
            }
            break;
        case tAnswer::No:
            break;
        default:
            return;
        }
    }
    tWorking working(UI, WorkingLoadingMaster);
    if (!WriteSetting(MainSection, MasterFileKey, path, UI)) {
        return;
    }
    LoadPool(true);
    Rebuild();
}

bool tMasterList::CloseQuery() {
    if (!MasterSpells->Modified) {
        return true;
    }
    switch (UI.AskYesNoCancel(CloseQuestionText)) {
    case tAnswer::Yes:
        Save();
        return !MasterSpells->Modified;
    case tAnswer::No: {
        tWorking working(UI, WorkingResettingMaster);
        LoadPool(false);
        Rebuild();
        return true;
    }
    default:
        return false;
    }
}
