#include "ui/FrmSpecialtyName.h"

#include "ui/Controls.h"
#include "ui/Prompts.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmSpecialtyName::TfrmSpecialtyName(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSpecialtyName"));
    setModal(true);
    lblPrompt = new QLabel(this);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    ebSpecialtyName = new QLineEdit(this);
    ebSpecialtyName->setObjectName(QStringLiteral("ebSpecialtyName"));
    ebSpecialtyName->setMinimumWidth(ebSpecialtyName->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);
    lblPrompt->setBuddy(ebSpecialtyName);
    QDialogButtonBox* buttons = OkCancelButtons(this, "BitBtn1", "BitBtn2");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addWidget(ebSpecialtyName);
    layout->addWidget(buttons);
    DialogLooks(this, tTitleButtons::None);
}

bool TfrmSpecialtyName::Ask(QWidget* owner, const QString& caption, const QString& prompt, QString& text) {
    setWindowTitle(caption);
    lblPrompt->setText(prompt);
    ebSpecialtyName->setAccessibleName(prompt);
    ebSpecialtyName->setText(text);
    ebSpecialtyName->selectAll();
    ebSpecialtyName->setFocus();
    if (owner) {
        move(owner->geometry().topLeft() + QPoint(113, 24));
    }
    if (Prompts::RunModal(*this) != QDialog::Accepted) {
        return false;
    }
    text = ebSpecialtyName->text();
    return true;
}
