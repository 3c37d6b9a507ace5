// The spellbook window's commands that add spells and keep the book, against
// the window doubles: Add Random Spell, Fill Book, Validate, Clear, Delete,
// Toggle Memorized, Edit Spell Data, Create New Spell, Import and Export.

#include "book/Adding.h"
#include "book/Maintenance.h"
#include "book/Output.h"

#include "files/Odds.h"
#include "files/SpellListFile.h"
#include "model/Random.h"
#include "support/FakeWindows.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

namespace {

class AddingMaintenanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(5);
        ResetSelectionOdds();
        Window.Document.Create(Folder.Path().string() + "/");
    }

    // The window shows a book of this wizard holding these spells, unchanged.
    void Holding(int32_t casterLevel, int32_t frequency, const std::string& specialty,
                 std::vector<std::unique_ptr<tSpell>> spells) {
        auto book = TSpellBook::Create(casterLevel, 12, frequency, specialty);
        for (auto& spell : spells) {
            book->AddSpell(spell);
        }
        Window.Document.TakeOpenedBook(std::move(book), "/books/b.spb");
        UI.Questions.clear();
    }
    static std::vector<std::unique_ptr<tSpell>> Spells(std::initializer_list<tSpell> spells) {
        std::vector<std::unique_ptr<tSpell>> out;
        for (const tSpell& spell : spells) {
            out.push_back(spell.Copy());
        }
        return out;
    }
    TSpellBook& Book() { return Window.Document.Book(); }
    tFakeView& View() { return Window.View; }

    TempDir Folder;
    tFakeUserInterface UI;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeWindow Window{UI, *Specialties};
    tFakeEditor Editor;
};

tSpell Spell(int32_t level, const char* name, int32_t frequency = 0, const char* category = "abj",
             bool memorized = false) {
    return tSpell(level, name, "Tome", 1, frequency, category, memorized);
}

TEST_F(AddingMaintenanceTest, AddRandomSpellDrawsAMissingSpellAndAsksForAnIllegalOne) {
    AddRandomSpell(Window.Document, nullptr);
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"No Master list available"}));

    auto master = TSpellBook::Create(0, 0, 0, "");
    master->AddSpell(Spell(1, "Alarm").Copy());
    master->AddSpell(Spell(2, "Blur", 0, "ill", true).Copy());
    master->AddSpell(Spell(2, "Cloud", -2).Copy());

    // Level 2 for a caster of level 1 (no level-2 spells a day): the question,
    // Cancel leaving the book as it was, OK adding the copy, mark kept.
    Holding(1, 0, "Generalist", Spells({Spell(2, "Cloud", -2)}));
    Window.Document.SpellLevelChosen(2);
    UI.Answers = {tAnswer::Cancel, tAnswer::Ok};
    AddRandomSpell(Window.Document, master.get());
    EXPECT_EQ(UI.Questions,
              (std::vector<std::string>{"Added spell...\r\n--->  Blur  <---\r\nis invalid for this "
                                        "spellbook"}));
    EXPECT_EQ(Book().Count(), 1);
    EXPECT_FALSE(Book().Modified);
    AddRandomSpell(Window.Document, master.get());
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Blur", "Cloud"}));
    EXPECT_TRUE(Book().SpellAt(2, 0)->Memorized);
    EXPECT_TRUE(Book().Modified);
    EXPECT_EQ(View().Lines.size(), 2u);

    // Every level-2 spell of the master list is held: nothing happens.
    AddRandomSpell(Window.Document, master.get());
    EXPECT_EQ(UI.Questions.size(), 2u);
    EXPECT_EQ(Book().Count(), 2);

    // A Rare spell asks in a Common book, not in a Restricted one.
    Holding(5, 0, "Generalist", Spells({Spell(2, "Blur")}));
    Window.Document.SpellLevelChosen(2);
    AddRandomSpell(Window.Document, master.get());
    EXPECT_EQ(UI.Questions.size(), 1u);
    EXPECT_EQ(Book().Count(), 1) << "unanswered: Cancel";
    Holding(5, -4, "Generalist", Spells({Spell(2, "Blur")}));
    Window.Document.SpellLevelChosen(2);
    AddRandomSpell(Window.Document, master.get());
    EXPECT_TRUE(UI.Questions.empty());
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Blur", "Cloud"}));

    // A book holding more level-2 spells than the master list, but not all of
    // the master list's, still gets the missing one.
    Holding(5, -4, "Generalist",
            Spells({Spell(2, "Aura"), Spell(2, "Bane"), Spell(2, "Cloud"), Spell(2, "Dusk")}));
    Window.Document.SpellLevelChosen(2);
    AddRandomSpell(Window.Document, master.get());
    EXPECT_EQ(Book().CountOfLevel(2), 5);
}

