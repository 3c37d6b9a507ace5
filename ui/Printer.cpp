#include "ui/Printer.h"

#include "ui/Prompts.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrinter>

#include <memory>

QPrinter& ProgramPrinter() {
    static std::unique_ptr<QPrinter> printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer;
}

bool RunPrinterSetup(QWidget* parent) {
    QPrintDialog dialog(&ProgramPrinter(), parent);
    dialog.setObjectName(QStringLiteral("dlgPrinterSetup"));
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The dialog chooses and sets up the printer; it prints nothing.
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (QAbstractButton* button : box->buttons()) {
            if (box->buttonRole(button) == QDialogButtonBox::AcceptRole) {
                button->setText(QStringLiteral("OK"));
            }
        }
    }
    return Prompts::RunModal(dialog) == QDialog::Accepted;
}
