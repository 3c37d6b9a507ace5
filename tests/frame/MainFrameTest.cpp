#include "FakeFrame.h"
#include "frame/Transfer.h"

#include "app/RecentFiles.h"
#include "app/Shared.h"
#include "files/Odds.h"
#include "files/RuleTables.h"
#include "files/Rules.h"
#include "files/SpellbookFile.h"
#include "model/Random.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

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
    tMainFrameCommands Frame{Host, Host.Messages};
};

TEST_F(MainFrameTest, NewCancelledMakesNoWindow) {
    EXPECT_EQ(Frame.NewSpellbook(nullptr), nullptr);
    EXPECT_TRUE(Host.Windows.empty());
}

TEST_F(MainFrameTest, NewMakesOneFilledWindow) {
    auto master = MakeSchoolMaster();
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
        Host.Messages = tFakeUserInterface();
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
    EXPECT_EQ(Host.Windows[0]->View.Fronted, 1) << "the window asked about comes to the front";
    EXPECT_EQ(Host.Windows[1]->View.Fronted, 0);

    Host.Messages.Answers = {tAnswer::No, tAnswer::No};
    EXPECT_TRUE(FrameCloseQuery({first, second}, master));
    EXPECT_EQ(masterAsked, 1);
    EXPECT_EQ(Host.Windows[1]->View.Fronted, 1);
    EXPECT_FALSE(FrameCloseQuery({}, [] { return false; })) << "the master list may refuse";
}

// Arrange stacks the windows in the order they were opened, the active one
// moved to the front (the end), whichever it is.
TEST(CascadeOrderTest, TheActiveWindowComesLast) {
    struct tCase {
        size_t Count;
        std::optional<size_t> Active;
        std::vector<size_t> Order;
    };
    const tCase cases[] = {
        {0, std::nullopt, {}}, {3, std::nullopt, {0, 1, 2}},
        {1, 0, {0}},           {3, 0, {1, 2, 0}},
        {3, 1, {0, 2, 1}},     {3, 2, {0, 1, 2}},
        {4, 5, {0, 1, 2, 3}},
    };
    for (const tCase& c : cases) {
        EXPECT_EQ(CascadeOrder(c.Count, c.Active), c.Order)
            << c.Count << " windows, active " << (c.Active ? std::to_string(*c.Active) : "none");
    }
}

TEST_F(MainFrameTest, SpellsCopiedIntoABookFromAnotherWindow) {
    // The source: a master list view of four level-2 spells, one memorized.
    auto source = TSpellBook::Create(0, 0, 0, "");
    for (const char* name : {"Aura", "Bane", "Cloud", "Dusk"}) {
        source->AddSpell(MakeSpell(2, name, std::string(name) == "Cloud" ? -2 : 0, "abj", "Tome", 1,
                                   std::string(name) == "Aura"));
    }
    Host.Parameters = tBookParameters{3, 12, 0, "Generalist", 0};
    tSpellBookDocument* target = Frame.NewSpellbook(nullptr);
    target->Book().AddSpell(MakeSpell(2, "bane"));
    target->Book().Modified = false;
    // Aura, Bane (held already: refused silently), Cloud (Rare: asked, Cancel).
    Host.Messages.Answers = {tAnswer::Cancel};
    CopySpellsIntoBook(*target, *source, 2, {0, 1, 2}, DropSpellsStep);
    EXPECT_EQ(NamesOf(target->Book()), (std::vector<std::string>{"Aura", "bane"}));
    EXPECT_FALSE(target->Book().SpellAt(2, 0)->Memorized) << "a copied spell arrives unmemorized";
    EXPECT_TRUE(source->SpellAt(2, 0)->Memorized) << "the source keeps its own";
    EXPECT_EQ(Host.Messages.Questions.size(), 1u);
    EXPECT_EQ(target->SpellLevel(), 2);
    EXPECT_EQ(Host.Windows.back()->View.SpellLevel, 2);
    EXPECT_EQ(Host.Windows.back()->View.Lines.size(), 2u);
    EXPECT_TRUE(target->Modified());
}

TEST_F(MainFrameTest, SetDataDirectoryShowsTheStoredFolderAndWritesTheChosenOne) {
    SetProgramDirectory(Folder.Path().string());
    OpenSharedState();
    const std::string program = Folder.Path().string() + "/";
    std::filesystem::create_directory(Folder / "books");
    const std::string books = (Folder / "books").string();

    // Nothing stored: the program's folder. Cancel changes nothing.
    Host.DataDirectories = {std::nullopt, books, (Folder / "gone").string()};
    Frame.SetOpenFolder("/before/");
    Frame.SetDataDirectory();
    EXPECT_EQ(Host.DataDirectoryShown.back(), program);
    EXPECT_EQ(Frame.OpenFolder(), "/before/");
    EXPECT_EQ(ReadDataDirectory(), program);

    // OK: written, and the open dialog starts there.
    Frame.SetDataDirectory();
    EXPECT_EQ(ReadDataDirectory(), books + "/");
    EXPECT_EQ(Frame.OpenFolder(), books + "/");
    Frame.SetDataDirectory();
    EXPECT_EQ(Host.DataDirectoryShown.back(), books + "/");

    // A stored folder that is gone shows the program's folder instead.
    EXPECT_EQ(ReadDataDirectory(), (Folder / "gone").string() + "/");
    Host.DataDirectories = {std::nullopt};
    Frame.SetDataDirectory();
    EXPECT_EQ(Host.DataDirectoryShown.back(), program);
    CloseSharedState();
    SetProgramDirectory("");
}

