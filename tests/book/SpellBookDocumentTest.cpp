#include "FakeWindows.h"

#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "files/SpellbookFile.h"
#include "model/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const Schools[] = {"abj", "alt", "c/s", "div", "e/c", "i/e", "ill", "nec"};

// A master list of 12 spells per level and school over every frequency.
std::unique_ptr<TSpellBook> MakeMaster() {
    auto master = TSpellBook::Create(0, 0, 0, "");
    for (int level = 1; level <= 9; ++level) {
        for (int s = 0; s < 8; ++s) {
            for (int k = 0; k < 12; ++k) {
                master->AddSpell(MakeSpell(level,
                                           std::string(Schools[s]) + " spell " + std::to_string(level) + "-" +
                                               std::to_string(k),
                                           -(k % 5), Schools[s]));
            }
        }
    }
    return master;
}

class SpellBookDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(7);
        ResetSelectionOdds();
    }

    tSpellBookDocument& NewWindow() {
        Windows.push_back(std::make_unique<tFakeWindow>(Messages, *Specialties));
        Windows.back()->Document.Create(Folder.Path().string() + "/");
        return Windows.back()->Document;
    }
    tFakeView& ViewOf(size_t i = 0) { return Windows[i]->View; }

    std::string WriteBook(const std::string& name, const std::string& bytes) {
        std::filesystem::path path = Folder / name;
        WriteBytes(path, bytes);
        return path.string();
    }

    TempDir Folder;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeMessages Messages;
    std::vector<std::unique_ptr<tFakeWindow>> Windows;
};

TEST_F(SpellBookDocumentTest, CreateShowsAnEmptyUntitledGeneralistBookAtLevelOne) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    EXPECT_EQ(doc.Book().CasterLevel, 1);
    EXPECT_EQ(doc.Book().Intelligence, 9);
    EXPECT_EQ(doc.Book().Frequency, 0);
    EXPECT_EQ(doc.Book().Specialty, "Generalist");
    EXPECT_EQ(doc.Book().Count(), 0);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(view.WizardLevelBox, 1);
    EXPECT_EQ(view.IntelligenceBox, 9);
    EXPECT_EQ(view.SpecialtyItems,
              (std::vector<std::string>{"Generalist", "Abjurer", "Conjurer", "Diviner", "Enchanter",
                                        "Illusionist", "Invoker", "Necromancer", "Transmuter"}));
    EXPECT_EQ(view.SpecialtyText, "Generalist");
    EXPECT_EQ(view.FrequencyItems,
              (std::vector<std::string>{"Common", "Uncommon", "Rare", "Very Rare", "Restricted"}));
    EXPECT_EQ(view.FrequencySelected, 0);
    EXPECT_EQ(view.SpellLevel, 1);
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_EQ(view.PerDay, 1);
    EXPECT_EQ(view.Memorized, 0);
    EXPECT_EQ(view.Colour, tMarkedColour::Green);
    EXPECT_EQ(view.Caption, "untitled");
    EXPECT_EQ(doc.DialogFolder(), Folder.Path().string() + "/");
}

TEST_F(SpellBookDocumentTest, MakeNewFillsALegalBookBehindTheNoticeAndMarksItChanged) {
    auto master = MakeMaster();
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    tBookParameters parameters;
    parameters.CasterLevel = 9;
    parameters.Intelligence = 14;
    parameters.SpecialtyIndex = 5;
    parameters.SpecialtyText = "Illusionist";
    parameters.FrequencyIndex = 2;
    doc.MakeNew(parameters, master.get());

    TSpellBook& book = doc.Book();
    EXPECT_EQ(book.CasterLevel, 9);
    EXPECT_EQ(book.Intelligence, 14);
    EXPECT_EQ(book.Specialty, "Illusionist");
    EXPECT_EQ(book.Frequency, -2);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(Messages.Working, (std::vector<std::string>{"show:Filling Spellbook", "hide"}));
    EXPECT_EQ(view.WizardLevelBox, 9);
    EXPECT_EQ(view.IntelligenceBox, 14);
    EXPECT_EQ(view.SpecialtySelected, 5);
    EXPECT_EQ(view.FrequencySelected, 2);
    ASSERT_GT(book.LevelCount[1], 0);
    EXPECT_EQ(book.LevelCount[6], 0) << "a level-9 wizard casts no sixth-level spells";
    for (book.First(); book.Current(); book.Next()) {
        EXPECT_TRUE(IsSpellLegal(book.CurrentSpell(), &book, Specialties.get())) << book.CurrentName();
    }
    EXPECT_EQ(view.Lines.size(), static_cast<size_t>(book.LevelCount[1]));
    EXPECT_EQ(view.PerDay, SpellsPerDay(9, 1) + 1);
}

