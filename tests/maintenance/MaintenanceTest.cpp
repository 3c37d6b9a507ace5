// Specialty maintenance and the selection odds dialog against doubles of
// their windows.

#include "maintenance/FrequencyOdds.h"
#include "maintenance/SpecialtyMaintenance.h"

#include "app/OddsSettings.h"
#include "app/Shared.h"
#include "files/DataFile.h"
#include "files/Odds.h"
#include "files/SpecialtyFile.h"
#include "support/FakeUserInterface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>

namespace {

class tFakeMaintenanceView : public tSpecialtyMaintenanceView {
public:
    std::vector<std::string> Items;
    int32_t Chosen = -1;
    std::vector<std::string> Boxes[2];
    bool Typed[2] = {false, false};
    std::deque<std::optional<std::string>> Names; // nothing: Cancel
    std::vector<std::string> Asked;               // caption|prompt|starting text
    int ParameterRefills = 0;
    int SpellbookRefills = 0;

    void SetSpecialtyItems(const std::vector<std::string>& names) override { Items = names; }
    void SelectSpecialty(int32_t position) override { Chosen = position; }
    std::string ChosenSpecialty() const override {
        return Chosen >= 0 && Chosen < static_cast<int32_t>(Items.size()) ? Items[static_cast<size_t>(Chosen)]
                                                                          : std::string();
    }
    void ShowLines(tSchoolBox box, const std::vector<std::string>& lines) override {
        Boxes[Index(box)] = lines;
        Typed[Index(box)] = false;
    }
    std::vector<std::string> Lines(tSchoolBox box) const override { return Boxes[Index(box)]; }
    bool Changed(tSchoolBox box) const override { return Typed[Index(box)]; }
    void MarkCommitted(tSchoolBox box) override { Typed[Index(box)] = false; }
    bool AskName(const std::string& caption, const std::string& prompt, std::string& name) override {
        Asked.push_back(caption + "|" + prompt + "|" + name);
        if (Names.empty() || !Names.front()) {
            if (!Names.empty()) {
                Names.pop_front();
            }
            return false;
        }
        name = *Names.front();
        Names.pop_front();
        return true;
    }
    void RefillParameterChoices() override { ++ParameterRefills; }
    void RefillSpellbookChoices() override { ++SpellbookRefills; }

    // Types lines into a box.
    void Type(tSchoolBox box, std::vector<std::string> lines) {
        Boxes[Index(box)] = std::move(lines);
        Typed[Index(box)] = true;
    }

private:
    static size_t Index(tSchoolBox box) { return box == tSchoolBox::Preferred ? 0 : 1; }
};

class SpecialtyMaintenanceTest : public ::testing::Test {
protected:
    void SetUp() override { Maintenance.Create(); }
    std::string Path() const { return (Folder / "Specialty.dat").string(); }

