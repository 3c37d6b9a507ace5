// The output windows driven through the real widgets: the output format
// dialog, the clipboard read back from outside the program, the print preview
// with its font, format and PDF export, printing through the window to a CUPS
// queue when the test command provides one, and scrolls.

#include "GuiSupport.h"

#include "book/Output.h"
#include "output/BookText.h"
#include "ui/FrmMain.h"
#include "ui/FrmPrintFormat.h"
#include "ui/FrmPrintPreview.h"
#include "ui/FrmSpellBook.h"
#include "ui/PainterSurface.h"
#include "ui/Printer.h"
#include "ui/Program.h"
#include "ui/Prompts.h"
#include "ui/SpellList.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QToolButton>

#include <filesystem>

namespace {

const char* const Book = "5\r\n7\r\n14\r\nIllusionist\r\nS\r\n"
                         "1,\"Amber Ward\",\"Tome\",1,\"C\",\"abj\",\"Y\"\r\n"
                         "1,\"Brass Bell\",\"Tome\",2,\"U\",\"ill\",\"N\"\r\n"
                         "1,\"Cinder Veil\",\"Codex\",3,\"C\",\"ill\",\"N\"\r\n"
                         "3,\"Dusk Lamp\",\"Codex\",4,\"R\",\"ill\",\"Y\"\r\n \r\n";

// Answers the output format dialog: the columns item, then OK.
void AnswerFormat(int columns) {
    Prompts::SetNextModal([=](QDialog& dialog) {
        Named<QRadioButton>(&dialog, QStringLiteral("grpColumns%1").arg(columns))->setChecked(true);
        return int(QDialog::Accepted);
    });
}

// The standard output of a program run to its end while the event loop goes
// on (the program being tested may have to answer it).
QByteArray RunOutside(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    QDeadlineTimer deadline(15000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        QTest::qWait(20);
    }
    return process.readAllStandardOutput();
}

} // namespace

class OutputWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void TheOutputFormatDialogAndItsDefaults();
    void CopyToClipboardAsAnotherProgramReadsIt();
    void ThePreviewDrawsAndExportsThePages();
    void PagePreviewShowsThePagesPrintPuts();
    void PrintThroughTheWindowToAPrinter();
    void CreateScrollMakesANewWindow();

private:
    TfrmSpellBook* Window = nullptr;
    std::unique_ptr<tProgramUnderTest> Program;
};

void OutputWindowsTest::init() {
    Program = std::make_unique<tProgramUnderTest>(
        std::map<std::string, std::string>{{"MASTER.DAT", SampleMaster()}, {"book.spb", Book}});
    Program->Start();
    Prompts::SetNextFile(Program->QPath("book.spb"));
    frmMain->mnuOpenSpellbookClick();
    Window = SpellBooks().isEmpty() ? nullptr : SpellBooks().first();
    QVERIFY(Window);
}

void OutputWindowsTest::cleanup() {
    Program.reset();
    const QString left = PromptsLeftOver();
    Prompts::Reset();
    QVERIFY2(left.isEmpty(), qPrintable(left));
}

void OutputWindowsTest::TheOutputFormatDialogAndItsDefaults() {
    QCOMPARE(frmPrintFormat->windowTitle(), QStringLiteral("Output Format"));
    QCOMPARE(Named<QGroupBox>(frmPrintFormat, QStringLiteral("grpColumns"))->title(),
             QStringLiteral("# of Columns"));
    QStringList items;
    for (int i = 0; i <= 4; ++i) {
        items << Named<QRadioButton>(frmPrintFormat, QStringLiteral("grpColumns%1").arg(i))->text();
    }
    QCOMPARE(items, (QStringList{"None", "One (1)", "Two (2)", "Three (3)", "Four (4)"}));
    const std::pair<const char*, const char*> boxes[] = {{"cbMemorized", "Indicate Memorized"},
                                                         {"cbBookPage", "Include Book && Page"},
                                                         {"cbCategory", "Include Category"},
                                                         {"cbFrequency", "Include Frequency"}};
    for (const auto& [name, text] : boxes) {
        QCOMPARE(Named<QCheckBox>(frmPrintFormat, QLatin1String(name))->text(), QLatin1String(text));
    }
    const tOutputOptions options = frmPrintFormat->Options();
    QCOMPARE(options, tOutputOptions());
    QCOMPARE(options.Font.Face, std::string("System"));
    QCOMPARE(options.Font.Height, 17);

    // Cancel keeps what the user left in the dialog.
    Prompts::SetNextModal([](QDialog& dialog) {
        Named<QCheckBox>(&dialog, QStringLiteral("cbCategory"))->setChecked(true);
        return int(QDialog::Rejected);
    });
    QVERIFY(!frmPrintFormat->AskOptions());
    QVERIFY(frmPrintFormat->Options().Category);
}

