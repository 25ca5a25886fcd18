#include <gtest/gtest.h>

#include "units/UnitWorld.h"

// Attacks: which entries they use, when they may be used, what they cost and where the added
// units appear.

TEST(Attack, EntriesAreChosenByAttackBit) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    AddUnitTemplate* a = UnitWorld::addEntry(t, "a", 1);
    AddUnitTemplate* b = UnitWorld::addEntry(t, "b", 2);
    AddUnitTemplate* c = UnitWorld::addEntry(t, "c", 8);
    AddUnitTemplate* d = UnitWorld::addEntry(t, "d", 1);
    AddUnitTemplate* e = UnitWorld::addEntry(t, "e", 0);
    ProbeUnit* u = w.add(t, 0, 0);
    EXPECT_EQ(u->getAddedUnits(1), (std::vector<AddUnitTemplate*>{a, d}));
    EXPECT_EQ(u->getAddedUnits(8), (std::vector<AddUnitTemplate*>{c}));
    EXPECT_EQ(u->getAddedUnits(3), (std::vector<AddUnitTemplate*>{a, b, d}));
    EXPECT_EQ(u->getAddedUnits(-1), (std::vector<AddUnitTemplate*>{a, b, c, d, e}));
    EXPECT_TRUE(u->getAddedUnits(4).empty());
}

TEST(Attack, CostsMustBeAffordableAndNeverKill) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_PLAYER);
    UnitWorld::addEntry(t, "slash", 1)->hpCost = 5;
    UnitWorld::addEntry(t, "spark", 1)->hpCost = 3;
    UnitWorld::addEntry(t, "beam", 2)->hpCost = 8;
    ProbeUnit* u = w.add(t, 100, 100);
    std::vector<AddUnitTemplate*> first = u->getAddedUnits(1), second = u->getAddedUnits(2);
    u->hp = 8; // the costs of an attack add up: 8 is not enough for 8
    EXPECT_FALSE(u->canAddUnit(&first));
    u->hp = 9;
    EXPECT_TRUE(u->canAddUnit(&first));

    u->hp = 5;
    u->unitPropertyPlayer = IGNORE_HEALTH_FOR_1ST_ATTACK;
    EXPECT_TRUE(u->canAddUnit(&first));
    EXPECT_FALSE(u->canAddUnit(&second)); // only the first attack
    u->addUnit(&first, false, 0);
    EXPECT_EQ(u->getHP(), 1);

    u->hp = 8;
    u->addUnit(&first, false, 0);
    EXPECT_EQ(u->getHP(), 0); // exactly 0 stays 0
    EXPECT_FALSE(u->canAddUnit(nullptr));
}

TEST(Attack, CoolDownsAndTheMoveLockCountSteps) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    AddUnitTemplate* e = UnitWorld::addEntry(t, "shot", 1);
    e->attack1Delay = 3;
    e->attack2Delay = 1;
    e->moveLock = 2;
    UnitWorld::addEntry(t, "other", 2);
    ProbeUnit* u = w.add(t, 100, 100);
    std::vector<AddUnitTemplate*> first = u->getAddedUnits(1), second = u->getAddedUnits(2);
    u->addUnit(&first, false, 0);
    EXPECT_FALSE(u->canAddUnit(&first));
    EXPECT_FALSE(u->canAddUnit(&second)); // this entry also delays attack 2
    u->faceAngle(itofix(64));
    EXPECT_EQ(u->getDrawAngle(), 0);
    w.step();
    EXPECT_TRUE(u->canAddUnit(&second));
    w.step();
    u->faceAngle(itofix(64));
    EXPECT_EQ(u->getDrawAngle(), itofix(64));
    EXPECT_FALSE(u->canAddUnit(&first));
    w.step();
    EXPECT_TRUE(u->canAddUnit(&first));

    u->addUnit(&first, true, 0); // from a paused game: ten more steps of each
    EXPECT_EQ(u->attack1CoolDown, 13);
    EXPECT_EQ(u->attack2CoolDown, 11);
    EXPECT_EQ(u->attack4CoolDown, 10);
    EXPECT_EQ(u->moveLockLeft, 12);
}

TEST(Attack, SetsTheAttackStateSoundAndDash) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addEntry(t, "a", 1);
    UnitWorld::addEntry(t, "b", 2)->dashTime = 4;
    UnitWorld::addEntry(t, "c", 4)->dashTime = -3;
    ProbeUnit* u = w.add(t, 100, 100);
    const int expected[][3] = {{1, 1, SOUND_ATT1}, {2, 2, SOUND_ATT2}, {4, 4, SOUND_ATT3}};
    for (const auto& x : expected) {
        std::vector<AddUnitTemplate*> list = u->getAddedUnits(x[0]);
        u->addUnit(&list, false, 0);
        EXPECT_EQ(u->attackState, x[1]);
        EXPECT_EQ(u->soundToPlay, x[2]);
    }
    EXPECT_EQ(u->dashLeft, 4);
    std::vector<AddUnitTemplate*> none;
    u->addUnit(&none, false, 0);
    EXPECT_EQ(u->attackState, 0);
    EXPECT_EQ(u->soundToPlay, SOUND_ATT1);
}

