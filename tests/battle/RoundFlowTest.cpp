#include <gtest/gtest.h>

#include "BattleWorld.h"
#include "battle/FrameClock.h"
#include "content/Round.h"
#include "content/UnitCreate.h"
#include "frame/globals.h"
#include "system/Messages.h"
#include "units/PlayerUnit.h"
#include "units/UnitList.h"

namespace {

class RoundFlow : public ::testing::Test {
  protected:
    BattleWorld world;
    Battle* battle = world.battle;

    void SetUp() override {
        world.addType("hero", AFF_PLAYER, true);
        world.addType("grunt", AFF_ENEMY);
        world.addType("shot", AFF_PLAYER_PROJECTILE);
        world.bindRound();
        clearShownMessages();
    }
    std::vector<bool>& clicked() { return world.input.getKeyClicked(); }
};

} // namespace

TEST_F(RoundFlow, RoundEndTestsComeInTheirOrder) {
    world.place("hero", 100, 100);
    world.place("grunt", 200, 100);
    EXPECT_FALSE(battle->isRoundOver(&world.loader)) << "both sides present: the round goes on";
    EXPECT_EQ(battle->getRoundState(), ROUND_IN_PLAY);

    clicked()[ACTION_RESTART] = true;
    clicked()[ACTION_MENU] = true;
    EXPECT_TRUE(battle->isRoundOver(&world.loader));
    EXPECT_EQ(battle->getRoundState(), ROUND_LEFT) << "Menu is asked before Restart";

    clicked()[ACTION_MENU] = false;
    EXPECT_TRUE(battle->isRoundOver(&world.loader));
    EXPECT_EQ(battle->getRoundState(), ROUND_RESTARTED);
}

TEST_F(RoundFlow, BothSidesGoneCountsAsLostAndProjectilesAreNoSide) {
    world.place("shot", 100, 100);
    EXPECT_TRUE(battle->isRoundOver(&world.loader));
    EXPECT_EQ(battle->getRoundState(), ROUND_LOST);

    world.place("hero", 100, 100);
    EXPECT_TRUE(battle->isRoundOver(&world.loader));
    EXPECT_EQ(battle->getRoundState(), ROUND_WON);
}

TEST_F(RoundFlow, PendingSpawnsStillCountForTheirSide) {
    world.order("hero");
    world.order("grunt");
    EXPECT_FALSE(battle->isRoundOver(&world.loader)) << "nobody in the arena yet, but both sides are coming";
    world.order("ghost"); // a type that never loaded counts for no side
    battle->getUnitList()->clear();
    world.order("ghost");
    world.order("hero");
    EXPECT_TRUE(battle->isRoundOver(&world.loader));
    EXPECT_EQ(battle->getRoundState(), ROUND_WON);
}

TEST_F(RoundFlow, OnlyAWonRoundAdvancesAndThePastLastRoundCompletesTheCampaign) {
    battle->getCampaign().setTotalRounds(2);
    world.place("hero", 100, 100);
    world.place("grunt", 200, 100);

    clicked()[ACTION_RESTART] = true;
    battle->isRoundOver(&world.loader);
    battle->getNextRound();
    EXPECT_EQ(battle->getRoundNumber(), 0) << "a restarted round is replayed";
    clicked()[ACTION_RESTART] = false;

    battle->getUnitList()->clear();
    world.place("grunt", 200, 100);
    battle->isRoundOver(&world.loader);
    battle->getNextRound();
    EXPECT_EQ(battle->getRoundState(), ROUND_LOST);
    EXPECT_EQ(battle->getRoundNumber(), 0) << "a lost round is replayed";

    battle->getUnitList()->clear();
    world.place("hero", 100, 100);
    battle->isRoundOver(&world.loader);
    battle->getNextRound();
    EXPECT_EQ(battle->getRoundNumber(), 1);
    EXPECT_EQ(battle->getRoundState(), ROUND_WON);

    battle->isRoundOver(&world.loader);
    battle->getNextRound();
    EXPECT_EQ(battle->getRoundNumber(), 2);
    EXPECT_EQ(battle->getRoundState(), CAMPAIGN_COMPLETE);
}

TEST_F(RoundFlow, PendingTicksAreAllSimulatedBeforeTheFrameAndDrainWhilePaused) {
    UnitCreate* late = new UnitCreate("grunt", 1, SIDE_CENTRE, SPAWN_AFTER_DELAY, 10, 0, 0, 0, 0, 0, nullptr);
    battle->getRound()->addUnitsToAppear(late);
    Unit* grunt = world.place("grunt", 200, 200);
    grunt->walk(true);

    gotoNextFrame = 4;
    EXPECT_EQ(battle->runPendingSteps(&world.loader), 4);
    EXPECT_EQ(gotoNextFrame.load(), 0);
    EXPECT_EQ(late->delay, 6) << "one spawn count-down per tick";

    battle->setPaused(true);
    fixed x = grunt->getPosX(), y = grunt->getPosY();
    gotoNextFrame = 7;
    EXPECT_EQ(battle->runPendingSteps(&world.loader), 0);
    EXPECT_EQ(gotoNextFrame.load(), 0) << "ticks drain while paused, so unpausing brings no burst";
    EXPECT_EQ(late->delay, 6);
    EXPECT_EQ(grunt->getPosX(), x);
    EXPECT_EQ(grunt->getPosY(), y);
}
