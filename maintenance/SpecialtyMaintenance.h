#pragma once
// Specialty maintenance: the specialty list in use edited in place (every book
// sees a change at once), each specialty's preferred and prohibited school
// texts, renaming, adding and deleting specialties, and saving the list to
// "Specialty.dat". The window forwards its handlers here and shows what the
// commands tell it through tSpecialtyMaintenanceView.

#include "app/UserInterface.h"
#include "model/Specialty.h"

#include <cstdint>
#include <string>
#include <vector>

// The two school boxes.
enum class tSchoolBox { Preferred, Prohibited };

// The maintenance window as its commands see it.
class tSpecialtyMaintenanceView {
public:
    virtual ~tSpecialtyMaintenanceView() = default;
    // The specialty choice: its items, the one chosen by position, and the
    // text of the chosen one.
    virtual void SetSpecialtyItems(const std::vector<std::string>& names) = 0;
    virtual void SelectSpecialty(int32_t position) = 0;
    virtual std::string ChosenSpecialty() const = 0;
    // A school box: its lines shown (and marked unchanged), its lines as
    // typed, whether it was typed in since, and marked unchanged again.
    virtual void ShowLines(tSchoolBox box, const std::vector<std::string>& lines) = 0;
    virtual std::vector<std::string> Lines(tSchoolBox box) const = 0;
    virtual bool Changed(tSchoolBox box) const = 0;
    virtual void MarkCommitted(tSchoolBox box) = 0;
    // The name dialog with its caption and prompt, starting with name; false
    // when cancelled, otherwise name receives the text.
    virtual bool AskName(const std::string& caption, const std::string& prompt, std::string& name) = 0;
    // The other windows' specialty choices made anew from the list: the
    // new-spellbook dialog's, and every open spellbook window's.
    virtual void RefillParameterChoices() = 0;
    virtual void RefillSpellbookChoices() = 0;
};

inline constexpr const char* SpecialtiesChangedQuestion =
    "You have made changes to the specialty definitions.\r\nDo you wish to save the changes?\r\n\r\n(if you "
    "do "
    "not save the changes, they will remain\r\nin effect until you restart the application)";

class tSpecialtyMaintenance {
public:
    // path: the specialty file the list is saved to.
    tSpecialtyMaintenance(tSpecialtyMaintenanceView& view, tUserInterface& ui, tSpecialtyList& specialties,
                          std::string path);

    // Creation: the names, the first chosen and shown.
    void Create();
    // A specialty chosen: its school texts shown.
    void SpecialtyChosen();
    // Activation: the list's cursor back on the chosen specialty.
    void Activate();
    // A box left (or a menu opened): its lines become the chosen specialty's
    // list when it was typed in.
    void Commit(tSchoolBox box);
    void CommitBoth();

    void ChangeSpecialtyName();
    void AddNewSpecialty();
    void DeleteSpecialty();
    // Writes the list; false, with the list still changed, when it cannot be
    // written (said in an error).
    bool SaveChanges();
    // Whether the window may close: unchanged, or the question answered Yes
    // (and saved) or No (the changes stay in force, still unsaved).
    bool CloseQuery();
    // The window closed: the new-spellbook dialog's and every spellbook
    // window's choices are made anew, whether the list was saved or not (a
    // saved list is no longer changed, but the choices are still those of
    // before).
    void Close();

private:
    void Refill();
    void Choose(const std::string& name);
    static std::string AlreadyExists(const std::string& name);

    tSpecialtyMaintenanceView& View;
    tUserInterface& UI;
    tSpecialtyList& Specialties;
    std::string Path;
};