TEST_F(AddingMaintenanceTest, AddRandomSpellDrawsRareSpellsLessOften) {
    auto master = TSpellBook::Create(0, 0, 0, "");
    master->AddSpell(Spell(1, "Common One").Copy());
    master->AddSpell(Spell(1, "Restricted One", -4).Copy());
    int restricted = 0;
    for (int round = 0; round < 400; ++round) {
        Holding(5, -4, "Generalist", {});
        AddRandomSpell(Window.Document, master.get());
        ASSERT_EQ(Book().Count(), 1);
        restricted += Book().SpellAt(1, 0)->Frequency == -4 ? 1 : 0;
    }
    // One in a hundred against one in one: about 4 of 400.
    EXPECT_LT(restricted, 20);
}

TEST_F(AddingMaintenanceTest, FillBookLeavesTheChangedMarkAsItWas) {
    auto master = MakeSchoolMaster();
    for (bool modified : {false, true}) {
        Holding(3, 0, "Generalist", {});
        if (modified) {
            Window.Document.IntelligenceChanged("13");
        }
        FillBookCommand(Window.Document, master.get());
        EXPECT_GT(Book().Count(), 0);
        EXPECT_EQ(Book().Modified, modified);
    }
    EXPECT_EQ(UI.Working,
              (std::vector<std::string>{"show:Filling Spellbook", "hide", "show:Filling Spellbook", "hide"}));
}

TEST_F(AddingMaintenanceTest, ValidateRemovesIllegalSpellsAndAlwaysMarksTheBookChanged) {
    // An Abjurer: alteration and illusion are prohibited.
    Holding(5, 0, "Abjurer", Spells({Spell(1, "Aa", 0, "alt"), Spell(1, "Bb", 0, "ill"), Spell(1, "Cc")}));
    ValidateBook(Window.Document);
    EXPECT_EQ(NamesOf(Book()), std::vector<std::string>{"Cc"});
    EXPECT_TRUE(Book().Modified);
    Book().Modified = false;
    ValidateBook(Window.Document);
    EXPECT_TRUE(Book().Modified);
    EXPECT_TRUE(UI.Questions.empty() && UI.Informations.empty());
}

TEST_F(AddingMaintenanceTest, ClearAsksAndKeepsTheWizardWithTheBoxesFrequency) {
    Holding(7, 0, "Diviner", Spells({Spell(1, "Aa"), Spell(2, "Bb")}));
    Window.Document.FrequencyChanged(3);
    Book().Modified = false;
    UI.Answers = {tAnswer::Cancel, tAnswer::Ok};
    ClearBook(Window.Document);
    EXPECT_EQ(Book().Count(), 2);
    EXPECT_FALSE(Book().Modified);
    ClearBook(Window.Document);
    EXPECT_EQ(UI.Questions.back(),
              "This will remove all spells from the Spellbook!\r\nAre you sure you want to "
              "continue?");
    EXPECT_EQ(Book().Count(), 0);
    EXPECT_EQ(Book().CasterLevel, 7);
    EXPECT_EQ(Book().Intelligence, 12);
    EXPECT_EQ(Book().Specialty, "Diviner");
    EXPECT_EQ(Book().Frequency, -3);
    EXPECT_TRUE(Book().Modified);
    EXPECT_TRUE(View().Lines.empty());
    EXPECT_EQ(View().Memorized, 0);
}

