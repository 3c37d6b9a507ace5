#include "frame/CommandLine.h"

#include "app/Shared.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, HelpAndVersionAreAnsweredAndEverythingElseStartsTheWindows) {
    using R = tCommandLineRequest;
    const struct {
        std::vector<std::string> Args;
        R Expected;
    } cases[] = {
        {{}, R::StartWindows},
        {{"-platform", "offscreen"}, R::StartWindows},
        {{"--helpful"}, R::StartWindows},
        {{"--help"}, R::Help},
        {{"-h"}, R::Help},
        {{"--version"}, R::Version},
        {{"-style", "fusion", "--version", "--help"}, R::Version},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadCommandLine(c.Args), c.Expected) << testing::PrintToString(c.Args);
    }
    EXPECT_EQ(VersionText(), "quillmark " QUILL_PROJECT_VERSION "\n");
}

// The help names every file where it is: an installed copy's in the user's
// folders and the installation, the master list as the settings name it.
TEST(CommandLineTest, HelpSaysWhereEachFileIs) {
    TempDir home;
    tFileLocations locations;
    locations.Installed = true;
    locations.SettingsFolder = home.Path().string() + "/config/";
    locations.MasterFile = home.Path().string() + "/data/MASTER.DAT";
    locations.SampleMasterFile = "/usr/share/quillmark/MASTER.DAT";
    locations.HelpFile = "/usr/share/quillmark/Quillmark.HLP";
    locations.DataDirectory = "/home/ann/Documents/";
    SetFileLocations(locations);
    std::string help = HelpText();
    EXPECT_TRUE(help.starts_with("Usage: quillmark [--help | --version]\n")) << help;
    for (const std::string& line :
         std::vector<std::string>{"  settings      " + locations.SettingsFolder + "Quillmark.INI\n",
                                  "  specialties   " + locations.SettingsFolder + "Specialty.dat\n",
                                  "  master list   " + locations.MasterFile + "\n",
                                  "  sample list   /usr/share/quillmark/MASTER.DAT\n",
                                  "  help          /usr/share/quillmark/Quillmark.HLP\n",
                                  "  spellbooks    /home/ann/Documents/ (where the file dialogs start)\n"}) {
        EXPECT_NE(help.find(line), std::string::npos) << line << " in\n" << help;
    }
    EXPECT_FALSE(std::filesystem::exists(locations.SettingsFolder)) << "asking for help writes nothing";

    std::filesystem::create_directory(locations.SettingsFolder);
    WriteBytes(locations.SettingsFolder + "Quillmark.INI",
               "[Quillmark]\nMasterFile=/books/All.DAT\nDataDirectory=/books/\n");
    help = HelpText();
    EXPECT_NE(help.find("  master list   /books/All.DAT\n"), std::string::npos) << help;
    EXPECT_NE(help.find("  spellbooks    /books/ (where"), std::string::npos) << help;

    SetProgramDirectory(home.Path().string());
    help = HelpText();
    EXPECT_NE(help.find("  master list   MASTER.DAT (in the folder the program is started in)\n"),
              std::string::npos)
        << help;
    EXPECT_EQ(help.find("sample list"), std::string::npos);
    SetProgramDirectory("");
}

} // namespace
