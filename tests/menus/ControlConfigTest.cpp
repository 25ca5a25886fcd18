#include <allegro.h>
#include <gtest/gtest.h>
#include <string>

#include "menus/ControlConfig.h"
#include "menus/GamePadConfig.h"
#include "support/TestEnv.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"

namespace {

std::string label(int action) {
    return ControlConfig::keyLabels[action];
}

class ControlScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("data/gameSettings", "");
        io.setKeyMapping(ACTION_UP, KEY_UP);
        io.setKeyMapping(ACTION_TAUNT, 300); // a scancode only a hand-edited file can hold
        io.setMouseControlThreshold(30);
    }
    TempDir dir;
    InputObj io;
    GameSettings settings;
};

} // namespace

TEST_F(ControlScreen, OpensWithTheMappingAndThreshold) {
    ControlConfig screenObject(&io, &settings);
    EXPECT_EQ("UP", label(ACTION_UP));
    EXPECT_EQ("S", label(ACTION_DOWN));
    EXPECT_EQ("SPACE", label(ACTION_HYPER));
    EXPECT_EQ("ESC", label(ACTION_MENU));
    EXPECT_EQ("CODE 300", label(ACTION_TAUNT));
    EXPECT_STREQ("30", ControlConfig::mouseThresholdDesc); // no leading blank until the slider moves
    EXPECT_EQ(30, ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex].d2);
    EXPECT_STREQ("Move Mouse", ControlConfig::mouseThresholdDesc2);
    ASSERT_NE(nullptr, ControlConfig::thresholdTemp);
    EXPECT_EQ(150, ControlConfig::thresholdTemp->w);
}

TEST_F(ControlScreen, DefaultControlsRestoreKeysAndThresholdTen) {
    ControlConfig screenObject(&io, &settings);
    ControlConfig::assignKey(ACTION_LEFT, KEY_LEFT);
    EXPECT_EQ("LEFT", label(ACTION_LEFT));
    EXPECT_EQ(KEY_LEFT, io.getKeyMappings()[ACTION_LEFT]);

    ControlConfig::defaultControls();
    const char* expected[ACTION_COUNT] = {"W", "S", "A", "D", "SPACE", "F10", "TAB", "ESC", "Z"};
    for (int i = 0; i < ACTION_COUNT; i++) {
        EXPECT_EQ(expected[i], label(i));
        EXPECT_EQ(InputObj::defaultKeyMappings[i], io.getKeyMappings()[i]);
    }
    EXPECT_EQ(10, io.getMouseControlThreshold());
    EXPECT_EQ(10, ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex].d2);
    EXPECT_STREQ(" 10", ControlConfig::mouseThresholdDesc);

    ControlConfig::toMain();
    std::string saved = dir.read("data/gameSettings");
    for (const char* line : {"Up = 23", "Left = 1", "Taunt = 26", "MouseThreshold = 10"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line << " in\n" << saved;
}

TEST_F(ControlScreen, ThresholdLabelKeepsItsWidth) {
    ControlConfig screenObject(&io, &settings);
    ControlConfig::updateThresholdSlider(nullptr, 0);
    EXPECT_STREQ(" 0", ControlConfig::mouseThresholdDesc);
    ControlConfig::updateThresholdSlider(nullptr, 99);
    EXPECT_STREQ(" 99", ControlConfig::mouseThresholdDesc);
    ControlConfig::updateThresholdSlider(nullptr, 100);
    EXPECT_STREQ("100", ControlConfig::mouseThresholdDesc);
    EXPECT_EQ(100, io.getMouseControlThreshold());
}

// The preview applies the player's aiming rule: a movement longer than the threshold aims at
// once (white line), a shorter one turns a tenth of the way; the first slow movement five or
// more ticks after a fast one calms the line to black.
TEST_F(ControlScreen, PreviewAimsLikeThePlayer) {
    ControlConfig screenObject(&io, &settings);
    ControlConfig::drawAngle = 0;
    ControlConfig::thresholdTimer = 0;
    ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex].d2 = 10;
    int depth = bitmap_color_depth(ControlConfig::thresholdTemp);
    int white = makecol_depth(depth, 255, 255, 255), black = makecol_depth(depth, 0, 0, 0);

    ControlConfig::aimPreview(1, 0); // one mickey is no movement
    EXPECT_EQ(0, ControlConfig::drawAngle);
    EXPECT_STREQ("Move Mouse", ControlConfig::mouseThresholdDesc2);

    ControlConfig::aimPreview(20, 0); // fast, to the right
    EXPECT_EQ(itofix(64), ControlConfig::drawAngle);
    EXPECT_EQ(white, ControlConfig::thresholdColor);
    EXPECT_EQ(5, ControlConfig::thresholdTimer);
    EXPECT_STREQ("FAST: Direct Aiming", ControlConfig::mouseThresholdDesc2);

    ControlConfig::aimPreview(0, 20); // fast, down
    EXPECT_EQ(itofix(-128), ControlConfig::drawAngle);
    ControlConfig::aimPreview(-20, 0); // fast, left
    EXPECT_EQ(itofix(-64), ControlConfig::drawAngle);
    ControlConfig::aimPreview(0, -20); // fast, up
    EXPECT_EQ(0, ControlConfig::drawAngle);

    ControlConfig::thresholdTimer = 1; // too soon after the fast movement: stays white
    ControlConfig::aimPreview(5, 0);
    EXPECT_NEAR(6.4, fixtof(ControlConfig::drawAngle), 0.01);
    EXPECT_EQ(white, ControlConfig::thresholdColor);
    EXPECT_STREQ("FAST: Direct Aiming", ControlConfig::mouseThresholdDesc2);

    ControlConfig::thresholdTimer = 0;
    ControlConfig::aimPreview(5, 0);
    EXPECT_NEAR(6.4 + 5.76, fixtof(ControlConfig::drawAngle), 0.01);
    EXPECT_EQ(black, ControlConfig::thresholdColor);
    EXPECT_STREQ("SLOW: Turn Aiming  ", ControlConfig::mouseThresholdDesc2);

    ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex].d2 = 0; // every movement is fast
    ControlConfig::aimPreview(0, 2);
    EXPECT_EQ(itofix(-128), ControlConfig::drawAngle);
    EXPECT_EQ(white, ControlConfig::thresholdColor);
}

