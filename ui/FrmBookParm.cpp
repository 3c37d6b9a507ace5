#include "ui/FrmBookParm.h"

#include "app/Shared.h"
#include "book/LevelView.h"
#include "ui/Controls.h"
#include "ui/HelpViewer.h"
#include "ui/Text1252.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace {

// A group box of radio buttons labelled first..last, filled column by column.
QGroupBox* RadioGroup(QWidget* parent, const QString& name, const QString& title, int first, int last,
                      int columns, QButtonGroup*& group) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(2);
    const int count = last - first + 1;
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        auto* button = new QRadioButton(QString::number(first + i), box);
        button->setObjectName(name + QString::number(first + i));
        group->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    group->button(0)->setChecked(true);
    return box;
}

QListWidget* ChoiceList(QWidget* parent, const QString& name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

} // namespace

TfrmBookParm::TfrmBookParm(tSpecialtyList& specialties, QWidget* parent)
    : QDialog(parent), FSpecialties(specialties) {
    setObjectName(QStringLiteral("frmBookParm"));
    setWindowTitle(QStringLiteral("New Spellbook Parameters"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Select Options for New Spellbook"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    heading->setFont(bold);

    QGroupBox* levels = RadioGroup(this, QStringLiteral("grpCasterLevel"), QStringLiteral("Caster Level"), 1,
                                   30, 3, grpCasterLevel);
    QGroupBox* intelligence = RadioGroup(this, QStringLiteral("grpCasterIntelligence"),
                                         QStringLiteral("Intelligence"), 9, 21, 1, grpCasterIntelligence);

    lbSpecialty = ChoiceList(this, QStringLiteral("lbSpecialty"));
    lbSpellFrequency = ChoiceList(this, QStringLiteral("lbSpellFrequency"));
    lbSpellFrequency->addItems(FromTexts(FrequencyChoices()));
    lbSpellFrequency->setCurrentRow(0);
    lbSpellFrequency->setFixedHeight(lbSpellFrequency->sizeHintForRow(0) * 5 +
                                     2 * lbSpellFrequency->frameWidth() + 4);

    auto* specialtyLabel = new QLabel(QStringLiteral("Specialty"), this);
    specialtyLabel->setBuddy(lbSpecialty);
    auto* frequencyLabel = new QLabel(QStringLiteral("Spell Frequency"), this);
    frequencyLabel->setBuddy(lbSpellFrequency);

    auto* lists = new QVBoxLayout;
    lists->addWidget(specialtyLabel);
    lists->addWidget(lbSpecialty, 1);
    lists->addSpacing(6);
    lists->addWidget(frequencyLabel);
    lists->addWidget(lbSpellFrequency);

    auto* choices = new QHBoxLayout;
    choices->addWidget(levels);
    choices->addWidget(intelligence);
    choices->addLayout(lists, 1);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(choices, 1);
    layout->addWidget(buttons);

    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpBookParameters); });

    FillSpecialties();
    NameControlsFromLabels(this);
    setMinimumWidth(sizeHint().width() + 40);
    DialogLooks(this);
}

void TfrmBookParm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    QAbstractButton* level = grpCasterLevel->checkedButton();
    (level ? level : grpCasterLevel->button(0))->setFocus(Qt::OtherFocusReason);
}

void TfrmBookParm::FillSpecialties() {
    lbSpecialty->clear();
    lbSpecialty->addItems(FromTexts(SpecialtyChoices(FSpecialties)));
    lbSpecialty->setCurrentRow(0);
}

tBookParameters TfrmBookParm::Parameters() const {
    tBookParameters parameters;
    parameters.CasterLevel = std::max(grpCasterLevel->checkedId(), 0) + 1;
    parameters.Intelligence = std::max(grpCasterIntelligence->checkedId(), 0) + 9;
    const QList<QListWidgetItem*> specialty = lbSpecialty->selectedItems();
    if (specialty.isEmpty()) {
        parameters.SpecialtyIndex = -1;
        parameters.SpecialtyText = GeneralistName;
    } else {
        parameters.SpecialtyIndex = lbSpecialty->row(specialty.constFirst());
        parameters.SpecialtyText = ToText(specialty.constFirst()->text());
    }
    parameters.FrequencyIndex = std::max(lbSpellFrequency->currentRow(), 0);
    return parameters;
}
