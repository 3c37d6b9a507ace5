#pragma once
// The program started for a window test: its own folder (program folder and
// working folder), every prompt answered by the test or refused, and the
// windows made in their start-up order.

#include "support/TestSupport.h"

#include <QKeySequence>
#include <QObject>
#include <QString>
#include <QTest>

#include <map>
#include <memory>
#include <string>

class QAction;
class QWidget;
class TfrmSpellBook;

class tProgramUnderTest {
public:
    // Writes the given files (name -> bytes) into a fresh folder first.
    explicit tProgramUnderTest(const std::map<std::string, std::string>& files = {});
    ~tProgramUnderTest();
    tProgramUnderTest(const tProgramUnderTest&) = delete;
    tProgramUnderTest& operator=(const tProgramUnderTest&) = delete;

    // Runs the program's start (LoadProgram, then the windows) and waits until
    // the frame is on screen.
    void Start();

    std::string Path(const std::string& name) const { return (Folder / name).string(); }
    QString QPath(const std::string& name) const { return QString::fromStdString(Path(name)); }

    TempDir Folder;

private:
    QString PreviousFolder;
};

// The child of root with this object name and type, or none.
template <class T> T* Named(QObject* root, const QString& name) {
    return root ? root->findChild<T*>(name) : nullptr;
}

// Triggers an enabled action as a click on it would; false when it is
// disabled.
bool Trigger(QAction* action);

// A menu item, toolbar or pop-up command as it should be.
struct tExpectedAction {
    const char* Name;
    const char* Text;
    QKeySequence Key;
    bool Enabled;
};

// Empty when the action named expected.Name under root has the expected text,
// shortcut and enabled state; otherwise what differs.
QString ActionMismatch(QObject* root, const tExpectedAction& expected);

// The texts of the frame's menu bar, in order.
QStringList MenuBarTitles();

// The spellbook windows of the frame, oldest first.
QList<TfrmSpellBook*> SpellBooks();

// A small master list: for each level 1 to 9 and each of the eight schools,
// six Common spells.
std::string SampleMaster();
