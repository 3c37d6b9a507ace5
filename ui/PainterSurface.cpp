#include "ui/PainterSurface.h"

#include "files/AtomicWrite.h"
#include "ui/Text1252.h"

#include <QBuffer>
#include <QColor>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>

#include <cups/cups.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>

namespace {

const QString SystemFace = QStringLiteral("System");

// The screen's pixels per inch, which turns the output font's pixel height
// into the point size it keeps on paper.
double ScreenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->logicalDotsPerInchY() : 96.0;
}

// The resolution of printed and PDF pages: the screen's, as a printer has in
// its default mode. The layout's spacing is counted in device pixels (3 after
// a text, 15 between columns), which at a printer's full resolution would
// shrink to a fraction of a millimetre.
int PaperResolution() {
    return static_cast<int>(std::lround(ScreenDpi()));
}

tPrintResult Failed(const QString& message) {
    tPrintResult result;
    result.Message = message;
    return result;
}

// Why the CUPS queue name would not take a job now: missing, or not
// accepting jobs. Qt's print path does not say; it hands the job to CUPS and
// reports nothing back.
std::optional<QString> QueueRefusal(const QString& name) {
    const QStringList parts = name.split(QLatin1Char('/'));
    const QByteArray queue = parts.value(0).toLocal8Bit();
    const QByteArray instance = parts.value(1).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (dest == nullptr) {
        return QStringLiteral("the printer is not available.");
    }
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting != nullptr && std::string_view(accepting) == "false";
    cupsFreeDests(1, dest);
    if (refuses) {
        return QStringLiteral("the printer does not accept jobs.");
    }
    return std::nullopt;
}

// After Qt has handed a job to CUPS: why CUPS refused it, if it did. The
// hand-over is the last request this thread made of CUPS.
std::optional<QString> JobRefusal() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return std::nullopt;
    }
    return QStringLiteral("the printer refused the job (") + QString::fromLocal8Bit(cupsLastErrorString()) +
           QStringLiteral(").");
}

QString UnableToWrite(const QString& path) {
    return QStringLiteral("Unable to write to ") + path;
}

} // namespace

QFont ScreenFont(const tOutputFont& font) {
    QString face = FromText(font.Face);
    if (face == SystemFace && !QFontDatabase::hasFamily(face)) {
        // The face the system's general font resolves to ("Sans Serif" is
        // only a name for one).
        face = QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
    }
    QFont qfont(face);
    qfont.setPixelSize(std::max(font.Height, 1));
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    qfont.setStrikeOut(font.StrikeOut);
    return qfont;
}

tOutputFont OutputFontOf(const QFont& font, const tOutputFont& previous) {
    tOutputFont output = previous;
    output.Face = ToText(font.family());
    output.Height = font.pixelSize() > 0
                        ? font.pixelSize()
                        : static_cast<int32_t>(std::lround(font.pointSizeF() * ScreenDpi() / 72.0));
    output.Bold = font.bold();
    output.Italic = font.italic();
    output.Underline = font.underline();
    output.StrikeOut = font.strikeOut();
    return output;
}

tPainterSurface::tPainterSurface(QPainter& painter, QPagedPaintDevice* pages)
    : Painter(painter), PagedDevice(pages), Width(painter.device()->width()),
      Height(painter.device()->height()) {
}

void tPainterSurface::SetFont(const tOutputFont& font) {
    QFont qfont = ScreenFont(font);
    if (PagedDevice != nullptr) {
        qfont.setPointSizeF(std::max(font.Height, 1) * 72.0 / ScreenDpi());
    }
    Painter.setFont(qfont);
    Painter.setPen(font.Color ? QColor::fromRgb(*font.Color) : QColor(Qt::black));
}

void tPainterSurface::AddUnderline() {
    QFont font = Painter.font();
    font.setUnderline(true);
    Painter.setFont(font);
}

int32_t tPainterSurface::TextWidth(const std::string& text) {
    return Painter.fontMetrics().horizontalAdvance(FromMarkedText(text));
}

int32_t tPainterSurface::TextHeight(const std::string& /*text*/) {
    return Painter.fontMetrics().height();
}

void tPainterSurface::DrawText(int32_t x, int32_t y, const std::string& text) {
    Painter.drawText(QPoint(x, y + Painter.fontMetrics().ascent()), FromMarkedText(text));
}

