#pragma once
// The print layout (output/PrintLayout.h) drawn with Qt: the preview image,
// the printer's pages and PDF files. Texts cross as Windows-1252.

#include "files/FileStatus.h"
#include "output/PrintLayout.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QString>

#include <string>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

// The preview image, always this size.
constexpr int PreviewWidth = 551;
constexpr int PreviewHeight = 442;

// The output font as a font of the screen: its face (the face "System", where
// the system has no font of that name, becomes the system's general font),
// its character height in pixels, bold, italic, underline and strike-out.
QFont ScreenFont(const tOutputFont& font);

// The font chosen in a font dialog as the output font: face, character height
// in screen pixels, bold, italic, underline and strike-out; the colour and
// character set (which the dialog does not choose) are kept from previous.
tOutputFont OutputFontOf(const QFont& font, const tOutputFont& previous);

// A drawing surface over a painter that is active on its device. On paper
// (pages given) the output font keeps its point size, so the text is as large
// as on the screen, and NewPage turns the device's page; otherwise the font is
// sized in the device's pixels and there is one page. Colour: the font's, or
// black for the window-text colour.
class tPainterSurface : public tDrawingSurface {
public:
    tPainterSurface(QPainter& painter, QPagedPaintDevice* pages);

    void SetFont(const tOutputFont& font) override;
    void AddUnderline() override;
    int32_t TextWidth(const std::string& text) override;
    int32_t TextHeight(const std::string& text) override;
    void DrawText(int32_t x, int32_t y, const std::string& text) override;
    void NewPage() override;
    int32_t PageWidth() const override { return Width; }
    int32_t PageHeight() const override { return Height; }

    // Pages begun so far, the first included.
    int Pages() const { return PageCount; }
    // True when the device refused a new page.
    bool PageRefused() const { return Refused; }

private:
    QPainter& Painter;
    QPagedPaintDevice* PagedDevice;
    int32_t Width;
    int32_t Height;
    int PageCount = 1;
    bool Refused = false;
};

// The book drawn as the preview shows it, on a new white image of
// PreviewWidth x PreviewHeight.
QImage RenderPreviewImage(TSpellBook& book, const std::string& caption, const tOutputOptions& options);

// How a print or a PDF export went.
struct tPrintResult {
    bool Done = false;
    int Pages = 0;   // the pages drawn when done
    QString Message; // when not done: what went wrong, naming the printer or file
    // When the file of a PDF export or of a print to a file could not be
    // written: why.
    FileError Error;
};

// Draws the book's pages on printer's device, page after page, at the
// screen's resolution (the layout's spacing is in device pixels), as
// printing does: on paper, or on the pages of a print preview. The pages
// begun; 0 when the device could not be painted on.
int DrawBookPages(QPrinter& printer, TSpellBook& book, const std::string& caption,
                  const tOutputOptions& options, bool* refused = nullptr);

// Prints the book on printer, as the print and printer setup dialogs left it,
// as one job, page after page, at the screen's resolution (the layout's
// spacing is in device pixels). The job is named after caption unless the
// printer already has a document name. Not done (with a message naming the
// printer, or the file when the printer prints to one) when the printer is
// not available, refuses the job or a page, or reports an error at its end.
tPrintResult PrintBook(QPrinter& printer, TSpellBook& book, const std::string& caption,
                       const tOutputOptions& options);

// The page of a PDF when no printer gives one: A4, upright, 12.7 mm margins.
QPageLayout DefaultPdfPageLayout();

// The same pages as a PDF document in memory, on pages of layout, at the
// screen's resolution. Empty, with
// result.Message set, when the document cannot be made.
QByteArray BookPdf(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
                   const QPageLayout& layout, tPrintResult& result);

// Writes BookPdf to the file at path, whole or not at all: when the file
// cannot be written, an existing file there stays as it was and the result
// says "Unable to write to <path>", with Error set.
tPrintResult ExportBookPdf(const QString& path, TSpellBook& book, const std::string& caption,
                           const tOutputOptions& options, const QPageLayout& layout = DefaultPdfPageLayout());