TEST_F(AddingMaintenanceTest, DeleteAndToggleActOnTheSelectedLines) {
    Holding(5, 0, "Generalist",
            Spells({Spell(1, "Aa"), Spell(1, "Bb", 0, "abj", true), Spell(1, "Cc"), Spell(1, "Dd"),
                    Spell(1, "Ee")}));
    // Toggle swaps both marks and leaves the book unchanged.
    View().Selected = {1, 2};
    ToggleMemorized(Window.Document);
    EXPECT_FALSE(Book().SpellAt(1, 1)->Memorized);
    EXPECT_TRUE(Book().SpellAt(1, 2)->Memorized);
    EXPECT_FALSE(Book().Modified);
    EXPECT_EQ(View().Memorized, 1);

    DeleteSpells(Window.Document);
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Aa", "Dd", "Ee"}));
    EXPECT_EQ(Book().LevelCount[1], 3);
    EXPECT_TRUE(Book().Modified);

    // With nothing selected, Delete only refreshes and Toggle does nothing.
    View().Selected = {};
    const int refreshes = View().RefreshCount;
    ToggleMemorized(Window.Document);
    EXPECT_EQ(View().RefreshCount, refreshes);
    DeleteSpells(Window.Document);
    EXPECT_EQ(View().RefreshCount, refreshes + 1);
    EXPECT_EQ(Book().Count(), 3);
}

TEST_F(AddingMaintenanceTest, EditSpellsEditsEachSelectedSpellOnceAndLosesNone) {
    Holding(5, 0, "Generalist", Spells({Spell(1, "Aa"), Spell(1, "Bb"), Spell(1, "Cc")}));
    // The first edit moves Aa after Bb; the second edits Bb, not Aa again.
    View().Selected = {0, 1};
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "Zz"; });
    Editor.Edits.push_back([](tSpell& spell) { spell.Page = 9; });
    EditSpells(Window.Document, Editor);
    ASSERT_EQ(Editor.Shown.size(), 2u);
    EXPECT_EQ(Editor.Shown[0].Name, "Aa");
    EXPECT_EQ(Editor.Shown[1].Name, "Bb");
    EXPECT_EQ(Editor.MemorizedShown, (std::vector<bool>{true, true}));
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Bb", "Cc", "Zz"}));
    EXPECT_EQ(Book().SpellAt(1, 0)->Page, 9);
    EXPECT_TRUE(Book().Modified);

    // An edit onto another spell's name is refused; the spell stays.
    View().Selected = {0};
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "cc"; });
    EditSpells(Window.Document, Editor);
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"Spell cc of level 1 is already in the spellbook."}));
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Bb", "Cc", "Zz"}));

    // A level change moves the spell to the view of its new level.
    View().Selected = {2};
    Editor.Edits.push_back([](tSpell& spell) { spell.Level = 4; });
    EditSpells(Window.Document, Editor);
    EXPECT_EQ(Book().LevelCount[4], 1);
    EXPECT_EQ(View().Lines.size(), 2u);
}

TEST_F(AddingMaintenanceTest, CreateNewSpellCarriesAllButTheNameAndSaysWhenNothingWasAdded) {
    Holding(5, 0, "Generalist", Spells({Spell(2, "Haze")}));
    Editor.Edits.push_back([](tSpell& spell) { spell = tSpell(2, "Gust", "Folio", 7, -2, "alt", true); });
    Editor.Edits.push_back([](tSpell& spell) { spell.Name = "haze"; });
    UI.Answers = {tAnswer::Yes, tAnswer::Yes};
    CreateNewSpells(Window.Document, Editor);
    ASSERT_EQ(Editor.Shown.size(), 3u);
    EXPECT_EQ(Editor.Shown[0], tSpell(1, "", "", 0, 0, "", false));
    EXPECT_EQ(Editor.Shown[1], tSpell(2, "", "Folio", 7, -2, "alt", true));
    EXPECT_EQ(UI.Questions,
              (std::vector<std::string>{AddAnotherSpellQuestion, "Would you like to add another?"}));
    EXPECT_EQ(UI.Informations.size(), 1u);
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Gust", "Haze"}));
    EXPECT_TRUE(Book().Modified) << "no legal test: the Rare spell is in the Common book";
}

