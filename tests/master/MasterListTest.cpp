// The master list window's commands against a double of the window: the
// level view, the filter, editing, adding and deleting spells, saving,
// switching master files and the close question.

#include "master/MasterList.h"

#include "app/PathText.h"
#include "app/Shared.h"
#include "files/SpellListFile.h"
#include "files/SpellbookFile.h"
#include "master/MasterPool.h"
#include "master/SpellEditor.h"
#include "support/FakeUserInterface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <deque>
#include <filesystem>
#include <functional>

namespace {

class tFakeMasterView : public tMasterListView {
public:
    int32_t Level = 0;
    std::vector<std::string> Lines;
    std::vector<int32_t> Selected;
    tFilterBoxes Boxes;
    int FilterState = -1; // 1 on, 0 off
    std::vector<std::string> SourceBooks;
    std::vector<std::string> Categories;
    bool SaveEnabled = false;
    int BusyDepth = 0;
    std::string Status;
    std::deque<std::string> Files; // an empty name cancels
    std::vector<std::string> Proposed;

    void SelectSpellLevel(int32_t level) override { Level = level; }
    void ShowSpells(std::vector<std::string> lines) override {
        Lines = std::move(lines);
        Selected.clear();
    }
    std::vector<int32_t> SelectedRows() const override { return Selected; }
    tFilterBoxes FilterBoxes() const override { return Boxes; }
    void ClearFilterBoxes() override { Boxes = tFilterBoxes(); }
    void ShowFilterState(bool filterOn) override { FilterState = filterOn ? 1 : 0; }
    void SetSourceBookChoices(const std::vector<std::string>& choices) override { SourceBooks = choices; }
    void SetCategoryChoices(const std::vector<std::string>& choices) override { Categories = choices; }
    void EnableSave(bool enabled) override { SaveEnabled = enabled; }
    void ShowHistory(const std::string& undoName, const std::string& redoName) override {
        UndoName = undoName;
        RedoName = redoName;
    }
    std::string UndoName, RedoName;
    void ShowBusy(bool busy) override { BusyDepth += busy ? 1 : -1; }
    void ShowStatus(const std::string& text) override { Status = WithoutPathMarks(text); }
    bool ChooseMasterFile(const std::string& proposedName, const std::string& folder,
                          std::string& path) override {
        Proposed.push_back(folder + proposedName);
        if (Files.empty() || Files.front().empty()) {
            if (!Files.empty()) {
                Files.pop_front();
            }
            return false;
        }
        path = Files.front();
        Files.pop_front();
        return true;
    }
};

// Each queued edit changes the spell and answers OK; nothing queued cancels.
class tFakeEditor : public tSpellEditor {
public:
    std::deque<std::function<void(tSpell&)>> Edits;
    std::vector<tSpell> Shown;
    bool EditSpell(tSpell& spell, bool showMemorized) override {
        EXPECT_FALSE(showMemorized) << "the master list hides the memorized box";
        Shown.push_back(spell);
        if (Edits.empty()) {
            return false;
        }
        Edits.front()(spell);
        Edits.pop_front();
        return true;
    }
};

// The filter boxes: Match Spellbook, Name, Category, Frequency item, Source Book.
tFilterBoxes Boxes(bool match, const char* name, const char* category, int32_t frequency,
                   const char* source) {
    tFilterBoxes boxes;
    boxes.MatchSpellbook = match;
    boxes.Name = name;
    boxes.Category = category;
    boxes.FrequencyIndex = frequency;
    boxes.SourceBook = source;
    return boxes;
}

const char* const PoolText = "1,Alarm,Tome,1,C,abj,N\r\n"
                             "1,Blink,Codex,2,U,alt,N\r\n"
                             "1,Charm,Tome,3,R,e/c;abj,N\r\n"
                             "2,Darkness,Codex,4,C,alt,N\r\n"
                             "3,Fireball,Tome,5,S,i/e,N\r\n";

class MasterListTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDirectory(Folder.Path().string());
        LoadProgram();
        OpenSharedState();
        Use("master.dat", PoolText);
    }
    void TearDown() override {
        List.reset();
        CloseSharedState();
        SetProgramDirectory("");
    }

    // Names the file as the master file (with these bytes, when given) and
    // makes the window.
    void Use(const std::string& name, const std::optional<std::string>& bytes) {
        if (bytes) {
            WriteBytes(Folder / name, *bytes);
        }
        ASSERT_TRUE(Settings->WriteString(MainSection, MasterFileKey, Path(name)));
        List.reset();
        View = tFakeMasterView();
        List = std::make_unique<tMasterList>(View, UI, Editor, *Specialties, [this] { return Active; });
        List->Create();
    }
    std::string Path(const std::string& name) const { return (Folder / name).string(); }
    std::vector<std::string> Names(int32_t level) {
        List->SpellLevelChosen(level);
        std::vector<std::string> names;
        for (const std::string& line : View.Lines) {
            names.push_back(line.substr(0, line.find("  (")));
        }
        return names;
    }

    TempDir Folder;
    tFakeMasterView View;
    tFakeUserInterface UI;
    tFakeEditor Editor;
    const TSpellBook* Active = nullptr;
    std::unique_ptr<tMasterList> List;
};

