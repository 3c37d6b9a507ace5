#pragma once
// What the program's commands need from the windows, without the windows: the
// message boxes and the working notice. One Qt implementation serves every
// window; tests answer them with doubles. All text is 8-bit (Windows-1252), as
// everywhere in the program; "\r\n" in a message is a line break.

#include <string>

// The button a message box was closed with.
enum class tAnswer { Ok, Cancel, Yes, No };

// The kind of a message box (its icon and title) and the buttons it offers.
enum class tMessageKind { Error, Information, Confirmation };
enum class tButtons { Ok, OkCancel, YesNo, YesNoCancel };

class tMessages {
public:
    virtual ~tMessages() = default;

    // Shows a modal message box with text, and detail beneath it when detail
    // is not empty; returns the button that closed it. Closing the box
    // without a button answers Cancel, or No when the box has no Cancel.
    virtual tAnswer Message(tMessageKind kind, tButtons buttons, const std::string& text,
                            const std::string& detail) = 0;

    // An error message with an OK button.
    void ShowError(const std::string& text, const std::string& detail = {}) {
        Message(tMessageKind::Error, tButtons::Ok, text, detail);
    }
    // An information message with an OK button.
    void ShowInformation(const std::string& text) {
        Message(tMessageKind::Information, tButtons::Ok, text, {});
    }
    // A confirmation with Yes and No; answers Yes or No.
    tAnswer AskYesNo(const std::string& text) {
        return Message(tMessageKind::Confirmation, tButtons::YesNo, text, {});
    }
    // A confirmation with Yes, No and Cancel; answers Yes, No or Cancel.
    tAnswer AskYesNoCancel(const std::string& text) {
        return Message(tMessageKind::Confirmation, tButtons::YesNoCancel, text, {});
    }
    // A message of the given kind with OK and Cancel; answers Ok or Cancel.
    tAnswer AskOkCancel(const std::string& text, tMessageKind kind = tMessageKind::Confirmation) {
        return Message(kind, tButtons::OkCancel, text, {});
    }
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

// Both: what a window gives its commands besides its own controls.
class tUserInterface : public tMessages, public tWorkingNotice {};

class tSpell;

// The spell editor dialog, shown modally for one spell.
class tSpellEditor {
public:
    virtual ~tSpellEditor() = default;
    // Shows spell's fields, with or without the memorized box and its label;
    // on OK writes the fields back into spell and returns true. Cancel leaves
    // spell untouched and returns false.
    virtual bool EditSpell(tSpell& spell, bool showMemorized) = 0;
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
inline constexpr const char* WorkingCopyingToClipboard = "Copying to Clipboard";
inline constexpr const char* WorkingCreatingScroll = "Creating Scroll";
inline constexpr const char* WorkingLoadingMaster = "Loading Master Spell List";
inline constexpr const char* WorkingResettingMaster = "Resetting Master Spell List";
