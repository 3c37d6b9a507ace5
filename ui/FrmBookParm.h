#pragma once
// The new-spellbook parameters dialog: caster level, intelligence, specialty
// and frequency limit. One instance for the whole run; it keeps the last
// choices between uses.

#include "book/SpellBookDocument.h"
#include "model/Specialty.h"

#include <QDialog>

class QButtonGroup;
class QListWidget;

class TfrmBookParm : public QDialog {
    Q_OBJECT
protected:
    // Each time it opens, the focus is on the caster level chosen.
    void showEvent(QShowEvent* event) override;

public:
    // specialties: the list in use, whose names the specialty list offers.
    explicit TfrmBookParm(tSpecialtyList& specialties, QWidget* parent = nullptr);

public slots:
    // Fills the specialty list: "Generalist", then the names of the list in
    // use; "Generalist" chosen.
    void FillSpecialties();

public:
    // The choices now shown.
    tBookParameters Parameters() const;

private:
    tSpecialtyList& FSpecialties;
    QButtonGroup* grpCasterLevel = nullptr;
    QButtonGroup* grpCasterIntelligence = nullptr;
    QListWidget* lbSpecialty = nullptr;
    QListWidget* lbSpellFrequency = nullptr;
};
