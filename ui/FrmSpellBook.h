#pragma once
// The spellbook window: one book shown one spell level at a time, inside the
// main frame. Its handlers forward to the book's commands (tSpellBookDocument),
// which tell the window what to show through tSpellBookView.

#include "book/SpellBookDocument.h"

#include <QMdiSubWindow>

class QAction;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QSpinBox;
class QToolBar;
class TfrmMain;

class TfrmSpellBook : public QMdiSubWindow, public tSpellBookView {
    Q_OBJECT
public:
    // Builds the window's controls; the frame then runs Document().Create().
    explicit TfrmSpellBook(TfrmMain* frame);
    ~TfrmSpellBook() override;

    tSpellBookDocument& Document() { return Doc; }
    // The window's "&File" and "&Edit" menus, which the frame shows in its
    // menu bar while this window is active.
    QMenu* FileMenu() const { return mnuFile; }
    QMenu* EditMenu() const { return mnuEdit; }
    // The pop-up menu of the spell list.
    QMenu* PopupMenu() const { return pmSpellBook; }

    // Closes the window without the close question.
    void Discard();

    // tSpellBookView
    void ShowError(const std::string& text) override;
    tAnswer AskYesNo(const std::string& text) override;
    tAnswer AskYesNoCancel(const std::string& text) override;
    void ShowWorking(const std::string& info) override;
    void HideWorking() override;
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
    void spnWizardLevelChange(const QString& text);
    void spnWizardIntelligenceChange(const QString& text);
    void cbWizardSpecialtyChange(const QString& text);
    void cbWizardSpecialtyExit();
    void cbSpellFrequencyChange(int position);

signals:
    // The caption changed (the frame's window list follows it).
    void captionChanged();
    // The window agreed to close and is going away.
    void windowClosed(TfrmSpellBook* window);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* Command(const char* name, const QString& text, const QString& hint = QString(),
                     const QKeySequence& key = QKeySequence());
    void BuildMenus();
    void BuildToolBar();
    QWidget* BuildBody();
    void ApplyMinimumSize();

    TfrmMain* Frame;
    tSpellBookDocument Doc;
    bool FDiscarding = false;
    bool FClosed = false;

    QMenu* mnuFile = nullptr;
    QMenu* mnuEdit = nullptr;
    QMenu* pmSpellBook = nullptr;
    QToolBar* tbSpellBook = nullptr;
    QSpinBox* spnWizardLevel = nullptr;
    QSpinBox* spnWizardIntelligence = nullptr;
    QComboBox* cbWizardSpecialty = nullptr;
    QComboBox* cbSpellFrequency = nullptr;
    QButtonGroup* grpSpellLevel = nullptr;
    QListWidget* lbSpells = nullptr;
    QLineEdit* ebSpellsPerDay = nullptr;
    QLineEdit* ebSpellsMarked = nullptr;
};
