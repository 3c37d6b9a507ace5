#pragma once
// The main frame's commands: the ones that make spellbook windows (New and
// Open) and its close request, over the frame as a small interface.

#include "app/UserInterface.h"
#include "book/SpellBookDocument.h"
#include "output/Scroll.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The main frame as its commands see it (its messages and working notice come
// through tUserInterface).
class tSpellBookHost {
public:
    virtual ~tSpellBookHost() = default;
    // Shows the new-spellbook parameters dialog modally; true when it closed
    // with OK, parameters then holding its choices.
    virtual bool AskBookParameters(tBookParameters& parameters) = 0;
    // Makes a spellbook window (hiding the frame's toolbar) and runs its
    // creation; returns its commands. Never none.
    virtual tSpellBookDocument* CreateSpellBookWindow() = 0;
    // Destroys a window made by CreateSpellBookWindow without asking anything,
    // as if it were closed.
    virtual void DiscardSpellBookWindow(tSpellBookDocument* window) = 0;
    // The open-spellbook dialog, starting in folder; false when cancelled,
    // otherwise path receives the file chosen.
    virtual bool ChooseOpenFile(const std::string& folder, std::string& path) = 0;
    // The data-directory dialog showing folder; false when cancelled,
    // otherwise chosen receives the folder shown on OK.
    virtual bool AskDataDirectory(const std::string& folder, std::string& chosen) = 0;
    // The scroll dialog for a source book: a row per level holding spells,
    // each count from 0 to that level's spells. False when cancelled;
    // otherwise counts holds the numbers chosen (0 for a hidden row).
    virtual bool AskScrollCounts(const TSpellBook& source, tScrollCounts& counts) = 0;
};

inline constexpr const char* ErrorReadingSpellbook = "Error Reading Spellbook File";
inline constexpr const char* RecentFileGone =
    "This spellbook is no longer there. It is taken off the list of recent files.";

class tMainFrameCommands {
public:
    tMainFrameCommands(tSpellBookHost& host, tUserInterface& ui) : Host(host), UI(ui) {}

    // The folder the open-spellbook dialog starts in.
    const std::string& OpenFolder() const { return FOpenFolder; }
    void SetOpenFolder(const std::string& folder) { FOpenFolder = folder; }

    // New spellbook: the parameters dialog, then a new window with a book
    // filled from master. Returns the window, or none when the dialog was
    // cancelled.
    tSpellBookDocument* NewSpellbook(TSpellBook* master);

    // Open: the open dialog, then the file opened into a new window; the
    // file's folder becomes the dialog's folder for the next Open (for the
    // rest of the run only), whether or not the file could be read.
    void Open();

    // Opens a spellbook file into a new window behind the working notice
    // "Loading Spellbook", and puts it first among the recent files. When it
    // cannot be read, shows "Error Reading Spellbook File" with the path and
    // the reason beneath it, makes no window and returns none. A file that held text but no spell opens as an
    // empty book, and the user is told.
    tSpellBookDocument* OpenFile(const std::string& path);

    // One of the recent files chosen in a "&File" menu: opened as OpenFile
    // does (and so put first in the list). A file that is no longer there is
    // said to be gone and taken off the list; one that cannot be read stays
    // on it, after its read error.
    tSpellBookDocument* OpenRecentFile(const std::string& path);

    // Create Scroll: the scroll dialog for the source window's book, then,
    // behind "Creating Scroll", a new untitled window holding a scroll of
    // that many random spells of each level of the source (copies, memorized
    // marks kept) for the same wizard, shown at level 1 and marked changed.
    // Returns the new window, or none when the dialog was cancelled.
    tSpellBookDocument* CreateScroll(tSpellBookDocument& source);

    // Set Data Directory: the dialog shows the stored data directory, or the
    // default data directory when that is gone; on OK the folder is written to the
    // settings and becomes the open dialog's folder. Spellbook windows made
    // afterwards start their dialogs there; open ones keep theirs.
    void SetDataDirectory();

private:
    tSpellBookHost& Host;
    tUserInterface& UI;
    std::string FOpenFolder;
};

// The main frame's close request: asks every spellbook window in turn, then
// the master list (masterMayClose); true only when all agree. Stops at the
// first refusal, so later windows and the master list are not asked.
bool FrameCloseQuery(const std::vector<tSpellBookDocument*>& windows,
                     const std::function<bool()>& masterMayClose);

// Arrange's stacking order of count spellbook windows, from the back to the
// front: the windows in the order they were opened, the active one (a
// position in that order, if any) moved to the end. Cascaded in this order,
// each title bar stands below and right of the one before it, none hidden, and
// the active window is in front.
std::vector<size_t> CascadeOrder(size_t count, std::optional<size_t> active);
