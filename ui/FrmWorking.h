#pragma once
// The working notice: a small stay-on-top box without title-bar buttons,
// centred on the screen, showing "Working..." and one line of text while a
// long command runs on the one thread.

#include "app/UserInterface.h"

#include <QDialog>

class QLabel;

class TfrmWorking : public QDialog, public tWorkingNotice {
    Q_OBJECT
public:
    explicit TfrmWorking(QWidget* parent = nullptr);

    // Sets Info, centres the notice on the screen, shows it and paints it at
    // once; the busy cursor shows until HideWorking.
    void ShowWorking(const std::string& info) override;
    void HideWorking() override;

    QString InfoText() const;

private:
    QLabel* Info = nullptr;
    bool FBusy = false;
};