TEST_F(SpellBookDocumentTest, MakeNewKeepsCasterLevelThirtyAndTreatsNoSpecialtyAsGeneralist) {
    auto master = MakeMaster();
    tSpellBookDocument& doc = NewWindow();
    tBookParameters parameters;
    parameters.CasterLevel = 30;
    parameters.Intelligence = 21;
    parameters.SpecialtyIndex = -1;
    parameters.SpecialtyText = "ignored";
    doc.MakeNew(parameters, master.get());
    EXPECT_EQ(doc.Book().CasterLevel, 30);
    EXPECT_EQ(ViewOf().WizardLevelBox, 30);
    EXPECT_EQ(doc.Book().Specialty, "Generalist");
    EXPECT_EQ(ViewOf().SpecialtyText, "Generalist");
    EXPECT_GT(doc.Book().LevelCount[9], 0);
}

TEST_F(SpellBookDocumentTest, MakeNewFromAnEmptyOrMissingMasterGivesAnEmptyChangedBook) {
    TSpellBook empty(0, 0, 0, "");
    for (TSpellBook* master : {&empty, static_cast<TSpellBook*>(nullptr)}) {
        tSpellBookDocument& doc = NewWindow();
        tBookParameters parameters;
        parameters.CasterLevel = 12;
        doc.MakeNew(parameters, master);
        EXPECT_EQ(doc.Book().Count(), 0);
        EXPECT_TRUE(doc.Modified());
    }
}

TEST_F(SpellBookDocumentTest, RefreshListsTheChosenLevelWithMarksAndCounters) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    TSpellBook& book = doc.Book();
    book.AddSpell(MakeSpell(1, "Magic Missile", 0, "e/c", "Tome", 12, true));
    book.AddSpell(MakeSpell(1, "armor", -2, "c/s", "Codex", 0, false));
    book.AddSpell(MakeSpell(2, "Web", -4, "", "", 3, true));
    doc.Refresh();
    EXPECT_EQ(view.Lines, (std::vector<std::string>{"armor  (c/s) [Codex 0] - R",
                                                    "Magic Missile*  (e/c) [Tome 12] - C"}));
    EXPECT_EQ(view.Memorized, 1);
    EXPECT_EQ(view.PerDay, 1);
    EXPECT_EQ(view.Colour, tMarkedColour::ButtonFace);

    doc.SpellLevelChosen(2);
    EXPECT_EQ(view.Lines, (std::vector<std::string>{"Web*  () [ 3] - S"}));
    EXPECT_EQ(view.PerDay, 0);
    EXPECT_EQ(view.Colour, tMarkedColour::Red);

    doc.SpellLevelChosen(5);
    EXPECT_TRUE(view.Lines.empty());
    EXPECT_EQ(view.Memorized, 0);
}

struct tPerDayCase {
    int32_t CasterLevel;
    const char* Specialty;
    int32_t SpellLevel;
    int32_t Expected;
};

