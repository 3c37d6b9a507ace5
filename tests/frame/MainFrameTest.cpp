#include "FakeFrame.h"

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

    Host.Messages.Answers = {tAnswer::No, tAnswer::No};
    EXPECT_TRUE(FrameCloseQuery({first, second}, master));
    EXPECT_EQ(masterAsked, 1);
    EXPECT_FALSE(FrameCloseQuery({}, [] { return false; })) << "the master list may refuse";
}

} // namespace
