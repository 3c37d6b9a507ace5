#pragma once
// A window's commands, each registered once with the controls that carry it:
// its menu item, its toolbar (or speed) button and its pop-up item. The
// window's menus, toolbar and pop-up menu are built from the table, every
// control of a command runs the same handler, and enabling a command enables
// all its controls.

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <type_traits>
#include <vector>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// A command's id: a value of the enumeration of one window's commands. The
// window's table lists its commands in that enumeration's order (see
// InIdOrder), so a mistyped id does not build.
class tCommandId {
public:
    template <class E>
    requires std::is_enum_v<E>
    constexpr tCommandId(E id) : FKind(&KindOf<E>), FValue(static_cast<size_t>(id)) {}

    // The command's position in its enumeration, and so in its table.
    constexpr size_t Value() const { return FValue; }
    // Whether both ids are of the same enumeration.
    constexpr bool SameKind(const tCommandId& other) const { return FKind == other.FKind; }
    constexpr bool operator==(const tCommandId& other) const = default;

private:
    template <class E> static constexpr char KindOf = 0;
    const char* FKind;
    size_t FValue;
};

// One command of a window. A control the command does not have is left out
// (its name none). Shortcuts are in the portable text form ("F2",
// "Ctrl+F4", "Ins", "Del"); a command with more than one lists them
// separated by "; " ("Ctrl+Y; Ctrl+Shift+Z"), the first shown in its menu.
// The desktop's standard keys (Ctrl+N, Ctrl+O, Ctrl+S...) follow a
// command's own shortcut; one that has none leaves the first place empty
// ("; Ctrl+O"), so that its menu shows none, as before.
struct tCommandSpec {
    tCommandId Id; // names the command in the window's code and layouts
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

// True when every command of the table stands at the position its id gives,
// so the table has one entry for each id up to its last. Each window checks
// its table with it at compile time.
constexpr bool InIdOrder(std::span<const tCommandSpec> table) {
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].Id.Value() != i || !table[i].Id.SameKind(table[0].Id)) {
            return false;
        }
    }
    return true;
}

// The order of controls in a menu, toolbar or pop-up menu: command ids, with
// Divider for a separator line.
struct tDivider {};
inline constexpr tDivider Divider;
class tLayoutItem {
public:
    template <class E>
    requires std::is_enum_v<E>
    constexpr tLayoutItem(E id) : FId(id) {}
    constexpr tLayoutItem(tDivider) {}
    // The command, or none for a separator.
    const std::optional<tCommandId>& Id() const { return FId; }

private:
    std::optional<tCommandId> FId;
};
using tLayout = std::initializer_list<tLayoutItem>;

class tCommands : public QObject {
    Q_OBJECT
public:
    // Makes the actions of every command of table, disabled, owned by window.
    // The table is in its ids' order (InIdOrder).
    tCommands(QWidget* window, std::span<const tCommandSpec> table);

    // Runs handler for every control of the command and enables them.
    void On(tCommandId id, std::function<void()> handler);
    // Enables or disables every control of the command.
    void SetEnabled(tCommandId id, bool enabled);
    bool IsEnabled(tCommandId id) const;
    // Whether the command has a handler.
    bool IsBuilt(tCommandId id) const;

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
    std::vector<QAction*> Actions(tCommandId id) const;
    QAction* MenuAction(tCommandId id) const;
    QAction* ButtonAction(tCommandId id) const;
    QAction* PopupAction(tCommandId id) const;

    // Runs the command as its controls do; nothing when it is disabled.
    void Run(tCommandId id);

    // Test seam: when set, sees every command a control runs, with the window
    // it belongs to, before it runs; returning true keeps the command from
    // running.
    using tWatcher = std::function<bool(const QWidget* window, tCommandId id)>;
    static void SetWatcher(tWatcher watcher);

private:
    struct tEntry {
        const tCommandSpec* Spec = nullptr;
        QAction* Menu = nullptr;
        QAction* Button = nullptr;
        QAction* Popup = nullptr;
        std::function<void()> Handler;
    };
    const tEntry& Entry(tCommandId id) const;
    tEntry& Entry(tCommandId id);
    QAction* MakeAction(tCommandId id, const char* name, const char* caption, const char* shortcut,
                        const char* hint);

    QWidget* Window;
    std::span<const tCommandSpec> FTable;
    std::vector<tEntry> Entries; // by id
};