TEST_F(AddingMaintenanceTest, ImportAddsLegalSpellsAsksForOthersAndSkipsDuplicates) {
    Holding(5, 0, "Abjurer", Spells({Spell(1, "Aa")}));
    const std::string file = (Folder / "in.dat").string();
    WriteBytes(
        file, "1,Aa,Tome,1,C,abj,N\r\n1,Bb,Tome,2,C,abj,Y\r\n1,Cc,Tome,3,C,alt,N\r\n1,Dd,Tome,4,R,abj,N\r\n");
    View().ImportFiles = {std::nullopt, file};
    ImportSpells(Window.Document);
    EXPECT_EQ(Book().Count(), 1) << "cancelled";
    UI.Answers = {tAnswer::Ok, tAnswer::Cancel};
    ImportSpells(Window.Document);
    EXPECT_EQ(View().ImportFolders.back(), Folder.Path().string() + "/");
    EXPECT_EQ(UI.Questions.size(), 2u) << "Cc (prohibited) and Dd (rarer than the book)";
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Aa", "Bb", "Cc"}));
    EXPECT_TRUE(Book().SpellAt(1, 1)->Memorized) << "an imported spell keeps its mark";
    EXPECT_TRUE(Book().Modified);

    View().ImportFiles = {(Folder / "missing.dat").string()};
    ImportSpells(Window.Document);
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"Error Reading Spell File"}));

    // Text, but not one spell: said so, and nothing comes in.
    WriteBytes(Folder / "notes.txt", "Shopping list\r\nbread, milk\r\n");
    View().ImportFiles = {(Folder / "notes.txt").string()};
    ImportSpells(Window.Document);
    EXPECT_EQ(UI.Errors.size(), 2u);
    EXPECT_EQ(UI.Errors.back(), "Error Reading Spell File");
    EXPECT_EQ(UI.Details.back(), (Folder / "notes.txt").string() + "\r\nThe file holds no spells.");
    EXPECT_EQ(Book().Count(), 3);
}

TEST_F(AddingMaintenanceTest, ExportWritesTheWholeBookAsASpellList) {
    Holding(5, 0, "Generalist", Spells({Spell(1, "Aa"), Spell(3, "Cc", 0, "abj", true)}));
    const std::string file = (Folder / "out.dat").string();
    View().ExportFiles = {file, file, file};
    ExportSpells(Window.Document);
    EXPECT_EQ(ReadBytes(file),
              "1,\"Aa\",\"Tome\",1,\"C\",\"abj\",\"N\"\r\n3,\"Cc\",\"Tome\",1,\"C\",\"abj\",\"Y\"\r\n \r\n");
    EXPECT_FALSE(Book().Modified);
    // An existing file is replaced only when the user says so.
    WriteBytes(file, "kept");
    UI.Answers = {tAnswer::No, tAnswer::Yes};
    ExportSpells(Window.Document);
    EXPECT_EQ(ReadBytes(file), "kept");
    ExportSpells(Window.Document);
    EXPECT_EQ(ReadSpellList(file)->Count(), 2);
    // A file that cannot be written is said to be so.
    std::filesystem::create_directory(Folder / "folder.dat");
    View().ExportFiles = {(Folder / "folder.dat").string()};
    UI.Answers = {tAnswer::Yes};
    ExportSpells(Window.Document);
    EXPECT_EQ(UI.Errors,
              (std::vector<std::string>{"Unable to write to " + (Folder / "folder.dat").string()}));
}

