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
class tCommands;

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

// Every control of every command of the window's table as the table gives
// it: each exists under its name, a menu item stands in a menu and reads its
// caption, shortcut and hint, a button stands in a toolbar with its hint and
// icon, a pop-up item stands in a menu with its caption and shortcut, and
// every control is enabled exactly when its command has a handler (a menu
// item that follows the window's state excepted). Returns what differs, one
// line each.
QStringList CommandControlMismatches(QWidget* window, const tCommands& commands);

// Runs each enabled control of each command that has a handler as a user would
// (a menu or pop-up item triggered, a button clicked), with a watcher that keeps
// the command itself from running; returns each control that did not reach
// its own command of this window.
QStringList CommandsNotReached(QWidget* window, tCommands& commands);

// What the test left behind in the prompts seam: answers queued but never
// taken, and questions or dialogs that found no answer. Empty when clean.
QString PromptsLeftOver();

// The texts of the frame's menu bar, in order.
QStringList MenuBarTitles();

// The spellbook windows of the frame, oldest first.
QList<TfrmSpellBook*> SpellBooks();

// A small master list: for each level 1 to 9 and each of the eight schools,
// six Common spells.
std::string SampleMaster();