TEST_F(MasterListTest, CreationShowsTheWholePoolAtLevelOneBehindTheNotice) {
    EXPECT_EQ(UI.Working, (std::vector<std::string>{"show:Loading Master Spell List", "hide"}));
    EXPECT_EQ(View.Level, 1);
    EXPECT_EQ(View.Lines, (std::vector<std::string>{"Alarm  (abj) [Tome 1] - C", "Blink  (alt) [Codex 2] - U",
                                                    "Charm  (e/c;abj) [Tome 3] - R"}));
    EXPECT_EQ(View.FilterState, 0);
    EXPECT_FALSE(List->FilterOn());
    EXPECT_FALSE(View.SaveEnabled);
    EXPECT_EQ(View.BusyDepth, 0);
    EXPECT_EQ(Names(3), (std::vector<std::string>{"Fireball"}));
    EXPECT_TRUE(Names(9).empty());

    List->SourceBookEnter();
    List->CategoryEnter();
    EXPECT_EQ(View.SourceBooks, (std::vector<std::string>{"Codex", "Tome"}));
    EXPECT_EQ(View.Categories, (std::vector<std::string>{"abj", "alt", "e/c", "i/e"}));

    // A master file that is not there gives an empty pool, quietly.
    Use("missing.dat", std::nullopt);
    EXPECT_EQ(MasterSpells->Count(), 0);
    EXPECT_TRUE(View.Lines.empty());
    List->ApplyFilter();
    List->RemoveFilter();
    EXPECT_TRUE(UI.Errors.empty());
}

// An installed copy starts on a copy of the sample list in the user's data
// folder, made once; a master file named in the settings is used as it is.
TEST_F(MasterListTest, AnInstalledCopyStartsOnACopyOfTheSampleListMadeOnce) {
    tFileLocations installed;
    installed.Installed = true;
    installed.MasterFile = Path("data/MASTER.DAT");
    installed.SampleMasterFile = Path("sample.DAT");
    WriteBytes(installed.SampleMasterFile, "9,Wish,Tome,1,C,con,N\r\n");
    SetFileLocations(installed);
    Use("master.dat", std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(installed.MasterFile));
    EXPECT_EQ(Names(3), (std::vector<std::string>{"Fireball"}));

    ASSERT_TRUE(Settings->WriteString(MainSection, MasterFileKey, ""));
    const auto restart = [this] {
        List.reset();
        List = std::make_unique<tMasterList>(View, UI, Editor, *Specialties, [this] { return Active; });
        List->Create();
    };
    restart();
    EXPECT_EQ(ReadBytes(installed.MasterFile), ReadBytes(installed.SampleMasterFile));
    EXPECT_EQ(Names(9), (std::vector<std::string>{"Wish"}));
    WriteBytes(installed.MasterFile, PoolText);
    restart();
    EXPECT_EQ(Names(3), (std::vector<std::string>{"Fireball"})) << "the user's list stays";
    EXPECT_TRUE(UI.Errors.empty());
}

