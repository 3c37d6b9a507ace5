#pragma once
// The print preview: the book drawn on one 551 x 442 image as the printer would
// lay it out, with the commands that change the font and the format, set up
// the printer, print, and export the same pages to a PDF file. Made for one
// use by a spellbook window and released.

#include "ui/QtUserInterface.h"

#include <QDialog>

#include <string>

struct tPrintResult;
class QLabel;
class QScrollArea;
class tCommands;
class tOutputFormat;
class tSpellBookDocument;

class TfrmPrintPreview : public QDialog {
    Q_OBJECT
public:
    // The preview of the document's book under the options of format.
    TfrmPrintPreview(QWidget* parent, tSpellBookDocument& document, tOutputFormat& format,
                     tWorkingNotice& notice);

    // Draws the book on a new blank image and shows it.
    void RenderPreview();
    tCommands& Commands() { return *FCommands; }
    const QLabel* Image() const { return FImage; }

public slots:
    void mnuFontClick();
    void mnuFormatClick();
    void mnuPrinterSetupClick();
    // The pages as Print will put them on the printer's paper, page by page,
    // with zoom, in a window of their own; printing from there is Print.
    void mnuPagePreviewClick();
    // The print dialog, then the book printed on the printer it chose; a print
    // that fails is said to be so, naming the printer. True when printed.
    bool mnuPrintClick();
    // The book's pages to a PDF file chosen in a save dialog (asking before a
    // file is replaced); a file that cannot be written is said to be so.
    void mnuExportPdfClick();
    void mnuCloseClick();

protected:
    bool event(QEvent* event) override;

private:
    // A print or export that failed, said so: a file that could not be
    // written named, with why beneath.
    void ShowFailure(const tPrintResult& result, const std::string& path);
    // Print, its dialog belonging to owner.
    bool PrintFrom(QWidget* owner);

    tSpellBookDocument& Document;
    tOutputFormat& Format;
    tQtUserInterface UI;
    tCommands* FCommands = nullptr;
    QScrollArea* Area = nullptr;
    QLabel* FImage = nullptr;
};
