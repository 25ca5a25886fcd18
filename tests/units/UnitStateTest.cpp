#include <gtest/gtest.h>

#include "units/UnitWorld.h"

// Variants, movement requests, the move lock, dashes, walking speed, station keeping and size.

TEST(Variant, ScalesSizeStrengthAndJuice) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    t->maxHP = 100;
    t->damageDealt = 10;
    t->juiceForPlayer = 3;
    ProbeUnit* big = w.add(t, 0, 0, 2);
    EXPECT_EQ(big->getMaxHP(), 400);
    EXPECT_EQ(big->getHP(), 400);
    EXPECT_EQ(big->damageDealt, 40);
    EXPECT_EQ(big->juiceForPlayer, 4); // 4.5 truncated
    EXPECT_EQ(big->getDrawScale(), itofix(2));
    EXPECT_EQ(big->walkspeed, itofix(2));

    ProbeUnit* medium = w.add(t, 0, 0, 1);
    EXPECT_EQ(medium->getMaxHP(), 200);
    EXPECT_EQ(medium->juiceForPlayer, 3); // 3.6 truncated
    EXPECT_NEAR(px(medium->getDrawScale()), 1.414, 0.0001);

    ProbeUnit* fast = w.add(t, 0, 0, 4);
    EXPECT_EQ(fast->getMaxHP(), 200);
    EXPECT_EQ(fast->juiceForPlayer, 2); // 2.4 truncated
    EXPECT_EQ(fast->walkspeed, itofix(4));
    EXPECT_NEAR(px(fast->getDrawScale()), 0.9, 0.0001);

    ProbeUnit* odd = w.add(t, 0, 0, 7); // unknown variants act as 0
    EXPECT_EQ(odd->getMaxHP(), 100);
    EXPECT_EQ(odd->damageDealt, 10);
    EXPECT_EQ(odd->getDrawScale(), itofix(1));
}

TEST(Variant, SmallVariantHalvesTowardZero) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    t->maxHP = 101;
    t->damageDealt = 1;
    ProbeUnit* u = w.add(t, 0, 0, 3);
    EXPECT_EQ(u->getMaxHP(), 50);
    EXPECT_EQ(u->damageDealt, 0);
    EXPECT_EQ(u->walkspeed, itofix(4));
    EXPECT_EQ(u->getDrawScale(), ftofix(0.5));
}

TEST(Variant, StationDistanceScalesOnlyForStyleOne) {
    UnitWorld w;
    UnitTemplate* tied = w.type(AFF_PLAYER_PROJECTILE);
    tied->alignStyle = 1;
    tied->alignDist = itofix(20);
    EXPECT_NEAR(px(w.add(tied, 0, 0, 1)->alignDist), 20 * 1.414 * 1.77245, 0.01);
    EXPECT_NEAR(px(w.add(tied, 0, 0, 2)->alignDist), 20 * 2 * 1.77245, 0.01);
    UnitTemplate* other = w.type(AFF_PLAYER_PROJECTILE);
    other->alignStyle = 3;
    other->alignDist = itofix(20);
    EXPECT_EQ(w.add(other, 0, 0, 2)->alignDist, itofix(20));
}

// A type with 1 hit point gives variant 3 a maximum of 0; nothing may divide by it.
TEST(Variant, ZeroMaximumHealthRunsThroughEveryStage) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    t->maxHP = 1;
    UnitWorld::addSound(t, SOUND_HIT);
    UnitWorld::addSound(t, SOUND_DEAD);
    ProbeUnit* u = w.add(t, 50, 50, 3);
    ProbeUnit* hitter = w.add(w.type(AFF_PLAYER), 55, 50);
    hitter->damageDealt = -5; // a heal is cut back to the maximum of 0
    ASSERT_EQ(u->getMaxHP(), 0);
    RecordingSound sound;
    BITMAP* bmp = create_bitmap(100, 100);
    w.step();
    EXPECT_EQ(u->getHP(), 0);
    u->draw(bmp, &sound, false);
    w.endFrame();
    EXPECT_EQ(u->getCharAnim(), ANIM_DEAD);
    std::vector<AddUnitTemplate*> none;
    EXPECT_FALSE(u->canAddUnit(&none));
    destroy_bitmap(bmp);
}

TEST(MoveLock, IgnoresRequestsButNotTheDash) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->faceAngle(itofix(64));
    u->moveLockLeft = 2;
    u->faceAngle(itofix(128));
    u->setWalkAngle(itofix(192));
    u->setFaceAngle(itofix(10));
    u->walk(true);
    EXPECT_EQ(u->getDrawAngle(), itofix(64));
    EXPECT_EQ(u->getWalkAngle(), itofix(64));
    EXPECT_FALSE(u->getWalking());

    u->dashLeft = 1;
    u->setWalkAngle(itofix(128)); // ignored: the dash follows the facing anyway
    w.step();
    EXPECT_EQ(u->posX, itofix(102));
    EXPECT_EQ(u->posY, itofix(100));
    EXPECT_EQ(u->dashLeft, 0);
    EXPECT_EQ(u->moveLockLeft, 1);

    u->walk(false);
    EXPECT_TRUE(u->getWalking()); // still locked for one more step
    w.step();
    u->setWalkAngle(itofix(128));
    u->walk(true);
    EXPECT_EQ(u->getWalkAngle(), itofix(128));
    EXPECT_EQ(u->getDrawAngle(), itofix(64)); // walking one way, facing another
    EXPECT_TRUE(u->getWalking());
}