void tPainterSurface::NewPage() {
    if (PagedDevice == nullptr) {
        return;
    }
    if (PagedDevice->newPage()) {
        ++PageCount;
    } else {
        Refused = true;
    }
}

QImage RenderPreviewImage(TSpellBook& book, const std::string& caption, const tOutputOptions& options) {
    QImage image(PreviewWidth, PreviewHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    tPainterSurface surface(painter, nullptr);
    DrawBook(book, caption, options, tPrintMedium::Preview, surface);
    return image;
}

tPrintResult PrintBook(QPrinter& printer, TSpellBook& book, const std::string& caption,
                       const tOutputOptions& options) {
    const QString file = printer.outputFileName();
    const QString printerName = QStringLiteral("\"") + printer.printerName() + QStringLiteral("\"");
    const auto unable = [&file, &printerName](const QString& why) {
        if (!file.isEmpty()) {
            tPrintResult failed = Failed(UnableToWrite(file));
            failed.Error = FileError::CannotWrite;
            return failed;
        }
        return Failed(QStringLiteral("Unable to print to ") + printerName + QStringLiteral(": ") + why);
    };
    if (file.isEmpty() && printer.printerName().isEmpty()) {
        return Failed(QStringLiteral("Unable to print: no printer is available."));
    }
    if (file.isEmpty() && !printer.isValid()) {
        return unable(QStringLiteral("the printer is not available."));
    }
    if (file.isEmpty()) {
        if (const std::optional<QString> refusal = QueueRefusal(printer.printerName())) {
            return unable(*refusal);
        }
    }
    if (printer.docName().isEmpty()) {
        printer.setDocName(FromMarkedText(caption));
    }
    bool failed = false;
    const int pages = DrawBookPages(printer, book, caption, options, &failed);
    if (pages == 0) {
        return unable(QStringLiteral("the printer did not accept the job."));
    }
    if (failed || printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
        return unable(QStringLiteral("the job failed."));
    }
    if (file.isEmpty()) {
        if (const std::optional<QString> refusal = JobRefusal()) {
            return unable(*refusal);
        }
    }
    tPrintResult result;
    result.Done = true;
    result.Pages = pages;
    return result;
}

int DrawBookPages(QPrinter& printer, TSpellBook& book, const std::string& caption,
                  const tOutputOptions& options, bool* refused) {
    printer.setResolution(PaperResolution());
    QPainter painter;
    if (!painter.begin(&printer)) {
        return 0;
    }
    tPainterSurface surface(painter, &printer);
    DrawBook(book, caption, options, tPrintMedium::Paper, surface);
    const bool ended = painter.end();
    if (refused) {
        *refused = !ended || surface.PageRefused();
    }
    return surface.Pages();
}

QPageLayout DefaultPdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12.7, 12.7, 12.7, 12.7),
                       QPageLayout::Millimeter);
}

QByteArray BookPdf(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
                   const QPageLayout& layout, tPrintResult& result) {
    result = Failed(QStringLiteral("Unable to make the PDF document."));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setCreator(QStringLiteral("Quillmark"));
    writer.setTitle(FromMarkedText(caption));
    writer.setResolution(PaperResolution());
    QPainter painter;
    if (!writer.setPageLayout(layout) || !painter.begin(&writer)) {
        return {};
    }
    tPainterSurface surface(painter, &writer);
    DrawBook(book, caption, options, tPrintMedium::Paper, surface);
    if (!painter.end() || surface.PageRefused()) {
        return {};
    }
    result = tPrintResult{true, surface.Pages(), {}, {}};
    return buffer.data();
}

tPrintResult ExportBookPdf(const QString& path, TSpellBook& book, const std::string& caption,
                           const tOutputOptions& options, const QPageLayout& layout) {
    tPrintResult result;
    const QByteArray pdf = BookPdf(book, caption, options, layout, result);
    if (!result.Done) {
        return result;
    }
    const auto write = [&pdf](std::ostream& out) {
        return static_cast<bool>(out.write(pdf.constData(), static_cast<std::streamsize>(pdf.size())));
    };
    FileError error;
    if (!WriteFileAtomically(ToPath(path), write, &error)) {
        result = Failed(UnableToWrite(path));
        result.Error = error;
    }
    return result;
}