TEST_F(MasterListTest, TheFilterTakesEachBoxAndRemoveFilterEmptiesThem) {
    auto legal = TSpellBook::Create(1, 9, 0, "Abjurer"); // no alteration, Common only
    struct {
        tFilterBoxes Boxes;
        bool WithActiveBook;
        std::vector<std::string> Level1;
    } const cases[] = {
        {Boxes(false, "", "", -1, ""), false, {"Alarm", "Blink", "Charm"}},
        {Boxes(false, "ar", "", -1, ""), false, {"Alarm", "Charm"}},
        {Boxes(false, " ", "", -1, ""), false, {"Alarm", "Blink", "Charm"}},
        {Boxes(false, "", "ABJ", -1, ""), false, {"Alarm", "Charm"}},
        {Boxes(false, "", "", 1, ""), false, {"Blink"}},
        {Boxes(false, "", "", -1, "codex"), false, {"Blink"}},
        {Boxes(false, "", "", -1, "Cod"), false, {}},
        {Boxes(true, "", "", -1, ""), false, {"Alarm", "Blink", "Charm"}},
        {Boxes(true, "", "", -1, ""), true, {"Alarm"}},
        {Boxes(false, "", "", -1, ""), true, {"Alarm", "Blink", "Charm"}},
    };
    for (const auto& c : cases) {
        View.Boxes = c.Boxes;
        Active = c.WithActiveBook ? legal.get() : nullptr;
        List->ApplyFilter();
        EXPECT_TRUE(List->FilterOn());
        EXPECT_EQ(View.FilterState, 1);
        EXPECT_EQ(Names(1), c.Level1) << c.Boxes.Name << "|" << c.Boxes.Category << "|" << c.Boxes.SourceBook;
    }
    View.Boxes = Boxes(true, "a", "x", 2, "y");
    List->RemoveFilter();
    EXPECT_FALSE(List->FilterOn());
    EXPECT_EQ(View.FilterState, 0);
    EXPECT_EQ(View.Boxes.Name, "");
    EXPECT_EQ(View.Boxes.FrequencyIndex, -1);
    EXPECT_EQ(Names(1).size(), 3u);
    EXPECT_EQ(View.BusyDepth, 0);
}

TEST_F(MasterListTest, EditsKeepThePoolAndTheViewTogether) {
    // Blink (row 1) moves to level 2 under a new name.
    View.Selected = {1};
    Editor.Edits.push_back([](tSpell& spell) {
        spell.Level = 2;
        spell.Name = "Blur";
    });
    List->EditSpellData();
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Alarm", "Charm"}));
    EXPECT_EQ(Names(2), (std::vector<std::string>{"Blur", "Darkness"}));
    EXPECT_EQ(MasterSpells->Count(), 5);
    EXPECT_TRUE(MasterSpells->Modified);
    EXPECT_TRUE(View.SaveEnabled);

    // Editing two lines edits each spell once, even when the first moves.
    List->SpellLevelChosen(1);
    View.Selected = {0, 1};
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "Zeal"; });
    Editor.Edits.push_back([](tSpell& spell) { spell.Page = 30; });
    List->EditSpellData();
    ASSERT_EQ(Editor.Shown.size(), 3u);
    EXPECT_EQ(Editor.Shown[1].Name, "Alarm");
    EXPECT_EQ(Editor.Shown[2].Name, "Charm");
    EXPECT_EQ(View.Lines,
              (std::vector<std::string>{"Charm  (e/c;abj) [Tome 30] - R", "Zeal  (abj) [Tome 1] - C"}));

    // An edit onto another spell's level and name is refused; nothing is lost.
    View.Selected = {1};
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "CHARM"; });
    List->EditSpellData();
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"Spell CHARM of level 1 is already in the master list."}));
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Charm", "Zeal"}));
    EXPECT_EQ(MasterSpells->Count(), 5);
    // A change of case alone is the spell itself.
    View.Selected = {0};
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "CHARM"; });
    List->EditSpellData();
    EXPECT_EQ(Names(1), (std::vector<std::string>{"CHARM", "Zeal"}));

    // Cancel changes nothing; an edit under a filter is shown through it.
    View.Selected = {0};
    List->EditSpellData();
    View.Boxes = Boxes(false, "", "abj", -1, "");
    List->ApplyFilter();
    View.Selected = {1};
    Editor.Edits.push_back([](tSpell& spell) { spell.Category = "div"; });
    List->EditSpellData();
    EXPECT_TRUE(List->FilterOn());
    EXPECT_EQ(Names(1), (std::vector<std::string>{"CHARM"}));
    EXPECT_EQ(List->Shown().Count(), 1);
}

