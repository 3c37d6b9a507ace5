#pragma once
// The main frame: a multiple-document window holding the spellbook windows,
// with the commands that belong to no one book. Its menu bar shows the active
// spellbook window's "&File" and "&Edit" menus in place of its own "&File".

#include "book/MainFrame.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QToolBar;
class TfrmSpellBook;

class TfrmMain : public QMainWindow, public tSpellBookHost {
    Q_OBJECT
public:
    // Builds the frame and runs its creation (FormCreate).
    TfrmMain();
    ~TfrmMain() override;

    QMdiArea* ClientArea() const { return Area; }
    QToolBar* ToolBar() const { return tbMain; }
    tMainFrameCommands& Commands() { return FrameCommands; }
    // The open spellbook windows, oldest first.
    QList<TfrmSpellBook*> SpellBookWindows() const;
    // The spellbook window whose menus the frame shows, or none.
    TfrmSpellBook* ActiveSpellBook() const;

    // tSpellBookHost
    void ShowError(const std::string& text) override;
    tAnswer AskYesNo(const std::string& text) override;
    tAnswer AskYesNoCancel(const std::string& text) override;
    void ShowWorking(const std::string& info) override;
    void HideWorking() override;
    bool AskBookParameters(tBookParameters& parameters) override;
    tSpellBookDocument* CreateSpellBookWindow() override;
    void DiscardSpellBookWindow(tSpellBookDocument* window) override;
    bool ChooseOpenFile(const std::string& folder, std::string& path) override;

public slots:
    void mnuNewSpellbookClick();
    void mnuOpenSpellbookClick();
    void mnuExitClick();
    void mnuArrangeClick();
    void mnuContentsClick();

signals:
    // The frame agreed to close; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BuildMenus();
    void BuildToolBar();
    void BuildPopupMenu();
    QAction* Item(const char* name, const QString& text, const QKeySequence& key = QKeySequence());
    void SubWindowActivated(QMdiSubWindow* window);
    void SpellBookWindowClosed(TfrmSpellBook* window);
    void UpdateMenuBar();
    void UpdateWindowMenu();

    tMainFrameCommands FrameCommands;
    QMdiArea* Area = nullptr;
    QToolBar* tbMain = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* pm_frmMain = nullptr;
    QList<QPointer<TfrmSpellBook>> Windows;
    QPointer<TfrmSpellBook> Current;
};
