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

namespace {

PadState padWith(std::initializer_list<std::pair<int, int>> axes, std::initializer_list<int> buttons = {}) {
    PadState s;
    s.present = true;
    for (auto [axis, pos] : axes)
        s.axis[axis] = pos;
    for (int b : buttons)
        s.button[b] = true;
    return s;
}

} // namespace

TEST_F(InputPolls, ThePadWalksInEightDirectionsAimsAndAttacksBesideKeysAndMouse) {
    struct {
        PadState pad;
        const char* walks; // up, down, left, right
        int facing;        // angle units; 1 for none
    } cases[] = {
        {padWith({{0, 20}, {1, -20}, {3, 20}, {4, 20}}), "0000", 1},      // all inside the dead zone of 32
        {padWith({{0, 128}, {1, -40}, {3, 100}}), "0001", 64},            // 17 degrees off: along the axis
        {padWith({{0, -60}, {1, 100}, {3, -70}, {4, 70}}), "0110", -96},  // 31 degrees off: diagonal
        {padWith({{6, 128}, {7, 128}, {0, -128}, {4, -100}}), "0111", 0}, // stick and d-pad add up
        {PadState(), "0000", 1},
    };
    for (const auto& c : cases) {
        input.processInput(false, c.pad);
        for (int i = 0; i < 4; i++)
            EXPECT_EQ(pressed(ACTION_UP + i), c.walks[i] == '1') << c.walks << " " << i;
        EXPECT_EQ(input.isPadAiming(), c.facing != 1);
        EXPECT_NEAR(c.facing != 1 ? fixtof(input.getPadFacing()) : 1, c.facing, 0.5);
    }

    input.processInput(false, padWith({{5, 40}, {2, 30}}, {5, 7, 4})); // the right trigger past 32
    EXPECT_EQ(input.getMousePressed(), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(pressed(ACTION_PAUSE) && pressed(ACTION_HYPER));
    mouse_b = 2;
    input.processInput(false, padWith({}, {3}));
    EXPECT_EQ(input.getMousePressed(), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(input.getMouseClicked(), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(clicked(ACTION_PAUSE) && pressed(ACTION_TAUNT));
    input.getGamePad().setSetting(PAD_RESTART, 500); // out of limits: the default
    EXPECT_EQ(input.getGamePad().getSetting(PAD_RESTART), 2);
}

TEST(PadMenus, PushesAreArrowsRepeatedWhileHeldSelectIsEnterBackIsEscAndSticksMapNoButton) {
    GamePad pad;
    PadState down = padWith({{1, 100}});
    int keys[] = {pad.menuKey(down, 0),
                  pad.menuKey(down, 300),
                  pad.menuKey(down, 400),
                  pad.menuKey(padWith({{1, 40}}), 410),
                  pad.menuKey(padWith({{7, -128}}), 420),
                  pad.menuKey(padWith({}, {0}), 430),
                  pad.menuKey(padWith({}, {0}), 440),
                  pad.menuKey(padWith({}, {1}), 450)};
    int expected[] = {KEY_DOWN << 8,         0, KEY_DOWN << 8,    0, KEY_UP << 8,
                      KEY_ENTER << 8 | '\r', 0, KEY_ESC << 8 | 27};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(keys[i], expected[i]) << i;
    PadState rest = padWith({});
    EXPECT_EQ(padInputPressed(rest, padWith({{0, 128}, {3, 128}, {7, 128}}), 32, pad.stickAxes()),
              PAD_NO_INPUT);
    EXPECT_EQ(padInputPressed(rest, padWith({{2, 100}}), 32, pad.stickAxes()), PAD_AXIS_INPUT + 2);
    EXPECT_EQ(padInputPressed(padWith({}, {0}), padWith({}, {0, 9}), 32, pad.stickAxes()), 9);
}
