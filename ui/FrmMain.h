#pragma once
// The main frame: a multiple-document window holding the spellbook windows,
// with the commands that belong to no one book. Its menu bar shows the active
// spellbook window's "&File" and "&Edit" menus in place of its own "&File".

#include "frame/MainFrame.h"
#include "ui/QtUserInterface.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class QToolBar;
class TfrmSpellBook;
class TfrmWorking;
class tCommands;
class tSpellList;
struct tProgramWindows;

class TfrmMain : public QMainWindow, public tSpellBookHost {
    Q_OBJECT
public:
    // Builds the frame and runs its creation (FormCreate), which makes the
    // working notice (windows.Working). The frame reads the other windows it
    // uses from windows when its commands run.
    explicit TfrmMain(tProgramWindows& windows);
    ~TfrmMain() override;

    QMdiArea* ClientArea() const { return Area; }
    QToolBar* ToolBar() const { return tbMain; }
    tMainFrameCommands& FrameCommands() { return Frame; }
    tCommands& Commands() { return *FCommands; }
    // The open spellbook windows, oldest first.
    QList<TfrmSpellBook*> SpellBookWindows() const;
    // The spellbook window whose menus the frame shows, or none.
    TfrmSpellBook* ActiveSpellBook() const;
    // Its book, or none.
    const TSpellBook* ActiveBook() const;

    // tSpellBookHost
    bool AskBookParameters(tBookParameters& parameters) override;
    tSpellBookDocument* CreateSpellBookWindow() override;
    void DiscardSpellBookWindow(tSpellBookDocument* window) override;
    bool ChooseOpenFile(const std::string& folder, std::string& path) override;
    bool AskDataDirectory(const std::string& folder, std::string& chosen) override;
    bool AskScrollCounts(const TSpellBook& source, tScrollCounts& counts) override;

public slots:
    void mnuNewSpellbookClick();
    void mnuOpenSpellbookClick();
    void mnuExitClick();
    void mnuArrangeClick();
    void mnuContentsClick();
    void mnuSetSpecialtiesClick();
    void mnuViewMasterClick();
    void mnuDataDirectoriesClick();
    void SpellSelectionOdds1Click();
    void mnuAboutClick();
    void mnuPrinterSetupClick();
    // Every spellbook window's specialty choices made anew.
    void RefreshSpecialtyChoices();
    void mnuSetMasterFileClick();
    // The master list's Add Spells to Book: copies of the spells at rows of
    // level of its view go into the active spellbook window's book.
    void AddSpellsToBook(int32_t level, const std::vector<int32_t>& rows);
    // A spellbook window's Add Selected Spell: the master list shown at level.
    void ShowMasterListAt(int32_t level);
    // Lines of the source list dropped on the target window's list.
    void DropSpells(TfrmSpellBook* target, tSpellList* source);
    // The spellbook window in front in the frame, the active one, and the
    // frame the active window.
    void BringToFront(TfrmSpellBook* window);

signals:
    // The frame agreed to close; the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void BuildCommands();
    void SubWindowActivated(QMdiSubWindow* window);
    void SpellBookWindowClosed(TfrmSpellBook* window);
    void UpdateMenuBar();
    void UpdateWindowMenu();

    tProgramWindows& Windows;
    TfrmWorking* Working;
    tQtUserInterface UI;
    tMainFrameCommands Frame;
    tCommands* FCommands = nullptr;
    QMdiArea* Area = nullptr;
    QToolBar* tbMain = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuOptions = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* pm_frmMain = nullptr;
    QList<QPointer<TfrmSpellBook>> Books;
    QPointer<TfrmSpellBook> Current;
};
