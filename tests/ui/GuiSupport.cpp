#include "GuiSupport.h"

#include "app/Shared.h"
#include "ui/FrmMain.h"
#include "ui/FrmSpellBook.h"
#include "ui/Program.h"
#include "ui/Prompts.h"

#include <QAction>
#include <QDir>
#include <QMenuBar>

tProgramUnderTest::tProgramUnderTest(const std::map<std::string, std::string>& files) {
    for (const auto& [name, bytes] : files) {
        WriteBytes(Folder / name, bytes);
    }
    PreviousFolder = QDir::currentPath();
}

tProgramUnderTest::~tProgramUnderTest() {
    DestroyProgramWindows();
    Prompts::Reset();
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

QString ActionMismatch(QObject* root, const tExpectedAction& expected) {
    auto* action = Named<QAction>(root, QLatin1String(expected.Name));
    if (!action) {
        return QStringLiteral("%1 is missing").arg(QLatin1String(expected.Name));
    }
    if (action->text() != QLatin1String(expected.Text)) {
        return QStringLiteral("%1 reads \"%2\"").arg(QLatin1String(expected.Name), action->text());
    }
    if (action->shortcut() != expected.Key) {
        return QStringLiteral("%1 has the shortcut %2")
            .arg(QLatin1String(expected.Name), action->shortcut().toString());
    }
    if (action->isEnabled() != expected.Enabled) {
        return QStringLiteral("%1 is %2")
            .arg(QLatin1String(expected.Name),
                 action->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    }
    return QString();
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
