#pragma once
// The spell editor: one dialog with every field of a spell. Its caller hands it
// a spell (LoadSpell), runs it modally and, on OK, takes the values back
// (StoreSpell); the editor itself decides nothing about the spell.

#include "app/UserInterface.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class tNumberBox;

class TfrmSpellEdit : public QDialog, public tSpellEditor {
    Q_OBJECT
public:
    explicit TfrmSpellEdit(QWidget* parent = nullptr);

    // Fills the controls from the spell; with none, disables the seven value
    // controls and changes nothing else.
    void LoadSpell(const tSpell* spell);
    // Writes the controls into the spell, in place; nothing with none.
    void StoreSpell(tSpell* spell) const;
    // The memorized box and its label, shown or hidden by the caller.
    void SetMemorizedVisible(bool visible);

    // tSpellEditor: LoadSpell, the memorized controls as asked, the dialog
    // modally, and StoreSpell on OK. The dialog belongs to owner's window
    // (by default its parent's, the frame's).
    bool EditSpell(tSpell& spell, bool showMemorized) override;
    bool EditSpellFor(QWidget* owner, tSpell& spell, bool showMemorized);

private:
    tNumberBox* spnLevel = nullptr;
    QLineEdit* ebName = nullptr;
    QLineEdit* ebBook = nullptr;
    QLineEdit* ebPage = nullptr;
    QLineEdit* ebCategory = nullptr;
    QComboBox* cbSpellFrequency = nullptr;
    QCheckBox* cbMemorized = nullptr;
    QLabel* lblMemorized = nullptr;
};
