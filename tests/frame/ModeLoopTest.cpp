#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "frame/ModeLoop.h"
#include "frame/globals.h"

namespace {
// Scripted results of the menu and the battle, and the order in which modes ran.
std::vector<int> menuResults;
std::vector<int> battleResults;
std::string trace;

int scriptedMenu() {
    trace += 'M';
    int r = menuResults.empty() ? RETVAL_QUIT : menuResults.front();
    if (!menuResults.empty()) menuResults.erase(menuResults.begin());
    return r;
}
int scriptedBattle() {
    trace += 'B';
    int r = battleResults.empty() ? RETVAL_SWITCH : battleResults.front();
    if (!battleResults.empty()) battleResults.erase(battleResults.begin());
    return r;
}

class ModeLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        gameMode = MODE_MENU;
        retVal = RETVAL_STAY;
        trace.clear();
        runMenuMode = scriptedMenu;
        runBattleMode = scriptedBattle;
    }
    void TearDown() override {
        runMenuMode = runMainMenu;
        runBattleMode = runChosenBattle;
    }
};
} // namespace

TEST_F(ModeLoop, QuitFromTheMenuEndsWithoutASwitch) {
    menuResults = {RETVAL_QUIT};
    runModeLoop();
    EXPECT_EQ(trace, "M");
    EXPECT_EQ(gameMode, MODE_MENU);
    EXPECT_EQ(retVal, RETVAL_QUIT);
}

TEST_F(ModeLoop, StayKeepsTheMenuRunningAndZeroStartsABattle) {
    menuResults = {RETVAL_STAY, RETVAL_STAY, RETVAL_SWITCH, RETVAL_QUIT};
    battleResults = {RETVAL_SWITCH};
    runModeLoop();
    EXPECT_EQ(trace, "MMMBM");
}

TEST_F(ModeLoop, EveryBattleReturnsToTheMenusWithStay) {
    menuResults = {RETVAL_SWITCH};
    battleResults = {RETVAL_SWITCH};
    retVal = RETVAL_STAY;
    playMode();
    EXPECT_EQ(retVal, RETVAL_SWITCH);
    modeSwitch();
    EXPECT_EQ(gameMode, MODE_BATTLE);
    EXPECT_EQ(retVal, RETVAL_STAY);
    playMode();
    modeSwitch();
    EXPECT_EQ(gameMode, MODE_MENU);
    EXPECT_EQ(retVal, RETVAL_STAY);
    EXPECT_EQ(trace, "MB");
}

TEST_F(ModeLoop, ValuesOtherThanZeroAndOneKeepTheModeRunning) {
    menuResults = {7, -3, RETVAL_STAY, RETVAL_QUIT};
    runModeLoop();
    EXPECT_EQ(trace, "MMMM");
}

TEST_F(ModeLoop, QuitFromABattleEndsTheProgram) {
    menuResults = {RETVAL_SWITCH};
    battleResults = {RETVAL_QUIT};
    runModeLoop();
    EXPECT_EQ(trace, "MB");
    EXPECT_EQ(gameMode, MODE_BATTLE);
}

TEST_F(ModeLoop, ModeSwitchLeavesAnUnknownModeAlone) {
    gameMode = 5;
    retVal = RETVAL_SWITCH;
    modeSwitch();
    EXPECT_EQ(gameMode, 5);
    EXPECT_EQ(retVal, RETVAL_SWITCH);
}