TEST(SpellsPerDayShownTest, SpecialistsGetOneMoreOnlyWhereTheTableGrantsAny) {
    const tPerDayCase cases[] = {
        {1, "Generalist", 1, 1}, {1, "Generalist", 2, 0}, {1, "Abjurer", 1, 2},     {1, "Abjurer", 2, 0},
        {1, "generalist", 1, 2}, {3, "Nobody", 2, 2},     {30, "Generalist", 9, 6}, {0, "Abjurer", 1, 0},
    };
    for (const tPerDayCase& c : cases) {
        TSpellBook book(c.CasterLevel, 9, 0, c.Specialty);
        const int32_t table = SpellsPerDay(c.CasterLevel, c.SpellLevel);
        EXPECT_EQ(SpellsPerDayShown(book, c.SpellLevel), c.Expected)
            << c.CasterLevel << " " << c.Specialty << " level " << c.SpellLevel << " (table " << table << ")";
    }
}

TEST(MarkedColourTest, GreenBelowButtonFaceAtRedAbove) {
    EXPECT_EQ(MarkedColour(1, 2), tMarkedColour::Green);
    EXPECT_EQ(MarkedColour(2, 2), tMarkedColour::ButtonFace);
    EXPECT_EQ(MarkedColour(3, 2), tMarkedColour::Red);
    EXPECT_EQ(MarkedColour(0, 0), tMarkedColour::ButtonFace);
}

TEST(NumberBoxValueTest, NonNumbersGiveTheMinimumAndNumbersAreKeptInRange) {
    struct {
        const char* Text;
        int32_t Expected;
    } const cases[] = {
        {"", 1},   {"  ", 1},  {"abc", 1}, {"12", 12}, {" 7 ", 7},          {"+5", 5},           {"0", 1},
        {"-3", 1}, {"31", 30}, {"30", 30}, {"5x", 1},  {"99999999999", 30}, {"-99999999999", 1}, {"$A", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(NumberBoxValue(c.Text, 1, 30), c.Expected) << '"' << c.Text << '"';
    }
}

TEST_F(SpellBookDocumentTest, WizardControlsChangeTheBookAndOnlyTheFrequencyLeavesItUnchanged) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    int refreshes = view.RefreshCount;

    doc.FrequencyChanged(3);
    EXPECT_EQ(doc.Book().Frequency, -3);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes);

    doc.IntelligenceChanged("not a number");
    EXPECT_EQ(doc.Book().Intelligence, 9);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes) << "nothing shown depends on intelligence";
    doc.IntelligenceChanged("25");
    EXPECT_EQ(doc.Book().Intelligence, 21);

    doc.Book().Modified = false;
    doc.WizardLevelChanged("3");
    EXPECT_EQ(doc.Book().CasterLevel, 3);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.RefreshCount, refreshes + 1);
    EXPECT_EQ(view.PerDay, 2);
    doc.WizardLevelChanged("");
    EXPECT_EQ(doc.Book().CasterLevel, 1);

    doc.Book().Modified = false;
    doc.SpecialtyChanged("Abj");
    EXPECT_EQ(doc.Book().Specialty, "Abj");
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(view.PerDay, 2) << "a specialty other than Generalist adds one spell";
    EXPECT_EQ(view.RefreshCount, refreshes + 3);
}

TEST_F(SpellBookDocumentTest, LeavingTheSpecialtyBoxAsksOnlyForUnknownNames) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.SpecialtyExit("necromancer");
    doc.SpecialtyExit("Generalist");
    EXPECT_TRUE(Messages.Questions.empty());

    Messages.Answers = {tAnswer::No, tAnswer::Yes};
    doc.SpecialtyExit("generalist");
    EXPECT_EQ(view.MaintenanceOpened, 0);
    doc.SpecialtyExit("Wild Mage");
    EXPECT_EQ(view.MaintenanceOpened, 1);
    ASSERT_EQ(Messages.Questions.size(), 2u);
    EXPECT_EQ(Messages.Questions[0],
              "The specialty \"generalist\" does not exist on the current specialty list.\r\n"
              "Would you like modify the specialty list?");
}

