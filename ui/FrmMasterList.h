#pragma once
// The master spell list window: the pool of every spell, one level at a time,
// narrowed by a filter; its spells are edited, added, deleted and saved here,
// and copied or dragged into spellbooks. Made once at start-up, it is shown and
// hidden, never destroyed before the program ends. Its handlers forward to the
// master list's commands (tMasterList); what concerns a spellbook window it
// asks the frame for.

#include "master/MasterList.h"
#include "ui/QtUserInterface.h"

#include <QMainWindow>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class tCommands;
class tSpellList;
struct tProgramWindows;

class TfrmMasterList : public QMainWindow, public tMasterListView {
    Q_OBJECT
public:
    // Builds the window and runs its creation, which loads the master spell
    // pool behind the working notice. The spell editor is read from windows
    // when it is used; activeBook gives the active spellbook window's book.
    TfrmMasterList(QWidget* parent, tProgramWindows& windows, tSpecialtyList& specialties,
                   std::function<const TSpellBook*()> activeBook);
    ~TfrmMasterList() override;

    tMasterList& Commands() { return *List; }
    tCommands& Controls() { return *FCommands; }
    tSpellList* SpellList() const { return lbSpells; }

    // Shows the window (not modally) in front, at the given level when one is
    // given (a spellbook's Add Selected Spell).
    void ShowAtLevel(int32_t level = 0);
    // Whether the window may hide, and with it the program end: the close
    // question of a changed pool.
    bool CloseQuery();

    // tMasterListView
    void SelectSpellLevel(int32_t level) override;
    void ShowSpells(std::vector<std::string> lines) override;
    std::vector<int32_t> SelectedRows() const override;
    tFilterBoxes FilterBoxes() const override;
    void ClearFilterBoxes() override;
    void ShowFilterState(bool filterOn) override;
    void SetSourceBookChoices(const std::vector<std::string>& choices) override;
    void SetCategoryChoices(const std::vector<std::string>& choices) override;
    void EnableSave(bool enabled) override;
    void ShowHistory(const std::string& undoName, const std::string& redoName) override;
    void ShowBusy(bool busy) override;
    void ShowStatus(const std::string& text) override;
    bool ChooseMasterFile(const std::string& proposedName, const std::string& folder,
                          std::string& path) override;

public slots:
    void mnuAddSpellstoBookClick();
    void mnuCurrentFileIsClick();
    void mnuSaveMasterFileClick();
    void mnuChangeMasterFileClick();
    void mnuCloseClick();
    void mnuEditSpellDataClick();
    void mnuAddNewSpellClick();
    void mnuDeleteSpellClick();
    void mnuApplyFilterClick();
    void mnuRemoveFilterClick();
    void mnuUndoClick();
    void mnuRedoClick();
    void grpSpellLevelClick(int position);
    void cbSourceBookEnter();
    void cbCategoryEnter();

signals:
    // Add Spells to Book: the frame copies the spells at rows of level of the
    // view into the active spellbook window's book.
    void addSpellsToBookRequested(int32_t level, const std::vector<int32_t>& rows);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The spell editor, read from the program's windows when it is used.
    class tLateEditor : public tSpellEditor {
    public:
        tLateEditor(tProgramWindows& windows, QWidget& owner) : Windows(windows), Owner(owner) {}
        bool EditSpell(tSpell& spell, bool showMemorized) override;

    private:
        tProgramWindows& Windows;
        QWidget& Owner;
    };

    void BuildCommands();
    void ForgetHint();
    QWidget* BuildBody();
    QWidget* BuildFilterPanel();

    tProgramWindows& Windows;
    tQtUserInterface UI;
    tLateEditor Editor;
    std::unique_ptr<tMasterList> List;
    tCommands* FCommands = nullptr;
    bool FBusy = false;
    bool FPlaced = false;

    QMenu* pmMasterList = nullptr;
    QButtonGroup* grpSpellLevel = nullptr;
    tSpellList* lbSpells = nullptr;
    QCheckBox* cbMatchSpellbook = nullptr;
    QLineEdit* ebNameFilter = nullptr;
    QComboBox* cbCategory = nullptr;
    QComboBox* cbSpellFrequency = nullptr;
    QComboBox* cbSourceBook = nullptr;
    QPushButton* bnApplyFilterOn = nullptr;
    QPushButton* bnApplyFilterOff = nullptr;
    QPushButton* bnRemoveFilterOn = nullptr;
    QPushButton* bnRemoveFilterOff = nullptr;
};
