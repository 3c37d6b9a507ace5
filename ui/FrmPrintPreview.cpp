#include "ui/FrmPrintPreview.h"

#include "app/PathText.h"
#include "app/Shared.h"
#include "book/Output.h"
#include "book/SpellBookDocument.h"
#include "output/OutputOptions.h"
#include "ui/Commands.h"
#include "ui/Controls.h"
#include "ui/HelpViewer.h"
#include "ui/PainterSurface.h"
#include "ui/Printer.h"
#include "ui/Prompts.h"
#include "ui/Text1252.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QVBoxLayout>

#include <filesystem>
#include <functional>
#include <system_error>

namespace {

// The preview's commands, in the order of the table below.
enum class tPreviewCommand {
    Font,
    Format,
    PrinterSetup,
    PagePreview,
    Print,
    ExportPdf,
    Close,
};

constexpr tCommandSpec CommandTable[] = {
    {.Id = tPreviewCommand::Font, .MenuItem = "mnuFont", .Caption = "&Font"},
    {.Id = tPreviewCommand::Format, .MenuItem = "mnuFormat", .Caption = "F&ormat"},
    {.Id = tPreviewCommand::PrinterSetup, .MenuItem = "mnuPrinterSetup", .Caption = "Printer &Setup"},
    {.Id = tPreviewCommand::PagePreview, .MenuItem = "mnuPagePreview", .Caption = "Page Preview..."},
    {.Id = tPreviewCommand::Print, .MenuItem = "mnuPrint", .Caption = "&Print", .Shortcut = "; Ctrl+P"},
    {.Id = tPreviewCommand::ExportPdf, .MenuItem = "mnuExportPdf", .Caption = "Export P&DF..."},
    {.Id = tPreviewCommand::Close, .MenuItem = "mnuClose", .Caption = "E&xit", .Shortcut = "; Ctrl+W"},
};
static_assert(InIdOrder(CommandTable));

const QString PdfFilter = QStringLiteral("*.PDF (PDF Files)|*.pdf|*.* (All Files)|*.*");

// The toolkit's page preview leaves its zoom box and its page number box
// without a name a screen reader speaks.
void NamePagePreviewControls(QPrintPreviewDialog& pages) {
    for (QComboBox* zoom : pages.findChildren<QComboBox*>()) {
        zoom->setAccessibleName(QStringLiteral("Zoom"));
    }
    for (QLineEdit* edit : pages.findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(edit->parentWidget())) {
            edit->setAccessibleName(QStringLiteral("Page number"));
        }
    }
    NameControlsFromLabels(&pages);
}

} // namespace

TfrmPrintPreview::TfrmPrintPreview(QWidget* parent, tSpellBookDocument& document, tOutputFormat& format,
                                   tWorkingNotice& notice)
    : QDialog(parent), Document(document), Format(format), UI(this, notice) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setModal(true);

    FCommands = new tCommands(this, CommandTable);
    FCommands->On(tPreviewCommand::Font, [this] { mnuFontClick(); });
    FCommands->On(tPreviewCommand::Format, [this] { mnuFormatClick(); });
    FCommands->On(tPreviewCommand::PrinterSetup, [this] { mnuPrinterSetupClick(); });
    FCommands->On(tPreviewCommand::PagePreview, [this] { mnuPagePreviewClick(); });
    FCommands->On(tPreviewCommand::Print, [this] { mnuPrintClick(); });
    FCommands->On(tPreviewCommand::ExportPdf, [this] { mnuExportPdfClick(); });
    FCommands->On(tPreviewCommand::Close, [this] { mnuCloseClick(); });
    auto* menus = new QMenuBar(this);
    menus->setObjectName(QStringLiteral("MenuBar"));
    const tPreviewCommand ids[] = {tPreviewCommand::Font,         tPreviewCommand::Format,
                                   tPreviewCommand::PrinterSetup, tPreviewCommand::PagePreview,
                                   tPreviewCommand::Print,        tPreviewCommand::ExportPdf,
                                   tPreviewCommand::Close};
    for (tPreviewCommand id : ids) {
        menus->addAction(FCommands->MenuAction(id));
    }

    // The bar of buttons: each runs the command of its menu item.
    auto* bar = new QHBoxLayout;
    const std::pair<const char*, const char*> buttons[] = {{"bnFont", "Change Font"},
                                                           {"bnFormat", "Output Format"},
                                                           {"bnPrintSetup", "Printer Setup"},
                                                           {"bnPagePreview", "Page Preview..."},
                                                           {"bnPrint", "Print"},
                                                           {"bnExportPdf", "Export PDF..."},
                                                           {"bnClose", "E&xit"}};
    for (size_t i = 0; i < std::size(buttons); ++i) {
        auto* button = new QPushButton(QLatin1String(buttons[i].second), this);
        button->setObjectName(QLatin1String(buttons[i].first));
        button->setAutoDefault(false);
        const tPreviewCommand id = ids[i];
        connect(button, &QPushButton::clicked, this, [this, id] { FCommands->Run(id); });
        bar->addWidget(button);
    }
    bar->addStretch(1);

    FImage = new QLabel;
    FImage->setObjectName(QStringLiteral("Image"));
    FImage->setFixedSize(PreviewWidth, PreviewHeight);
    FImage->setAccessibleName(QStringLiteral("The book as it will be printed"));
    Area = new QScrollArea(this);
    Area->setObjectName(QStringLiteral("ScrollArea"));
    Area->setWidget(FImage);
    Area->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menus);
    layout->addLayout(bar);
    layout->addWidget(Area, 1);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpPrintPreview); });
    NameControlsFromLabels(this);
    resize(714, 668);
}

