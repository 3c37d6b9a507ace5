#pragma once
// Doubles of the windows for the spellbook commands: they record what the
// commands show and answer questions and dialogs from queues.

#include "book/MainFrame.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// Records messages and answers questions in order; a question with nothing
// queued is answered Cancel (No for a Yes/No question).
class tFakeMessages {
public:
    std::deque<tAnswer> Answers;
    std::vector<std::string> Errors;
    std::vector<std::string> Questions;
    std::vector<std::string> Working; // "show:<info>" and "hide", in order

    tAnswer Answer(const std::string& text, tAnswer unanswered) {
        Questions.push_back(text);
        if (Answers.empty()) {
            return unanswered;
        }
        tAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
};

// The message and working-notice half of a window interface, recorded in a
// tFakeMessages.
template <class Interface> class tRecordsMessages : public Interface {
public:
    explicit tRecordsMessages(tFakeMessages& sink) : Sink(sink) {}

    void ShowError(const std::string& text) override { Sink.Errors.push_back(text); }
    tAnswer AskYesNo(const std::string& text) override { return Sink.Answer(text, tAnswer::No); }
    tAnswer AskYesNoCancel(const std::string& text) override { return Sink.Answer(text, tAnswer::Cancel); }
    void ShowWorking(const std::string& info) override { Sink.Working.push_back("show:" + info); }
    void HideWorking() override { Sink.Working.push_back("hide"); }

private:
    tFakeMessages& Sink;
};

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

class tFakeView : public tRecordsMessages<tSpellBookView> {
public:
    explicit tFakeView(tFakeMessages& messages) : tRecordsMessages(messages), Messages(messages) {}

    tFakeMessages& Messages;
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
    void ShowSpells(const std::vector<std::string>& lines) override {
        Lines = lines;
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
};

// One window: its view double and its commands.
struct tFakeWindow {
    tFakeWindow(tFakeMessages& messages, tSpecialtyList& specialties)
        : View(messages), Document(View, specialties) {}
    tFakeView View;
    tSpellBookDocument Document;
    bool Discarded = false;
};

class tFakeHost : public tRecordsMessages<tSpellBookHost> {
public:
    // The base only keeps a reference to Messages, made below it.
    tFakeHost(tSpecialtyList& specialties, std::string dataDirectory)
        : tRecordsMessages(Messages), Specialties(specialties), DataDirectory(std::move(dataDirectory)) {}

    tFakeMessages Messages;
    tSpecialtyList& Specialties;
    std::string DataDirectory;
    std::vector<std::unique_ptr<tFakeWindow>> Windows; // every window made, discarded ones too
    std::optional<tBookParameters> Parameters;         // nothing: the dialog is cancelled
    std::deque<std::optional<std::string>> OpenFiles;
    std::vector<std::string> OpenFolders;

    int OpenWindows() const {
        int open = 0;
        for (const auto& window : Windows) {
            open += window->Discarded ? 0 : 1;
        }
        return open;
    }

    bool AskBookParameters(tBookParameters& parameters) override {
        if (!Parameters) {
            return false;
        }
        parameters = *Parameters;
        return true;
    }
    tSpellBookDocument* CreateSpellBookWindow() override {
        Windows.push_back(std::make_unique<tFakeWindow>(Messages, Specialties));
        Windows.back()->Document.Create(DataDirectory);
        return &Windows.back()->Document;
    }
    void DiscardSpellBookWindow(tSpellBookDocument* document) override {
        for (auto& window : Windows) {
            if (&window->Document == document) {
                window->Discarded = true;
            }
        }
    }
    bool ChooseOpenFile(const std::string& folder, std::string& path) override {
        OpenFolders.push_back(folder);
        return TakeFile(OpenFiles, path);
    }
};
