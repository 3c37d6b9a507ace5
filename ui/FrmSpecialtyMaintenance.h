#pragma once
// Specialty maintenance: the specialty list in use, one specialty at a time,
// with its preferred and prohibited school texts; renaming, adding, deleting
// and saving. Shown modally; its handlers forward to tSpecialtyMaintenance.
// The other windows' specialty choices it asks the frame to make anew.

#include "maintenance/SpecialtyMaintenance.h"
#include "ui/QtUserInterface.h"

#include <QDialog>

class QComboBox;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class TfrmSpecialtyName;
class tCommands;
struct tProgramWindows;

class TfrmSpecialtyMaintenance : public QDialog, public tSpecialtyMaintenanceView {
    Q_OBJECT
public:
    // path: the specialty file Save Changes writes. The name prompt is read
    // from windows when it is used.
    TfrmSpecialtyMaintenance(QWidget* parent, tProgramWindows& windows, tSpecialtyList& specialties,
                             const std::string& path);

    tSpecialtyMaintenance& Commands() { return Maintenance; }
    tCommands& Controls() { return *FCommands; }

    // tSpecialtyMaintenanceView
    void SetSpecialtyItems(const std::vector<std::string>& names) override;
    void SelectSpecialty(int32_t position) override;
    std::string ChosenSpecialty() const override;
    void ShowLines(tSchoolBox box, const std::vector<std::string>& lines) override;
    std::vector<std::string> Lines(tSchoolBox box) const override;
    bool Changed(tSchoolBox box) const override;
    void MarkCommitted(tSchoolBox box) override;
    bool AskName(const std::string& caption, const std::string& prompt, std::string& name) override;
    void RefillParameterChoices() override;
    void RefillSpellbookChoices() override;

public slots:
    void mnuSaveChangesClick();
    void mnuCloseClick();
    void mnuEditSpecialtyNameClick();
    void mnuAddNewSpecialtyClick();
    void mnuDeleteSpecialtyClick();
    void cbSpecialtyChange(int position);

signals:
    // The new-spellbook dialog's and the spellbook windows' specialty choices
    // are to be made anew from the list.
    void parameterChoicesChanged();
    void spellbookChoicesChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    QPlainTextEdit* Box(tSchoolBox box) const;

    tProgramWindows& Windows;
    tQtUserInterface UI;
    tSpecialtyMaintenance Maintenance;
    tCommands* FCommands = nullptr;
    bool FClosing = false;
    QMenuBar* Menus = nullptr;
    QComboBox* cbSpecialty = nullptr;
    QPlainTextEdit* memPreferred = nullptr;
    QPlainTextEdit* memProhibited = nullptr;
};