TEST_F(MasterListTest, DeleteRemovesTheSelectedSpellsWithoutAQuestion) {
    View.Selected = {0, 2};
    List->DeleteSpell();
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Blink"}));
    EXPECT_EQ(MasterSpells->Count(), 3);
    EXPECT_EQ(List->Shown().Count(), 3);
    EXPECT_TRUE(UI.Questions.empty());
    EXPECT_TRUE(View.SaveEnabled);
}

// Each change of the pool taken back and done again, one at a time and all in
// a row, with the view through the filter in force; the save item follows
// the history, and loading another master file starts a new one.
TEST_F(MasterListTest, EveryChangeOfThePoolTakesItselfBackAndDoesItselfAgain) {
    auto pool = [] {
        std::vector<tSpell> spells;
        for (MasterSpells->First(); const tSpell* spell = MasterSpells->CurrentSpell();
             MasterSpells->Next()) {
            spells.push_back(*spell);
        }
        return spells;
    };
    View.Boxes = Boxes(false, "", "abj", -1, "");
    List->ApplyFilter();
    const struct {
        const char* Step;
        std::function<void()> Run;
    } cases[] = {
        {EditSpellDataStep,
         [&] {
             View.Selected = {0};
             Editor.Edits = {[](tSpell& spell) { spell.Category = "alt"; }};
             List->EditSpellData();
         }},
        {AddNewSpellStep,
         [&] {
             Editor.Edits = {[](tSpell& spell) {
                                 spell.Name = "Aegis";
                                 spell.Category = "abj";
                             },
                             [](tSpell& spell) { spell.Name = "Ward"; }};
             UI.Answers = {tAnswer::Yes, tAnswer::No};
             List->AddNewSpell();
         }},
        {DeleteSpellStep,
         [&] {
             View.Selected = {0, 1};
             List->DeleteSpell();
         }},
    };
    std::vector<std::vector<tSpell>> before, after;
    for (const auto& c : cases) {
        before.push_back(pool());
        c.Run();
        after.push_back(pool());
        EXPECT_NE(after.back(), before.back()) << c.Step;
        EXPECT_EQ(View.UndoName, c.Step);
        const std::vector<std::string> lines = View.Lines;
        List->Undo();
        EXPECT_EQ(pool(), before.back()) << c.Step;
        EXPECT_EQ(View.RedoName, c.Step);
        List->Redo();
        EXPECT_EQ(pool(), after.back()) << c.Step;
        EXPECT_EQ(View.Lines, lines) << c.Step << ": the view through the filter, as after the change";
        EXPECT_TRUE(View.SaveEnabled && MasterSpells->Modified);
    }
    EXPECT_TRUE(UI.Answers.empty() && Editor.Edits.empty());
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Ward"}))
        << "Alarm edited out of the filter, Aegis and Charm deleted";
    for (size_t i = std::size(cases); i-- > 0;) {
        List->Undo();
        EXPECT_EQ(pool(), before[i]) << cases[i].Step;
    }
    EXPECT_FALSE(View.SaveEnabled || MasterSpells->Modified) << "back at the file as read";
    EXPECT_EQ(Names(1), (std::vector<std::string>{"Alarm", "Charm"}));
    EXPECT_EQ(View.Boxes.Category, "abj") << "the filter boxes stay";
    List->Redo();
    ASSERT_TRUE(List->Save());
    List->Undo();
    EXPECT_TRUE(View.SaveEnabled);
    List->Redo();
    EXPECT_FALSE(View.SaveEnabled) << "back at the state saved";
    EXPECT_TRUE(List->CloseQuery()) << "nothing to ask";

    View.Files = {Path("master.dat")};
    List->SetMasterFile();
    EXPECT_EQ(View.UndoName, "");
    EXPECT_FALSE(List->History().CanUndo() || List->History().CanRedo());
}

