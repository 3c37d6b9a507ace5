#pragma once
// Doubles of the spellbook window for its commands: they record what the
// commands show and answer dialogs from queues.

#include "book/SpellBookDocument.h"
#include "support/FakeUserInterface.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The answer of a file dialog: the first queued file, or cancelled when the
// queue is empty or its first entry is nothing.
inline bool TakeFile(std::deque<std::optional<std::string>>& queue, std::string& path) {
    if (queue.empty()) {
        return false;
    }
    std::optional<std::string> file = queue.front();
    queue.pop_front();
    if (file) {
        path = *file;
    }
    return file.has_value();
}

class tFakeView : public tSpellBookView {
public:
    int32_t WizardLevelBox = 0;
    int32_t IntelligenceBox = 0;
    std::vector<std::string> SpecialtyItems;
    int32_t SpecialtySelected = -2;
    std::string SpecialtyText;
    std::vector<std::string> FrequencyItems;
    int32_t FrequencySelected = -2;
    int32_t SpellLevel = 0;
    std::vector<std::string> Lines;
    int RefreshCount = 0;
    int32_t PerDay = -1;
    int32_t Memorized = -1;
    tMarkedColour Colour = tMarkedColour::ButtonFace;
    std::string Caption;
    // Files the save dialog answers with; nothing queued (or nullopt) cancels.
    std::deque<std::optional<std::string>> SaveFiles;
    std::vector<std::string> SaveFolders;
    int MaintenanceOpened = 0;
    std::vector<int32_t> Selected; // the selected lines
    std::deque<std::optional<std::string>> ImportFiles;
    std::vector<std::string> ImportFolders;
    std::deque<std::optional<std::string>> ExportFiles;
    std::string Clipboard;
    int Fronted = 0; // times brought to the front

    void SetWizardLevelBox(int32_t value) override { WizardLevelBox = value; }
    void SetIntelligenceBox(int32_t value) override { IntelligenceBox = value; }
    void SetSpecialtyItems(const std::vector<std::string>& items) override { SpecialtyItems = items; }
    void SelectSpecialty(int32_t position) override {
        SpecialtySelected = position;
        SpecialtyText = position >= 0 && position < static_cast<int32_t>(SpecialtyItems.size())
                            ? SpecialtyItems[static_cast<size_t>(position)]
                            : std::string();
    }
    void SetSpecialtyText(const std::string& text) override {
        SpecialtySelected = -2;
        SpecialtyText = text;
    }
    void SetFrequencyItems(const std::vector<std::string>& items) override { FrequencyItems = items; }
    void SelectFrequency(int32_t position) override { FrequencySelected = position; }
    void SelectSpellLevel(int32_t level) override { SpellLevel = level; }
    void ShowSpells(std::vector<std::string> lines) override {
        Lines = std::move(lines);
        ++RefreshCount;
    }
    void ShowCounters(int32_t perDay, int32_t memorized, tMarkedColour colour) override {
        PerDay = perDay;
        Memorized = memorized;
        Colour = colour;
    }
    void SetCaption(const std::string& caption) override { Caption = caption; }
    bool ChooseSaveFile(const std::string& folder, std::string& path) override {
        SaveFolders.push_back(folder);
        return TakeFile(SaveFiles, path);
    }
    void OpenSpecialtyMaintenance() override { ++MaintenanceOpened; }
    std::vector<int32_t> SelectedRows() const override { return Selected; }
    bool ChooseImportFile(const std::string& folder, std::string& path) override {
        ImportFolders.push_back(folder);
        return TakeFile(ImportFiles, path);
    }
    bool ChooseExportFile(const std::string&, std::string& path) override {
        return TakeFile(ExportFiles, path);
    }
    void PutOnClipboard(const std::string& text) override { Clipboard = text; }
    void ShowHistory(const std::string& undoName, const std::string& redoName) override {
        UndoName = undoName;
        RedoName = redoName;
    }
    std::string UndoName, RedoName;
    void ComeToFront() override { ++Fronted; }
};

// One window: its view double and its commands; the messages go to ui.
struct tFakeWindow {
    tFakeWindow(tFakeUserInterface& ui, tSpecialtyList& specialties) : Document(View, ui, specialties) {}
    tFakeView View;
    tSpellBookDocument Document;
    bool Discarded = false;
};

// The spell editor: each queued edit changes the spell and answers OK; with
// nothing queued it answers Cancel. It records the spells it was shown.
class tFakeEditor : public tSpellEditor {
public:
    std::deque<std::function<void(tSpell&)>> Edits;
    std::vector<tSpell> Shown;
    std::vector<bool> MemorizedShown;
    bool EditSpell(tSpell& spell, bool showMemorized) override {
        Shown.push_back(spell);
        MemorizedShown.push_back(showMemorized);
        if (Edits.empty()) {
            return false;
        }
        Edits.front()(spell);
        Edits.pop_front();
        return true;
    }
};
