#include "ui/HelpViewer.h"

#include "app/Shared.h"
#include "ui/Text1252.h"

#include <QDialog>
#include <QFile>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QPointer<QDialog>& Viewer() {
    static QPointer<QDialog> viewer;
    return viewer;
}

tHelpRequest& Last() {
    static tHelpRequest request;
    return request;
}

} // namespace

QString HelpAnchor(int context) {
    return QStringLiteral("context-%1").arg(context);
}

void ShowHelp(QWidget* parent, int context) {
    const QString file = FromPath(HelpFile);
    Last() = {file, context};
    QPointer<QDialog>& viewer = Viewer();
    QWidget* owner = parent ? parent->window() : nullptr;
    if (!viewer) {
        viewer = new QDialog(owner, Qt::Window);
        viewer->setObjectName(QStringLiteral("HelpViewer"));
        viewer->setWindowTitle(QStringLiteral("Quillmark Help"));
        auto* browser = new QTextBrowser(viewer);
        browser->setObjectName(QStringLiteral("HelpText"));
        browser->setOpenExternalLinks(false);
        auto* layout = new QVBoxLayout(viewer);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        viewer->resize(640, 560);
    } else if (viewer->parentWidget() != owner) {
        // The viewer belongs to the window help was asked in: a modal dialog
        // lets its own windows work and stays under them.
        const QRect place = viewer->geometry();
        viewer->setParent(owner, Qt::Window);
        viewer->setGeometry(place);
    }
    auto* browser = viewer->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
    QFile source(file);
    const bool found = source.open(QIODevice::ReadOnly);
    if (found) {
        browser->setHtml(QString::fromUtf8(source.readAll()));
    } else {
        browser->setPlainText(QStringLiteral("The help file %1 cannot be opened.").arg(file));
    }
    // On every request the viewer comes to the front with the focus.
    if (viewer->isMinimized()) {
        viewer->showNormal();
    }
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    if (found) {
        browser->scrollToAnchor(HelpAnchor(context));
    }
}

tHelpRequest LastHelpRequest() {
    return Last();
}

void CloseHelp() {
    delete Viewer().data();
}
