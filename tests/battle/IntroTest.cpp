#include <gtest/gtest.h>

#include "BattleWorld.h"
#include "battle/FrameClock.h"
#include "frame/globals.h"

namespace {

class Intro : public ::testing::Test {
  protected:
    BattleWorld world;
    Battle* battle = world.battle;
    BITMAP* picture = create_bitmap(100, 50);

    void SetUp() override {
        clear_to_color(picture, makecol(255, 128, 0));
        world.bindRound(400, 300);
        ASSERT_EQ(battle->setUpArena(), 0);
        ASSERT_TRUE(battle->makeBuffer());
    }
    void TearDown() override { destroy_bitmap(picture); }

    // A key held at the last poll and let go since: the next poll reports a click.
    void clickPending() {
        world.input.getKeyPressed()[ACTION_TAUNT] = true;
        releaseKey(KEY_Z);
    }
    // Holds Z over intro frames [at, at + 4).
    static void clickAt(int at, int frames) {
        if (frames >= at && frames < at + 4)
            pressKey(KEY_Z);
        else
            releaseKey(KEY_Z);
    }
};

} // namespace

TEST_F(Intro, CampaignPictureSkipsOnItsFirstFrameAndLastsThirtyOtherwise) {
    Ticker ticker;
    clickPending();
    battle->showCampaignIntro(picture);
    EXPECT_EQ(battle->getIntroFramesShown(), 1);

    battle->showCampaignIntro(picture);
    EXPECT_EQ(battle->getIntroFramesShown(), 30);
    EXPECT_EQ(world.pixel(320, 240), makecol(255, 128, 0)) << "centred on the screen";
    EXPECT_EQ(world.pixel(320 - 51, 240), makecol(0, 0, 0));

    battle->showCampaignIntro(nullptr);
    EXPECT_EQ(battle->getIntroFramesShown(), 0);
}

TEST_F(Intro, ATitleSkipsFromItsSecondFrame) {
    Ticker ticker;
    clickPending();
    battle->showRoundIntro(30, 0, picture, nullptr, false);
    EXPECT_EQ(battle->getIntroFramesShown(), 30) << "a click on the first frame does not skip a title";
}

TEST_F(Intro, WinAndLosePicturesIgnoreClicksOfTheirFirstSixteenFrames) {
    {
        resetTimers();
        Ticker ticker([](int frames) { clickAt(3, frames); });
        battle->showRoundIntro(90, 15, picture, nullptr, true);
    }
    EXPECT_EQ(battle->getIntroFramesShown(), 90);
    {
        resetTimers();
        Ticker ticker([](int frames) { clickAt(20, frames); });
        battle->showRoundIntro(90, 15, picture, nullptr, true);
    }
    EXPECT_GE(battle->getIntroFramesShown(), 17);
    EXPECT_LE(battle->getIntroFramesShown(), 30);
}
