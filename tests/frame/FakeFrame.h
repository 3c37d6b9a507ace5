#pragma once
// A double of the main frame for its commands.

#include "frame/MainFrame.h"
#include "support/FakeWindows.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The main frame: it makes window doubles whose messages go to Messages.
class tFakeHost : public tSpellBookHost {
public:
    tFakeHost(tSpecialtyList& specialties, std::string dataDirectory)
        : Specialties(specialties), DataDirectory(std::move(dataDirectory)) {}

    tFakeUserInterface Messages;
    tSpecialtyList& Specialties;
    std::string DataDirectory;
    std::vector<std::unique_ptr<tFakeWindow>> Windows; // every window made, discarded ones too
    std::optional<tBookParameters> Parameters;         // nothing: the dialog is cancelled
    std::deque<std::optional<std::string>> OpenFiles;
    std::vector<std::string> OpenFolders;
    std::deque<std::optional<std::string>> DataDirectories; // the folders the dialog answers
    std::vector<std::string> DataDirectoryShown;
    std::optional<tScrollCounts> ScrollCounts; // nothing: the scroll dialog is cancelled
    std::vector<const TSpellBook*> ScrollSources;

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
    bool AskScrollCounts(const TSpellBook& source, tScrollCounts& counts) override {
        ScrollSources.push_back(&source);
        if (!ScrollCounts) {
            return false;
        }
        counts = *ScrollCounts;
        return true;
    }
    bool AskDataDirectory(const std::string& folder, std::string& chosen) override {
        DataDirectoryShown.push_back(folder);
        return TakeFile(DataDirectories, chosen);
    }
};