bool TfrmPrintPreview::event(QEvent* event) {
    // Each time the window becomes active it draws the book afresh.
    if (event->type() == QEvent::WindowActivate) {
        RenderPreview();
    }
    return QDialog::event(event);
}

void TfrmPrintPreview::RenderPreview() {
    FImage->setPixmap(
        QPixmap::fromImage(RenderPreviewImage(Document.Book(), OutputCaption(Document), Format.Options())));
}

void TfrmPrintPreview::mnuFontClick() {
    QFontDialog dialog(ScreenFont(Format.Options().Font), this);
    dialog.setObjectName(QStringLiteral("dlgFontDialog"));
    if (Prompts::RunModal(dialog) != QDialog::Accepted) {
        return;
    }
    Format.SetFont(OutputFontOf(dialog.currentFont(), Format.Options().Font));
    RenderPreview();
}

void TfrmPrintPreview::mnuFormatClick() {
    if (Format.AskOptions()) {
        RenderPreview();
    }
}

void TfrmPrintPreview::mnuPrinterSetupClick() {
    RunPrinterSetup(this);
    RenderPreview();
}

// The book's pages as Print will put them on the chosen printer's paper,
// page by page, with zoom: Qt's print preview over the printer, drawn by the
// same code as the print. Its own Print and Page setup run this window's
// Print and the printer setup, so that every print is checked and reported
// the same way.
void TfrmPrintPreview::mnuPagePreviewClick() {
    QPrintPreviewDialog pages(&ProgramPrinter(), this);
    pages.setObjectName(QStringLiteral("dlgPagePreview"));
    pages.setWindowTitle(QStringLiteral("Page Preview"));
    NamePagePreviewControls(pages);
    if (const QScreen* shown = screen()) {
        pages.resize(shown->availableGeometry().size() * 3 / 4);
    }
    connect(&pages, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        DrawBookPages(*printer, Document.Book(), OutputCaption(Document), Format.Options());
    });
    auto* view = pages.findChild<QPrintPreviewWidget*>();
    const auto reroute = [&pages](const char* text, const std::function<void()>& command) {
        const QString caption = QCoreApplication::translate("QPrintPreviewDialog", text);
        for (QAction* action : pages.findChildren<QAction*>()) {
            if (action->text() == caption) {
                disconnect(action, nullptr, &pages, nullptr);
                connect(action, &QAction::triggered, &pages, command);
            }
        }
    };
    reroute("Print", [this, &pages] {
        if (PrintFrom(&pages)) {
            pages.accept();
        }
    });
    reroute("Page setup", [&pages, view] {
        RunPrinterSetup(&pages);
        if (view) {
            view->updatePreview();
        }
    });
    Prompts::RunModal(pages);
}

bool TfrmPrintPreview::mnuPrintClick() {
    return PrintFrom(this);
}

bool TfrmPrintPreview::PrintFrom(QWidget* owner) {
    QPrinter& printer = ProgramPrinter();
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("dlgPrintDialog"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (Prompts::RunModal(dialog) != QDialog::Accepted) {
        return false;
    }
    const tPrintResult result =
        PrintBook(printer, Document.Book(), OutputCaption(Document), Format.Options());
    if (!result.Done) {
        ShowFailure(result, ToPath(printer.outputFileName()));
    }
    return result.Done;
}

void TfrmPrintPreview::mnuExportPdfClick() {
    QString chosen;
    if (!Prompts::ChooseSaveFile(this,
                                 {QStringLiteral("Export PDF"), PdfFilter, QStringLiteral("pdf"),
                                  FromPath(Document.DialogFolder()), QStringLiteral("dlgExportPdf")},
                                 chosen) ||
        chosen.isEmpty()) {
        return;
    }
    const std::string path = ToPath(chosen);
    std::error_code error;
    if (std::filesystem::exists(path, error) && UI.AskYesNo(ReplaceFileQuestion(path)) != tAnswer::Yes) {
        return;
    }
    const tPrintResult result = ExportBookPdf(chosen, Document.Book(), OutputCaption(Document),
                                              Format.Options(), ProgramPrinter().pageLayout());
    if (!result.Done) {
        ShowFailure(result, path);
    }
}

void TfrmPrintPreview::ShowFailure(const tPrintResult& result, const std::string& path) {
    if (result.Error != FileError::None) {
        UI.ShowError(SettingsWriteError(MessagePath(path)), ExplainFileError(path, result.Error));
    } else {
        UI.ShowError(ToText(result.Message));
    }
}

void TfrmPrintPreview::mnuCloseClick() {
    accept();
}