TEST_F(MasterListTest, AddNewSpellCarriesAllButTheNameToTheNextOne) {
    Editor.Edits.push_back([](tSpell& spell) {
        spell.Name = "Gust";
        spell.Level = 4;
        spell.Book = "Folio";
        spell.Page = 7;
        spell.Category = "alt";
        spell.Frequency = -2;
    });
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "Haze"; });
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "gust"; }); // already there
    UI.Answers = {tAnswer::Yes, tAnswer::Yes, tAnswer::Yes};
    List->AddNewSpell();
    ASSERT_EQ(Editor.Shown.size(), 4u);
    EXPECT_EQ(Editor.Shown[0], tSpell(1, "", "", 0, 0, "", false));
    EXPECT_EQ(Editor.Shown[1], tSpell(4, "", "Folio", 7, -2, "alt", false));
    EXPECT_EQ(UI.Questions, (std::vector<std::string>{AddAnotherQuestion, AddAnotherQuestion,
                                                      "Would you like to add another?"}));
    EXPECT_EQ(UI.Informations,
              (std::vector<std::string>{
                  "Spell gust of level 4 is already in the master list.\r\nIt was not added."}));
    EXPECT_EQ(Names(4), (std::vector<std::string>{"Gust", "Haze"}));
    EXPECT_EQ(MasterSpells->Count(), 7);
    EXPECT_TRUE(MasterSpells->Modified);
}

TEST_F(MasterListTest, SaveKeepsTheFormOfTheMasterFile) {
    View.Selected = {0};
    List->DeleteSpell();
    ASSERT_TRUE(List->Save());
    EXPECT_FALSE(MasterSpells->Modified);
    EXPECT_FALSE(View.SaveEnabled);
    EXPECT_EQ(ReadSpellList(Path("master.dat"))->Count(), 4);
    EXPECT_EQ(ReadBytes(Folder / "master.dat").substr(0, 2), "1,") << "a spell list stays a spell list";

    Use("book.spb", "5\r\n3\r\n9\r\nAbjurer\r\nC\r\n1,Alarm,Tome,1,C,abj,N\r\n \r\n");
    EXPECT_EQ(MasterSpells->FileVersion, 5);
    ASSERT_TRUE(List->Save());
    EXPECT_EQ(ReadSpellbookFile(Path("book.spb"))->FileVersion, 5) << "a spellbook stays a spellbook";

    // A write that fails says so and keeps the changes.
    std::filesystem::create_directory(Folder / "folder.dat");
    Use("folder.dat", std::nullopt);
    UI.Answers = {tAnswer::Yes};
    MasterSpells->Modified = true;
    EXPECT_FALSE(List->Save());
    EXPECT_EQ(UI.Errors.back(), "Unable to write to " + Path("folder.dat"));
    EXPECT_TRUE(MasterSpells->Modified);
}

TEST_F(MasterListTest, AFileOfNoSpellsIsSaidToBeSoAndNotReplacedUnasked) {
    const std::string notes = "Shopping list\r\nbread, milk\r\n";
    Use("notes.txt", notes);
    EXPECT_EQ(MasterSpells->Count(), 0);
    EXPECT_EQ(View.Status, Path("notes.txt") + " holds no spells.");
    EXPECT_TRUE(UI.Errors.empty());
    UI.Answers = {tAnswer::No};
    EXPECT_FALSE(List->Save());
    EXPECT_EQ(ReadBytes(Folder / "notes.txt"), notes);
    // Switching to such a file says so too; a good file clears the status.
    View.Files = {Path("notes.txt"), Path("master.dat")};
    List->SetMasterFile();
    EXPECT_EQ(UI.Errors, std::vector<std::string>{"Error Reading Master Spell File"});
    EXPECT_EQ(UI.Details.back(), Path("notes.txt") + "\r\nThe file holds no spells.");
    List->SetMasterFile();
    EXPECT_EQ(View.Status, "");
    EXPECT_EQ(MasterSpells->Count(), 5);
}

// At start the status bar says why the pool is empty: a file of no spells, a
// special file in the master file's place; a missing file says nothing.
TEST_F(MasterListTest, TheStatusBarSaysWhyThePoolIsEmpty) {
    std::filesystem::create_directory(Folder / "folder.dat");
    ASSERT_EQ(::mkfifo((Folder / "pipe.dat").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"folder.dat", Path("folder.dat") + " is not a regular file."},
        {"pipe.dat", Path("pipe.dat") + " is not a regular file."},
        {"/dev/null", "/dev/null is not a regular file."},
        {"missing.dat", ""},
        {"master.dat", ""},
    };
    for (const auto& [name, status] : cases) {
        Use(name, std::nullopt);
        EXPECT_EQ(View.Status, status) << name;
        EXPECT_TRUE(UI.Errors.empty()) << name;
    }
}

