#include "master/MasterPool.h"
#include "app/SettingsFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class tRecordingNotice : public tWorkingNotice {
public:
    std::vector<std::string> Log;
    void ShowWorking(const std::string& info) override { Log.push_back("show:" + info); }
    void HideWorking() override { Log.push_back("hide"); }
};

TEST(MasterPoolTest, AMissingFileGivesAnEmptyUnchangedPool) {
    TempDir folder;
    MasterSpells.reset();
    LoadMasterSpells((folder / "MASTER.DAT").string());
    ASSERT_TRUE(MasterSpells);
    EXPECT_EQ(MasterSpells->Count(), 0);
    EXPECT_EQ(MasterSpells->CasterLevel, 0);
    EXPECT_EQ(MasterSpells->Intelligence, 0);
    EXPECT_EQ(MasterSpells->Specialty, "");
    EXPECT_EQ(MasterSpells->FileVersion, 0);
    EXPECT_FALSE(MasterSpells->ReferencesOnly);
    EXPECT_FALSE(MasterSpells->Modified);
}

TEST(MasterPoolTest, ASpellbookFileOrASpellListLoadsWithItsVersion) {
    TempDir folder;
    WriteBytes(folder / "book.spb",
               "4\r\n9\r\n12\r\nAbjurer\r\nR\r\n1,Sleep,Tome,4,C,e/c,N\r\n2,Web,Tome,9,U,c/s,N\r\n \r\n");
    WriteBytes(folder / "list.dat", "1,Sleep,Tome,4,C,e/c,N\r\n \r\n");
    LoadMasterSpells((folder / "book.spb").string());
    EXPECT_EQ(NamesOf(*MasterSpells), (std::vector<std::string>{"Sleep", "Web"}));
    EXPECT_EQ(MasterSpells->FileVersion, 4);
    EXPECT_FALSE(MasterSpells->Modified);
    LoadMasterSpells((folder / "list.dat").string());
    EXPECT_EQ(MasterSpells->Count(), 1);
    EXPECT_EQ(MasterSpells->FileVersion, 0);
}

TEST(MasterPoolTest, TheStartUpLoadReadsTheFileNamedInTheSettingsBehindTheNotice) {
    TempDir folder;
    tSettingsFile settings((folder / "Quillmark.INI").string());
    EXPECT_EQ(MasterFileName(&settings), "MASTER.DAT");
    EXPECT_EQ(MasterFileName(nullptr), "MASTER.DAT");

    const std::string master = (folder / "my master.dat").string();
    WriteBytes(master, "3,Fireball,Tome,9,C,i/e,N\r\n \r\n");
    ASSERT_TRUE(settings.WriteString("Quillmark", "MasterFile", master));
    tRecordingNotice notice;
    LoadMasterSpellsAtStart(&settings, notice);
    EXPECT_EQ(notice.Log, (std::vector<std::string>{"show:Loading Master Spell List"}))
        << "the master list window hides the notice once its views are built";
    EXPECT_EQ(NamesOf(*MasterSpells), (std::vector<std::string>{"Fireball"}));
}

} // namespace
