#include <allegro.h>
#include <gtest/gtest.h>
#include <string>

#include "content/Loader.h"
#include "menus/StartGameConfig.h"
#include "menus/menuAlert.h"
#include "support/TestEnv.h"
#include "system/GameSettings.h"

namespace {

DIALOG& entry(int i) {
    return StartGameConfig::dlog[i];
}
std::string shownText(int box) {
    return (const char*)entry(box).dp;
}

// The screen's lists filled as opening it does, from the test's own list files.
class StartScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("data/listOfCampaigns.txt",
                  "Marsh\nMud and frogs.\n[End]\nKeep\nStone halls.\nCold.\n[End]\n");
        dir.write("data/listOfCharacters.txt", "Knight\nSlow, hard.\n[End]\nRogue\nQuick.\n[End]\n"
                                               "Monk\nCalm.\n[End]\n");
        dir.write("data/gameSettings", "");
        clearShownAlerts();
        result = 1;
        StartGameConfig::mainMsg = &result;
    }
    void fill(const std::string& settings) {
        dir.write("data/gameSettings", settings);
        StartGameConfig::clearLists();
        loader.loadCharAndCamp(&screenObject);
        GameSettings::loadStartSettings();
        entry(StartGameConfig::CAMP_LIST).d1 = StartGameConfig::settingsIndexCamp;
        StartGameConfig::chooseCamp(false);
        entry(StartGameConfig::CHAR_LIST).d1 = StartGameConfig::settingsIndexChar;
        StartGameConfig::chooseChar(false);
    }
    TempDir dir;
    Loader loader;
    GameSettings settings;
    StartGameConfig screenObject{&settings, &loader};
    int result;
};

} // namespace

TEST_F(StartScreen, ListGettersInListBoxForm) {
    fill("");
    int size = -1;
    EXPECT_EQ(nullptr, StartGameConfig::getCampNames(-1, &size));
    EXPECT_EQ(2, size);
    EXPECT_STREQ("Keep", StartGameConfig::getCampNames(1, &size));
    EXPECT_EQ(nullptr, StartGameConfig::getCampNames(2, &size));
    EXPECT_EQ(nullptr, StartGameConfig::getCharNames(-5, &size));
    EXPECT_EQ(3, size);
    EXPECT_STREQ("Monk", StartGameConfig::getCharNames(2, &size));
}

TEST_F(StartScreen, OpensOnTheSavedSelection) {
    fill("[StartGame]\npc = 2\ncamp = 1\n");
    EXPECT_EQ(1, entry(StartGameConfig::CAMP_LIST).d1);
    EXPECT_EQ(2, entry(StartGameConfig::CHAR_LIST).d1);
    EXPECT_EQ("Stone halls.\nCold.\n", shownText(StartGameConfig::CAMP_DESC));
    EXPECT_EQ("Calm.\n", shownText(StartGameConfig::CHAR_DESC));
    EXPECT_EQ("Keep", StartGameConfig::getCampName());
    EXPECT_EQ("Monk", StartGameConfig::getCharName());
}

TEST_F(StartScreen, SavedIndexOutsideTheListSelectsTheFirst) {
    fill("[StartGame]\npc = -3\ncamp = 7\n");
    EXPECT_EQ(0, entry(StartGameConfig::CAMP_LIST).d1);
    EXPECT_EQ(0, entry(StartGameConfig::CHAR_LIST).d1);
    EXPECT_EQ(0, StartGameConfig::settingsIndexCamp);
    EXPECT_EQ("Mud and frogs.\n", shownText(StartGameConfig::CAMP_DESC));
    EXPECT_EQ("Knight", StartGameConfig::getCharName());

    EXPECT_EQ(D_CLOSE, StartGameConfig::toMain());
    EXPECT_EQ(2, result);
    std::string saved = dir.read("data/gameSettings");
    EXPECT_NE(std::string::npos, saved.find("camp = 0")) << saved;
    EXPECT_NE(std::string::npos, saved.find("pc = 0")) << saved;
}

TEST_F(StartScreen, StartSavesTheSelectionAndCloses) {
    fill("[StartGame]\npc = 0\ncamp = 0\n");
    entry(StartGameConfig::CHAR_LIST).d1 = 1;
    StartGameConfig::chooseChar(false);
    EXPECT_EQ(D_CLOSE, StartGameConfig::startGame());
    EXPECT_EQ(0, result);
    EXPECT_TRUE(getShownAlerts().empty());
    EXPECT_NE(std::string::npos, dir.read("data/gameSettings").find("pc = 1"));
    EXPECT_EQ("Rogue", StartGameConfig::getCharName());
}

// A battle needs a campaign and a character: with either list empty or missing, "Start" stays
// on the screen, says why, and saves nothing.
TEST_F(StartScreen, StartRefusesWithoutCampaignOrCharacter) {
    dir.write("data/listOfCampaigns.txt", "");
    fill("[StartGame]\npc = 1\ncamp = 3\n");
    EXPECT_EQ("Intentionally Left Blank.", shownText(StartGameConfig::CAMP_DESC));
    EXPECT_EQ("", StartGameConfig::getCampName());
    EXPECT_EQ(D_O_K, StartGameConfig::startGame());
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, getShownAlerts().size());
    EXPECT_NE(std::string::npos, getShownAlerts()[0].find("no campaign")) << getShownAlerts()[0];
    EXPECT_EQ(std::string::npos, dir.read("data/gameSettings").find("camp = 0"));

    clearShownAlerts();
    dir.write("data/listOfCampaigns.txt", "Marsh\nMud.\n[End]\n");
    runCommand("rm " + dir.path() + "/data/listOfCharacters.txt");
    fill("");
    EXPECT_EQ("Intentionally Left Blank.", shownText(StartGameConfig::CHAR_DESC));
    EXPECT_EQ(D_O_K, StartGameConfig::startGame());
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, getShownAlerts().size());
    EXPECT_NE(std::string::npos, getShownAlerts()[0].find("no character")) << getShownAlerts()[0];
}

// Reopening the screen frees the old descriptions; the boxes must not keep pointing at them.
TEST_F(StartScreen, ReopeningForgetsTheOldDescriptions) {
    fill("[StartGame]\ncamp = 1\n");
    StartGameConfig::clearLists();
    EXPECT_EQ("Intentionally Left Blank.", shownText(StartGameConfig::CAMP_DESC));
    EXPECT_EQ("Intentionally Left Blank.", shownText(StartGameConfig::CHAR_DESC));
}

// A key sent to a list moves its selection, shows the new description at once, and stays with
// the list instead of also moving the focus on.
TEST_F(StartScreen, KeysOnAListUpdateItsDescription) {
    fill("");
    BITMAP* target = create_bitmap(640, 480);
    screen = target; // Allegro's dialog messages draw on the screen

    int used = StartGameConfig::my_list_proc(MSG_CHAR, &entry(StartGameConfig::CHAR_LIST), KEY_DOWN << 8);
    EXPECT_EQ(1, entry(StartGameConfig::CHAR_LIST).d1);
    EXPECT_EQ("Quick.\n", shownText(StartGameConfig::CHAR_DESC));
    EXPECT_EQ(1, StartGameConfig::settingsIndexChar);
    EXPECT_EQ(D_USED_CHAR, used);
    screen = nullptr;
    destroy_bitmap(target);
}
