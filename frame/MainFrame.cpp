#include "frame/MainFrame.h"

#include "app/PathText.h"
#include "app/RecentFiles.h"
#include "app/Shared.h"
#include "files/SpellbookFile.h"

#include <filesystem>

tSpellBookDocument* tMainFrameCommands::NewSpellbook(TSpellBook* master) {
    tBookParameters parameters;
    if (!Host.AskBookParameters(parameters)) {
        return nullptr;
    }
    tSpellBookDocument* window = Host.CreateSpellBookWindow();
    window->MakeNew(parameters, master);
    return window;
}

void tMainFrameCommands::Open() {
    std::string path;
    if (!Host.ChooseOpenFile(FOpenFolder, path) || path.empty()) {
        return;
    }
    OpenFile(path);
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty()) {
        FOpenFolder = folder.string() + '/';
    }
}

tSpellBookDocument* tMainFrameCommands::OpenFile(const std::string& path) {
    UI.ShowWorking(WorkingLoadingSpellbook);
    // The book is read before its window is made: a file that cannot be read
    // leaves no window behind its message.
    FileError error = FileError::None;
    std::unique_ptr<TSpellBook> book = ReadSpellbookFile(path, &error);
    if (!book) {
        // The notice goes first so that it does not stand over the message.
        UI.HideWorking();
        UI.ShowError(ErrorReadingSpellbook, FileErrorDetail(path, error));
        return nullptr;
    }
    tSpellBookDocument* window = Host.CreateSpellBookWindow();
    window->TakeOpenedBook(std::move(book), path);
    NoteRecentFile(path);
    UI.HideWorking();
    if (error == FileError::NoSpells) {
        UI.Message(tMessageKind::Information, tButtons::Ok, "The file holds no spells.", MessagePath(path));
    }
    return window;
}

tSpellBookDocument* tMainFrameCommands::CreateScroll(tSpellBookDocument& source) {
    tScrollCounts counts{};
    if (!Host.AskScrollCounts(source.Book(), counts)) {
        return nullptr;
    }
    tWorking working(UI, WorkingCreatingScroll);
    tSpellBookDocument* window = Host.CreateSpellBookWindow();
    window->TakeNewBook(MakeScroll(source.Book(), counts));
    return window;
}

tSpellBookDocument* tMainFrameCommands::OpenRecentFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::symlink_status(path, error).type() == std::filesystem::file_type::not_found) {
        ForgetRecentFile(path);
        UI.ShowError(RecentFileGone, MessagePath(path));
        return nullptr;
    }
    return OpenFile(path);
}

void tMainFrameCommands::SetDataDirectory() {
    std::string folder = ReadDataDirectory();
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        folder = FileLocations().DataDirectory;
    }
    std::string chosen;
    if (!Host.AskDataDirectory(folder, chosen) || chosen.empty()) {
        return;
    }
    if (chosen.back() != '/') {
        chosen += '/';
    }
    if (!WriteSetting(MainSection, DataDirectoryKey, chosen, UI)) {
        return;
    }
    FOpenFolder = chosen;
}

bool FrameCloseQuery(const std::vector<tSpellBookDocument*>& windows,
                     const std::function<bool()>& masterMayClose) {
    for (tSpellBookDocument* window : windows) {
        if (!window->CloseQuery()) {
            return false;
        }
    }
    return !masterMayClose || masterMayClose();
}

std::vector<size_t> CascadeOrder(size_t count, std::optional<size_t> active) {
    std::vector<size_t> order;
    for (size_t i = 0; i < count; ++i) {
        if (i != active) {
            order.push_back(i);
        }
    }
    if (active && *active < count) {
        order.push_back(*active);
    }
    return order;
}
