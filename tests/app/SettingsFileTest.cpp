#include "app/SettingsFile.h"
#include "app/OddsSettings.h"
#include "files/DataFile.h"
#include "files/Odds.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

TEST(ParseSettingsIntegerTest, DecimalAndHexadecimalBroughtIntoInt32) {
    struct Case {
        const char* text;
        bool valid;
        int32_t value;
    };
    const Case cases[] = {
        {"10", true, 10},
        {"0x0A", true, 10},
        {"0X1f", true, 31},
        {"-5", true, -5},
        {"+7", true, 7},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"0x7FFFFFFF", true, 2147483647},
        {"2147483648", true, 2147483647},
        {"0x80000000", true, 2147483647},
        {"99999999999999999999999999", true, 2147483647},
        {"0xFFFFFFFFFFFFFFFFFFFF", true, 2147483647},
        {"-2147483649", true, INT32_MIN},
        {"-99999999999999999999999999", true, INT32_MIN},
        {"99999999999999999999999999x", false, 0},
        {"", false, 0},
        {"abc", false, 0},
        {"0x", false, 0},
        {"0xG", false, 0},
        {"12a", false, 0},
        {" 5", false, 0},
        {"5 ", false, 0},
        {"-", false, 0},
        {"-0x10", false, 0},
        {"$1A", false, 0},
    };
    for (const Case& c : cases) {
        int32_t value = -99;
        EXPECT_EQ(ParseSettingsInteger(c.text, value), c.valid) << c.text;
        EXPECT_EQ(value, c.valid ? c.value : -99) << c.text;
    }
}

class SettingsFileTest : public ::testing::Test {
protected:
    void Write(const std::string& bytes) { WriteBytes(path, bytes); }
    std::string Contents() const { return ReadBytes(path); }

    TempDir dir;
    std::filesystem::path path = dir / "Quillmark.INI";
    tSettingsFile settings{path.string()};
};

// Permission tests skip as root; the test command runs them as another user.
using SettingsPermissionTest = SettingsFileTest;

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
    EXPECT_EQ(settings.Path(), path.string());
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Common", 1), 1);
    EXPECT_EQ(settings.ReadString("Quillmark", "MasterFile", "MASTER.DAT"), "MASTER.DAT");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SettingsFileTest, IntegersReadHexadecimalAndFallBackToTheDefault) {
    Write("[SpellFrequencyOdds]\r\nCommon=0x0A\r\nRare=abc\r\nUncommon=\r\nRestricted= 250 \r\n"
          "Very Rare=\"30\"\r\n");
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Common", 1), 10);
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Rare", 10), 10);
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Uncommon", 5), 5);
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Restricted", 100), 250);
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Very Rare", 20), 30);
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Missing", -4), -4);
    EXPECT_EQ(settings.ReadInteger("OtherSection", "Common", 3), 3);
}

TEST_F(SettingsFileTest, SectionsAndKeysAreFoundWithoutRegardToCase) {
    Write("; settings\r\nMasterFile=before any section\r\n[ quillmark ]\r\n  masterfile = "
          "C:\\Lists\\Mine.DAT  \r\n"
          "#DataDirectory=commented out\r\n;DataDirectory=also out\r\nnot a key line\r\n"
          "[SPELLFREQUENCYODDS]\r\nVERY RARE=7\r\nvery rare=8\r\n[Quillmark]\r\nDataDirectory=second "
          "section\r\n");
    EXPECT_EQ(settings.ReadString("Quillmark", "MasterFile", "MASTER.DAT"), "C:\\Lists\\Mine.DAT");
    EXPECT_EQ(settings.ReadString("QUILLMARK", "MASTERFILE", ""), "C:\\Lists\\Mine.DAT");
    EXPECT_EQ(settings.ReadString("Quillmark", "DataDirectory", "dflt"), "dflt");
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Very Rare", 20), 7);
}

TEST_F(SettingsFileTest, StringValuesLoseOnePairOfQuotesAndStopAt1023Characters) {
    const std::string longValue(2000, 'q');
    Write("[S]\nquoted=\"  spaced  \"\nsingle='x'\nodd=\"x\nempty=\nlong=" + longValue + "\n");
    EXPECT_EQ(settings.ReadString("S", "quoted", "d"), "  spaced  ");
    EXPECT_EQ(settings.ReadString("S", "single", "d"), "x");
    EXPECT_EQ(settings.ReadString("S", "odd", "d"), "\"x");
    EXPECT_EQ(settings.ReadString("S", "empty", "d"), "");
    EXPECT_EQ(settings.ReadString("S", "long", "d"), longValue.substr(0, 1023));
    EXPECT_EQ(settings.ReadString("S", "none", longValue), longValue.substr(0, 1023));
}

