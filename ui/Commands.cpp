#include "ui/Commands.h"

#include "ui/Artwork.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include <stdexcept>

namespace {

tCommands::tWatcher& Watcher() {
    static tCommands::tWatcher watcher;
    return watcher;
}

} // namespace

tCommands::tCommands(QWidget* window, std::span<const tCommandSpec> table)
    : QObject(window), Window(window), FTable(table), Entries(table.size()) {
    if (!InIdOrder(table)) {
        throw std::logic_error("a command table out of its ids' order");
    }
    for (const tCommandSpec& spec : FTable) {
        const tCommandId id = spec.Id;
        tEntry& entry = Entries[id.Value()];
        entry.Spec = &spec;
        if (spec.MenuItem) {
            entry.Menu = MakeAction(id, spec.MenuItem, spec.Caption, spec.Shortcut, spec.Hint);
        }
        if (spec.Button) {
            entry.Button = MakeAction(id, spec.Button, spec.ButtonHint, nullptr, spec.ButtonHint);
            entry.Button->setIcon(ToolIcon(QLatin1String(spec.Icon)));
        }
        if (spec.PopupItem) {
            entry.Popup = MakeAction(id, spec.PopupItem, spec.PopupCaption, spec.PopupShortcut, nullptr);
        }
    }
}

QAction* tCommands::MakeAction(tCommandId id, const char* name, const char* caption, const char* shortcut,
                               const char* hint) {
    auto* action = new QAction(QLatin1String(caption), Window);
    action->setObjectName(QLatin1String(name));
    if (hint) {
        action->setStatusTip(QLatin1String(hint));
        action->setToolTip(QLatin1String(hint));
    }
    if (shortcut) {
        action->setShortcuts(
            QKeySequence::listFromString(QLatin1String(shortcut), QKeySequence::PortableText));
    }
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    return action;
}

namespace {

// The entry of a command; an id of another window's commands is a fault of
// the window's code.
template <class Entries> auto& Find(Entries& entries, std::span<const tCommandSpec> table, tCommandId id) {
    if (table.empty() || !id.SameKind(table.front().Id) || id.Value() >= entries.size()) {
        throw std::logic_error("a command of another window");
    }
    return entries[id.Value()];
}

} // namespace

const tCommands::tEntry& tCommands::Entry(tCommandId id) const {
    return Find(Entries, FTable, id);
}

tCommands::tEntry& tCommands::Entry(tCommandId id) {
    return Find(Entries, FTable, id);
}

void tCommands::On(tCommandId id, std::function<void()> handler) {
    Entry(id).Handler = std::move(handler);
    SetEnabled(id, true);
}

void tCommands::SetEnabled(tCommandId id, bool enabled) {
    for (QAction* action : Actions(id)) {
        action->setEnabled(enabled);
    }
}

bool tCommands::IsEnabled(tCommandId id) const {
    const std::vector<QAction*> actions = Actions(id);
    return !actions.empty() && actions.front()->isEnabled();
}

bool tCommands::IsBuilt(tCommandId id) const {
    return static_cast<bool>(Entry(id).Handler);
}

std::vector<QAction*> tCommands::Actions(tCommandId id) const {
    const tEntry& entry = Entry(id);
    std::vector<QAction*> actions;
    for (QAction* action : {entry.Menu, entry.Button, entry.Popup}) {
        if (action) {
            actions.push_back(action);
        }
    }
    return actions;
}

QAction* tCommands::MenuAction(tCommandId id) const {
    return Entry(id).Menu;
}

QAction* tCommands::ButtonAction(tCommandId id) const {
    return Entry(id).Button;
}

QAction* tCommands::PopupAction(tCommandId id) const {
    return Entry(id).Popup;
}

QMenu* tCommands::BuildMenu(const QString& title, const QString& name, tLayout layout, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    for (const tLayoutItem& item : layout) {
        if (!item.Id()) {
            menu->addSeparator();
        } else {
            menu->addAction(MenuAction(*item.Id()));
        }
    }
    return menu;
}

void tCommands::BuildToolBar(QToolBar* bar, tLayout layout) {
    for (const tLayoutItem& item : layout) {
        if (!item.Id()) {
            bar->addSeparator();
            continue;
        }
        QAction* action = ButtonAction(*item.Id());
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(action->objectName());
    }
}

QMenu* tCommands::BuildPopup(const QString& name, tLayout layout, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    for (const tLayoutItem& item : layout) {
        if (!item.Id()) {
            menu->addSeparator();
        } else {
            menu->addAction(PopupAction(*item.Id()));
        }
    }
    return menu;
}

void tCommands::Run(tCommandId id) {
    const tEntry& entry = Entry(id);
    if (!IsEnabled(id) || !entry.Handler) {
        return;
    }
    if (Watcher() && Watcher()(Window, id)) {
        return;
    }
    // The handler may close the window and so destroy this object: keep it.
    const std::function<void()> handler = entry.Handler;
    handler();
}

void tCommands::SetWatcher(tWatcher watcher) {
    Watcher() = std::move(watcher);
}
