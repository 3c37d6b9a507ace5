#pragma once
// What the program's commands need from the windows, without the windows: the
// message boxes and the working notice. The windows implement these; tests
// answer them with doubles. All text is 8-bit (Windows-1252), as everywhere in
// the program; "\r\n" in a message is a line break.

#include <string>

// The button a message box was closed with.
enum class tAnswer { Ok, Cancel, Yes, No };

class tMessages {
public:
    virtual ~tMessages() = default;
    // An error message with an OK button.
    virtual void ShowError(const std::string& text) = 0;
    // A confirmation with Yes and No; answers Yes or No.
    virtual tAnswer AskYesNo(const std::string& text) = 0;
    // A confirmation with Yes, No and Cancel; answers Yes, No or Cancel.
    virtual tAnswer AskYesNoCancel(const std::string& text) = 0;
};

// The stay-on-top notice shown while a long command runs on the one thread.
class tWorkingNotice {
public:
    virtual ~tWorkingNotice() = default;
    // Shows the notice centred on the screen with info as its line of text and
    // paints it at once.
    virtual void ShowWorking(const std::string& info) = 0;
    virtual void HideWorking() = 0;
};

// Shows the notice for as long as it lives.
class tWorking {
public:
    tWorking(tWorkingNotice& notice, const std::string& info) : FNotice(notice) { FNotice.ShowWorking(info); }
    ~tWorking() { FNotice.HideWorking(); }
    tWorking(const tWorking&) = delete;
    tWorking& operator=(const tWorking&) = delete;

private:
    tWorkingNotice& FNotice;
};

// The texts of the working notice.
inline constexpr const char* WorkingFillingSpellbook = "Filling Spellbook";
inline constexpr const char* WorkingLoadingSpellbook = "Loading Spellbook";
inline constexpr const char* WorkingLoadingMaster = "Loading Master Spell List";
