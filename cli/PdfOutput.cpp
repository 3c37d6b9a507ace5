#include "cli/PdfOutput.h"

#include "ui/PainterSurface.h"

#include <QGuiApplication>

#include <memory>

namespace {

// Qt's own notes on standard error (such as a missing runtime folder) are
// dropped: a run that succeeds writes nothing there.
void DropMessage(QtMsgType /*type*/, const QMessageLogContext& /*context*/, const QString& /*message*/) {
}

struct tQuietQt {
    QtMessageHandler Previous = qInstallMessageHandler(DropMessage);
    tQuietQt() = default;
    tQuietQt(const tQuietQt&) = delete;
    tQuietQt& operator=(const tQuietQt&) = delete;
    ~tQuietQt() { qInstallMessageHandler(Previous); }
};

} // namespace

bool MakeBookPdf(TSpellBook& book, const std::string& caption, const tOutputOptions& options,
                 std::string& pdf, std::string& message) {
    const tQuietQt quiet;
    // Fonts need an application object; a program without one gets its own
    // for this call, on the offscreen platform.
    std::unique_ptr<QGuiApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        static char name[] = "quillmark-cli";
        static char platformOption[] = "-platform";
        static char platform[] = "offscreen";
        static char* argv[] = {name, platformOption, platform, nullptr};
        static int argc = 3;
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    tPrintResult result;
    const QByteArray bytes = BookPdf(book, caption, options, DefaultPdfPageLayout(), result);
    if (!result.Done) {
        message = result.Message.toStdString();
        return false;
    }
    pdf.assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    return true;
}