TEST_F(MasterListTest, AFileThatCouldNotBeReadIsNotReplacedUnasked) {
    const std::string damaged = "7\r\nnot a spellbook\r\n";
    Use("damaged.dat", damaged);
    EXPECT_EQ(MasterSpells->Count(), 0);
    EXPECT_TRUE(UI.Errors.empty()) << "at start an unreadable file gives an empty pool quietly";
    UI.Answers = {tAnswer::No};
    EXPECT_FALSE(List->Save());
    EXPECT_EQ(UI.Questions.back(),
              Path("damaged.dat") + " could not be read. Replace it with the spells shown?");
    EXPECT_EQ(ReadBytes(Folder / "damaged.dat"), damaged);
    UI.Answers = {tAnswer::Yes};
    EXPECT_TRUE(List->Save());
    EXPECT_NE(ReadBytes(Folder / "damaged.dat"), damaged);
}

TEST_F(MasterListTest, SetMasterFileAnsweredEachWay) {
    WriteBytes(Folder / "other.dat", "5,Cone,Folio,1,C,i/e,N\r\n");
    View.Files = {""};
    List->SetMasterFile();
    EXPECT_EQ(View.Proposed.back(), Path("master.dat"));
    // A bare name stands in the working folder, whatever folder a dialog
    // was left in.
    ASSERT_TRUE(Settings->WriteString(MainSection, MasterFileKey, "MASTER.DAT"));
    View.Files = {""};
    List->SetMasterFile();
    EXPECT_EQ(View.Proposed.back(), (std::filesystem::current_path() / "MASTER.DAT").string());
    ASSERT_TRUE(Settings->WriteString(MainSection, MasterFileKey, Path("master.dat")));
    EXPECT_EQ(MasterFileName(Settings.get()), Path("master.dat"));

    // Changes unsaved: Cancel keeps everything, Yes saves the old file first.
    View.Selected = {0};
    List->DeleteSpell();
    View.Files = {Path("other.dat"), Path("other.dat")};
    UI.Answers = {tAnswer::Cancel, tAnswer::Yes};
    List->SetMasterFile();
    EXPECT_EQ(MasterFileName(Settings.get()), Path("master.dat"));
    EXPECT_EQ(MasterSpells->Count(), 4);
    View.Boxes = Boxes(false, "", "i/e", -1, "");
    List->ApplyFilter();
    List->SetMasterFile();
    EXPECT_EQ(ReadSpellList(Path("master.dat"))->Count(), 4);
    EXPECT_EQ(MasterFileName(Settings.get()), Path("other.dat"));
    EXPECT_EQ(NamesOf(*MasterSpells), (std::vector<std::string>{"Cone"}));
    EXPECT_TRUE(List->FilterOn()) << "the new pool is shown through the same filter";
    EXPECT_EQ(Names(5), (std::vector<std::string>{"Cone"}));
    EXPECT_FALSE(View.SaveEnabled);
    EXPECT_EQ(UI.Working.back(), "hide");

    // No drops the changes; a file that cannot be read is said to be so.
    View.Selected = {0};
    List->DeleteSpell();
    WriteBytes(Folder / "junk.dat", "6\r\n");
    View.Files = {Path("junk.dat")};
    UI.Answers = {tAnswer::No};
    List->SetMasterFile();
    EXPECT_EQ(ReadSpellList(Path("other.dat"))->Count(), 1);
    EXPECT_EQ(MasterSpells->Count(), 0);
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"Error Reading Master Spell File"}));
    EXPECT_EQ(UI.Details.back().rfind(Path("junk.dat"), 0), 0u) << UI.Details.back();
}

