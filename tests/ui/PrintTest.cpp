// The print layout drawn with Qt: the preview image, fonts on screen and on
// paper, PDF export, and printing through a real CUPS queue. scripts/test.sh
// adds the queues and names them in QUILL_CUPS_QUEUE (a CUPS-PDF queue
// writing to QUILL_CUPS_PDF_DIR), QUILL_CUPS_REJECTING_QUEUE (not accepting
// jobs) and QUILL_CUPS_QUOTA_QUEUE (takes one job of at most 1 KB, then
// refuses); without them the printer tests are skipped and the program ends
// with status 77, which CTest shows as skipped. The PDFs are read with pdfinfo
// and pdftotext (poppler-utils).

#include "support/TestSupport.h"
#include "ui/PainterSurface.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

bool PrinterTestsSkipped = false;

// A book of caster level 9 with 45 spells on each of levels 1 and 2, named
// "Quill Spell 001" to "Quill Spell 090"; every tenth is memorized.
std::unique_ptr<TSpellBook> SampleBook() {
    auto book = TSpellBook::Create(9, 16, 0, "Illusionist");
    for (int i = 1; i <= 90; ++i) {
        const QString name = QStringLiteral("Quill Spell %1").arg(i, 3, 10, QLatin1Char('0'));
        book->AddSpell(
            tSpell::Create(i <= 45 ? 1 : 2, name.toStdString(), "Codex", i, 0, "ill", i % 10 == 0));
    }
    return book;
}

tOutputOptions OneColumn() {
    tOutputOptions options;
    options.Columns = 1;
    return options;
}

// The standard output of a poppler tool; a failed test when it does not run.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        [&] { QFAIL(qPrintable(program + " (poppler-utils) did not run: " + process.errorString())); }();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// Checks a PDF of SampleBook drawn by the program: its page count and that
// its text holds the caster lines and every spell exactly once.
void CheckSamplePdf(const QString& path, int pages, const QString& caption) {
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    QVERIFY2(match.hasMatch(), qPrintable(info));
    QCOMPARE(match.captured(1).toInt(), pages);
    const QString text = RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY2(text.contains(QStringLiteral("Spell Book: ") + caption), qPrintable(text.left(200)));
    QVERIFY(text.contains(QStringLiteral("Caster Specialty: Illusionist")));
    QVERIFY(text.contains(QStringLiteral("level: 2")));
    for (int i = 1; i <= 90; ++i) {
        const QString name = QStringLiteral("Quill Spell %1").arg(i, 3, 10, QLatin1Char('0'));
        QVERIFY2(text.count(name) == 1, qPrintable(name));
    }
}

// The queue named by the environment variable, or a skipped test.
QString QueueOrSkip(const char* variable) {
    const QString queue = qEnvironmentVariable(variable);
    if (queue.isEmpty()) {
        PrinterTestsSkipped = true;
    }
    return queue;
}

QStringList PdfsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

// True once CUPS holds no unfinished job for queue.
bool QueueIsIdle(const QString& queue) {
    return RunTool(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).trimmed().isEmpty();
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT

private slots:
    void PreviewIsTheBookOnAWhiteImage();
    void HeadersAreUnderlinedAndTheFontComesBack();
    void PaperKeepsTheFontsPointSize();
    void PdfExportHoldsEveryPageAndSpellOrNamesTheFile();
    void PrintingReachesTheCupsQueue();
    void RefusedPrintsAreReportedNamingThePrinter();
};

