#include <gtest/gtest.h>

#include "BattleWorld.h"
#include "battle/hudDrawing.h"
#include "battle/screenLayout.h"
#include "content/Round.h"
#include "system/Messages.h"
#include "units/PlayerUnit.h"

TEST(ArenaPlacement, ZoomFillsSeventyPercentOfTheTighterDimensionAndCentres) {
    ArenaPlacement p;
    ASSERT_TRUE(placeArena(640, 480, 400, 300, p));
    EXPECT_EQ(p.scale, 73400);
    EXPECT_EQ(p.left, 96);
    EXPECT_EQ(p.top, 72);

    ASSERT_TRUE(placeArena(800, 600, 640, 480, p));
    EXPECT_EQ(p.scale, 57344) << "shrunk as well as enlarged";
    EXPECT_EQ(p.left, 120);
    EXPECT_EQ(p.top, 90);

    ASSERT_TRUE(placeArena(640, 480, 400, 100, p));
    EXPECT_EQ(p.scale, 73400) << "the width is the tighter dimension here";
    EXPECT_EQ(p.top, (480 - 112) / 2);

    p = ArenaPlacement{123, 4, 5};
    EXPECT_FALSE(placeArena(640, 480, 0, 300, p)) << "an arena without area has no zoom";
    EXPECT_EQ(p.scale, 123);
}

TEST(HudLayout, PositionsAt640x480) {
    HudLayout hud = computeHudLayout(640, 480);
    EXPECT_EQ(hud.textX, 320);
    EXPECT_EQ(hud.nameY, 432);
    EXPECT_EQ(hud.scoreY, 442);
    EXPECT_EQ(hud.fpsY, 452);
    EXPECT_EQ(hud.barLeft, 128);
    EXPECT_EQ(hud.barRight, 512);
    EXPECT_EQ(hud.barTop, 14);
    EXPECT_EQ(hud.barBottom, 38);
    EXPECT_EQ(hud.iconSize, 56);
    EXPECT_EQ(hud.iconTop, 72);
    EXPECT_EQ(hud.iconPitch, 84);
    EXPECT_EQ(goodIconX(hud, 96), 40);
    EXPECT_EQ(badIconX(96, 73400, 400), 96 + 448);
}

TEST(HudLayout, HealthWidthsNeverDivideByNothingNorLeaveTheBar) {
    EXPECT_EQ(healthBarWidth(50, 100, 384), 192);
    EXPECT_EQ(healthBarWidth(1, 3, 384), 128);
    EXPECT_EQ(healthBarWidth(2, 3, 384), 256) << "truncated, not rounded";
    EXPECT_EQ(healthBarWidth(30, 0, 384), 0);
    EXPECT_EQ(healthBarWidth(30, -5, 384), 0);
    EXPECT_EQ(healthBarWidth(-3, 100, 384), 0);
    EXPECT_EQ(healthBarWidth(150, 100, 384), 384);

    EXPECT_EQ(ailmentLight(50, 100), 127);
    EXPECT_EQ(ailmentLight(100, 100), 255);
    EXPECT_EQ(ailmentLight(5, 0), 255) << "a counter without a known full value shows at full light";
}

namespace {

const HudLayout hud640 = computeHudLayout(640, 480);

class HudPixels : public ::testing::Test {
  protected:
    BITMAP* target = create_bitmap(640, 480);
    void SetUp() override { clear_bitmap(target); }
    void TearDown() override { destroy_bitmap(target); }
    int at(int x, int y) { return getpixel(target, x, y); }
    int midY() { return (hud640.barTop + hud640.barBottom) / 2; }
};

} // namespace

TEST_F(HudPixels, HealthBarLayersShowWhatEachAttackWouldLeave) {
    // 60 of 120 HP; attack 2 costs 30, attack 3 costs 45: layers end at 192, 96 and 48 pixels.
    drawHealthBar(target, hud640, 60, 120, 30, 45);
    int left = hud640.barLeft, y = midY();
    EXPECT_EQ(at(left + 10, y), makecol(96, 0, 0));
    EXPECT_EQ(at(left + 47, y), makecol(96, 0, 0));
    EXPECT_EQ(at(left + 50, y), makecol(64, 0, 0));
    EXPECT_EQ(at(left + 95, y), makecol(64, 0, 0));
    EXPECT_EQ(at(left + 100, y), makecol(64, 32, 32));
    EXPECT_EQ(at(left + 191, y), makecol(64, 32, 32));
    EXPECT_EQ(at(left + 200, y), makecol(0, 0, 0));
    EXPECT_EQ(at(hud640.barRight, y), makecol(160, 160, 160)) << "the frame";
    EXPECT_EQ(at(left + 300, hud640.barTop), makecol(160, 160, 160));
}