    TempDir Folder;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeMaintenanceView View;
    tFakeUserInterface UI;
    tSpecialtyMaintenance Maintenance{View, UI, *Specialties, (Folder / "Specialty.dat").string()};
};

TEST_F(SpecialtyMaintenanceTest, TheChosenSpecialtysSchoolsAreShownAndCommitted) {
    EXPECT_EQ(View.Items.size(), 8u);
    EXPECT_EQ(View.ChosenSpecialty(), "Abjurer");
    EXPECT_EQ(View.Boxes[0], std::vector<std::string>{"abj"});
    EXPECT_EQ(View.Boxes[1], (std::vector<std::string>{"alt", "ill"}));

    // An untouched box commits nothing; a typed one, empty lines included.
    Maintenance.CommitBoth();
    EXPECT_FALSE(Specialties->Modified);
    View.Type(tSchoolBox::Preferred, {"abj", "", "alt"});
    Maintenance.Commit(tSchoolBox::Preferred);
    EXPECT_EQ(Specialties->Find("Abjurer")->Preferred, (std::vector<std::string>{"abj", "", "alt"}));
    EXPECT_TRUE(Specialties->Modified);
    EXPECT_FALSE(View.Typed[0]);

    // Another specialty chosen: its own lines; the cursor follows the choice.
    View.Chosen = 5;
    Maintenance.SpecialtyChosen();
    EXPECT_EQ(View.Boxes[1], (std::vector<std::string>{"e/c", "c/s"}));
    Specialties->First();
    Maintenance.Activate();
    EXPECT_EQ(Specialties->CurrentSpecialtyName(), "Invoker");
}

TEST_F(SpecialtyMaintenanceTest, RenameAndAddRefuseNamesThatExistIgnoringCase) {
    View.Names = {std::string("abjurer"), std::string("Warder")};
    Maintenance.ChangeSpecialtyName();
    EXPECT_EQ(UI.Informations, std::vector<std::string>{"Specialty abjurer already exists."});
    EXPECT_FALSE(Specialties->Modified);
    Maintenance.ChangeSpecialtyName();
    EXPECT_EQ(View.Asked.back(), "Change Specialty Name|Change the name of the specialty to...|Abjurer");
    EXPECT_EQ(Specialties->Names().front(), "Warder");
    EXPECT_EQ(View.ChosenSpecialty(), "Warder");
    EXPECT_TRUE(Specialties->Modified);

    View.Names = {std::string("NECROMANCER"), std::string(" "), std::string(""), std::nullopt,
                  std::string("Wild Mage")};
    for (int i = 0; i < 5; ++i) {
        Maintenance.AddNewSpecialty();
    }
    EXPECT_EQ(View.Asked.back(), "Add Specailty|Enter the name of the new specialty...| ");
    EXPECT_EQ(UI.Informations.back(), "Specialty NECROMANCER already exists.");
    EXPECT_EQ(Specialties->Count(), 9);
    EXPECT_EQ(View.ChosenSpecialty(), "Wild Mage");
    EXPECT_TRUE(View.Boxes[0].empty() && View.Boxes[1].empty());
    EXPECT_EQ(Specialties->CurrentSpecialtyName(), "Wild Mage");
}

TEST_F(SpecialtyMaintenanceTest, DeleteAsksAndChoosesTheFirstOfTheRest) {
    UI.Answers = {tAnswer::Cancel, tAnswer::Ok};
    Maintenance.DeleteSpecialty();
    EXPECT_EQ(Specialties->Count(), 8);
    Maintenance.DeleteSpecialty();
    EXPECT_EQ(UI.Questions.back(), "Are you sure you want to delete the Abjurer specialty?");
    EXPECT_EQ(Specialties->Count(), 7);
    EXPECT_EQ(View.ChosenSpecialty(), "Conjurer");
    EXPECT_EQ(View.Boxes[0], std::vector<std::string>{"c/s"});

    // An empty list: nothing to act on.
    while (Specialties->Count() > 0) {
        Specialties->First();
        Specialties->DeleteCurrent();
    }
    Maintenance.Create();
    View.Type(tSchoolBox::Prohibited, {"x"});
    Maintenance.CommitBoth();
    Maintenance.DeleteSpecialty();
    Maintenance.ChangeSpecialtyName();
    EXPECT_EQ(UI.Questions.size(), 2u);
    EXPECT_EQ(View.Asked.size(), 0u);
}

TEST_F(SpecialtyMaintenanceTest, SaveAndTheCloseQuestion) {
    EXPECT_TRUE(Maintenance.CloseQuery());
    EXPECT_EQ(View.ParameterRefills, 0);

    View.Type(tSchoolBox::Prohibited, {"nec"});
    Maintenance.Commit(tSchoolBox::Prohibited);
    UI.Answers = {tAnswer::Cancel, tAnswer::No};
    EXPECT_FALSE(Maintenance.CloseQuery());
    EXPECT_EQ(UI.Questions.back(), SpecialtiesChangedQuestion);
    EXPECT_TRUE(Maintenance.CloseQuery()) << "No: the changes stay in force";
    EXPECT_TRUE(Specialties->Modified) << "and the next visit asks again";
    EXPECT_EQ(View.ParameterRefills, 2);

    UI.Answers = {tAnswer::Yes};
    EXPECT_TRUE(Maintenance.CloseQuery());
    EXPECT_FALSE(Specialties->Modified);
    EXPECT_EQ(ReadSpecialtyFile(Path())->Find("Abjurer")->Prohibited, std::vector<std::string>{"nec"});
    Maintenance.Close();
    EXPECT_EQ(View.SpellbookRefills, 1);

    // Saved before closing: no question, but every choice list still follows.
    View.Names = {std::string("Wild Mage")};
    Maintenance.AddNewSpecialty();
    EXPECT_TRUE(Maintenance.SaveChanges());
    const int parameterRefills = View.ParameterRefills;
    EXPECT_TRUE(Maintenance.CloseQuery());
    Maintenance.Close();
    EXPECT_EQ(View.ParameterRefills, parameterRefills + 1);
    EXPECT_EQ(View.SpellbookRefills, 2);

    // A file that cannot be written is said to be so; the changes stay unsaved.
    std::filesystem::remove(Path());
    std::filesystem::create_directory(Path());
    Specialties->Modified = true;
    EXPECT_FALSE(Maintenance.SaveChanges());
    EXPECT_EQ(UI.Errors, std::vector<std::string>{"Unable to write to " + Path()});
    EXPECT_TRUE(Specialties->Modified);
    UI.Answers = {tAnswer::Yes};
    EXPECT_FALSE(Maintenance.CloseQuery());
}

// A specialty file that is there but could not be read at start gives the
// built-in list, and is then never written over with it; a missing one is
// simply created.
TEST(SpecialtyFileTest, AFileUnreadableAtStartIsNeverOverwritten) {
    TempDir folder;
    SetProgramDirectory(folder.Path().string());
    OpenSharedState();
    EXPECT_FALSE(SpecialtyFileUnreadable);
    EXPECT_TRUE(MayWriteSpecialtyFile(SpecialtyFilePath()));

    const std::string before = "Wild Mage\r\nwld\r\nnec\r\n";
    WriteBytes(SpecialtyFilePath(), before);
    SetDataFileOpener([](const std::string&, FileError*) -> std::unique_ptr<std::istream> {
        return std::make_unique<tFailingStream>("Wild Mage\r\n");
    });
    OpenSharedState();
    SetDataFileOpener(nullptr);
    EXPECT_TRUE(SpecialtyFileUnreadable);
    EXPECT_EQ(Specialties->Names(), MakeDefaultSpecialties()->Names());
    tFakeMaintenanceView view;
    tFakeUserInterface ui;
    tSpecialtyMaintenance maintenance{view, ui, *Specialties, SpecialtyFilePath()};
    maintenance.Create();
    Specialties->Modified = true;
    EXPECT_FALSE(maintenance.SaveChanges());
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Unable to write to " + SpecialtyFilePath()});
    EXPECT_TRUE(Specialties->Modified);
    EXPECT_EQ(ReadBytes(SpecialtyFilePath()), before);
    EXPECT_TRUE(MayWriteSpecialtyFile((folder / "Other.dat").string()));
    CloseSharedState();
    SetProgramDirectory("");
    SpecialtyFileUnreadable = false;
}

// An installed copy keeps its specialty list in the user's settings folder,
// made by the first save.
TEST(SpecialtyFileTest, AnInstalledCopysFirstSaveMakesTheSettingsFolder) {
    TempDir home;
    tFileLocations locations;
    locations.Installed = true;
    locations.SettingsFolder = (home / "config" / "Quillmark").string() + "/";
    SetFileLocations(locations);
    OpenSharedState();
    tFakeMaintenanceView view;
    tFakeUserInterface ui;
    tSpecialtyMaintenance maintenance{view, ui, *Specialties, SpecialtyFilePath()};
    maintenance.Create();
    Specialties->Modified = true;
    EXPECT_TRUE(maintenance.SaveChanges());
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_EQ(SpecialtyFilePath(), locations.SettingsFolder + "Specialty.dat");
    EXPECT_EQ(ReadSpecialtyFile(SpecialtyFilePath())->Names(), Specialties->Names());
    CloseSharedState();
    SetProgramDirectory("");
}

class tFakeOddsView : public tFrequencyOddsView {
public:
    std::vector<std::string> Items;
    int32_t Chosen = -1;
    int32_t Shown = -1;
    void SetFrequencyItems(const std::vector<std::string>& items) override { Items = items; }
    void SelectFrequency(int32_t position) override { Chosen = position; }
    void ShowOdds(int32_t value) override { Shown = value; }
};

TEST(FrequencyOddsTest, OddsAreInForceAtOnceAndWrittenOnOk) {
    TempDir folder;
    SetProgramDirectory(folder.Path().string());
    OpenSharedState();
    ResetSelectionOdds();
    tFakeOddsView view;
    tFakeUserInterface ui;
    tFrequencyOdds odds(view, ui);
    odds.Create();
    EXPECT_EQ(view.Items,
              (std::vector<std::string>{"Common", "Uncommon", "Rare", "Very Rare", "Restricted"}));
    EXPECT_EQ(view.Chosen, 0);
    EXPECT_EQ(view.Shown, 1);

    odds.FrequencyChosen(4);
    EXPECT_EQ(view.Shown, 100);
    odds.OddsChanged("50");
    EXPECT_EQ(OddsFor(-4), 50) << "in force before OK";
    odds.OddsChanged("99999");
    EXPECT_EQ(OddsFor(-4), 32767);
    odds.OddsChanged("x");
    EXPECT_EQ(OddsFor(-4), 1);

    // A hand-edited value outside the range is brought in when shown.
    SelectionOdds[2] = 0; // Rare
    odds.FrequencyChosen(2);
    EXPECT_EQ(view.Shown, 1);
    EXPECT_EQ(OddsFor(-2), 1);

    odds.DefaultValues();
    EXPECT_EQ(SelectionOdds, DefaultOdds);
    EXPECT_EQ(view.Shown, 10);

    odds.OddsChanged("7");
    ASSERT_TRUE(odds.Ok());
    ResetSelectionOdds();
    ReadSelectionOdds(*Settings);
    EXPECT_EQ(SelectionOdds, (std::array<int32_t, 5>{100, 20, 7, 5, 1}));
    const std::string written = ReadBytes(folder / "Quillmark.INI");
    EXPECT_LT(written.find("Restricted=100"), written.find("Common=1")) << written;
    CloseSharedState();
    SetProgramDirectory("");
}

} // namespace
