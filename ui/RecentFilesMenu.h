#pragma once
// The recent files in a window's "&File" menu: numbered items ("&1" to "&8")
// and a separator before the menu's Exit, made anew from the settings each
// time the menu opens, so that every window's menu shows the same list.
// Choosing one hands its path to the window's handler.

#include <QList>
#include <QObject>

#include <functional>
#include <string>

class QAction;
class QMenu;

class tRecentFilesMenu : public QObject {
    Q_OBJECT
public:
    // Items go into menu before the item before.
    tRecentFilesMenu(QMenu* menu, QAction* before, std::function<void(const std::string& path)> open);

    // The items made from the list as it is now (done whenever the menu is
    // about to show).
    void Refresh();

private:
    QMenu* Menu;
    QAction* Before;
    QAction* Separator;
    QList<QAction*> Items;
    std::function<void(const std::string& path)> Open;
};
