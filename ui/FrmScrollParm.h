#pragma once
// The scroll dialog: how many spells of each level a scroll takes from a book.
// Made for one use and released.

#include "output/Scroll.h"

#include <QDialog>

class QLabel;
class tNumberBox;

class TfrmScrollParm : public QDialog {
    Q_OBJECT
public:
    // A row for every level of the source holding spells, its count from 0 to
    // the level's spells, starting at 0; the other rows hidden.
    TfrmScrollParm(QWidget* parent, const TSpellBook& source);

    // The counts shown: 0 for a hidden row.
    tScrollCounts Counts() const;

private:
    tNumberBox* spnLevel[MaxSpellLevel + 1] = {};
    QLabel* lblLevel[MaxSpellLevel + 1] = {};
};
