#include "ui/FrmPrintFormat.h"

#include "app/Shared.h"
#include "ui/Controls.h"
#include "ui/HelpViewer.h"
#include "ui/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

TfrmPrintFormat::TfrmPrintFormat(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPrintFormat"));
    setWindowTitle(QStringLiteral("Output Format"));
    setModal(true);

    auto* columns = new QGroupBox(QStringLiteral("# of Columns"), this);
    columns->setObjectName(QStringLiteral("grpColumns"));
    grpColumns = new QButtonGroup(columns);
    auto* columnList = new QVBoxLayout(columns);
    const char* const items[] = {"None", "One (1)", "Two (2)", "Three (3)", "Four (4)"};
    for (int i = 0; i <= MaxOutputColumns; ++i) {
        auto* item = new QRadioButton(QLatin1String(items[i]), columns);
        item->setObjectName(QStringLiteral("grpColumns%1").arg(i));
        grpColumns->addButton(item, i);
        columnList->addWidget(item);
    }
    grpColumns->button(0)->setChecked(true);

    auto check = [this](const char* name, const char* caption, bool on) {
        auto* box = new QCheckBox(QLatin1String(caption), this);
        box->setObjectName(QLatin1String(name));
        box->setChecked(on);
        return box;
    };
    cbMemorized = check("cbMemorized", "Indicate Memorized", true);
    cbBookPage = check("cbBookPage", "Include Book && Page", true);
    cbCategory = check("cbCategory", "Include Category", false);
    cbFrequency = check("cbFrequency", "Include Frequency", false);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(columns);
    for (QCheckBox* box : {cbMemorized, cbBookPage, cbCategory, cbFrequency}) {
        layout->addWidget(box);
    }
    layout->addStretch(1);
    layout->addWidget(buttons);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpOutputFormat); });
    // The client area's designed size, or what the texts need.
    setMinimumSize(178, 320);
    DialogLooks(this);
}

bool TfrmPrintFormat::AskOptions() {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->geometry().center() - rect().center());
    }
    return Prompts::RunModal(*this) == QDialog::Accepted;
}

tOutputOptions TfrmPrintFormat::Options() const {
    tOutputOptions options;
    options.Columns = std::max(grpColumns->checkedId(), 0);
    options.Memorized = cbMemorized->isChecked();
    options.BookPage = cbBookPage->isChecked();
    options.Category = cbCategory->isChecked();
    options.Frequency = cbFrequency->isChecked();
    options.Font = Font;
    return options;
}