TEST_F(SpellBookDocumentTest, SaveOfAnUntitledBookAsksForANameAndCancellingChangesNothing) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    view.SaveFiles = {std::nullopt};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(view.SaveFolders, (std::vector<std::string>{Folder.Path().string() + "/"}));
    EXPECT_EQ(doc.Caption(), "untitled");
    EXPECT_EQ(view.Caption, "untitled");
    EXPECT_TRUE(doc.Modified());
}

TEST_F(SpellBookDocumentTest, SaveAsWritesTheBookAndASecondSaveUsesTheCaptionWithoutADialog) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().AddSpell(MakeSpell(1, "Sleep", 0, "e/c", "Tome", 4));
    doc.Book().Modified = true;
    const std::string path = (Folder / "wizard.spb").string();
    view.SaveFiles = {path};
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(doc.Caption(), path);
    EXPECT_EQ(view.Caption, path);
    EXPECT_FALSE(doc.Modified());
    auto saved = ReadSpellbookFile(path);
    ASSERT_TRUE(saved);
    EXPECT_EQ(NamesOf(*saved), (std::vector<std::string>{"Sleep"}));

    doc.Book().AddSpell(MakeSpell(1, "Charm", 0, "e/c", "Tome", 5));
    doc.Book().Modified = true;
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(view.SaveFolders.size(), 1u) << "the second Save asked for no file";
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(NamesOf(*ReadSpellbookFile(path)), (std::vector<std::string>{"Charm", "Sleep"}));
    EXPECT_TRUE(Messages.Questions.empty());
}

TEST_F(SpellBookDocumentTest, SaveAsAsksBeforeReplacingAFile) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    const std::string path = WriteBook("old.spb", "keep me");
    view.SaveFiles = {path, path};
    Messages.Answers = {tAnswer::No, tAnswer::Yes};

    EXPECT_FALSE(doc.SaveAs());
    EXPECT_EQ(ReadBytes(path), "keep me");
    EXPECT_EQ(doc.Caption(), "untitled");
    EXPECT_TRUE(doc.Modified());
    ASSERT_EQ(Messages.Questions.size(), 1u);
    EXPECT_EQ(Messages.Questions[0], path + " already exists.\r\nDo you want to replace it?");

    EXPECT_TRUE(doc.SaveAs());
    EXPECT_NE(ReadBytes(path), "keep me");
    EXPECT_EQ(doc.Caption(), path);
}

TEST_F(SpellBookDocumentTest, AWriteThatFailsIsReportedAndKeepsTheBookChangedAndTheCaption) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    doc.Book().Modified = true;
    WriteBytes(Folder / "plain", "a file, not a folder");
    const std::string bad = (Folder / "plain" / "book.spb").string();
    view.SaveFiles = {bad};
    EXPECT_FALSE(doc.SaveAs());
    EXPECT_EQ(Messages.Errors, (std::vector<std::string>{"Unable to write to " + bad}));
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Caption(), "untitled");

    // A titled book whose file can no longer be written.
    const std::string good = (Folder / "good.spb").string();
    view.SaveFiles = {good};
    ASSERT_TRUE(doc.SaveAs());
    std::filesystem::remove(good);
    std::filesystem::create_directory(good); // a folder now stands where the file was
    doc.Book().Modified = true;
    EXPECT_FALSE(doc.Save());
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Caption(), good);
    EXPECT_EQ(Messages.Errors.back(), "Unable to write to " + good);
}

