// The arena holds at most so many units: orders that fire while it is full make nothing, except
// the player's character, which always enters.
#include <gtest/gtest.h>

#include "ArenaWorld.h"

TEST(LiveUnitBound, OrdersBeyondTheBoundMakeNothingButThePlayerAlwaysEnters) {
    ArenaWorld world;
    world.addType("grunt", AFF_ENEMY);
    UnitTemplate* hero = world.addType("hero", AFF_PLAYER);
    hero->isThePC = true;
    EXPECT_EQ(world.list.getMaxLiveUnits(), UnitList::defaultMaxLiveUnits);
    world.list.setMaxLiveUnits(10);
    world.order("grunt", 9, 0, 0, 0, 8);
    world.order("grunt", 9, 0, 0, 0, 8);
    world.order("hero", 9);
    world.step();
    EXPECT_EQ(world.count(AFF_ENEMY), 10);
    EXPECT_EQ(world.count(AFF_PLAYER), 1);
    EXPECT_TRUE(world.list.getUnitsToAppear()->empty()) << "orders that made nothing are spent";
}
