#include "maintenance/SpecialtyMaintenance.h"

#include "app/PathText.h"
#include "app/SettingsFile.h"
#include "app/Shared.h"
#include "files/SpecialtyFile.h"
#include "model/Text.h"

#include <algorithm>

tSpecialtyMaintenance::tSpecialtyMaintenance(tSpecialtyMaintenanceView& view, tUserInterface& ui,
                                             tSpecialtyList& specialties, std::string path)
    : View(view), UI(ui), Specialties(specialties), Path(std::move(path)) {
}

void tSpecialtyMaintenance::Create() {
    Refill();
}

void tSpecialtyMaintenance::SpecialtyChosen() {
    const tSpecialty* specialty = Specialties.Find(View.ChosenSpecialty());
    View.ShowLines(tSchoolBox::Preferred, specialty ? specialty->Preferred : std::vector<std::string>());
    View.ShowLines(tSchoolBox::Prohibited, specialty ? specialty->Prohibited : std::vector<std::string>());
}

void tSpecialtyMaintenance::Activate() {
    Specialties.Find(View.ChosenSpecialty());
}

void tSpecialtyMaintenance::Commit(tSchoolBox box) {
    if (!View.Changed(box)) {
        return;
    }
    tSpecialty* specialty = Specialties.Find(View.ChosenSpecialty());
    if (!specialty) {
        return;
    }
    (box == tSchoolBox::Preferred ? specialty->Preferred : specialty->Prohibited) = View.Lines(box);
    Specialties.Modified = true;
    View.MarkCommitted(box);
}

void tSpecialtyMaintenance::CommitBoth() {
    Commit(tSchoolBox::Preferred);
    Commit(tSchoolBox::Prohibited);
}

// The names anew, the one named chosen (ignoring case) and shown.
void tSpecialtyMaintenance::Choose(const std::string& name) {
    const std::vector<std::string> names = Specialties.Names();
    View.SetSpecialtyItems(names);
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&name](const std::string& each) { return SameTextAscii(each, name); });
    View.SelectSpecialty(found == names.end() ? 0 : static_cast<int32_t>(found - names.begin()));
    SpecialtyChosen();
}

// The names anew, the first chosen and shown.
void tSpecialtyMaintenance::Refill() {
    View.SetSpecialtyItems(Specialties.Names());
    View.SelectSpecialty(0);
    SpecialtyChosen();
}

std::string tSpecialtyMaintenance::AlreadyExists(const std::string& name) {
    return "Specialty " + name + " already exists.";
}

void tSpecialtyMaintenance::ChangeSpecialtyName() {
    const std::string chosen = View.ChosenSpecialty();
    tSpecialty* specialty = Specialties.Find(chosen);
    if (!specialty) {
        return;
    }
    std::string name = chosen;
    if (!View.AskName("Change Specialty Name", "Change the name of the specialty to...", name)) {
        return;
    }
    // An empty name, or a single blank, would leave a specialty nobody can
    // choose: it is ignored, as for a new specialty.
    if (!IsTextPresent(name)) {
        return;
    }
    if (Specialties.Find(name)) {
        UI.ShowInformation(AlreadyExists(name));
        Specialties.Find(chosen);
        return;
    }
    specialty->Name = name;
    Specialties.Modified = true;
    Choose(name);
}

void tSpecialtyMaintenance::AddNewSpecialty() {
    std::string name = " ";
    if (!View.AskName("Add Specailty", "Enter the name of the new specialty...", name) ||
        !IsTextPresent(name)) {
        return;
    }
    if (Specialties.Find(name)) {
        UI.ShowInformation(AlreadyExists(name));
        Specialties.Find(View.ChosenSpecialty());
        return;
    }
    Specialties.Append(std::make_unique<tSpecialty>(name));
    Specialties.Modified = true;
    Choose(name);
}

void tSpecialtyMaintenance::DeleteSpecialty() {
    const std::string chosen = View.ChosenSpecialty();
    if (!Specialties.Find(chosen)) {
        return;
    }
    if (UI.AskOkCancel("Are you sure you want to delete the " + chosen + " specialty?") != tAnswer::Ok) {
        return;
    }
    Specialties.Find(chosen);
    Specialties.DeleteCurrent();
    Specialties.First();
    Specialties.Modified = true;
    Refill();
}

bool tSpecialtyMaintenance::SaveChanges() {
    if (!MayWriteSpecialtyFile(Path)) {
        UI.ShowError(SettingsWriteError(MessagePath(Path)),
                     "The file could not be read when the program started; the built-in list is in use.");
        return false;
    }
    if (Path == SpecialtyFilePath()) {
        MakeSettingsFolder();
    }
    FileError error = FileError::None;
    const bool written = WriteSpecialtyFile(Specialties, Path, &error);
    Specialties.Find(View.ChosenSpecialty());
    if (!written) {
        UI.ShowError(SettingsWriteError(MessagePath(Path)), ExplainFileError(Path, error));
        return false;
    }
    Specialties.Modified = false;
    return true;
}

bool tSpecialtyMaintenance::CloseQuery() {
    if (!Specialties.Modified) {
        return true;
    }
    View.RefillParameterChoices();
    switch (UI.AskYesNoCancel(SpecialtiesChangedQuestion)) {
    case tAnswer::Yes:
        SaveChanges();
        return !Specialties.Modified;
    case tAnswer::No:
        return true;
    default:
        return false;
    }
}

void tSpecialtyMaintenance::Close() {
    View.RefillParameterChoices();
    View.RefillSpellbookChoices();
}
