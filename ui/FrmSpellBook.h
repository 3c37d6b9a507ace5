#pragma once
// The spellbook window: one book shown one spell level at a time, inside the
// main frame. Its handlers forward to the book's commands (tSpellBookDocument),
// which tell the window what to show through tSpellBookView. What belongs to
// the frame (New, Open, Exit, specialty maintenance) the window asks for by
// its request signals; the frame decides.

#include "book/SpellBookDocument.h"
#include "ui/QtUserInterface.h"

#include <QMdiSubWindow>

#include <functional>

class QAction;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class tOutputFormat;
class tSpellList;
class QMenu;
class tNumberBox;
class QToolBar;
class tCommands;

class TfrmSpellBook : public QMdiSubWindow, public tSpellBookView {
    Q_OBJECT
public:
    // Builds the window's controls over the specialty list in use, the
    // program's working notice and spell editor, and the master spell pool
    // (masterPool gives it, or none); the frame then runs Document().Create().
    TfrmSpellBook(tSpecialtyList& specialties, tWorkingNotice& notice, tSpellEditor& editor,
                  tOutputFormat& format, std::function<TSpellBook*()> masterPool);
    ~TfrmSpellBook() override;

    tSpellBookDocument& Document() { return Doc; }
    tCommands& Commands() { return *FCommands; }
    tSpellList* SpellList() const { return lbSpells; }
    // The window's "&File" and "&Edit" menus, which the frame shows in its
    // menu bar while this window is active.
    QMenu* FileMenu() const { return mnuFile; }
    QMenu* EditMenu() const { return mnuEdit; }
    // The pop-up menu of the spell list.
    QMenu* PopupMenu() const { return pmSpellBook; }

    // Closes the window without the close question.
    void Discard();

    // tSpellBookView
    void SetWizardLevelBox(int32_t value) override;
    void SetIntelligenceBox(int32_t value) override;
    void SetSpecialtyItems(const std::vector<std::string>& items) override;
    void SelectSpecialty(int32_t position) override;
    void SetSpecialtyText(const std::string& text) override;
    void SetFrequencyItems(const std::vector<std::string>& items) override;
    void SelectFrequency(int32_t position) override;
    void SelectSpellLevel(int32_t level) override;
    void ShowSpells(std::vector<std::string> lines) override;
    void ShowCounters(int32_t perDay, int32_t memorized, tMarkedColour colour) override;
    void SetCaption(const std::string& caption) override;
    bool ChooseSaveFile(const std::string& folder, std::string& path) override;
    void OpenSpecialtyMaintenance() override;
    std::vector<int32_t> SelectedRows() const override;
    bool ChooseImportFile(const std::string& folder, std::string& path) override;
    bool ChooseExportFile(const std::string& folder, std::string& path) override;
    void PutOnClipboard(const std::string& text) override;
    void ShowHistory(const std::string& undoName, const std::string& redoName) override;
    void ComeToFront() override;

public slots:
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuCloseClick();
    void mnuExitClick();
    void mnuAddSelectedSpellClick();
    void mnuAddRandomSpellClick();
    void mnuFillBookClick();
    void mnuValidateBookClick();
    void mnuClearBookClick();
    void mnuDeleteSpellClick();
    void mnuToggleMemorizedClick();
    void mnuEditSpellClick();
    void mnuCreateNewSpellClick();
    void mnuImportSpellsClick();
    void mnuExportSpellClick();
    void mnuCopytoClipboardClick();
    void mnuPrinterSetupClick();
    void mnuPrintPreviewClick();
    void mnuPrintClick();
    void mnuCreateScrollClick();
    void mnuUndoClick();
    void mnuRedoClick();
    void grpSpellLevelClick(int position);
    void spnWizardLevelChange(int value);
    void spnWizardIntelligenceChange(int value);
    void cbWizardSpecialtyChange(const QString& text);
    void cbWizardSpecialtyExit();
    void cbSpellFrequencyChange(int position);

signals:
    // Requests to the frame: its New, Open and Exit, and specialty
    // maintenance shown modally (the request returns when it closed).
    void newRequested();
    void openRequested();
    // One of the recent files chosen in the "&File" menu.
    void openRecentRequested(const std::string& path);
    void exitRequested();
    void specialtyMaintenanceRequested();
    // Add Selected Spell: the master list shown at this window's level.
    void addSelectedSpellRequested(int32_t level);
    // Lines of a spell list (source, possibly this window's own) were dropped
    // on this window's list.
    void spellsDropRequested(tSpellList* source);
    // The frame's Printer Setup, and a scroll made from this window's book.
    void printerSetupRequested();
    void createScrollRequested();
    // The caption changed (the frame's window list follows it).
    void captionChanged();
    // A question about this window is asked: the frame brings it to the front.
    void frontRequested(TfrmSpellBook* window);
    // The window agreed to close and is going away.
    void windowClosed(TfrmSpellBook* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildCommands();
    QWidget* BuildBody();
    void ApplyMinimumSize();

    tQtUserInterface UI;
    tSpellEditor& Editor;
    tOutputFormat& Format;
    std::function<TSpellBook*()> MasterPool;
    tSpellBookDocument Doc;
    tCommands* FCommands = nullptr;
    bool FDiscarding = false;
    bool FClosed = false;

    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* pmSpellBook = nullptr;
    QToolBar* tbSpellBook = nullptr;
    tNumberBox* spnWizardLevel = nullptr;
    tNumberBox* spnWizardIntelligence = nullptr;
    QComboBox* cbWizardSpecialty = nullptr;
    QComboBox* cbSpellFrequency = nullptr;
    QButtonGroup* grpSpellLevel = nullptr;
    tSpellList* lbSpells = nullptr;
    QLineEdit* ebSpellsPerDay = nullptr;
    QLineEdit* ebSpellsMarked = nullptr;
};
