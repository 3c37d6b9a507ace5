#pragma once
// The specialty name prompt of specialty maintenance: a prompt, one line of
// text, OK and Cancel, no title-bar buttons. It serves both rename and add.

#include <QDialog>

class QLabel;
class QLineEdit;

class TfrmSpecialtyName : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSpecialtyName(QWidget* parent = nullptr);

    // Shows the prompt modally with its caption and prompt, 24 units below and
    // 113 right of owner's top-left corner, starting with text; false when
    // cancelled, otherwise text receives what was typed.
    bool Ask(QWidget* owner, const QString& caption, const QString& prompt, QString& text);

private:
    QLabel* lblPrompt = nullptr;
    QLineEdit* ebSpecialtyName = nullptr;
};
