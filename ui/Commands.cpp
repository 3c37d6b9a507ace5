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
    : QObject(window), Window(window), FTable(table) {
    for (const tCommandSpec& spec : FTable) {
        const QString id = QLatin1String(spec.Id);
        tEntry& entry = Entries[id];
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

QAction* tCommands::MakeAction(const QString& id, const char* name, const char* caption, const char* shortcut,
                               const char* hint) {
    auto* action = new QAction(QLatin1String(caption), Window);
    action->setObjectName(QLatin1String(name));
    if (hint) {
        action->setStatusTip(QLatin1String(hint));
        action->setToolTip(QLatin1String(hint));
    }
    if (shortcut) {
        action->setShortcut(QKeySequence(QLatin1String(shortcut), QKeySequence::PortableText));
    }
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { Run(id); });
    return action;
}

namespace {

// The entry of a command; a command id that is not in the table is a fault of
// the window's code.
template <class Map> auto& Find(Map& entries, const QString& id) {
    auto found = entries.find(id);
    if (found == entries.end()) {
        throw std::logic_error("no command " + id.toStdString());
    }
    return found->second;
}

} // namespace

const tCommands::tEntry& tCommands::Entry(const QString& id) const {
    return Find(Entries, id);
}

tCommands::tEntry& tCommands::Entry(const QString& id) {
    return Find(Entries, id);
}

void tCommands::On(const char* id, std::function<void()> handler) {
    Entry(QLatin1String(id)).Handler = std::move(handler);
    SetEnabled(id, true);
}

void tCommands::SetEnabled(const char* id, bool enabled) {
    for (QAction* action : Actions(QLatin1String(id))) {
        action->setEnabled(enabled);
    }
}

bool tCommands::IsEnabled(const QString& id) const {
    const std::vector<QAction*> actions = Actions(id);
    return !actions.empty() && actions.front()->isEnabled();
}

bool tCommands::IsBuilt(const QString& id) const {
    return static_cast<bool>(Entry(id).Handler);
}

std::vector<QAction*> tCommands::Actions(const QString& id) const {
    const tEntry& entry = Entry(id);
    std::vector<QAction*> actions;
    for (QAction* action : {entry.Menu, entry.Button, entry.Popup}) {
        if (action) {
            actions.push_back(action);
        }
    }
    return actions;
}

QAction* tCommands::MenuAction(const QString& id) const {
    return Entry(id).Menu;
}

QAction* tCommands::ButtonAction(const QString& id) const {
    return Entry(id).Button;
}

QAction* tCommands::PopupAction(const QString& id) const {
    return Entry(id).Popup;
}

QMenu* tCommands::BuildMenu(const QString& title, const QString& name, tLayout layout, QWidget* parent) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    for (const char* id : layout) {
        if (QLatin1String(id) == QLatin1String(Divider)) {
            menu->addSeparator();
        } else {
            menu->addAction(MenuAction(QLatin1String(id)));
        }
    }
    return menu;
}

void tCommands::BuildToolBar(QToolBar* bar, tLayout layout) {
    for (const char* id : layout) {
        if (QLatin1String(id) == QLatin1String(Divider)) {
            bar->addSeparator();
            continue;
        }
        QAction* action = ButtonAction(QLatin1String(id));
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(action->objectName());
    }
}

QMenu* tCommands::BuildPopup(const QString& name, tLayout layout, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(name);
    for (const char* id : layout) {
        if (QLatin1String(id) == QLatin1String(Divider)) {
            menu->addSeparator();
        } else {
            menu->addAction(PopupAction(QLatin1String(id)));
        }
    }
    return menu;
}

void tCommands::Run(const QString& id) {
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