// Open, Save and Save As put a book first among the recent files; a recent
// file that is gone is said to be and dropped, one that cannot be read stays.
TEST_F(MainFrameTest, RecentFilesFollowOpensAndSavesAndAGoneOneIsSaidAndDropped) {
    SetProgramDirectory(Folder.Path().string());
    OpenSharedState();
    const char* const book = "5\r\n7\r\n15\r\nGeneralist\r\nC\r\n1,Sleep,Tome,4,C,e/c,N\r\n \r\n";
    const std::string a = Write("a.spb", book);
    const std::string b = Write("b.spb", book);
    const std::string c = (Folder / "c.spb").string();
    ASSERT_TRUE(Frame.OpenFile(a));
    tSpellBookDocument* second = Frame.OpenFile(b);
    ASSERT_TRUE(second);
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{b, a}));
    ASSERT_TRUE(Host.Windows.front()->Document.Save());
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{a, b}));
    Host.Windows.back()->View.SaveFiles = {c};
    ASSERT_TRUE(second->SaveAs());
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{c, a, b}));

    std::filesystem::remove(b);
    EXPECT_EQ(Frame.OpenRecentFile(b), nullptr);
    EXPECT_EQ(Host.Messages.Errors, std::vector<std::string>{RecentFileGone});
    EXPECT_EQ(Host.Messages.Details, std::vector<std::string>{b});
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{c, a}));
    EXPECT_EQ(Host.OpenWindows(), 2);

    ASSERT_TRUE(Frame.OpenRecentFile(a));
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{a, c}));
    std::filesystem::remove(c);
    std::filesystem::create_directory(c);
    EXPECT_EQ(Frame.OpenRecentFile(c), nullptr);
    EXPECT_EQ(Host.Messages.Errors.back(), ErrorReadingSpellbook);
    EXPECT_EQ(RecentFiles(), (std::vector<std::string>{a, c})) << "a file there but unreadable stays";
    CloseSharedState();
    SetProgramDirectory("");
}

TEST_F(MainFrameTest, CreateScrollMakesAnUntitledChangedWindowAtLevelOne) {
    const std::string path = Write("src.spb", "5\r\n6\r\n14\r\nDiviner\r\nR\r\n"
                                              "1,Aura,Tome,1,C,div,Y\r\n1,Bane,Tome,2,C,div,N\r\n"
                                              "3,Cone,Tome,3,C,div,N\r\n");
    Host.OpenFiles = {path};
    Frame.Open();
    tSpellBookDocument& source = Host.Windows.back()->Document;
    source.ShowLevel(3);

    EXPECT_EQ(Frame.CreateScroll(source), nullptr) << "the dialog cancelled";
    EXPECT_EQ(Host.OpenWindows(), 1);
    EXPECT_EQ(Host.ScrollSources.back(), &source.Book());

    Host.Messages.Working.clear();
    Host.ScrollCounts = tScrollCounts{0, 2, 0, 9};
    tSpellBookDocument* scroll = Frame.CreateScroll(source);
    ASSERT_NE(scroll, nullptr);
    EXPECT_EQ(Host.Messages.Working, (std::vector<std::string>{"show:Creating Scroll", "hide"}));
    EXPECT_EQ(NamesOf(scroll->Book()), (std::vector<std::string>{"Aura", "Bane", "Cone"}));
    EXPECT_TRUE(scroll->Book().SpellAt(1, 0)->Memorized) << "a memorized spell stays memorized";
    EXPECT_EQ(scroll->Book().CasterLevel, 6);
    EXPECT_EQ(scroll->Book().Intelligence, 14);
    EXPECT_EQ(scroll->Book().Specialty, "Diviner");
    EXPECT_EQ(scroll->Book().Frequency, -2);
    EXPECT_EQ(scroll->Caption(), "untitled");
    EXPECT_TRUE(scroll->Modified());
    EXPECT_EQ(scroll->SpellLevel(), 1);
    const tFakeView& view = Host.Windows.back()->View;
    EXPECT_EQ(view.SpellLevel, 1);
    EXPECT_EQ(view.WizardLevelBox, 6);
    EXPECT_EQ(view.SpecialtyText, "Diviner");
    EXPECT_EQ(view.FrequencySelected, 2);
    EXPECT_EQ(view.Lines.size(), 2u);
    EXPECT_EQ(source.Book().Count(), 3) << "the source keeps its spells";
}

TEST_F(MainFrameTest, OpenSaysWhichFileFailedAndWhyAndMakesNoWindowForIt) {
    struct {
        std::string Name;
        std::optional<std::string> Bytes; // none: no file at all
        std::string Detail;
    } const cases[] = {
        {"gone.spb", std::nullopt, "The file was not found."},
        {"bad.spb", "7\r\nnot a spellbook\r\n", "The file is not a spellbook file."},
        {"folder.spb", std::string(), "It is a folder, not a file."},
    };
    for (const auto& c : cases) {
        const std::string path = (Folder / c.Name).string();
        if (c.Name == "folder.spb") {
            std::filesystem::create_directory(path);
        } else if (c.Bytes) {
            WriteBytes(path, *c.Bytes);
        }
        Host.Messages = tFakeUserInterface();
        EXPECT_EQ(Frame.OpenFile(path), nullptr);
        EXPECT_EQ(Host.Messages.Errors, std::vector<std::string>{"Error Reading Spellbook File"});
        EXPECT_EQ(Host.Messages.Details, std::vector<std::string>{path + "\r\n" + c.Detail});
        EXPECT_TRUE(Host.Windows.empty()) << "no window is made for a file that cannot be read";
    }
    // A file of text but no spell opens empty, and the user is told.
    const std::string notes = Write("notes.spb", "Shopping list\r\n");
    Host.Messages = tFakeUserInterface();
    ASSERT_NE(Frame.OpenFile(notes), nullptr);
    EXPECT_EQ(Host.Messages.Informations, std::vector<std::string>{"The file holds no spells."});
}

} // namespace