TEST_F(SpellBookDocumentTest, CloseQuestionPaths) {
    tSpellBookDocument& doc = NewWindow();
    tFakeView& view = ViewOf();
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(Messages.Questions.empty()) << "an unchanged book closes without asking";

    doc.Book().Modified = true;
    Messages.Answers = {tAnswer::Cancel};
    EXPECT_FALSE(doc.CloseQuery());
    ASSERT_EQ(Messages.Questions.size(), 1u);
    EXPECT_EQ(Messages.Questions[0],
              "Spellbook:\r\nuntitled\r\nhas not been saved. Do you wish to save it now?");

    Messages.Answers = {tAnswer::No};
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(doc.Modified()) << "No closes without saving";

    Messages.Answers = {tAnswer::Yes};
    view.SaveFiles = {std::nullopt};
    EXPECT_FALSE(doc.CloseQuery()) << "Yes, then cancelling the save dialog, keeps the window";

    const std::string path = (Folder / "closing.spb").string();
    Messages.Answers = {tAnswer::Yes};
    view.SaveFiles = {path};
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(Messages.Questions.size(), 4u);
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override { SeedRandom(11); }

    std::string Write(const std::string& name, const std::string& bytes) {
        std::filesystem::path path = Folder / name;
        WriteBytes(path, bytes);
        return path.string();
    }

    TempDir Folder;
    std::unique_ptr<tSpecialtyList> Specialties = MakeDefaultSpecialties();
    tFakeHost Host{*Specialties, "/data/"};
    tMainFrameCommands Frame{Host};
};

TEST_F(MainFrameTest, NewCancelledMakesNoWindow) {
    EXPECT_EQ(Frame.NewSpellbook(nullptr), nullptr);
    EXPECT_TRUE(Host.Windows.empty());
}

TEST_F(MainFrameTest, NewMakesOneFilledWindow) {
    auto master = MakeMaster();
    Host.Parameters = tBookParameters{4, 12, 2, "Conjurer", 0};
    tSpellBookDocument* doc = Frame.NewSpellbook(master.get());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(Host.OpenWindows(), 1);
    EXPECT_EQ(doc->Book().Specialty, "Conjurer");
    EXPECT_EQ(doc->Caption(), "untitled");
    EXPECT_TRUE(doc->Modified());
    EXPECT_EQ(doc->DialogFolder(), "/data/");
    EXPECT_GT(doc->Book().Count(), 0);
}

TEST_F(MainFrameTest, OpenReadsEveryVersionAndBringsValuesIntoTheBoxes) {
    struct {
        const char* Name;
        const char* Bytes;
        int32_t Level;
        int32_t Intelligence;
        const char* Specialty;
        int32_t FrequencyPosition;
        int32_t FileVersion;
    } const cases[] = {
        {"five.spb", "5\r\n7\r\n25\r\nIllusionist\r\nR\r\n1,Sleep,Tome,4,C,e/c,Y\r\n \r\n", 7, 21,
         "Illusionist", 2, 5},
        {"four.spb", "4\r\n40\r\n3\r\nWild Mage\r\nS\r\n \r\n", 30, 9, "Wild Mage", 4, 4},
        {"three.spb", "3\r\n0\r\n12\r\n6\r\nU\r\n \r\n", 1, 12, "Invoker", 1, 3},
        {"plain.dat", "3,Fireball,Tome,9,C,i/e,N\r\n \r\n", 5, 9, "", 0, 0},
    };
    for (const auto& c : cases) {
        const std::string path = Write(c.Name, c.Bytes);
        tSpellBookDocument* doc = Frame.OpenFile(path);
        ASSERT_NE(doc, nullptr) << c.Name;
        tFakeView& view = Host.Windows.back()->View;
        EXPECT_EQ(doc->Book().CasterLevel, c.Level) << c.Name;
        EXPECT_EQ(doc->Book().Intelligence, c.Intelligence) << c.Name;
        EXPECT_EQ(view.WizardLevelBox, c.Level) << c.Name;
        EXPECT_EQ(view.IntelligenceBox, c.Intelligence) << c.Name;
        EXPECT_EQ(view.SpecialtyText, c.Specialty) << c.Name;
        EXPECT_EQ(view.FrequencySelected, c.FrequencyPosition) << c.Name;
        EXPECT_EQ(doc->Book().FileVersion, c.FileVersion) << c.Name;
        EXPECT_FALSE(doc->Modified()) << c.Name;
        EXPECT_EQ(doc->Caption(), path);
        EXPECT_EQ(view.Caption, path);
        EXPECT_EQ(view.SpellLevel, 1);
    }
    EXPECT_EQ(Host.Windows.back()->View.Lines.size(), 0u) << "the plain list's only spell is of level 3";
    EXPECT_TRUE(Host.Messages.Errors.empty());
}

