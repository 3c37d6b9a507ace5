#pragma once
// A window's commands, each registered once with the controls that carry it:
// its menu item, its toolbar (or speed) button and its pop-up item. The
// window's menus, toolbar and pop-up menu are built from the table, every
// control of a command runs the same handler, and enabling a command enables
// all its controls.

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// One command of a window. A control the command does not have is left out
// (its name none). Shortcuts are in the portable text form ("F2",
// "Ctrl+F4", "Ins", "Del").
struct tCommandSpec {
    const char* Id = nullptr; // names the command in the window's layouts
    // The menu item: object name, caption, shortcut and hint.
    const char* MenuItem = nullptr;
    const char* Caption = nullptr;
    const char* Shortcut = nullptr;
    const char* Hint = nullptr;
    // The toolbar button: object name, icon (see ToolIcon) and hint.
    const char* Button = nullptr;
    const char* Icon = nullptr;
    const char* ButtonHint = nullptr;
    // The pop-up menu item: object name, caption and shortcut.
    const char* PopupItem = nullptr;
    const char* PopupCaption = nullptr;
    const char* PopupShortcut = nullptr;
    // The menu item is enabled by the window's state (a save that is possible
    // only with unsaved changes), not merely by the command having a handler.
    bool MenuFollowsState = false;
};

// The order of controls in a menu, toolbar or pop-up menu: command ids, with
// Divider for a separator line.
inline constexpr const char* Divider = "-";
using tLayout = std::initializer_list<const char*>;

class tCommands : public QObject {
    Q_OBJECT
public:
    // Makes the actions of every command of table, disabled, owned by window.
    tCommands(QWidget* window, std::span<const tCommandSpec> table);

    // Runs handler for every control of the command and enables them.
    void On(const char* id, std::function<void()> handler);
    // Enables or disables every control of the command.
    void SetEnabled(const char* id, bool enabled);
    bool IsEnabled(const QString& id) const;
    // Whether the command has a handler.
    bool IsBuilt(const QString& id) const;

    // A menu of the menu items of layout; its object name is name.
    QMenu* BuildMenu(const QString& title, const QString& name, tLayout layout, QWidget* parent = nullptr);
    // Adds the buttons of layout to the toolbar; each button widget carries
    // the button's object name.
    void BuildToolBar(QToolBar* bar, tLayout layout);
    // A pop-up menu of the pop-up items of layout.
    QMenu* BuildPopup(const QString& name, tLayout layout, QWidget* parent);

    std::span<const tCommandSpec> Table() const { return FTable; }
    // The command's controls' actions: menu item, button, pop-up item (those it
    // has).
    std::vector<QAction*> Actions(const QString& id) const;
    QAction* MenuAction(const QString& id) const;
    QAction* ButtonAction(const QString& id) const;
    QAction* PopupAction(const QString& id) const;

    // Runs the command as its controls do; nothing when it is disabled.
    void Run(const QString& id);

    // Test seam: when set, sees every command a control runs, with the window
    // it belongs to, before it runs; returning true keeps the command from
    // running.
    using tWatcher = std::function<bool(const QWidget* window, const QString& id)>;
    static void SetWatcher(tWatcher watcher);

private:
    struct tEntry {
        const tCommandSpec* Spec = nullptr;
        QAction* Menu = nullptr;
        QAction* Button = nullptr;
        QAction* Popup = nullptr;
        std::function<void()> Handler;
    };
    const tEntry& Entry(const QString& id) const;
    tEntry& Entry(const QString& id);
    QAction* MakeAction(const QString& id, const char* name, const char* caption, const char* shortcut,
                        const char* hint);

    QWidget* Window;
    std::span<const tCommandSpec> FTable;
    std::map<QString, tEntry> Entries;
};
