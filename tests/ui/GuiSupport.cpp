#include "GuiSupport.h"

#include "app/Shared.h"
#include "ui/Commands.h"
#include "ui/FrmMain.h"
#include "ui/FrmSpellBook.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

tProgramUnderTest::tProgramUnderTest(const std::map<std::string, std::string>& files) {
    for (const auto& [name, bytes] : files) {
        WriteBytes(Folder / name, bytes);
    }
    PreviousFolder = QDir::currentPath();
}

tProgramUnderTest::~tProgramUnderTest() {
    // The prompts' record stays for the test's cleanup to look at.
    DestroyProgramWindows();
    SetProgramDirectory("");
    QDir::setCurrent(PreviousFolder);
}

void tProgramUnderTest::Start() {
    Prompts::Reset();
    Prompts::SetUnattended(true);
    SetProgramDirectory(Folder.Path().string());
    QDir::setCurrent(QString::fromStdString(Folder.Path().string()));
    LoadProgram();
    CreateProgramWindows();
    QVERIFY(QTest::qWaitForWindowExposed(frmMain));
}

bool Trigger(QAction* action) {
    if (!action || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

namespace {

// The menu, or toolbar, the action stands in; none when it stands nowhere.
template <class T> T* HolderOf(QAction* action) {
    for (QObject* holder : action->associatedObjects()) {
        if (auto* found = qobject_cast<T*>(holder)) {
            return found;
        }
    }
    return nullptr;
}

QList<QKeySequence> Keys(const char* text) {
    return text ? QKeySequence::listFromString(QLatin1String(text), QKeySequence::PortableText)
                : QList<QKeySequence>();
}

QString KeysText(const QList<QKeySequence>& keys) {
    return QKeySequence::listToString(keys, QKeySequence::PortableText);
}

// A command named by its first control.
QString NameOf(const tCommandSpec& spec) {
    return QLatin1String(spec.MenuItem ? spec.MenuItem : spec.Button ? spec.Button : spec.PopupItem);
}

} // namespace

QStringList CommandControlMismatches(QWidget* window, const tCommands& commands) {
    QStringList mismatches;
    auto check = [&](bool ok, const QString& what) {
        if (!ok) {
            mismatches << what;
        }
    };
    for (const tCommandSpec& spec : commands.Table()) {
        const tCommandId id = spec.Id;
        const QString name = NameOf(spec);
        const bool built = commands.IsBuilt(id);
        if (spec.MenuItem) {
            auto* item = Named<QAction>(window, QLatin1String(spec.MenuItem));
            check(item == commands.MenuAction(id), name + ": no menu item " + QLatin1String(spec.MenuItem));
            if (item) {
                check(HolderOf<QMenu>(item) != nullptr, name + ": its menu item stands in no menu");
                check(item->text() == QLatin1String(spec.Caption),
                      name + ": the menu item reads " + item->text());
                check(item->shortcuts() == Keys(spec.Shortcut),
                      name + ": the menu item's shortcuts are " + KeysText(item->shortcuts()));
                check(!spec.Hint || item->statusTip() == QLatin1String(spec.Hint),
                      name + ": the menu item's hint is " + item->statusTip());
                check(spec.MenuFollowsState || item->isEnabled() == built,
                      name + ": the menu item is enabled " + QString::number(item->isEnabled()));
            }
        }
        if (spec.Button) {
            auto* button = Named<QToolButton>(window, QLatin1String(spec.Button));
            check(button != nullptr, name + ": no button " + QLatin1String(spec.Button));
            if (button) {
                check(qobject_cast<QToolBar*>(button->parentWidget()) != nullptr,
                      name + ": its button stands in no toolbar");
                check(button->toolTip() == QLatin1String(spec.ButtonHint),
                      name + ": the button's hint is " + button->toolTip());
                check(!button->icon().isNull(), name + ": the button has no picture");
                check(button->isEnabled() == built,
                      name + ": the button is enabled " + QString::number(button->isEnabled()));
            }
        }
        if (spec.PopupItem) {
            auto* item = Named<QAction>(window, QLatin1String(spec.PopupItem));
            check(item == commands.PopupAction(id),
                  name + ": no pop-up item " + QLatin1String(spec.PopupItem));
            if (item) {
                check(HolderOf<QMenu>(item) != nullptr, name + ": its pop-up item stands in no menu");
                check(item->text() == QLatin1String(spec.PopupCaption),
                      name + ": the pop-up item reads " + item->text());
                check(item->shortcuts() == Keys(spec.PopupShortcut),
                      name + ": the pop-up item's shortcuts are " + KeysText(item->shortcuts()));
                check(item->isEnabled() == built,
                      name + ": the pop-up item is enabled " + QString::number(item->isEnabled()));
            }
        }
    }
    return mismatches;
}

QStringList CommandsNotReached(QWidget* window, tCommands& commands) {
    QStringList notReached;
    // The command reached, named by its first control.
    QString reached;
    tCommands::SetWatcher([&](const QWidget* from, tCommandId id) {
        QString name = QStringLiteral("an unknown command");
        for (const tCommandSpec& spec : commands.Table()) {
            if (spec.Id == id) {
                name = NameOf(spec);
            }
        }
        reached = from == window ? name : QStringLiteral("another window's command");
        return true;
    });
    auto expect = [&](const tCommandSpec& spec, const QString& control) {
        if (reached != NameOf(spec)) {
            notReached << control + " reached " + (reached.isEmpty() ? QStringLiteral("nothing") : reached) +
                              " instead of " + NameOf(spec);
        }
        reached.clear();
    };
    for (const tCommandSpec& spec : commands.Table()) {
        const tCommandId id = spec.Id;
        if (!commands.IsBuilt(id)) {
            continue;
        }
        if (spec.MenuItem) {
            auto* item = Named<QAction>(window, QLatin1String(spec.MenuItem));
            if (item->isEnabled()) {
                item->trigger();
                expect(spec, QLatin1String(spec.MenuItem));
            }
        }
        if (spec.Button) {
            Named<QToolButton>(window, QLatin1String(spec.Button))->click();
            expect(spec, QLatin1String(spec.Button));
        }
        if (spec.PopupItem) {
            Named<QAction>(window, QLatin1String(spec.PopupItem))->trigger();
            expect(spec, QLatin1String(spec.PopupItem));
        }
    }
    tCommands::SetWatcher(nullptr);
    return notReached;
}

QString PromptsLeftOver() {
    QStringList left;
    if (Prompts::PendingAnswers() > 0) {
        left << QStringLiteral("%1 queued answer(s) never taken").arg(Prompts::PendingAnswers());
    }
    for (const Prompts::tShownPrompt& prompt : Prompts::Unanswered()) {
        left << QStringLiteral("unanswered %1: %2").arg(prompt.Kind, prompt.Text);
    }
    return left.join(QStringLiteral("; "));
}

QStringList MenuBarTitles() {
    QStringList titles;
    for (QAction* action : frmMain->menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

QList<TfrmSpellBook*> SpellBooks() {
    return frmMain->SpellBookWindows();
}

std::string SampleMaster() {
    static const char* const schools[] = {"abj", "alt", "c/s", "div", "e/c", "i/e", "ill", "nec"};
    std::string bytes;
    for (int level = 1; level <= 9; ++level) {
        for (const char* school : schools) {
            for (int k = 1; k <= 6; ++k) {
                bytes += std::to_string(level) + ",\"Spell " + school + " " + std::to_string(level) + "." +
                         std::to_string(k) + "\",\"Tome\"," + std::to_string(level * 10 + k) + ",\"C\",\"" +
                         school + "\",\"N\"\r\n";
            }
        }
    }
    return bytes + " \r\n";
}