void PrintTest::PreviewIsTheBookOnAWhiteImage() {
    TSpellBook book(9, 16, 0, "Generalist");
    book.AddSpell(tSpell::Create(1, "Amber Ward", "Codex", 3, 0, "abj", true));
    const QImage image = RenderPreviewImage(book, "untitled", tOutputOptions{});
    QCOMPARE(image.size(), QSize(PreviewWidth, PreviewHeight));
    // Ink in the first line, none in the lower half the short book leaves empty.
    const auto inkIn = [&image](const QRect& area) {
        int ink = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        return ink;
    };
    QVERIFY(inkIn(QRect(0, 0, 150, 20)) > 20);
    QCOMPARE(inkIn(QRect(0, PreviewHeight / 2, PreviewWidth, PreviewHeight / 2)), 0);
    QCOMPARE(image.pixel(PreviewWidth - 1, 0), qRgb(255, 255, 255));
}

void PrintTest::HeadersAreUnderlinedAndTheFontComesBack() {
    // "System", which this system lacks, becomes an installed face of 17 pixels.
    const QFont system = ScreenFont(tOutputFont{});
    QVERIFY2(QFontDatabase::hasFamily(system.family()), qPrintable(system.family()));
    QCOMPARE(system.pixelSize(), 17);

    tOutputFont chosen;
    chosen.Face = "DejaVu Serif";
    chosen.Height = 21;
    chosen.Bold = true;
    chosen.Italic = true;
    chosen.Color = 0x123456;
    QCOMPARE(OutputFontOf(ScreenFont(chosen), chosen), chosen);
    QFont points(QStringLiteral("DejaVu Sans"));
    points.setPointSizeF(12.75);
    QCOMPARE(OutputFontOf(points, chosen).Height,
             qRound(12.75 * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0));

    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    tPainterSurface surface(painter, nullptr);
    surface.SetFont(chosen);
    surface.AddUnderline();
    QVERIFY(painter.font().underline() && painter.font().bold() && painter.font().italic());
    surface.SetFont(chosen);
    QVERIFY(!painter.font().underline() && painter.font().bold() && painter.font().italic());
    QCOMPARE(painter.pen().color(), QColor(0x12, 0x34, 0x56));
    QCOMPARE(surface.PageWidth(), 100);
}

