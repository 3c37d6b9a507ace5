#include "app/FileLocations.h"
#include "app/Shared.h"
#include "support/FakeUserInterface.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

// A system of the test's own: the environment is vars, every folder may be
// written or none, and the installation's data folder is beside the
// executable's when laidOut.
tSystemView System(std::string executableFolder, std::map<std::string, std::string> vars, bool writable,
                   std::string documents = {}, bool laidOut = false) {
    tSystemView system;
    system.ExecutableFolder = std::move(executableFolder);
    system.Variable = [vars = std::move(vars)](const char* name) -> std::optional<std::string> {
        auto found = vars.find(name);
        return found == vars.end() ? std::nullopt : std::optional<std::string>(found->second);
    };
    system.MayWrite = [writable](const std::string&) { return writable; };
    system.IsFolder = [laidOut, data = system.ExecutableFolder](const std::string& path) {
        return laidOut && std::filesystem::path(data + "../share/quillmark").lexically_normal() == path;
    };
    system.DocumentsFolder = std::move(documents);
    return system;
}

TEST(FileLocationsTest, AWritableFolderKeepsEverythingBesideTheProgramAndAReadOnlyOneTheUsersFolders) {
    struct {
        const char* Case;
        std::map<std::string, std::string> Vars;
        bool Writable;
        bool LaidOut;
        const char* Settings;
        const char* Master;
        const char* Help;
        const char* Sample;
    } const cases[] = {
        {"a folder it may write",
         {{"HOME", "/home/ann"}},
         true,
         false,
         "/opt/q/bin/",
         "MASTER.DAT",
         "/opt/q/bin/Quillmark.HLP",
         ""},
        {"installed, XDG folders set",
         {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data/"}},
         false,
         false,
         "/cfg/Quillmark/",
         "/data/Quillmark/MASTER.DAT",
         "/opt/q/share/quillmark/Quillmark.HLP",
         "/opt/q/share/quillmark/MASTER.DAT"},
        {"installed, HOME only",
         {{"HOME", "/home/ann/"}},
         false,
         false,
         "/home/ann/.config/Quillmark/",
         "/home/ann/.local/share/Quillmark/MASTER.DAT",
         "/opt/q/share/quillmark/Quillmark.HLP",
         "/opt/q/share/quillmark/MASTER.DAT"},
        {"relative and empty XDG folders are passed over",
         {{"HOME", "/home/ann"}, {"XDG_CONFIG_HOME", "cfg"}, {"XDG_DATA_HOME", ""}},
         false,
         false,
         "/home/ann/.config/Quillmark/",
         "/home/ann/.local/share/Quillmark/MASTER.DAT",
         "/opt/q/share/quillmark/Quillmark.HLP",
         "/opt/q/share/quillmark/MASTER.DAT"},
        {"installed, run by a user who may write its folder (root)",
         {{"HOME", "/root"}},
         true,
         true,
         "/root/.config/Quillmark/",
         "/root/.local/share/Quillmark/MASTER.DAT",
         "/opt/q/share/quillmark/Quillmark.HLP",
         "/opt/q/share/quillmark/MASTER.DAT"},
        {"installed without a home",
         {{"HOME", "relative"}},
         false,
         true,
         "/opt/q/bin/",
         "MASTER.DAT",
         "/opt/q/bin/Quillmark.HLP",
         ""},
    };
    for (const auto& c : cases) {
        const tFileLocations found =
            FindFileLocations(System("/opt/q/bin/", c.Vars, c.Writable, {}, c.LaidOut));
        EXPECT_EQ(found.SettingsFolder, c.Settings) << c.Case;
        EXPECT_EQ(found.MasterFile, c.Master) << c.Case;
        EXPECT_EQ(found.HelpFile, c.Help) << c.Case;
        EXPECT_EQ(found.SampleMasterFile, c.Sample) << c.Case;
        EXPECT_EQ(found.Installed, *c.Sample != '\0') << c.Case;
        if (!found.Installed) {
            EXPECT_EQ(found.DataDirectory, "/opt/q/bin/") << c.Case;
        }
    }
}

TEST(FileLocationsTest, AnInstalledCopysDialogsStartInTheDocumentsFolderWhenItIsThereElseAtHome) {
    TempDir home;
    std::filesystem::create_directory(home / "Documents");
    const std::map<std::string, std::string> vars{{"HOME", home.Path().string()}};
    const std::string folder = home.Path().string() + "/";
    EXPECT_EQ(FindFileLocations(System("/usr/bin/", vars, false, folder + "Documents")).DataDirectory,
              folder + "Documents/");
    EXPECT_EQ(FindFileLocations(System("/usr/bin/", vars, false, folder + "Papers")).DataDirectory, folder);
    EXPECT_EQ(FindFileLocations(System("/usr/bin/", vars, false)).DataDirectory, folder);
    EXPECT_EQ(FindFileLocations(System("/usr/bin/", vars, true, folder + "Documents")).DataDirectory,
              "/usr/bin/");
}

TEST(FileLocationsTest, TheRunningSystemIsAskedForTheExecutablesFolderAndItsRights) {
    const tSystemView system = RunningSystem("/docs");
    EXPECT_EQ(system.ExecutableFolder, ExecutableDirectory());
    EXPECT_EQ(system.ExecutableFolder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_directory(system.ExecutableFolder));
    EXPECT_EQ(system.Variable("PATH"), std::optional<std::string>(std::getenv("PATH")));
    EXPECT_FALSE(system.Variable("QUILL_SURELY_NOT_SET_ANYWHERE"));
    TempDir folder;
    EXPECT_TRUE(system.MayWrite(folder.Path().string()));
    EXPECT_FALSE(system.MayWrite((folder / "missing").string()));
    EXPECT_TRUE(system.IsFolder(folder.Path().string()));
    EXPECT_FALSE(system.IsFolder((folder / "missing").string()));
    EXPECT_EQ(system.DocumentsFolder, "/docs");
}

TEST(FileLocationsTest, TheSampleListIsCopiedOnlyWhereNoMasterFileIsYet) {
    TempDir folder;
    WriteBytes(folder / "sample.DAT", "1,Sample spell,PHB,1,C,abj\r\n");
    tFileLocations locations;
    locations.SampleMasterFile = (folder / "sample.DAT").string();
    locations.MasterFile = (folder / "user" / "data" / "MASTER.DAT").string();

    ASSERT_TRUE(SeedMasterFile(locations)) << "the folder is made";
    for (const auto& made : {folder / "user", folder / "user" / "data"}) {
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all)
            << made << ": the user's folders are the user's alone";
    }
    EXPECT_EQ(ReadBytes(locations.MasterFile), "1,Sample spell,PHB,1,C,abj\r\n");
    WriteBytes(locations.MasterFile, "the user's own");
    EXPECT_FALSE(SeedMasterFile(locations));
    EXPECT_EQ(ReadBytes(locations.MasterFile), "the user's own");
    std::filesystem::remove(locations.MasterFile);
    std::filesystem::create_symlink(folder / "gone.DAT", locations.MasterFile);
    EXPECT_FALSE(SeedMasterFile(locations)) << "a link to a file not made yet is the user's";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder / "user" / "data"), {}), 1)
        << "nothing staged is left";

    locations.MasterFile = (folder / "other" / "MASTER.DAT").string();
    locations.SampleMasterFile = (folder / "missing.DAT").string();
    EXPECT_FALSE(SeedMasterFile(locations));
    EXPECT_FALSE(std::filesystem::exists(folder / "other"));
    locations.SampleMasterFile.clear();
    EXPECT_FALSE(SeedMasterFile(locations)) << "a copy run from its own folder has no sample";
}

