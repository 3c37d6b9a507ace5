#pragma once
// The output format dialog: the columns and what each spell's entry shows,
// and the output font, for the whole run. It has no logic of its own: OK or
// Cancel close it, and its controls keep what the user left in them.

#include "output/OutputOptions.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;

class TfrmPrintFormat : public QDialog, public tOutputFormat {
    Q_OBJECT
public:
    explicit TfrmPrintFormat(QWidget* parent = nullptr);

    // tOutputFormat
    bool AskOptions() override;
    tOutputOptions Options() const override;
    void SetFont(const tOutputFont& font) override { Font = font; }

private:
    QButtonGroup* grpColumns = nullptr;
    QCheckBox* cbMemorized = nullptr;
    QCheckBox* cbBookPage = nullptr;
    QCheckBox* cbCategory = nullptr;
    QCheckBox* cbFrequency = nullptr;
    // The output font (the font dialog's): face "System", 17 pixels.
    tOutputFont Font;
};