TEST(Attack, AddsAFanOfUnitsAroundTheFacing) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_PLAYER);
    AddUnitTemplate* e = UnitWorld::addEntry(t, "dart", 1, 3);
    e->spawnDist = itofix(10);
    e->spawnAngle = itofix(16);
    e->angleSpread = itofix(96);
    e->appearDelay = 7;
    ProbeUnit* u = w.add(t, 100, 100);
    u->faceAngle(itofix(48));
    std::vector<AddUnitTemplate*> list = u->getAddedUnits(1);
    u->addUnit(&list, false, 0);
    ASSERT_EQ(w.orders().size(), 3u);
    for (int j = 0; j < 3; j++) {
        const UnitCreate* o = w.orders()[j];
        fixed angle = itofix(64 + 32 * j);
        EXPECT_EQ(o->unitName, "dart");
        EXPECT_EQ(o->getAngle(), angle);
        EXPECT_NEAR(px(o->posX), 100 + 10 * fixtof(fixsin(angle)), 0.001);
        EXPECT_NEAR(px(o->posY), 100 - 10 * fixtof(fixcos(angle)), 0.001);
        EXPECT_EQ(o->amount, 1);
        EXPECT_EQ(o->side, 10);
        EXPECT_EQ(o->spawnCondition, 1);
        EXPECT_EQ(o->delay, 7);
        EXPECT_EQ(o->enemyThreshold, 0);
        EXPECT_EQ(o->variant, 0);
        EXPECT_EQ(o->creator, u);
    }
    EXPECT_NEAR(px(w.orders()[0]->posX), 110, 0.001); // the first one straight to the right
}

TEST(Attack, VariantsPlaceAddedUnitsFartherOrNearer) {
    const double factor[] = {1, 1.414, 2, 0.5, 0.7};
    for (int v = 0; v <= 4; v++) {
        UnitWorld w;
        UnitTemplate* t = w.type(AFF_ENEMY);
        UnitWorld::addEntry(t, "rock", 2)->spawnDist = itofix(20);
        ProbeUnit* own = w.add(t, 100, 100, v); // its own variant when none is given
        ProbeUnit* plain = w.add(t, 100, 100);
        std::vector<AddUnitTemplate*> list = own->getAddedUnits(2);
        own->addUnit(&list, false, 0);
        plain->addUnit(&list, false, v);
        ASSERT_EQ(w.orders().size(), 2u);
        for (const UnitCreate* o : w.orders()) {
            EXPECT_NEAR(px(o->posY), 100 - 20 * factor[v], 0.01) << v;
            EXPECT_EQ(o->variant, v);
        }
    }
}

TEST(Attack, AUnitAtTheEdgeOfTheRangePlacesItsUnitsAtThatEdge) {
    // Units that drift out of an arena without walls end at the largest position fixed holds.
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addEntry(t, "rock", 2)->spawnDist = itofix(20);
    ProbeUnit* u = w.add(t, 0, 0);
    u->posX = 0x7FFFFFF0;
    u->posY = -0x7FFFFFF0;
    u->drawAngle = itofix(32); // up and to the right: beyond both edges
    std::vector<AddUnitTemplate*> list = u->getAddedUnits(2);
    u->addUnit(&list, false, 0);
    ASSERT_EQ(w.orders().size(), 1u);
    EXPECT_EQ(w.orders()[0]->posX, 0x7FFFFFFF);
    EXPECT_EQ(w.orders()[0]->posY, -0x7FFFFFFF);
}

TEST(Attack, RandomTurnStaysWithinHalfTheRange) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    AddUnitTemplate* e = UnitWorld::addEntry(t, "spray", 1, 200);
    e->spawnDist = itofix(10);
    e->angleRandom = itofix(40);
    ProbeUnit* u = w.add(t, 100, 100);
    std::vector<AddUnitTemplate*> list = u->getAddedUnits(1);
    srand(7);
    u->addUnit(&list, false, 0);
    fixed low = itofix(256), high = -itofix(256);
    for (const UnitCreate* o : w.orders()) {
        low = std::min(low, o->getAngle());
        high = std::max(high, o->getAngle());
    }
    EXPECT_GE(low, -itofix(20) - 2);
    EXPECT_LE(high, itofix(20) + 2);
    EXPECT_LT(low, -itofix(15)); // and does spread
    EXPECT_GT(high, itofix(15));
}