TEST_F(MasterListTest, TheCloseQuestionAndTheReset) {
    EXPECT_TRUE(List->CloseQuery());
    EXPECT_TRUE(UI.Questions.empty());

    Use("book.spb", "5\r\n3\r\n9\r\nAbjurer\r\nC\r\n1,Alarm,Tome,1,C,abj,N\r\n1,Blink,Codex,2,U,alt,N\r\n");
    View.Selected = {0};
    List->DeleteSpell();
    UI.Answers = {tAnswer::Cancel};
    EXPECT_FALSE(List->CloseQuery());
    EXPECT_EQ(UI.Questions.back(),
              "Master Spell List has been changed and has \r\nnot been saved. Do you wish to save it now?");
    EXPECT_EQ(MasterSpells->Count(), 1);

    UI.Answers = {tAnswer::No};
    EXPECT_TRUE(List->CloseQuery());
    EXPECT_EQ(NamesOf(*MasterSpells), (std::vector<std::string>{"Alarm", "Blink"}));
    EXPECT_EQ(MasterSpells->FileVersion, 5) << "the reset keeps the master file's form";
    EXPECT_FALSE(MasterSpells->Modified);
    EXPECT_EQ(UI.Working.back(), "hide");
    EXPECT_NE(std::find(UI.Working.begin(), UI.Working.end(), "show:Resetting Master Spell List"),
              UI.Working.end());

    // Yes when the file cannot be written: the window stays open, and the
    // changes stay.
    std::filesystem::remove(Folder / "book.spb");
    std::filesystem::create_directory(Folder / "book.spb");
    View.Selected = {1};
    List->DeleteSpell();
    UI.Answers = {tAnswer::Yes};
    EXPECT_FALSE(List->CloseQuery());
    EXPECT_EQ(UI.Errors.back(), "Unable to write to " + Path("book.spb"));
    EXPECT_TRUE(MasterSpells->Modified);
    EXPECT_EQ(NamesOf(*MasterSpells), std::vector<std::string>{"Alarm"});

    std::filesystem::remove(Folder / "book.spb");
    UI.Answers = {tAnswer::Yes};
    EXPECT_TRUE(List->CloseQuery());
    EXPECT_EQ(ReadSpellbookFile(Path("book.spb"))->Count(), 1);
}

TEST_F(MasterListTest, CurrentFileNamesTheFileThePoolIsReadFrom) {
    List->CurrentFile();
    EXPECT_EQ(UI.Informations.back(), "The current Master Spell File is:\r\n" + Path("master.dat"));
    ASSERT_TRUE(Settings->WriteString(MainSection, MasterFileKey, ""));
    List->CurrentFile();
    EXPECT_EQ(UI.Informations.back(), "The current Master Spell File is:\r\nMASTER.DAT");
}

TEST(SpellEditorTest, ValuesGoBackIntoTheSpellByTheEditorsRules) {
    const tSpell fresh(1, "", "", 0, 0, "", false);
    const tSpellEditorValues shown = LoadSpell(fresh);
    EXPECT_EQ(shown.Level, "1");
    EXPECT_EQ(shown.Page, "0");
    EXPECT_EQ(shown.FrequencyIndex, 0);
    EXPECT_EQ(LoadSpell(tSpell(2, "x", "b", 3, -3, "c", true)).FrequencyIndex, 3);

    struct {
        const char* Level;
        const char* Page;
        int32_t WantLevel;
        int32_t WantPage;
    } const cases[] = {
        {"3", "12", 3, 12}, {"0", "abc", 1, 0},  {"12", "12x", 9, 0}, {"x", "", 1, 0},
        {"-4", " 7", 1, 7}, {"9", "$1F", 9, 31}, {"", "-5", 1, -5},   {"99999999999", "+8", 9, 8},
    };
    for (const auto& c : cases) {
        tSpellEditorValues values = shown;
        values.Level = c.Level;
        values.Page = c.Page;
        values.Name = " Spaced ";
        values.FrequencyIndex = 4;
        values.Memorized = true;
        tSpell spell;
        StoreSpell(values, spell);
        EXPECT_EQ(spell.Level, c.WantLevel) << c.Level;
        EXPECT_EQ(spell.Page, c.WantPage) << c.Page;
        EXPECT_EQ(spell.Name, " Spaced ") << "nothing is trimmed";
        EXPECT_EQ(spell.Frequency, -4);
        EXPECT_TRUE(spell.Memorized);
    }
    // Unchanged values store the spell back as it was.
    const tSpell rare(5, "Cone", "Folio", 44, -3, "i/e", true);
    tSpell back;
    StoreSpell(LoadSpell(rare), back);
    EXPECT_EQ(back, rare);
}

} // namespace