// An installed copy writes nothing at start; its first setting makes the
// settings folder, and the next start reads it back.
TEST(FileLocationsTest, AnInstalledCopysSettingsGoToTheUsersFolderMadeOnTheFirstWrite) {
    TempDir home;
    tFileLocations locations;
    locations.Installed = true;
    locations.SettingsFolder = (home / ".config" / "Quillmark").string() + "/";
    locations.DataDirectory = home.Path().string() + "/";
    SetFileLocations(locations);
    LoadProgram();
    OpenSharedState();
    EXPECT_EQ(Settings->Path(), locations.SettingsFolder + "Quillmark.INI");
    EXPECT_EQ(SpecialtyFilePath(), locations.SettingsFolder + "Specialty.dat");
    EXPECT_EQ(ReadDataDirectory(), locations.DataDirectory);
    EXPECT_TRUE(std::filesystem::is_empty(home.Path()));
    tFakeUserInterface messages;
    EXPECT_TRUE(WriteSetting(MainSection, DataDirectoryKey, "/books/", messages));
    CloseSharedState();
    OpenSharedState();
    EXPECT_EQ(ReadDataDirectory(), "/books/");
    CloseSharedState();

    // A settings folder that cannot be made is said, as any refused write.
    WriteBytes(home / "file", "");
    locations.SettingsFolder = (home / "file" / "Quillmark").string() + "/";
    SetFileLocations(locations);
    OpenSharedState();
    EXPECT_FALSE(WriteSetting(MainSection, DataDirectoryKey, "/books/", messages));
    EXPECT_EQ(messages.Errors,
              std::vector<std::string>{"Unable to write to " + locations.SettingsFolder + "Quillmark.INI"});
    CloseSharedState();
    SetProgramDirectory("");
}

} // namespace