TEST(Walking, HasteDoublesSlowHalvesAndSlowWins) {
    struct Case {
        int haste, slow;
        double expected;
    } cases[] = {{0, 0, 2.0}, {5, 0, 4.0}, {0, 5, 1.0}, {5, 5, 1.0}};
    for (const Case& c : cases) {
        UnitWorld w;
        ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
        u->faceAngle(itofix(128)); // down
        u->getGoodStatus()[2] = c.haste;
        u->getBadStatus()[2] = c.slow;
        u->walk(true);
        w.step();
        EXPECT_NEAR(px(u->posY), 100 + c.expected, 0.001) << c.haste << " " << c.slow;
        EXPECT_NEAR(px(u->posX), 100, 0.001);
    }
}

TEST(Walking, WalkingLastsUntilTheEndOfTheDrawnFrame) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->faceAngle(itofix(64));
    u->walk(true);
    w.step();
    w.step();
    EXPECT_EQ(u->posX, itofix(104));
    w.endFrame();
    EXPECT_EQ(u->getCharAnim(), ANIM_RUN);
    w.step();
    EXPECT_EQ(u->posX, itofix(104));
    w.endFrame();
    EXPECT_EQ(u->getCharAnim(), ANIM_IDLE);
}

TEST(StationKeeping, PullsBackToTheDistanceOnTheSameBearing) {
    UnitWorld w;
    ProbeUnit* creator = w.add(w.type(AFF_PLAYER), 100, 100);
    UnitTemplate* t = w.type(AFF_PLAYER_PROJECTILE);
    t->alignStyle = 1;
    t->alignDist = itofix(20);
    ProbeUnit* u = w.add(t, 130, 140, 0, creator); // 50 away at bearing 3-4-5
    u->takeDamage();
    EXPECT_NEAR(px(u->posX), 112, 0.3);
    EXPECT_NEAR(px(u->posY), 116, 0.3);

    u->posX = itofix(110); // within the distance it moves freely
    u->posY = itofix(100);
    u->takeDamage();
    EXPECT_EQ(u->posX, itofix(110));
}

TEST(StationKeeping, DropsTheTieForGoodWhenTheCreatorLeaves) {
    UnitWorld w;
    ProbeUnit* creator = w.add(w.type(AFF_PLAYER), 100, 100);
    UnitTemplate* t = w.type(AFF_PLAYER_PROJECTILE);
    t->alignStyle = 1;
    t->alignDist = itofix(20);
    ProbeUnit* u = w.add(t, 200, 100, 0, creator);
    std::vector<Unit*>* units = w.list.getUnits();
    units->erase(units->begin()); // the creator leaves the arena
    u->takeDamage();
    EXPECT_EQ(u->alignTarget, nullptr);
    units->push_back(creator); // even back in the list it no longer pulls
    u->takeDamage();
    EXPECT_EQ(u->posX, itofix(200));
}

TEST(ContactSize, IsFourFifthsOfTheDiagonalTimesTheScale) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY, 30, 40), 0, 0);
    EXPECT_NEAR(px(u->getFrameSize()), 40.0, 0.001);
    EXPECT_NEAR(px(u->getPicSize()), 40.0, 0.001);
    EXPECT_NEAR(px(w.add(w.type(AFF_ENEMY, 200, 200), 0, 0)->getFrameSize()), 226.27, 0.01);
    EXPECT_NEAR(px(w.add(w.type(AFF_ENEMY, 30, 40), 0, 0, 2)->getPicSize()), 80.0, 0.001);

    UnitTemplate* bare = w.type(AFF_ENEMY);
    bare->deleteBitmaps();
    bare->animFrameTimes[ANIM_IDLE].clear();
    ProbeUnit* nothing = w.add(bare, 0, 0);
    EXPECT_EQ(nothing->getPicSize(), 0);
    EXPECT_EQ(nothing->getPic(true), nullptr);
}

TEST(ContactSize, UsesTheFrameNowShownOrTheFirstIdleFrame) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY, 30, 40);
    UnitWorld::addFrames(t, ANIM_RUN, {0, 0}, 60, 80);
    ProbeUnit* u = w.add(t, 0, 0);
    u->changeAnim(ANIM_RUN);
    EXPECT_NEAR(px(u->getFrameSize()), 80.0, 0.001);
    u->changeAnim(ANIM_STUN); // no stun frames: back to the idle picture
    EXPECT_NEAR(px(u->getFrameSize()), 40.0, 0.001);
}
