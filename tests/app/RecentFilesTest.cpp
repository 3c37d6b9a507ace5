#include "app/RecentFiles.h"

#include "app/Shared.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The list keeps the eight files opened or saved last, newest first, each
// once, as absolute paths, and reads back from the file alone (the next run).
TEST(RecentFilesTest, TheLastEightNewestFirstEachOnceReadBackFromTheFile) {
    TempDir folder;
    const std::string ini = (folder / "Quillmark.INI").string();
    tSettingsFile settings(ini);
    EXPECT_TRUE(ReadRecentFiles(settings).empty());
    for (int i = 1; i <= 10; ++i) {
        ASSERT_TRUE(AddRecentFile(settings, "/books/" + std::to_string(i) + ".SPB"));
    }
    ASSERT_TRUE(AddRecentFile(settings, "/books/5.SPB"));
    ASSERT_TRUE(AddRecentFile(settings, "/books/5.SPB"));
    const std::vector<std::string> expected{"/books/5.SPB", "/books/10.SPB", "/books/9.SPB", "/books/8.SPB",
                                            "/books/7.SPB", "/books/6.SPB",  "/books/4.SPB", "/books/3.SPB"};
    EXPECT_EQ(ReadRecentFiles(tSettingsFile(ini)), expected);
    EXPECT_EQ(settings.ReadString("Quillmark", "Recent1", ""), "/books/5.SPB");
    EXPECT_EQ(settings.ReadString("Quillmark", "Recent8", ""), "/books/3.SPB");

    ASSERT_TRUE(RemoveRecentFile(settings, "/books/10.SPB"));
    ASSERT_TRUE(RemoveRecentFile(settings, "/books/none.SPB"));
    EXPECT_EQ(ReadRecentFiles(settings).size(), 7u);
    EXPECT_EQ(ReadRecentFiles(settings)[1], "/books/9.SPB");
    EXPECT_EQ(settings.ReadString("Quillmark", "Recent8", "gone"), "") << "the place left is emptied";

    // A relative path is listed as the absolute one it names, and one the
    // file could not give back is not listed.
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    ASSERT_TRUE(AddRecentFile(settings, "sub/../Here.SPB"));
    std::filesystem::current_path(before);
    EXPECT_EQ(ReadRecentFiles(settings).front(), (folder / "Here.SPB").string());
    ASSERT_TRUE(AddRecentFile(settings, "/books/two\nlines.SPB"));
    ASSERT_TRUE(AddRecentFile(settings, "/" + std::string(MaxSettingsValueLength, 'x')));
    EXPECT_EQ(ReadRecentFiles(settings).front(), (folder / "Here.SPB").string());
}

TEST(RecentFilesTest, EmptyPlacesAndRepeatsInTheFileAreLeftOut) {
    TempDir folder;
    WriteBytes(folder / "Quillmark.INI", "[Quillmark]\r\nRecent1=\r\nRecent2=/a.SPB\r\nRecent3=/b.SPB\r\n"
                                         "Recent4=/a.SPB\r\nRecent9=/c.SPB\r\n");
    tSettingsFile settings((folder / "Quillmark.INI").string());
    EXPECT_EQ(ReadRecentFiles(settings), (std::vector<std::string>{"/a.SPB", "/b.SPB"}));
    ASSERT_TRUE(AddRecentFile(settings, "/b.SPB"));
    EXPECT_EQ(ReadBytes(folder / "Quillmark.INI"),
              "[Quillmark]\r\nRecent1=/b.SPB\r\nRecent2=/a.SPB\r\nRecent3=\r\nRecent4=\r\nRecent9=/c.SPB\r\n"
              "Recent5=\r\nRecent6=\r\nRecent7=\r\nRecent8=\r\n");
}

// Without settings (before start, after the frame closed) nothing is listed
// or written; an installed copy's first recent file makes its settings folder.
TEST(RecentFilesTest, TheProgramsListLivesInItsSettings) {
    TempDir home;
    CloseSharedState();
    NoteRecentFile("/books/a.SPB");
    EXPECT_TRUE(RecentFiles().empty());
    tFileLocations locations;
    locations.Installed = true;
    locations.SettingsFolder = (home / "config" / "Quillmark").string() + "/";
    SetFileLocations(locations);
    OpenSharedState();
    NoteRecentFile("/books/a.SPB");
    NoteRecentFile("/books/b.SPB");
    ForgetRecentFile("/books/a.SPB");
    EXPECT_EQ(RecentFiles(), std::vector<std::string>{"/books/b.SPB"});
    EXPECT_EQ(ReadRecentFiles(tSettingsFile(locations.SettingsFolder + "Quillmark.INI")), RecentFiles());
    CloseSharedState();
    SetProgramDirectory("");
}

} // namespace