TEST_F(MainFrameTest, OpenShowsTheLoadingNoticeAndTheFirstLevel) {
    const std::string path = Write("b.spb", "5\r\n3\r\n9\r\nGeneralist\r\nC\r\n1,Sleep,Tome,4,C,e/c,Y\r\n"
                                            "1,Armor,Tome,2,U,c/s,N\r\n \r\n");
    ASSERT_NE(Frame.OpenFile(path), nullptr);
    EXPECT_EQ(Host.Messages.Working, (std::vector<std::string>{"show:Loading Spellbook", "hide"}));
    tFakeView& view = Host.Windows.back()->View;
    EXPECT_EQ(view.Lines,
              (std::vector<std::string>{"Armor  (c/s) [Tome 2] - U", "Sleep*  (e/c) [Tome 4] - C"}));
    EXPECT_EQ(view.PerDay, 2);
    EXPECT_EQ(view.Memorized, 1);
    EXPECT_EQ(view.Colour, tMarkedColour::Green);
}

TEST_F(MainFrameTest, AFileThatCannotBeReadLeavesNoWindow) {
    for (const std::string& path :
         {(Folder / "missing.spb").string(), Write("two.spb", "2\r\n1\r\n9\r\nX\r\nC\r\n")}) {
        Host.Messages = tFakeMessages();
        EXPECT_EQ(Frame.OpenFile(path), nullptr) << path;
        EXPECT_EQ(Host.Messages.Errors, (std::vector<std::string>{"Error Reading Spellbook File"}));
        EXPECT_EQ(Host.Messages.Working.back(), "hide");
        EXPECT_EQ(Host.OpenWindows(), 0);
    }
}

TEST_F(MainFrameTest, OpenRemembersTheFolderOfTheLastFileChosen) {
    Frame.SetOpenFolder("/data/");
    std::filesystem::create_directory(Folder / "books");
    const std::string path = Write("books/a.spb", "5\r\n1\r\n9\r\nGeneralist\r\nC\r\n \r\n");
    Host.OpenFiles = {std::nullopt, path, (Folder / "gone.spb").string(), std::nullopt};
    Frame.Open(); // cancelled
    EXPECT_EQ(Frame.OpenFolder(), "/data/");
    Frame.Open();
    EXPECT_EQ(Frame.OpenFolder(), (Folder / "books").string() + "/");
    Frame.Open(); // a file that cannot be read still moves the folder
    EXPECT_EQ(Frame.OpenFolder(), Folder.Path().string() + "/");
    Frame.Open();
    EXPECT_EQ(Host.OpenFolders,
              (std::vector<std::string>{"/data/", "/data/", (Folder / "books").string() + "/",
                                        Folder.Path().string() + "/"}));
    EXPECT_EQ(Host.OpenWindows(), 1);
}

TEST_F(MainFrameTest, CloseRequestStopsAtTheFirstRefusalBeforeAskingTheMasterList) {
    Host.Parameters = tBookParameters{};
    tSpellBookDocument* first = Frame.NewSpellbook(nullptr);
    tSpellBookDocument* second = Frame.NewSpellbook(nullptr);
    int masterAsked = 0;
    auto master = [&] {
        ++masterAsked;
        return true;
    };
    Host.Messages.Answers = {tAnswer::Cancel};
    EXPECT_FALSE(FrameCloseQuery({first, second}, master));
    EXPECT_EQ(Host.Messages.Questions.size(), 1u) << "the second window was not asked";
    EXPECT_EQ(masterAsked, 0);

    Host.Messages.Answers = {tAnswer::No, tAnswer::No};
    EXPECT_TRUE(FrameCloseQuery({first, second}, master));
    EXPECT_EQ(masterAsked, 1);
    EXPECT_FALSE(FrameCloseQuery({}, [] { return false; })) << "the master list may refuse";
}

} // namespace