TEST_F(HudPixels, AnAttackCostingAllTheHealthShowsNoLayerAndNoHealthMeansNoDivision) {
    drawHealthBar(target, hud640, 30, 120, 30, 0);
    int y = midY();
    EXPECT_EQ(at(hud640.barLeft + 10, y), makecol(96, 0, 0)) << "attack 3 costs nothing: its layer is full";
    clear_bitmap(target);
    drawHealthBar(target, hud640, 30, 120, 30, 30);
    EXPECT_EQ(at(hud640.barLeft + 10, y), makecol(64, 32, 32)) << "HP equal to a cost shows no layer for it";

    for (int maxHP : {0, -10}) {
        clear_bitmap(target);
        drawHealthBar(target, hud640, 30, maxHP, 0, 0);
        EXPECT_EQ(at(hud640.barLeft + 10, y), makecol(0, 0, 0));
        EXPECT_EQ(at(hud640.barLeft, y), makecol(160, 160, 160)) << "the empty bar still has its frame";
    }
}

TEST_F(HudPixels, AilmentIconsKeepTheirSlotsAndFadeByCounter) {
    BITMAP* pic = create_bitmap(8, 8);
    clear_to_color(pic, makecol(0, 0, 200));
    BITMAP* icon = create_bitmap(hud640.iconSize, hud640.iconSize);
    std::vector<BITMAP*> pics = {pic, pic, pic, pic};

    drawAilmentIcons(target, icon, hud640, 40, pics, {0, 0, 10, 0}, {0, 0, 10, 0});
    int slot2 = hud640.iconTop + 2 * hud640.iconPitch;
    EXPECT_NE(at(40 + 20, slot2 + 20), makecol(0, 0, 0)) << "good ailment 2 shows in the third slot";
    EXPECT_EQ(at(40 + 20, hud640.iconTop + 20), makecol(0, 0, 0)) << "the slots above stay empty";
    EXPECT_EQ(at(40 + 20, hud640.iconTop + hud640.iconPitch + 20), makecol(0, 0, 0));

    clear_bitmap(target);
    drawAilmentIcons(target, icon, hud640, 40, pics, {10, 5, 0, 0}, {10, 10, 0, 0});
    int full = at(60, hud640.iconTop + 20), half = at(60, hud640.iconTop + hud640.iconPitch + 20);
    EXPECT_NE(full, half) << "a half-spent ailment is drawn at half light";
    destroy_bitmap(icon);
    destroy_bitmap(pic);
}

TEST(BattleHud, TextsBarAndIconsOfTheRound) {
    BattleWorld world;
    world.addType("hero", AFF_PLAYER, true, 0); // maxHP 0: the bar must not divide by it
    world.bindRound(400, 300);
    std::string name = "Pit of Trials";
    world.battle->getRound()->setName(&name);
    ASSERT_EQ(world.battle->setUpArena(), 0);
    ASSERT_TRUE(world.battle->makeBuffer());
    BITMAP* buffer = world.battle->getBuffer();
    auto rowHasInk = [&](int y0, int y1) {
        for (int y = y0; y < y1; y++)
            for (int x = 200; x < 440; x++)
                if (getpixel(buffer, x, y) == makecol(160, 160, 160)) return true;
        return false;
    };

    world.battle->drawHUD(&world.loader);
    EXPECT_TRUE(rowHasInk(432, 440)) << "round name";
    EXPECT_FALSE(rowHasInk(442, 450)) << "no score without a player";
    EXPECT_TRUE(rowHasInk(452, 460)) << "frame rate";
    EXPECT_EQ(getpixel(buffer, 128, 20), 0) << "no bar without a player";

    clear_bitmap(buffer);
    PlayerUnit* hero = static_cast<PlayerUnit*>(world.place("hero", 200, 150));
    hero->addJuiceGained(30);
    hero->resetJuiceGained(); // 30 HP of a maximum of 0
    world.battle->drawHUD(&world.loader);
    EXPECT_TRUE(rowHasInk(442, 450)) << "score";
    EXPECT_EQ(getpixel(buffer, 128, 20), makecol(160, 160, 160)) << "bar frame";
    EXPECT_EQ(getpixel(buffer, 140, 20), makecol(0, 0, 0));
}
