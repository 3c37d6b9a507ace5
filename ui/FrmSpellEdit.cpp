#include "ui/FrmSpellEdit.h"

#include "book/LevelView.h"
#include "master/SpellEditor.h"
#include "ui/Controls.h"
#include "ui/Prompts.h"
#include "ui/Text1252.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmSpellEdit::TfrmSpellEdit(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSpellEdit"));
    setWindowTitle(QStringLiteral("Edit Spell Data"));
    setModal(true);

    spnLevel = new tNumberBox(this);
    spnLevel->setObjectName(QStringLiteral("spnLevel"));
    spnLevel->setRange(EditorLevelMin, EditorLevelMax);
    spnLevel->SetQuietly(1);
    auto text = [this](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    ebName = text("ebName");
    ebBook = text("ebBook");
    ebPage = text("ebPage");
    ebCategory = text("ebCategory");
    ebName->setMinimumWidth(ebName->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 24);
    cbSpellFrequency = new QComboBox(this);
    cbSpellFrequency->setObjectName(QStringLiteral("cbSpellFrequency"));
    cbSpellFrequency->setEditable(false);
    WheelOnlyWithFocus(cbSpellFrequency);
    // Filled when the editor is made: Common first, Restricted last.
    cbSpellFrequency->clear();
    cbSpellFrequency->addItems(FromTexts(FrequencyChoices()));
    cbMemorized = new QCheckBox(this);
    cbMemorized->setObjectName(QStringLiteral("cbMemorized"));

    auto* form = new QFormLayout;
    auto row = [&](const char* label, const char* name, QWidget* control) {
        QLabel* caption = BuddyLabel(QLatin1String(label), name, control, this);
        form->addRow(caption, control);
        return caption;
    };
    row("&Level", "lblLevel", spnLevel);
    row("&Name", "lblName", ebName);
    row("&Book", "lblBook", ebBook);
    row("&Page", "lblPage", ebPage);
    row("&Category", "lblCategory", ebCategory);
    row("&Frequency", "lblFrequency", cbSpellFrequency);
    lblMemorized = row("&Memorized", "lblMemorized", cbMemorized);

    QDialogButtonBox* buttons = OkCancelButtons(this, "bnOK", "BitBtn1");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    NameControlsFromLabels(this);
    DialogLooks(this);
}

void TfrmSpellEdit::LoadSpell(const tSpell* spell) {
    QWidget* const values[] = {spnLevel, ebName, ebBook, ebPage, ebCategory, cbSpellFrequency, cbMemorized};
    for (QWidget* control : values) {
        control->setEnabled(spell != nullptr);
    }
    if (!spell) {
        return;
    }
    const tSpellEditorValues shown = ::LoadSpell(*spell);
    spnLevel->SetQuietly(spell->Level);
    ebName->setText(FromText(shown.Name));
    ebBook->setText(FromText(shown.Book));
    ebPage->setText(FromText(shown.Page));
    ebCategory->setText(FromText(shown.Category));
    cbSpellFrequency->setCurrentIndex(shown.FrequencyIndex);
    cbMemorized->setChecked(shown.Memorized);
    ebName->setFocus();
}

void TfrmSpellEdit::StoreSpell(tSpell* spell) const {
    if (!spell) {
        return;
    }
    // A text longer than its box holds (32,767 characters) is shown cut;
    // left as shown, it keeps its whole value.
    const tSpellEditorValues was = ::LoadSpell(*spell);
    const auto typed = [](const QLineEdit* box, const std::string& before) {
        return box->text() == FromText(before).left(box->maxLength()) ? before : ToText(box->text());
    };
    tSpellEditorValues values;
    values.Level = ToText(spnLevel->text());
    values.Name = typed(ebName, was.Name);
    values.Book = typed(ebBook, was.Book);
    values.Page = ToText(ebPage->text());
    values.Category = typed(ebCategory, was.Category);
    values.FrequencyIndex = cbSpellFrequency->currentIndex();
    values.Memorized = cbMemorized->isChecked();
    ::StoreSpell(values, *spell);
}

void TfrmSpellEdit::SetMemorizedVisible(bool visible) {
    cbMemorized->setVisible(visible);
    lblMemorized->setVisible(visible);
}

bool TfrmSpellEdit::EditSpell(tSpell& spell, bool showMemorized) {
    return EditSpellFor(parentWidget(), spell, showMemorized);
}

bool TfrmSpellEdit::EditSpellFor(QWidget* owner, tSpell& spell, bool showMemorized) {
    LoadSpell(&spell);
    SetMemorizedVisible(showMemorized);
    if (Prompts::RunModal(*this, owner) != QDialog::Accepted) {
        return false;
    }
    StoreSpell(&spell);
    return true;
}
