#pragma once
// The one implementation of the commands' messages and working notice for the
// windows: each window holds one, so its message boxes stand over it, and all
// of them share the program's working notice.

#include "app/UserInterface.h"

class QWidget;

class tQtUserInterface : public tUserInterface {
public:
    // Message boxes are shown over owner; the notice is the program's one.
    tQtUserInterface(QWidget* owner, tWorkingNotice& notice) : Owner(owner), Notice(notice) {}

    tAnswer Message(tMessageKind kind, tButtons buttons, const std::string& text,
                    const std::string& detail) override;
    void ShowWorking(const std::string& info) override { Notice.ShowWorking(info); }
    void HideWorking() override { Notice.HideWorking(); }

    tWorkingNotice& WorkingNotice() { return Notice; }

private:
    QWidget* Owner;
    tWorkingNotice& Notice;
};