// The file's extension names its format; a file of another extension is a
// spell list. What a format refuses is said with its reason.
TEST_F(AddingMaintenanceTest, ImportAndExportTakeTheFormatFromTheFileName) {
    Holding(5, 0, "Generalist", Spells({Spell(1, "Aa"), Spell(3, "Cc", 0, "abj", true)}));
    for (const char* name : {"out.CSV", "out.json", "out.md", "out.spb", "out.txt"}) {
        View().ExportFiles.emplace_back((Folder / name).string());
        ExportSpells(Window.Document);
    }
    EXPECT_TRUE(
        ReadBytes(Folder / "out.CSV").starts_with("level,name,book,page,frequency,category,memorized\r\n"));
    EXPECT_TRUE(ReadBytes(Folder / "out.json").starts_with("{\r\n  \"caster_level\": 5,"));
    EXPECT_TRUE(ReadBytes(Folder / "out.md").starts_with("# /books/b.spb\r\n")) << "the window's caption";
    EXPECT_TRUE(ReadBytes(Folder / "out.spb").starts_with("5\r\n5\r\n12\r\nGeneralist\r\nC\r\n1,\"Aa\""));
    EXPECT_TRUE(ReadBytes(Folder / "out.txt").starts_with("1,\"Aa\""));
    EXPECT_TRUE(UI.Errors.empty());

    Holding(5, 0, "Generalist", Spells({Spell(1, "Aa")}));
    WriteBytes(Folder / "in.csv",
               "name,level,book,category,page,frequency,memorized\r\nBb,1,,,,,Y\r\naa,1,,,,,N\r\n");
    WriteBytes(Folder / "in.json", "{\"spells\": [{\"level\": 2, \"name\": \"D\\u00e9\"}]}");
    WriteBytes(Folder / "bad.json", "{\"spells\": [{\"level\": 2}]}");
    View().ImportFiles = {(Folder / "in.csv").string(), (Folder / "out.spb").string(),
                          (Folder / "in.json").string(), (Folder / "bad.json").string(),
                          (Folder / "out.md").string()};
    for (size_t i = 0; i < 5; ++i) {
        ImportSpells(Window.Document);
    }
    EXPECT_EQ(NamesOf(Book()), (std::vector<std::string>{"Aa", "Bb", "D\xE9", "Cc"}));
    EXPECT_TRUE(Book().SpellAt(1, 1)->Memorized);
    EXPECT_EQ(UI.Errors, (std::vector<std::string>{"Error Reading Spell File", "Error Reading Spell File"}));
    EXPECT_EQ(UI.Details,
              (std::vector<std::string>{(Folder / "bad.json").string() + "\r\nSpell 1: \"name\" is missing.",
                                        (Folder / "out.md").string() + "\r\nThe file holds no spells."}));
}

class tFakeFormat : public tOutputFormat {
public:
    std::deque<bool> Answers;
    tOutputOptions Chosen;
    bool AskOptions() override {
        const bool ok = !Answers.empty() && Answers.front();
        if (!Answers.empty()) {
            Answers.pop_front();
        }
        return ok;
    }
    tOutputOptions Options() const override { return Chosen; }
    void SetFont(const tOutputFont& font) override { Chosen.Font = font; }
};

TEST_F(AddingMaintenanceTest, CopyToClipboardPutsTheBooksTextThereAfterOk) {
    Holding(5, 0, "Generalist", Spells({Spell(1, "Aa", 0, "abj", true), Spell(1, "Bb")}));
    tFakeFormat format;
    format.Answers = {false, true};
    format.Chosen.Columns = 1;
    CopyToClipboard(Window.Document, format);
    EXPECT_TRUE(View().Clipboard.empty()) << "Cancel copies nothing";
    EXPECT_TRUE(UI.Working.empty());
    CopyToClipboard(Window.Document, format);
    EXPECT_EQ(UI.Working, (std::vector<std::string>{"show:Copying to Clipboard", "hide"}));
    EXPECT_EQ(View().Clipboard,
              "Spell Book:\x1E/books/b.spb\x1E\r\nCaster Level: 5\r\nCaster Intelligence: 12\r\n"
              "Caster Specialty: Generalist\r\n \r\n \r\n \r\nlevel: 1     number per day: 4\r\n"
              "*Aa [Tome 1]\r\nBb [Tome 1]\r\n");
}

} // namespace
