#include "ui/Placeholders.h"

#include "app/Shared.h"
#include "ui/HelpViewer.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

TfrmPlaceholder::TfrmPlaceholder(const QString& name, const QString& caption, int helpContext,
                                 QWidget* parent)
    : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(caption);
    auto* text =
        new QLabel(QStringLiteral("%1 is not available in this version of Quillmark.").arg(caption), this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    if (helpContext > 0) {
        auto* help = new QShortcut(QKeySequence::HelpContents, this);
        connect(help, &QShortcut::activated, this, [this, helpContext] { ShowHelp(this, helpContext); });
    }
    setMinimumWidth(320);
}

TfrmPrintFormat::TfrmPrintFormat(QWidget* parent)
    : TfrmPlaceholder(QStringLiteral("frmPrintFormat"), QStringLiteral("Output Format"), HelpOutputFormat,
                      parent) {
}