void OutputWindowsTest::CopyToClipboardAsAnotherProgramReadsIt() {
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty()) {
        QFAIL("xclip is needed to read the clipboard from outside (the test command installs it)");
    }
    AnswerFormat(2);
    QTest::mouseClick(Named<QToolButton>(Window, QStringLiteral("bnClipboard")), Qt::LeftButton);
    const QByteArray read = RunOutside(QStringLiteral("xclip"), {"-o", "-selection", "clipboard"});
    tOutputOptions options;
    options.Columns = 2;
    const std::string expected =
        JoinLines(BuildOutputText(Window->Document().Book(), Program->Path("book.spb"), options));
    QCOMPARE(read.toStdString(), expected);
    QVERIFY(read.contains("\r\n"));
    QVERIFY(read.startsWith("Spell Book:" + QByteArray::fromStdString(Program->Path("book.spb")) + "\r\n"));
}

void OutputWindowsTest::ThePreviewDrawsAndExportsThePages() {
    QImage shown;
    QImage afterFormat;
    QStringList controls;
    const QString pdf = Program->QPath("book.pdf");
    Prompts::SetNextModal([&](QDialog& dialog) {
        auto* preview = static_cast<TfrmPrintPreview*>(&dialog);
        dialog.show();
        if (!QTest::qWaitForWindowActive(&dialog)) {
            return int(QDialog::Rejected);
        }
        controls << dialog.windowTitle()
                 << QString::number(dialog.width()) + "x" + QString::number(dialog.height());
        for (const char* name :
             {"bnFont", "bnFormat", "bnPrintSetup", "bnPagePreview", "bnPrint", "bnExportPdf", "bnClose"}) {
            controls << Named<QPushButton>(&dialog, QLatin1String(name))->text();
        }
        shown = preview->Image()->pixmap().toImage();
        // Two columns: the image is drawn again.
        AnswerFormat(2);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnFormat")), Qt::LeftButton);
        afterFormat = preview->Image()->pixmap().toImage();
        // A font chosen in the font dialog becomes the output font.
        Prompts::SetNextModal([](QDialog& fonts) {
            QFont font(QStringLiteral("DejaVu Serif"));
            font.setPixelSize(20);
            font.setBold(true);
            static_cast<QFontDialog&>(fonts).setCurrentFont(font);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnFont")), Qt::LeftButton);
        Prompts::SetNextFile(pdf);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnExportPdf")), Qt::LeftButton);
        // A file that cannot be written: said so, and why.
        Prompts::SetNextFile(Program->QPath("no folder/book.pdf"));
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnExportPdf")), Qt::LeftButton);
        const Prompts::tShownPrompt failure = Prompts::Shown().back();
        controls << failure.Kind + ": " + failure.Text + " / " + failure.Detail;
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnClose")), Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(Window, QStringLiteral("mnuPrintPreview"))));
    QCOMPARE(controls, (QStringList{"Print Preview", "714x668", "Change Font", "Output Format",
                                    "Printer Setup", "Page Preview...", "Print", "Export PDF...", "E&xit",
                                    "error: Unable to write to " + Program->QPath("no folder/book.pdf") +
                                        " / Its folder was not found."}));
    QCOMPARE(shown.size(), QSize(PreviewWidth, PreviewHeight));
    QVERIFY(shown != afterFormat);
    QCOMPARE(frmPrintFormat->Options().Columns, 2);
    QCOMPARE(frmPrintFormat->Options().Font.Height, 20);
    QVERIFY(frmPrintFormat->Options().Font.Bold);
    QVERIFY(std::filesystem::file_size(Program->Path("book.pdf")) > 0);
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        const QString text =
            QString::fromUtf8(RunOutside(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}));
        QVERIFY2(text.contains(QStringLiteral("Spell Book: ") + Program->QPath("book.spb")),
                 qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Dusk Lamp")));
    }
}

// Page Preview shows as many pages as Print then puts on the printer's paper
// (here a PDF file), drawn by the same code; its Print is the window's own,
// through the print dialog.
void OutputWindowsTest::PagePreviewShowsThePagesPrintPuts() {
    TSpellBook& book = Window->Document().Book();
    for (int i = 0; i < 120; ++i) {
        book.AddSpell(
            tSpell::Create(2, "Quill Page " + std::to_string(100 + i), "Codex", i, 0, "ill", false));
    }
    const QString pdf = Program->QPath("printed.pdf");
    QPrinter& printer = ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QString title;
    int previewed = 0;
    Prompts::SetNextModal([&](QDialog& dialog) {
        AnswerFormat(1);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnFormat")), Qt::LeftButton);
        Prompts::SetNextModal([&](QDialog& pages) {
            title = pages.windowTitle();
            auto* view = pages.findChild<QPrintPreviewWidget*>();
            if (!view) {
                return int(QDialog::Rejected);
            }
            view->updatePreview();
            previewed = view->pageCount();
            Prompts::SetNextModal([](QDialog&) { return int(QDialog::Accepted); }); // the print dialog
            for (QAction* action : pages.findChildren<QAction*>()) {
                if (action->text() == QCoreApplication::translate("QPrintPreviewDialog", "Print")) {
                    action->trigger();
                }
            }
            return pages.result();
        });
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnPagePreview")), Qt::LeftButton);
        QTest::mouseClick(Named<QPushButton>(&dialog, QStringLiteral("bnClose")), Qt::LeftButton);
        return dialog.result();
    });
    QVERIFY(Trigger(Named<QAction>(Window, QStringLiteral("mnuPrintPreview"))));
    printer.setOutputFileName(QString());
    printer.setOutputFormat(QPrinter::NativeFormat);
    QCOMPARE(title, QStringLiteral("Page Preview"));
    QVERIFY2(previewed > 1, qPrintable(QString::number(previewed)));
    QStringList asked;
    for (const Prompts::tShownPrompt& prompt : Prompts::Shown()) {
        asked << prompt.Text;
    }
    QVERIFY2(asked.contains(QStringLiteral("dlgPrintDialog")), qPrintable(asked.join(',')));
    const QString info = QString::fromUtf8(RunOutside(QStringLiteral("pdfinfo"), {pdf}));
    const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    QVERIFY2(pages.hasMatch(), qPrintable(info));
    QCOMPARE(pages.captured(1).toInt(), previewed);
}

void OutputWindowsTest::PrintThroughTheWindowToAPrinter() {
    const QString queue = qEnvironmentVariable("QUILL_CUPS_QUEUE");
    const QString folder = qEnvironmentVariable("QUILL_CUPS_PDF_DIR");
    if (queue.isEmpty() || folder.isEmpty()) {
        QSKIP("no CUPS queue: the test command sets one up (QUILL_CUPS_QUEUE)");
    }
    const QStringList before = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    ProgramPrinter().setPrinterName(queue);
    ProgramPrinter().setOutputFileName(QString());
    Prompts::SetNextModal([](QDialog&) { return int(QDialog::Accepted); }); // the print dialog
    QTest::mouseClick(Named<QToolButton>(Window, QStringLiteral("bnPrint")), Qt::LeftButton);
    QCOMPARE(Prompts::Shown().back().Text, QStringLiteral("dlgPrintDialog"));
    // The job reaches the queue's folder as a PDF holding the book.
    QStringList printed;
    QDeadlineTimer deadline(30000);
    while (printed.isEmpty() && !deadline.hasExpired()) {
        QTest::qWait(100);
        printed = QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
        for (const QString& old : before) {
            printed.removeAll(old);
        }
    }
    QVERIFY2(!printed.isEmpty(), "no PDF arrived from the queue");
    // The queue names its file before it has written it all: read it until
    // the book's heading shows or the deadline passes.
    QString text;
    const QString heading = QStringLiteral("Caster Specialty: Illusionist");
    while (!text.contains(heading) && !deadline.hasExpired()) {
        text = QString::fromUtf8(RunOutside(QStringLiteral("pdftotext"),
                                            {QDir(folder).filePath(printed.first()), QStringLiteral("-")}));
        if (!text.contains(heading)) {
            QTest::qWait(100);
        }
    }
    QVERIFY2(text.contains(QStringLiteral("Caster Specialty: Illusionist")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Cinder Veil")));
}

void OutputWindowsTest::CreateScrollMakesANewWindow() {
    QStringList rows;
    Prompts::SetNextModal([&](QDialog& dialog) {
        rows << dialog.windowTitle();
        for (int level = 1; level <= 9; ++level) {
            auto* box = Named<QSpinBox>(&dialog, QStringLiteral("spnLevel%1").arg(level));
            if (box->isVisibleTo(&dialog)) {
                rows << QStringLiteral("%1:%2").arg(level).arg(box->maximum());
            }
        }
        Named<QSpinBox>(&dialog, QStringLiteral("spnLevel1"))->setValue(2);
        Named<QSpinBox>(&dialog, QStringLiteral("spnLevel3"))->setValue(1);
        return int(QDialog::Accepted);
    });
    QVERIFY(Trigger(Named<QAction>(Window, QStringLiteral("mnuCreateScroll"))));
    QCOMPARE(rows, (QStringList{"Scroll Spells", "1:3", "3:1"}));
    QCOMPARE(SpellBooks().size(), 2);
    TfrmSpellBook* scroll = SpellBooks().last();
    QCOMPARE(scroll->windowTitle(), QStringLiteral("untitled"));
    QVERIFY(scroll->Document().Modified());
    QCOMPARE(scroll->Document().Book().CountOfLevel(1), 2);
    QCOMPARE(scroll->Document().Book().CountOfLevel(3), 1);
    QVERIFY(scroll->Document().Book().SpellAt(3, 0)->Memorized);
    QCOMPARE(scroll->SpellList()->Count(), 2);
    QCOMPARE(Named<QSpinBox>(scroll, QStringLiteral("spnWizardLevel"))->value(), 7);

    // Cancel makes no window.
    Prompts::SetNextModal([](QDialog&) { return int(QDialog::Rejected); });
    QVERIFY(Trigger(Named<QAction>(Window, QStringLiteral("pmnuCreateScroll"))));
    QCOMPARE(SpellBooks().size(), 2);
    Prompts::SetNextAnswer(tAnswer::No);
    QVERIFY(scroll->close());
}

QTEST_MAIN(OutputWindowsTest)
#include "OutputWindowsTest.moc"