TEST_F(SettingsFileTest, WriteChangesOnlyItsOwnLine) {
    const std::string before = "; kept comment\r\n[SpellFrequencyOdds]\r\nRestricted=100\r\n"
                               "common = 1\r\nRare=10\r\n\r\n[Quillmark]\r\nMasterFile=MASTER.DAT\r\n";
    Write(before);
    ASSERT_TRUE(settings.WriteInteger("SPELLFREQUENCYODDS", "Common", 3));
    EXPECT_EQ(Contents(), "; kept comment\r\n[SpellFrequencyOdds]\r\nRestricted=100\r\n"
                          "common=3\r\nRare=10\r\n\r\n[Quillmark]\r\nMasterFile=MASTER.DAT\r\n");
    EXPECT_EQ(settings.LastError(), "");
    EXPECT_EQ(settings.ReadInteger("SpellFrequencyOdds", "Common", 1), 3);
}

TEST_F(SettingsFileTest, MissingKeyGoesAfterTheLastKeyOfItsSection) {
    Write("[SpellFrequencyOdds]\r\nRare=10\r\n\r\n; next\r\n[Quillmark]\r\nMasterFile=M.DAT\r\n");
    ASSERT_TRUE(settings.WriteString("SpellFrequencyOdds", "Very Rare", "25"));
    EXPECT_EQ(Contents(), "[SpellFrequencyOdds]\r\nRare=10\r\nVery Rare=25\r\n\r\n; "
                          "next\r\n[Quillmark]\r\nMasterFile=M.DAT\r\n");
    ASSERT_TRUE(settings.WriteString("Quillmark", "DataDirectory", "/data/"));
    EXPECT_EQ(Contents(), "[SpellFrequencyOdds]\r\nRare=10\r\nVery Rare=25\r\n\r\n; next\r\n[Quillmark]\r\n"
                          "MasterFile=M.DAT\r\nDataDirectory=/data/\r\n");
}

TEST_F(SettingsFileTest, MissingFileAndSectionAreCreated) {
    ASSERT_TRUE(settings.WriteString("Quillmark", "MasterFile", "A.DAT"));
    EXPECT_EQ(Contents(), "[Quillmark]\r\nMasterFile=A.DAT\r\n");
    ASSERT_TRUE(settings.WriteInteger("SpellFrequencyOdds", "Common", 2));
    EXPECT_EQ(Contents(), "[Quillmark]\r\nMasterFile=A.DAT\r\n\r\n[SpellFrequencyOdds]\r\nCommon=2\r\n");
}

TEST_F(SettingsFileTest, LineEndsOfOtherLinesAreKept) {
    Write("[A]\nx=1\n[B]\ry=2");
    ASSERT_TRUE(settings.WriteString("B", "z", "3"));
    EXPECT_EQ(Contents(), "[A]\nx=1\n[B]\ry=2\r\nz=3\r\n");
    ASSERT_TRUE(settings.WriteString("A", "x", "line\r\nbreak"));
    EXPECT_EQ(Contents(), "[A]\nx=line\n[B]\ry=2\r\nz=3\r\n");
    Write("no newline at end");
    ASSERT_TRUE(settings.WriteString("S", "k", "v"));
    EXPECT_EQ(Contents(), "no newline at end\r\n\r\n[S]\r\nk=v\r\n");
}

TEST_F(SettingsFileTest, RefusedWriteIsReportedWithThePath) {
    WriteBytes(dir / "plain", "a regular file");
    const std::string inside = (dir / "plain" / "Quillmark.INI").string();
    tSettingsFile refused(inside);
    EXPECT_FALSE(refused.WriteInteger("SpellFrequencyOdds", "Common", 4));
    EXPECT_EQ(refused.LastError(), "Unable to write to " + inside);
    EXPECT_EQ(ExplainFileError(inside, refused.LastFileError()), "A file stands where a folder is needed.");
    EXPECT_EQ(refused.ReadInteger("SpellFrequencyOdds", "Common", 1), 1);

    std::filesystem::create_directory(dir / "folder");
    tSettingsFile folder((dir / "folder").string());
    EXPECT_FALSE(folder.WriteString("S", "k", "v"));
    EXPECT_EQ(folder.LastError(), "Unable to write to " + (dir / "folder").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "folder"));

    // A later write that works clears the message.
    ASSERT_TRUE(settings.WriteString("S", "k", "v"));
    EXPECT_EQ(settings.LastError(), "");
    EXPECT_EQ(settings.LastFileError(), FileError::None);
}

// A settings file that cannot be read whole is never taken as empty: reads
// give the defaults, and writes are refused rather than replace the file.
TEST_F(SettingsFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
    const std::string before = "[SpellFrequencyOdds]\r\nCommon=4\r\n[Quillmark]\r\nMasterFile=M.DAT\r\n";
    Write(before);
    SetDataFileOpener([](const std::string&, FileError*) -> std::unique_ptr<std::istream> {
        return std::make_unique<tFailingStream>("[SpellFrequencyOdds]\r\nCommon=4\r\n");
    });
    const int32_t common = settings.ReadInteger("SpellFrequencyOdds", "Common", 1);
    const bool written = settings.WriteString("Quillmark", "DataDirectory", "/data/");
    SetDataFileOpener(nullptr);
    EXPECT_EQ(common, 1);
    EXPECT_FALSE(written);
    EXPECT_EQ(settings.LastError(), "Unable to write to " + path.string());
    EXPECT_EQ(Contents(), before);

    // A pipe or a device in its place is not read (nor waited for) either.
    std::filesystem::remove(path);
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(settings.ReadString("Quillmark", "MasterFile", "MASTER.DAT"), "MASTER.DAT");
    EXPECT_FALSE(settings.WriteString("Quillmark", "MasterFile", "A.DAT"));
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    tSettingsFile device("/dev/zero");
    EXPECT_EQ(device.ReadInteger("SpellFrequencyOdds", "Common", 1), 1);
}

