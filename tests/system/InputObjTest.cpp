#include <allegro.h>
#include <cstring>
#include <gtest/gtest.h>

#include "system/InputObj.h"
#include "system/Messages.h"

namespace {

// The key and mouse state exactly as Allegro's input handlers leave it.
class InputPolls : public ::testing::Test {
  protected:
    void SetUp() override { release(); }
    void TearDown() override { release(); }
    static void release() {
        memset(const_cast<char*>(key), 0, KEY_MAX);
        mouse_b = 0;
    }
    void poll(bool keepClicks = false) { input.processInput(keepClicks); }
    bool pressed(int action) { return input.getKeyPressed()[action]; }
    bool clicked(int action) { return input.getKeyClicked()[action]; }

    InputObj input;
};

} // namespace

TEST_F(InputPolls, AHeldKeyIsPressedAtEveryPollAndClickedOnlyAtTheFirstPollAfterItIsLetGo) {
    key[KEY_W] = 1;
    for (int i = 0; i < 3; ++i) {
        poll();
        EXPECT_TRUE(pressed(ACTION_UP));
        EXPECT_FALSE(clicked(ACTION_UP));
    }
    EXPECT_FALSE(pressed(ACTION_DOWN));
    key[KEY_W] = 0;
    poll();
    EXPECT_FALSE(pressed(ACTION_UP));
    EXPECT_TRUE(clicked(ACTION_UP));
    EXPECT_TRUE(input.anyClicked());
    poll();
    EXPECT_FALSE(clicked(ACTION_UP));
    EXPECT_FALSE(input.anyClicked());
}

TEST_F(InputPolls, KeepClicksHoldsAClickUntilClear) {
    key[KEY_ESC] = 1;
    poll(true);
    key[KEY_ESC] = 0;
    poll(true);
    poll(true);
    poll(true);
    EXPECT_TRUE(clicked(ACTION_MENU));
    input.clear();
    EXPECT_FALSE(clicked(ACTION_MENU));
    EXPECT_FALSE(input.anyClicked());
}

TEST_F(InputPolls, ClearForgetsKeysSoAKeyStillHeldIsPressedAnewAndClicksWhenLetGo) {
    key[KEY_TAB] = 1;
    poll();
    input.clear();
    EXPECT_FALSE(pressed(ACTION_PAUSE));
    key[KEY_TAB] = 0;
    poll(); // not held at the poll before: no click
    EXPECT_FALSE(clicked(ACTION_PAUSE));

    key[KEY_TAB] = 1;
    poll();
    input.clear();
    poll();
    EXPECT_TRUE(pressed(ACTION_PAUSE));
    key[KEY_TAB] = 0;
    poll();
    EXPECT_TRUE(clicked(ACTION_PAUSE));
}

TEST_F(InputPolls, TwoActionsOnOneKeyReportTogether) {
    input.setKeyMapping(ACTION_TAUNT, KEY_SPACE);
    key[KEY_SPACE] = 1;
    poll();
    EXPECT_TRUE(pressed(ACTION_HYPER));
    EXPECT_TRUE(pressed(ACTION_TAUNT));
    key[KEY_SPACE] = 0;
    poll();
    EXPECT_TRUE(clicked(ACTION_HYPER));
    EXPECT_TRUE(clicked(ACTION_TAUNT));
}

TEST_F(InputPolls, MouseButtonsFollowTheirBitsAndSurviveClear) {
    mouse_b = 1 | 4;
    poll();
    EXPECT_EQ(input.getMousePressed(), (std::vector<bool>{true, false, true}));
    mouse_b = 1;
    poll();
    EXPECT_EQ(input.getMousePressed(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(input.getMouseClicked(), (std::vector<bool>{false, false, true}));
    input.clear();
    EXPECT_TRUE(input.anyClicked()); // mouse flags are not the keys' to clear
    poll();
    EXPECT_FALSE(input.anyClicked());

    int x = -1, y = -1;
    input.getMouseMickeys(x, y);
    EXPECT_EQ(x, 0); // no mouse movement between the polls
    EXPECT_EQ(y, 0);
}

TEST_F(InputPolls, AScancodeOutsideAllegrosRangeIsAKeyNeverHeld) {
    memset(const_cast<char*>(key), 1, KEY_MAX);
    input.setKeyMapping(ACTION_UP, 0);
    input.setKeyMapping(ACTION_DOWN, KEY_MAX);
    input.setKeyMapping(ACTION_LEFT, 300);
    input.setKeyMapping(ACTION_RIGHT, -5);
    input.setKeyMapping(ACTION_HYPER, KEY_MAX - 1);
    poll();
    EXPECT_FALSE(pressed(ACTION_UP));
    EXPECT_FALSE(pressed(ACTION_DOWN));
    EXPECT_FALSE(pressed(ACTION_LEFT));
    EXPECT_FALSE(pressed(ACTION_RIGHT));
    EXPECT_TRUE(pressed(ACTION_HYPER));
    EXPECT_EQ(input.getKeyMappings()[ACTION_LEFT], 300); // stored as given
}

TEST(InputMapping, AnIllegalIndexIsReportedAndChangesNothing) {
    InputObj input;
    clearShownMessages();
    input.setKeyMapping(9, KEY_UP);
    input.setKeyMapping(-1, KEY_UP);
    EXPECT_EQ(getShownMessages(), (std::vector<std::string>{"Set Key Mapping: Illegal index 9, \n",
                                                            "Set Key Mapping: Illegal index -1, \n"}));
    EXPECT_EQ(input.getKeyMappings(),
              std::vector<int>(InputObj::defaultKeyMappings, InputObj::defaultKeyMappings + ACTION_COUNT));
    input.setKeyMapping(ACTION_UP, KEY_UP);
    EXPECT_EQ(input.getKeyMappings()[ACTION_UP], KEY_UP);
    clearShownMessages();
}
