#pragma once
// The selection odds dialog: the odds of each frequency, one at a time, in
// force as they are changed; their defaults; OK writes them to the settings.
// Made for one use and released.

#include "maintenance/FrequencyOdds.h"
#include "ui/QtUserInterface.h"

#include <QDialog>

class QListWidget;
class tNumberBox;

class TfrmFrequencyOdds : public QDialog, public tFrequencyOddsView {
    Q_OBJECT
public:
    TfrmFrequencyOdds(QWidget* parent, tWorkingNotice& notice);

    // tFrequencyOddsView
    void SetFrequencyItems(const std::vector<std::string>& items) override;
    void SelectFrequency(int32_t position) override;
    void ShowOdds(int32_t value) override;

public slots:
    void lbFrequencyClick(int row);
    void spnOddsChange(int value);
    void bnDefaultClick();
    void bnOKClick();

private:
    tQtUserInterface UI;
    tFrequencyOdds Odds;
    QListWidget* lbFrequency = nullptr;
    tNumberBox* spnOdds = nullptr;
};
