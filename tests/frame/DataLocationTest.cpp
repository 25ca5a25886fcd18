#include <gtest/gtest.h>

#include <string>

#include "frame/dataLocation.h"
#include "support/TestEnv.h"
#include "system/GamePaths.h"
#include "system/GameSettings.h"

// Where the game finds its data, and where it keeps what it writes: a checkout as always, an
// installed game found beside its executable with its settings in the player's configuration.

TEST(DataLocation, EachPlaceInItsTurnAndWhatIsNotADataFolder) {
    TempDir dir;
    const std::string lists = "listOfCampaigns.txt";
    dir.write("given/data/" + lists, "");
    dir.write("other/" + lists, "");
    dir.write("prefix/share/vorn/data/" + lists, "");
    dir.write("afile", "");
    runCommand("mkdir empty work");
    std::string p = dir.path(), exe = p + "/prefix/bin/vorn";
    struct Case {
        const char* cwd;
        std::string given;
        std::string env; // empty: not set
        std::string root, errorHas;
    } cases[] = {
        {".", "", "", ".", ""},                         // a checkout: data/ where it works
        {".", p + "/given", "", p + "/given", ""},      // --data wins, the folder holding data/
        {".", p + "/given/data", "", p + "/given", ""}, // or the data folder itself
        {".", p + "/afile", "", "", "is not a folder"},
        {".", p + "/empty", "", "", "is not a data folder"},
        {".", p + "/other", "", "", "must be called data"},
        {"work", "", p + "/given", p + "/given", ""},             // VORN_DATA
        {"work", "", p + "/empty", p + "/prefix/share/vorn", ""}, // a bad one is passed over
        {"work", "", "", p + "/prefix/share/vorn", ""},           // installed beside the executable
    };
    runCommand("mkdir -p data");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cwd) + " given " + c.given + " env " + c.env);
        ASSERT_EQ(0, chdir((p + "/" + c.cwd).c_str()));
        DataLocation found = locateData(c.given, c.env.empty() ? nullptr : c.env.c_str(), exe);
        EXPECT_EQ(c.root, found.root);
        EXPECT_EQ(c.root == p + "/prefix/share/vorn", found.installed);
        EXPECT_NE(std::string::npos, found.error.find(c.errorHas)) << found.error;
    }
    DataLocation none = locateData("", nullptr, p + "/elsewhere/bin/vorn");
    EXPECT_EQ("", none.root);
    for (std::string where :
         {p + "/work/data", std::string("VORN_DATA (not set)"), p + "/elsewhere/share/vorn/data"})
        EXPECT_NE(std::string::npos, none.searched.find(where)) << none.searched;
    ASSERT_EQ(0, chdir(p.c_str()));
}

TEST(DataLocation, ReadOnlyDataKeepsSettingsInTheConfigurationFolderStartingFromItsOwn) {
    TempDir dir;
    dir.write("data/gameSettings", "[Sound]\nGlobal = 77\n");
    std::string p = dir.path();
    EXPECT_EQ("data/gameSettings", placeGameFiles("data", "d", true, nullptr, "/h").settingsFile);
    EXPECT_EQ("/x/vorn/replays", placeGameFiles("data", "d", false, "/x", "/h").replayFolder);
    EXPECT_EQ("data/gameSettings", placeGameFiles("data", "d", false, nullptr, nullptr).settingsFile);

    GamePaths before = gamePaths();
    gamePaths() = placeGameFiles("data", p + "/data", false, nullptr, p.c_str());
    EXPECT_EQ(p + "/.config/vorn/gameSettings", gamePaths().settingsFile);
    EXPECT_EQ("data/gameSettings", gamePaths().startingSettings);
    GameSettings settings;
    settings.loadGraphicsSettings();
    settings.setGfxSettings(32, 2, 800, 600);
    EXPECT_EQ(GameSettings::SAVED, settings.saveGraphicsSettings());
    std::string saved = dir.read(".config/vorn/gameSettings");
    EXPECT_NE(std::string::npos, saved.find("Global = 77")) << saved; // started from the data's own
    EXPECT_NE(std::string::npos, saved.find("ResX = 800")) << saved;
    EXPECT_EQ("[Sound]\nGlobal = 77\n", dir.read("data/gameSettings")); // the data is left alone
    gamePaths() = before;
}

TEST(DataLocation, AWindowModeForOneRunIsNotSaved) {
    TempDir dir;
    dir.write("data/gameSettings", "[Gfx]\nDriver = 1\n");
    GameSettings settings;
    settings.setDriverThisRun(2);
    settings.loadGraphicsSettings();
    EXPECT_EQ(2, settings.getGfxDriver());
    EXPECT_EQ(GameSettings::SAVED, settings.saveGraphicsSettings());
    EXPECT_NE(std::string::npos, dir.read("data/gameSettings").find("Driver = 1"));
}