TEST_F(SettingsFileTest, AByteOrderMarkIsPassedOverAndKept) {
    Write("\xEF\xBB\xBF[Quillmark]\r\nMasterFile=M.DAT\r\n");
    EXPECT_EQ(settings.ReadString("Quillmark", "MasterFile", "MASTER.DAT"), "M.DAT");
    ASSERT_TRUE(settings.WriteString("Quillmark", "MasterFile", "N.DAT"));
    EXPECT_EQ(Contents(), "\xEF\xBB\xBF[Quillmark]\r\nMasterFile=N.DAT\r\n");
}

TEST_F(SettingsFileTest, ValuesReadBackAsWritten) {
    for (const std::string value : {"  spaced  ", "\tx", "\"quoted\"", "'single'", "\"", "a = b", ""}) {
        ASSERT_TRUE(settings.WriteString("S", "k", value));
        EXPECT_EQ(settings.ReadString("S", "k", "d"), value) << value;
    }
    EXPECT_EQ(SetSettingsValue("", "S", "k", " x"), "[S]\r\nk=\" x\"\r\n");
    EXPECT_EQ(FindSettingsValue("[S]\r\nk=v\r\n", "s", "K"), std::optional<std::string>("v"));
    EXPECT_EQ(FindSettingsValue("[S]\r\nk=v\r\n", "S", "j"), std::nullopt);
}

TEST_F(SettingsPermissionTest, ReadOnlyFileIsLeftAloneAndReported) {
    const std::string before = "[S]\r\nk=old\r\n";
    Write(before);
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (std::fstream(path, std::ios::in | std::ios::out)) {
        GTEST_SKIP() << "permission bits do not stop this user's writes";
    }
    EXPECT_FALSE(settings.WriteString("S", "k", "new"));
    EXPECT_EQ(settings.LastError(), "Unable to write to " + path.string());
    EXPECT_EQ(Contents(), before);
}

class OddsSettingsTest : public SettingsFileTest {
protected:
    void TearDown() override { ResetSelectionOdds(); }
};

TEST_F(OddsSettingsTest, ReadsEveryFrequencyWithItsDefault) {
    SelectionOdds = {1, 1, 1, 1, 1};
    ReadSelectionOdds(settings);
    EXPECT_EQ(SelectionOdds, DefaultOdds);

    Write("[spellfrequencyodds]\r\nCommon=0x0A\r\nRare=letters\r\nvery rare=40\r\nRestricted=0\r\n");
    ReadSelectionOdds(settings);
    EXPECT_EQ(SelectionOdds, (std::array<int32_t, 5>{0, 40, 10, 5, 10}));
}

// Hand-edited odds stay within the odds window's range at the top; below 1 they
// keep meaning that every draw passes.
TEST_F(OddsSettingsTest, HugeOddsAreBroughtDownTo32767) {
    const std::string text =
        "[SpellFrequencyOdds]\r\nCommon=99999999999999\r\nUncommon=32768\r\nRare=32767\r\n"
        "Very Rare=-99999999999999\r\nRestricted=0xFFFFFFFF\r\n";
    Write(text);
    ReadSelectionOdds(settings);
    const std::array<int32_t, 5> expected{32767, INT32_MIN, 32767, 32767, 32767};
    EXPECT_EQ(SelectionOdds, expected);
    ResetSelectionOdds();
    ReadSelectionOdds(text);
    EXPECT_EQ(SelectionOdds, expected);
    ReadSelectionOdds(std::string("[SpellFrequencyOdds]\r\nRare=x\r\n"));
    EXPECT_EQ(SelectionOdds, DefaultOdds);
}

TEST_F(OddsSettingsTest, WritesAllFiveKeysAndReadsThemBack) {
    Write("[Quillmark]\r\nMasterFile=MASTER.DAT\r\n");
    SelectionOdds = {50, 20, 9, 5, 2};
    ASSERT_TRUE(WriteSelectionOdds(settings));
    EXPECT_EQ(Contents(),
              "[Quillmark]\r\nMasterFile=MASTER.DAT\r\n\r\n[SpellFrequencyOdds]\r\nRestricted=50\r\n"
              "Very Rare=20\r\nRare=9\r\nUncommon=5\r\nCommon=2\r\n");
    ResetSelectionOdds();
    ReadSelectionOdds(settings);
    EXPECT_EQ(SelectionOdds, (std::array<int32_t, 5>{50, 20, 9, 5, 2}));

    tSettingsFile refused((dir / "Quillmark.INI" / "x").string());
    EXPECT_FALSE(WriteSelectionOdds(refused));
    EXPECT_EQ(refused.LastError(), "Unable to write to " + refused.Path());
}

} // namespace
