#pragma once
// The spellbook window: one book shown one spell level at a time, inside the
// main frame. Its handlers forward to the book's commands (tSpellBookDocument),
// which tell the window what to show through tSpellBookView. What belongs to
// the frame (New, Open, Exit, specialty maintenance) the window asks for by
// its request signals; the frame decides.

#include "book/SpellBookDocument.h"
#include "ui/QtUserInterface.h"

#include <QMdiSubWindow>

class QAction;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class tNumberBox;
class QToolBar;
class tCommands;

class TfrmSpellBook : public QMdiSubWindow, public tSpellBookView {
    Q_OBJECT
public:
    // Builds the window's controls over the specialty list in use and the
    // program's working notice; the frame then runs Document().Create().
    TfrmSpellBook(tSpecialtyList& specialties, tWorkingNotice& notice);
    ~TfrmSpellBook() override;

    tSpellBookDocument& Document() { return Doc; }
    tCommands& Commands() { return *FCommands; }
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
    void ShowSpells(const std::vector<std::string>& lines) override;
    void ShowCounters(int32_t perDay, int32_t memorized, tMarkedColour colour) override;
    void SetCaption(const std::string& caption) override;
    bool ChooseSaveFile(const std::string& folder, std::string& path) override;
    void OpenSpecialtyMaintenance() override;

public slots:
    void mnuNewClick();
    void mnuOpenClick();
    void mnuSaveClick();
    void mnuSaveAsClick();
    void mnuCloseClick();
    void mnuExitClick();
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
    void exitRequested();
    void specialtyMaintenanceRequested();
    // The caption changed (the frame's window list follows it).
    void captionChanged();
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
    QListWidget* lbSpells = nullptr;
    QLineEdit* ebSpellsPerDay = nullptr;
    QLineEdit* ebSpellsMarked = nullptr;
};
