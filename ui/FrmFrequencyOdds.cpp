#include "ui/FrmFrequencyOdds.h"

#include "app/Shared.h"
#include "ui/Controls.h"
#include "ui/HelpViewer.h"
#include "ui/Text1252.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>

TfrmFrequencyOdds::TfrmFrequencyOdds(QWidget* parent, tWorkingNotice& notice)
    : QDialog(parent), UI(this, notice), Odds(*this, UI) {
    setObjectName(QStringLiteral("frmFrequencyOdds"));
    setWindowTitle(QStringLiteral("Spell Frequency Odds"));
    setModal(true);

    lbFrequency = new QListWidget(this);
    lbFrequency->setObjectName(QStringLiteral("lbFrequency"));
    lbFrequency->setSelectionMode(QAbstractItemView::SingleSelection);
    spnOdds = new tNumberBox(this);
    spnOdds->setObjectName(QStringLiteral("spnOdds"));
    spnOdds->setRange(OddsBoxMin, OddsBoxMax);
    auto* frequencyLabel = new QLabel(QStringLiteral("Spell &Frequency"), this);
    frequencyLabel->setObjectName(QStringLiteral("lblFrequency"));
    frequencyLabel->setBuddy(lbFrequency);
    auto* oddsLabel = new QLabel(QStringLiteral("Selection &Odds"), this);
    oddsLabel->setObjectName(QStringLiteral("lblOdds"));
    oddsLabel->setBuddy(spnOdds);
    auto* oneIn = new QLabel(QStringLiteral("1 in "), this);
    oneIn->setObjectName(QStringLiteral("lblOneIn"));

    auto* defaults = new QPushButton(QStringLiteral("&Default Values"), this);
    defaults->setObjectName(QStringLiteral("bnDefault"));
    defaults->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bnOK"));
    ok->setDefault(true);

    auto* odds = new QHBoxLayout;
    odds->addWidget(oneIn);
    odds->addWidget(spnOdds, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(oddsLabel);
    right->addLayout(odds);
    right->addStretch(1);
    right->addWidget(defaults);
    right->addWidget(ok);
    auto* left = new QVBoxLayout;
    left->addWidget(frequencyLabel);
    left->addWidget(lbFrequency);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right);

    connect(lbFrequency, &QListWidget::currentRowChanged, this, &TfrmFrequencyOdds::lbFrequencyClick);
    connect(spnOdds, &tNumberBox::numberChanged, this, &TfrmFrequencyOdds::spnOddsChange);
    connect(defaults, &QPushButton::clicked, this, &TfrmFrequencyOdds::bnDefaultClick);
    connect(ok, &QPushButton::clicked, this, &TfrmFrequencyOdds::bnOKClick);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpSelectionOdds); });
    NameControlsFromLabels(this);

    Odds.Create();
    lbFrequency->setFixedHeight(lbFrequency->sizeHintForRow(0) * 5 + 2 * lbFrequency->frameWidth() + 4);
    DialogLooks(this);
}

void TfrmFrequencyOdds::SetFrequencyItems(const std::vector<std::string>& items) {
    QSignalBlocker quiet(lbFrequency);
    lbFrequency->clear();
    lbFrequency->addItems(FromTexts(items));
}

void TfrmFrequencyOdds::SelectFrequency(int32_t position) {
    QSignalBlocker quiet(lbFrequency);
    lbFrequency->setCurrentRow(position);
}

void TfrmFrequencyOdds::ShowOdds(int32_t value) {
    spnOdds->SetQuietly(value);
}

void TfrmFrequencyOdds::lbFrequencyClick(int row) {
    if (row >= 0) {
        Odds.FrequencyChosen(row);
    }
}

void TfrmFrequencyOdds::spnOddsChange(int value) {
    Odds.OddsChanged(std::to_string(value));
}

void TfrmFrequencyOdds::bnDefaultClick() {
    Odds.DefaultValues();
}

void TfrmFrequencyOdds::bnOKClick() {
    if (Odds.Ok()) {
        accept();
    }
}
