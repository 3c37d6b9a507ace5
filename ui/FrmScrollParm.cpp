#include "ui/FrmScrollParm.h"

#include "ui/Controls.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmScrollParm::TfrmScrollParm(QWidget* parent, const TSpellBook& source)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmScrollParm"));
    setWindowTitle(QStringLiteral("Scroll Spells"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Choose the number of spells to select from each level"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setWordWrap(true);

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("grpLevel"));
    auto* rows = new QGridLayout(group);
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        auto* box = new tNumberBox(group);
        box->setObjectName(QStringLiteral("spnLevel%1").arg(level));
        // The first row's caption ends in a blank, as it always has.
        auto* label = new QLabel(
            level == 1 ? QStringLiteral("Level 1 ") : QStringLiteral("Level %1").arg(level), group);
        label->setObjectName(QStringLiteral("lblLevel%1").arg(level));
        label->setBuddy(box);
        const int32_t count = source.CountOfLevel(level);
        box->setRange(0, std::max(count, 0));
        box->SetQuietly(0);
        label->setVisible(count > 0);
        box->setVisible(count > 0);
        rows->addWidget(label, level - 1, 0);
        rows->addWidget(box, level - 1, 1);
        spnLevel[level] = box;
        lblLevel[level] = label;
    }

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(group);
    layout->addStretch(1);
    layout->addWidget(buttons);
    NameControlsFromLabels(this);
    setMinimumSize(244, 470);
    DialogLooks(this);
}

tScrollCounts TfrmScrollParm::Counts() const {
    tScrollCounts counts{};
    for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
        counts[static_cast<size_t>(level)] =
            spnLevel[level]->isVisibleTo(this) ? spnLevel[level]->InForce() : 0;
    }
    return counts;
}
