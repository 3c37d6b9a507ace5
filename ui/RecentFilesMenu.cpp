#include "ui/RecentFilesMenu.h"

#include "app/RecentFiles.h"
#include "ui/Text1252.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

namespace {

// A path longer than this many average characters loses its middle.
constexpr int ShownCharacters = 60;

} // namespace

tRecentFilesMenu::tRecentFilesMenu(QMenu* menu, QAction* before, std::function<void(const std::string&)> open)
    : QObject(menu), Menu(menu), Before(before), Open(std::move(open)) {
    Separator = Menu->insertSeparator(Before);
    Separator->setObjectName(QStringLiteral("mnuRecentFiles"));
    connect(Menu, &QMenu::aboutToShow, this, &tRecentFilesMenu::Refresh);
    Refresh();
}

void tRecentFilesMenu::Refresh() {
    qDeleteAll(Items);
    Items.clear();
    const QFontMetrics metrics(Menu->font());
    int number = 0;
    for (const std::string& file : RecentFiles()) {
        ++number;
        const QString path = FromPath(file);
        QString shown =
            metrics.elidedText(path, Qt::ElideMiddle, metrics.averageCharWidth() * ShownCharacters);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* item = new QAction(QStringLiteral("&%1 %2").arg(number).arg(shown), Menu);
        item->setObjectName(QStringLiteral("mnuRecentFile%1").arg(number));
        item->setStatusTip(path);
        connect(item, &QAction::triggered, this, [this, file] { Open(file); });
        Menu->insertAction(Separator, item);
        Items << item;
    }
    Separator->setVisible(!Items.isEmpty());
}
