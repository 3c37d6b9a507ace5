#include "app/NumberBox.h"
#include "app/PathText.h"
#include "app/Shared.h"
#include "files/Odds.h"
#include "files/SpecialtyFile.h"
#include "support/FakeUserInterface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Runs the program's start in a folder of the test's own.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDirectory(Folder.Path().string());
        LoadProgram();
    }
    void TearDown() override {
        CloseSharedState();
        SetProgramDirectory("");
        ResetSelectionOdds();
    }

    std::string FolderText() const { return Folder.Path().string() + "/"; }

    TempDir Folder;
};

TEST_F(StartupTest, AFirstStartInAnEmptyFolderTakesEveryDefaultAndWritesNothing) {
    SelectionOdds = {1, 1, 1, 1, 1};
    LoadProgram();
    EXPECT_EQ(SelectionOdds, DefaultOdds) << "loading puts the default odds back";
    OpenSharedState();
    EXPECT_EQ(SelectionOdds, (std::array<int32_t, 5>{100, 20, 10, 5, 1}));
    ASSERT_TRUE(Settings);
    EXPECT_EQ(Settings->Path(), FolderText() + "Quillmark.INI");
    EXPECT_EQ(ReadDataDirectory(), FolderText());
    EXPECT_EQ(HelpFile, FolderText() + "Quillmark.HLP");
    ASSERT_TRUE(Specialties);
    EXPECT_EQ(Specialties->Names(), DefaultSpecialties->Names());
    EXPECT_NE(Specialties.get(), DefaultSpecialties.get())
        << "editing the list in use leaves the built-in one";
    EXPECT_TRUE(std::filesystem::is_empty(Folder.Path()));
    EXPECT_EQ(SettingsNotice(), "") << "a missing settings file is no news";
}

TEST_F(StartupTest, OddsAndDataDirectoryComeFromTheSettingsFile) {
    WriteBytes(Folder / "Quillmark.INI",
               "[SpellFrequencyOdds]\r\nCommon=0x0A\r\nRare=letters\r\nvery rare=40\r\n"
               "[Quillmark]\r\nDataDirectory=/books/\r\n");
    OpenSharedState();
    EXPECT_EQ(SelectionOdds, (std::array<int32_t, 5>{100, 40, 10, 5, 10}));
    EXPECT_EQ(ReadDataDirectory(), "/books/");
}

TEST_F(StartupTest, TheSpecialtyFileReplacesTheBuiltInList) {
    WriteBytes(Folder / "Specialty.dat", "Wild Mage\r\nwld\r\nnec\r\nChronomancer\r\ntmp\r\n\r\n");
    OpenSharedState();
    EXPECT_EQ(Specialties->Names(), (std::vector<std::string>{"Wild Mage", "Chronomancer"}));
    EXPECT_EQ(SpecialtyChoices(*Specialties),
              (std::vector<std::string>{"Generalist", "Wild Mage", "Chronomancer"}));
    EXPECT_EQ(DefaultSpecialties->Names().size(), 8u);
}

TEST_F(StartupTest, ARefusedSettingsWriteIsReportedWithTheFilesPath) {
    std::filesystem::create_directory(Folder / "Quillmark.INI"); // a folder where the file should be
    OpenSharedState();
    tFakeUserInterface messages;
    EXPECT_FALSE(WriteSetting(MainSection, DataDirectoryKey, "/elsewhere/", messages));
    EXPECT_EQ(messages.Errors,
              (std::vector<std::string>{"Unable to write to " + FolderText() + "Quillmark.INI"}));
    EXPECT_EQ(messages.Details, (std::vector<std::string>{"It is a folder, not a file."}));
    // It was said at start already.
    EXPECT_EQ(WithoutPathMarks(SettingsNotice()),
              FolderText() + "Quillmark.INI could not be read. It is a folder, not a "
                             "file. The default settings are in force.");
}

TEST_F(StartupTest, AnAcceptedSettingsWriteIsReadBackAndReportsNothing) {
    OpenSharedState();
    tFakeUserInterface messages;
    EXPECT_TRUE(WriteSetting(MainSection, DataDirectoryKey, "/elsewhere/", messages));
    EXPECT_TRUE(messages.Errors.empty());
    EXPECT_EQ(ReadDataDirectory(), "/elsewhere/");
    CloseSharedState();
    EXPECT_FALSE(Settings);
    EXPECT_FALSE(WriteSetting(MainSection, DataDirectoryKey, "/x/", messages)) << "no settings once closed";
    EXPECT_TRUE(messages.Errors.empty());
}

TEST(ProgramDirectoryTest, ACopyRunFromAFolderKeepsItsFilesThere) {
    SetProgramDirectory("/some/folder");
    EXPECT_EQ(FileLocations().SettingsFolder, "/some/folder/");
    EXPECT_EQ(FileLocations().HelpFile, "/some/folder/Quillmark.HLP");
    EXPECT_EQ(FileLocations().MasterFile, "MASTER.DAT");
    SetProgramDirectory("");
    EXPECT_EQ(FileLocations().SettingsFolder, FindFileLocations(RunningSystem()).SettingsFolder);
}

TEST(MessagePathTest, APathIsMarkedAndTheMarksComeOutWhole) {
    const std::string path = "/caf\xC3\xA9/\xE6\x97\xA5.spb"; // UTF-8, with no Windows-1252 form
    const std::string message = "Unable to write to " + MessagePath(path) + "\r\nnow";
    EXPECT_EQ(message, "Unable to write to \x1E" + path + "\x1E\r\nnow");
    EXPECT_EQ(WithoutPathMarks(message), "Unable to write to " + path + "\r\nnow");
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

} // namespace
