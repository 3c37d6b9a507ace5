#include "ui/FrmWorking.h"

#include "ui/Text1252.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

TfrmWorking::TfrmWorking(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmWorking"));
    setWindowTitle(QStringLiteral("Quillmark"));
    setModal(false);
    // The notice informs; it never takes the focus from the window at work.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette aqua = palette();
    aqua.setColor(QPalette::Window, QColor(0, 255, 255));
    aqua.setColor(QPalette::WindowText, Qt::black);
    setPalette(aqua);
    setAutoFillBackground(true);

    auto* working = new QLabel(QStringLiteral("Working..."), this);
    working->setObjectName(QStringLiteral("lblWorking"));
    QFont large(QStringLiteral("Times New Roman"));
    large.setPixelSize(40);
    working->setFont(large);
    working->setAlignment(Qt::AlignCenter);

    Info = new QLabel(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 16, 28, 18);
    layout->setSpacing(8);
    layout->addWidget(working);
    layout->addWidget(Info);
    setMinimumWidth(260);
}

void TfrmWorking::ShowWorking(const std::string& info) {
    Info->setText(FromText(info));
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
    if (!FBusy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        FBusy = true;
    }
    show();
    raise();
    // The work runs on this thread: without painting now the notice would
    // stay blank until the work is done.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

void TfrmWorking::HideWorking() {
    hide();
    if (FBusy) {
        QApplication::restoreOverrideCursor();
        FBusy = false;
    }
}

QString TfrmWorking::InfoText() const {
    return Info->text();
}