void PrintTest::PaperKeepsTheFontsPointSize() {
    QImage image(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    QPainter onScreen(&image);
    tPainterSurface screen(onScreen, nullptr);
    screen.SetFont(tOutputFont{});

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(DefaultPdfPageLayout());
    writer.setResolution(960);
    QPainter onPaper(&writer);
    tPainterSurface paper(onPaper, &writer);
    paper.SetFont(tOutputFont{});
    // Ten times the screen's 96 pixels per inch: ten times the height.
    const double ratio = double(paper.TextHeight("Mg")) / screen.TextHeight("Mg") *
                         QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 96.0;
    QVERIFY2(ratio > 9.0 && ratio < 11.0, qPrintable(QString::number(ratio)));
    QCOMPARE(paper.PageWidth(), writer.width());
    QCOMPARE(paper.PageHeight(), writer.height());
    paper.NewPage();
    QCOMPARE(paper.Pages(), 2);
    QVERIFY(!paper.PageRefused());
}

void PrintTest::PdfExportHoldsEveryPageAndSpellOrNamesTheFile() {
    TempDir folder;
    auto book = SampleBook();
    const QString path = QString::fromStdString((folder / "book.pdf").string());
    const tPrintResult result = ExportBookPdf(path, *book, "Test Book", OneColumn());
    QVERIFY2(result.Done, qPrintable(result.Message));
    QVERIFY(result.Pages >= 2);
    CheckSamplePdf(path, result.Pages, QStringLiteral("Test Book"));

    // A file that cannot be written is named, and an existing one is kept.
    const QString missing = QString::fromStdString((folder / "no such folder" / "book.pdf").string());
    const tPrintResult refused = ExportBookPdf(missing, *book, "Test Book", OneColumn());
    QVERIFY(!refused.Done);
    QCOMPARE(refused.Message, QStringLiteral("Unable to write to ") + missing);
    QVERIFY(refused.Error == FileError::CannotWrite);
    QVERIFY(!QFile::exists(missing));
}

void PrintTest::PrintingReachesTheCupsQueue() {
    const QString queue = QueueOrSkip("QUILL_CUPS_QUEUE");
    if (queue.isEmpty()) {
        QSKIP("No CUPS queue: QUILL_CUPS_QUEUE is not set (scripts/test.sh adds a CUPS-PDF queue)");
    }
    const QString folder = qEnvironmentVariable("QUILL_CUPS_PDF_DIR");
    QVERIFY2(QDir(folder).exists(), "QUILL_CUPS_PDF_DIR must name the queue's output folder");
    const QStringList before = PdfsIn(folder);

    QPrinter printer;
    printer.setPrinterName(queue);
    QCOMPARE(printer.printerName(), queue);
    auto book = SampleBook();
    const tPrintResult result = PrintBook(printer, *book, "Printed Book", OneColumn());
    QVERIFY2(result.Done, qPrintable(result.Message));
    QVERIFY(result.Pages >= 2);

    QStringList arrived;
    QTRY_VERIFY_WITH_TIMEOUT(QueueIsIdle(queue) && (arrived = PdfsIn(folder)).size() > before.size(), 90000);
    for (const QString& name : before) {
        arrived.removeAll(name);
    }
    QCOMPARE(arrived.size(), 1);
    CheckSamplePdf(QDir(folder).filePath(arrived.first()), result.Pages, QStringLiteral("Printed Book"));
}

void PrintTest::RefusedPrintsAreReportedNamingThePrinter() {
    auto book = SampleBook();
    QPrinter toFile;
    toFile.setOutputFormat(QPrinter::PdfFormat);
    toFile.setOutputFileName(QStringLiteral("/no such folder/book.pdf"));
    const tPrintResult unwritable = PrintBook(toFile, *book, "untitled", OneColumn());
    QVERIFY(!unwritable.Done);
    QCOMPARE(unwritable.Message, QStringLiteral("Unable to write to /no such folder/book.pdf"));
    QVERIFY(unwritable.Error == FileError::CannotWrite);

    const QString rejecting = QueueOrSkip("QUILL_CUPS_REJECTING_QUEUE");
    const QString quota = QueueOrSkip("QUILL_CUPS_QUOTA_QUEUE");
    if (rejecting.isEmpty() || quota.isEmpty()) {
        QSKIP("No CUPS queues that refuse jobs: QUILL_CUPS_REJECTING_QUEUE and QUILL_CUPS_QUOTA_QUEUE are "
              "not set (scripts/test.sh adds them)");
    }
    // A queue that does not accept jobs is found out before anything is drawn.
    QPrinter closed;
    closed.setPrinterName(rejecting);
    QCOMPARE(closed.printerName(), rejecting);
    const tPrintResult notAccepted = PrintBook(closed, *book, "untitled", OneColumn());
    QVERIFY(!notAccepted.Done);
    QCOMPARE(notAccepted.Message, QStringLiteral("Unable to print to \"") + rejecting +
                                      QStringLiteral("\": the printer does not accept jobs."));

    // A queue that takes the first job and refuses the next when Qt hands it
    // over (its quota is spent): the refusal CUPS gives is reported.
    QPrinter full;
    full.setPrinterName(quota);
    QCOMPARE(full.printerName(), quota);
    PrintBook(full, *book, "first", OneColumn());
    const tPrintResult refused = PrintBook(full, *book, "second", OneColumn());
    QVERIFY(!refused.Done);
    QVERIFY2(refused.Message.startsWith(QStringLiteral("Unable to print to \"") + quota +
                                        QStringLiteral("\": the printer refused the job (")),
             qPrintable(refused.Message));
}

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    PrintTest test;
    const int status = QTest::qExec(&test, argc, argv);
    // Skipped printer tests show as a skipped test, never as a quiet pass.
    return status == 0 && PrinterTestsSkipped ? 77 : status;
}

#include "PrintTest.moc"