// The screen object is made before any graphics mode exists; once one is set (or switched) the
// preview must be in the screen's colour format and keep its colours.
TEST_F(ControlScreen, PreviewFollowsTheColourDepth) {
    set_color_depth(8);
    ControlConfig screenObject(&io, &settings);
    EXPECT_EQ(8, bitmap_color_depth(ControlConfig::thresholdTemp));
    ControlConfig::thresholdColor = makecol_depth(8, 255, 255, 255);

    set_color_depth(16);
    ControlConfig::fitPreviewBitmap();
    EXPECT_EQ(16, bitmap_color_depth(ControlConfig::thresholdTemp));
    EXPECT_EQ(makecol_depth(16, 255, 255, 255), ControlConfig::thresholdColor);

    set_color_depth(32);
    ControlConfig::fitPreviewBitmap();
    EXPECT_EQ(32, bitmap_color_depth(ControlConfig::thresholdTemp));
    EXPECT_EQ(makecol_depth(32, 255, 255, 255), ControlConfig::thresholdColor);

    // Drawn on a 32-bit screen: grey ground, a line from the centre up to a third of the width.
    BITMAP* target = create_bitmap(400, 300);
    gui_set_screen(target);
    DIALOG& preview = ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex + 2];
    preview.x = 10;
    preview.y = 20;
    ControlConfig::drawAngle = 0;
    ControlConfig::mouse_proc(MSG_DRAW, &preview, 0);
    EXPECT_EQ(makecol(192, 192, 192), getpixel(target, 10 + 5, 20 + 5));
    EXPECT_EQ(makecol(255, 255, 255), getpixel(target, 10 + 75, 20 + 75));
    EXPECT_EQ(makecol(255, 255, 255), getpixel(target, 10 + 75, 20 + 26));
    EXPECT_EQ(makecol(192, 192, 192), getpixel(target, 10 + 75, 20 + 24));
    EXPECT_EQ(makecol(192, 192, 192), getpixel(target, 10 + 75, 20 + 80));
    gui_set_screen(nullptr);
    destroy_bitmap(target);
}

TEST_F(ControlScreen, TheGamepadScreenMapsRestoresAndSavesThePad) {
    ControlConfig screenObject(&io, &settings);
    GamePadConfig::assignInput(PAD_PAUSE, 9);
    GamePadConfig::updateDeadZone(nullptr, 100);
    EXPECT_EQ(std::string(GamePadConfig::labels[PAD_PAUSE]) + GamePadConfig::deadZoneText, "Button 9100");
    GamePadConfig::back();
    std::string saved = dir.read("data/gameSettings");
    for (const char* line : {"[gamepad]", "Pause = 9", "DeadZone = 100", "Up = 84"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line << " in\n" << saved;
    GamePadConfig::defaultGamePad();
    EXPECT_EQ(std::string(GamePadConfig::labels[PAD_PAUSE]) + GamePadConfig::deadZoneText, "Button 7 32");
    EXPECT_EQ(GamePadConfig::dialog[GamePadConfig::DEAD_ZONE_INDEX].d2, 32);
}
