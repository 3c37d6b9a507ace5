#include "ui/FrmWorking.h"

#include "ui/Text1252.h"

#include <QApplication>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Ends a wait once the window it watches is on screen.
class tExposeWatcher : public QObject {
public:
    tExposeWatcher(QWindow* window, QEventLoop& loop) : Window(window), Loop(loop) {
        Window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == Window && event->type() == QEvent::Expose && Window->isExposed()) {
            Loop.quit();
        }
        return false;
    }

private:
    QWindow* Window;
    QEventLoop& Loop;
};

// The longest wait for the window system to put the notice on screen.
constexpr int ExposeWaitMilliseconds = 1000;

} // namespace

// A frameless tool window: no title bar buttons, neither movable nor
// resizable; it keeps its caption for assistive technology.
TfrmWorking::TfrmWorking(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
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

    // Without a title bar, a plain border marks the notice's edge.
    auto* border = new QFrame(this);
    border->setObjectName(QStringLiteral("WorkingBorder"));
    border->setFrameStyle(QFrame::Box | QFrame::Plain);
    border->setLineWidth(2);
    auto* inner = new QVBoxLayout(border);
    inner->setContentsMargins(28, 16, 28, 18);
    inner->setSpacing(8);
    working->setParent(border);
    Info->setParent(border);
    inner->addWidget(working);
    inner->addWidget(Info);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(border);
    setMinimumWidth(260);
}

void TfrmWorking::ShowWorking(const std::string& info) {
    Info->setText(FromText(info));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    adjustSize();
    setFixedSize(size());
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
    // stay blank until the work is done. A window manager puts the window on
    // screen a moment after it is shown; wait for that, then paint.
    QWindow* window = windowHandle();
    if (window && !window->isExposed()) {
        QEventLoop wait;
        tExposeWatcher watcher(window, wait);
        QTimer::singleShot(ExposeWaitMilliseconds, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
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
