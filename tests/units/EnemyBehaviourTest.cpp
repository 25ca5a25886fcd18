#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "ArenaWorld.h"
#include "units/Unit.h"
#include "units/UnitInput.h"
#include "units/aiUnitSort.h"
#include "units/randShuffle.h"
#include "units/vornMath.h"

namespace {

// An enemy "hunter" that targets the player's side, and a "dummy" player-side type to aim at.
struct HuntWorld : ArenaWorld {
    UnitTemplate* hunter;
    UnitTemplate* dummy;
    HuntWorld() {
        hunter = addType("hunter", AFF_ENEMY, 10);
        dummy = addType("dummy", AFF_PLAYER, 10);
        dummy->maxHP = 100;
    }
    UnitInput* brain(Unit* u) { return u->getUnitInput(); }
    Unit* dummyWithHealth(int hp, int x = 300, int y = 150) {
        Unit* d = place("dummy", x, y);
        d->addDamage(d->getMaxHP() - hp);
        d->takeDamage();
        return d;
    }
    void aimAt(Unit* self, Unit* target) {
        brain(self)->target = target;
        brain(self)->hasTarget = true;
    }
};

int scoreFor(HuntWorld& w, Unit* self, Unit* candidate) {
    std::vector<Unit*> candidates{candidate};
    std::vector<aiUnitSort*> records;
    w.brain(self)->prepAIUnitSort(self, &candidates, &records);
    int score = records.front()->hpScore;
    for (aiUnitSort* r : records)
        delete r;
    return score;
}

} // namespace

TEST(TargetChoice, HealthBracketsOnTheirEdges) {
    HuntWorld w;
    Unit* self = w.place("hunter", 100, 100);
    std::vector<std::pair<int, int>> edges = {{100, -3}, {96, -3}, {95, -2}, {81, -2}, {80, -1},
                                              {66, -1},  {65, 0},  {51, 0},  {50, 1},  {36, 1},
                                              {35, 2},   {21, 2},  {20, 3},  {0, 3}};
    for (int P : {10, -10, 0}) {
        w.hunter->unitInput->targetPriorityHP = P;
        Unit* me = w.place("hunter", 100, 100);
        for (auto [hp, factor] : edges) {
            Unit* d = w.dummyWithHealth(hp);
            EXPECT_EQ(scoreFor(w, me, d), factor * P) << "health " << hp << " P " << P;
        }
    }
    (void)self;
}

TEST(TargetChoice, ANonPositiveMaximumCountsAsNoHealth) {
    HuntWorld w;
    w.hunter->unitInput->targetPriorityHP = 10;
    Unit* me = w.place("hunter", 100, 100);
    for (int maxHP : {0, -5}) {
        w.dummy->maxHP = maxHP;
        Unit* d = w.place("dummy", 300, 150); // a division by zero would end the test here
        EXPECT_EQ(scoreFor(w, me, d), 30) << "maxHP " << maxHP;
    }
}

TEST(TargetChoice, PriorityPrefersHealthyOrWoundedWhateverTheShuffle) {
    for (int P : {10, -10}) {
        HuntWorld w;
        w.hunter->unitInput->targetPriorityHP = P;
        Unit* me = w.place("hunter", 100, 100);
        Unit* wounded = w.dummyWithHealth(50, 300, 100);
        Unit* healthy = w.dummyWithHealth(100, 300, 200);
        for (unsigned seed = 1; seed <= 50; seed++) {
            srand(seed);
            w.brain(me)->setCounters();
            w.brain(me)->locateTarget(me, &w.list);
            ASSERT_TRUE(w.brain(me)->hasTarget);
            ASSERT_EQ(w.brain(me)->target, P > 0 ? healthy : wounded) << "P " << P << " seed " << seed;
        }
    }
}

TEST(TargetChoice, WithoutPriorityEveryCandidateIsLikely) {
    HuntWorld w;
    Unit* me = w.place("hunter", 100, 100);
    std::vector<Unit*> dummies = {w.dummyWithHealth(100, 300, 50), w.dummyWithHealth(10, 300, 150),
                                  w.dummyWithHealth(60, 300, 250)};
    std::vector<int> chosen(3, 0);
    srand(2024);
    for (int i = 0; i < 3000; i++) {
        w.brain(me)->setCounters();
        w.brain(me)->locateTarget(me, &w.list);
        chosen[std::find(dummies.begin(), dummies.end(), w.brain(me)->target) - dummies.begin()]++;
    }
    for (int c : chosen) {
        EXPECT_GT(c, 800);
        EXPECT_LT(c, 1200);
    }
}

TEST(TargetChoice, AUnitNeverChoosesItselfAndKeepsItsTargetWhenNobodyIsThere) {
    HuntWorld w;
    w.hunter->unitInput->targetAffiliation = AFF_ENEMY;
    Unit* me = w.place("hunter", 100, 100);
    w.brain(me)->locateTarget(me, &w.list);
    EXPECT_FALSE(w.brain(me)->hasTarget);
    EXPECT_EQ(w.brain(me)->target, nullptr);

    Unit* other = w.place("hunter", 200, 100);
    for (unsigned seed = 1; seed <= 20; seed++) {
        srand(seed);
        w.brain(me)->locateTarget(me, &w.list);
        ASSERT_EQ(w.brain(me)->target, other);
    }
    // Nobody of the target side at all: target and flag stay as they were.
    w.brain(me)->targetAffiliation = AFF_NEUTRAL;
    w.brain(me)->locateTarget(me, &w.list);
    EXPECT_TRUE(w.brain(me)->hasTarget);
    EXPECT_EQ(w.brain(me)->target, other);
}

TEST(TargetChoice, TheShuffleDrawsLikeTheOldStandardOne) {
    for (int n : {0, 1, 2, 7, 40}) {
        std::vector<int> ours(n), old(n);
        std::iota(ours.begin(), ours.end(), 0);
        std::iota(old.begin(), old.end(), 0);
        srand(99);
        randShuffle(ours.begin(), ours.end());
        int afterOurs = rand();
#if defined(__GLIBCXX__) && _GLIBCXX_USE_DEPRECATED
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        srand(99);
        std::random_shuffle(old.begin(), old.end());
#pragma GCC diagnostic pop
        EXPECT_EQ(ours, old) << n << " elements";
#endif
        // Element i swaps with rand() % (i + 1): n - 1 draws.
        srand(99);
        for (int i = 1; i < n; i++)
            rand();
        EXPECT_EQ(rand(), afterOurs);
        std::vector<int> sorted = ours;
        std::sort(sorted.begin(), sorted.end());
        std::vector<int> expected(n);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(sorted, expected);
    }
}

TEST(Homing, EachCorrectionTurnsAtMostTheCorrectionAngle) {
    HuntWorld w;
    w.hunter->unitInput->homeTimeInbetweenCorrection = 0;
    w.hunter->unitInput->homeAngleCorrection = itofix(15);
    Unit* me = w.place("hunter", 100, 150);
    Unit* target = w.place("dummy", 300, 150); // straight to the right: angle 64
    w.aimAt(me, target);
    std::vector<int> facings;
    for (int s = 0; s < 6; s++) {
        w.brain(me)->aimIt(me, &w.round);
        facings.push_back(fixtoi(me->getDrawAngle()));
        EXPECT_EQ(me->getWalkAngle(), me->getDrawAngle());
    }
    EXPECT_EQ(facings, (std::vector<int>{15, 30, 45, 60, 64, 64}));

    // A negative correction in a unit file turns by its size.
    w.brain(me)->homeAngleCorrection = itofix(-15);
    me->faceAngle(0);
    w.brain(me)->aimIt(me, &w.round);
    EXPECT_EQ(me->getDrawAngle(), itofix(15));

    // A target exactly one correction away is reached at once.
    w.brain(me)->homeAngleCorrection = itofix(64);
    me->faceAngle(0);
    w.brain(me)->aimIt(me, &w.round);
    EXPECT_EQ(me->getDrawAngle(), itofix(64));
}

TEST(Homing, AFacingNearTheEndOfTheFixedRangeStillTurnsTheShortWay) {
    HuntWorld w;
    w.hunter->unitInput->homeTimeInbetweenCorrection = 0;
    Unit* me = w.place("hunter", 100, 150);
    Unit* target = w.place("dummy", 300, 150);
    w.aimAt(me, target);
    me->faceAngle(itofix(32760)); // 248 plus whole turns: 8 to the left of up
    w.brain(me)->aimIt(me, &w.round);
    EXPECT_EQ(normalizeAngle(me->getDrawAngle()), itofix(7)); // 248 + 15, past up
}

TEST(Homing, TheDefaultCorrectsAtEveryFourthAim) {
    HuntWorld w;
    Unit* me = w.place("hunter", 100, 150);
    Unit* target = w.place("dummy", 300, 150);
    w.aimAt(me, target);
    std::vector<int> facings;
    for (int s = 0; s < 8; s++) {
        w.brain(me)->aimIt(me, &w.round);
        facings.push_back(fixtoi(me->getDrawAngle()));
    }
    EXPECT_EQ(facings, (std::vector<int>{0, 0, 0, 15, 15, 15, 15, 30}));
}

namespace {
// Puts me and the target level with each other at a chosen gap between their pictures' edges.
void setGap(HuntWorld& w, Unit*& me, Unit*& target, fixed gap) {
    fixed x = itofix(100), y = itofix(150);
    me = w.placeExact("hunter", x, y, 0);
    target = w.placeExact("dummy", x + me->getPicSize() + gap, y, 0);
    // Nudge by raw units until the measured gap is exact.
    for (int i = 0; i < 8; i++) {
        fixed measured = calcDist(x, y, target->getPosX(), y) - (me->getPicSize() + target->getPicSize()) / 2;
        if (measured == gap) break;
        w.list.getUnits()->pop_back();
        fixed tx = target->getPosX() + (measured < gap ? 1 : -1);
        delete target;
        target = w.placeExact("dummy", tx, y, 0);
    }
    w.brain(me)->homeTimeInbetweenCorrection = 1000; // no turning in these tests
    w.aimAt(me, target);
}
} // namespace

TEST(AttackWindow, TheDefaultsHoldAndFireWhenApartAndBackAwayWhenOverlapping) {
    HuntWorld w;
    Unit *me, *target;
    setGap(w, me, target, itofix(50));
    EXPECT_FALSE(w.brain(me)->aimIt(me, &w.round));
    EXPECT_TRUE(w.brain(me)->attackNow);

    HuntWorld o;
    setGap(o, me, target, itofix(-3));
    me->setFaceAngle(itofix(40));
    EXPECT_TRUE(o.brain(me)->aimIt(me, &o.round));
    EXPECT_FALSE(o.brain(me)->attackNow);
    EXPECT_EQ(me->getWalkAngle(), itofix(192)); // straight away from the target on its right
    EXPECT_EQ(me->getDrawAngle(), itofix(40));  // still facing where it faced
}

TEST(AttackWindow, AWindowOfZeroToZeroFiresOnlyAtAGapOfExactlyZero) {
    struct Case {
        fixed gap;
        bool walk, attack;
        int walkAngle; // -1: unchanged
    };
    for (Case c : {Case{itofix(20), true, false, -1}, Case{1, true, false, -1}, Case{0, false, true, -1},
                   Case{-1, true, false, 192}, Case{itofix(-4), true, false, 192}}) {
        HuntWorld w;
        w.hunter->unitInput->attackDistMax = 0;
        Unit *me, *target;
        setGap(w, me, target, c.gap);
        me->setWalkAngle(itofix(7));
        EXPECT_EQ(w.brain(me)->aimIt(me, &w.round), c.walk) << "gap " << c.gap;
        EXPECT_EQ(w.brain(me)->attackNow, c.attack) << "gap " << c.gap;
        EXPECT_EQ(me->getWalkAngle(), c.walkAngle < 0 ? itofix(7) : itofix(c.walkAngle)) << "gap " << c.gap;
    }
}

TEST(AttackWindow, TheAngleSpreadLimitsFiring) {
    HuntWorld w;
    w.hunter->unitInput->attackAngleSpread = itofix(10);
    Unit *me, *target;
    setGap(w, me, target, itofix(30));
    me->setFaceAngle(itofix(50)); // 14 off the target's direction
    w.brain(me)->aimIt(me, &w.round);
    EXPECT_FALSE(w.brain(me)->attackNow);
    me->setFaceAngle(itofix(55));
    w.brain(me)->aimIt(me, &w.round);
    EXPECT_TRUE(w.brain(me)->attackNow);
}

TEST(Walls, AUnitAtAWallSlidesAlongItAndLeavesCornersDiagonally) {
    struct Case {
        int x, y, walkAngle, expected;
    };
    // Pictures are 10 pixels square: a unit within about 5.7 pixels of an edge is at it.
    std::vector<Case> cases = {
        {200, 3, 10, 65},     {200, 3, 200, 191},   {200, 3, 100, 100},   {200, 3, 256, 256},
        {200, 3, -246, 65},   {200, 297, 70, 63},   {200, 297, 150, 193}, {200, 297, 10, 10},
        {3, 150, 150, 127},   {3, 150, 200, 1},     {3, 150, 40, 40},     {397, 150, 10, 255},
        {397, 150, 100, 129}, {397, 150, 200, 200}, {3, 3, 0, 96},        {3, 3, 200, 96},
        {397, 3, 100, 160},   {3, 297, 0, 32},      {397, 297, 0, 224},
    };
    for (const Case& c : cases) {
        HuntWorld w;
        w.hunter->unitInput->careAboutArena = true;
        w.hunter->unitInput->homeTimeInbetweenCorrection = 1000;
        Unit* me = w.place("hunter", c.x, c.y);
        Unit* target = w.place("dummy", 200, 150);
        w.aimAt(me, target);
        me->setWalkAngle(itofix(c.walkAngle));
        EXPECT_TRUE(w.brain(me)->aimIt(me, &w.round)) << "keeps walking at the wall";
        EXPECT_EQ(me->getWalkAngle(), itofix(c.expected)) << c.x << "," << c.y << " walking " << c.walkAngle;
    }
}

TEST(Walls, APressedCornerExitsAt96WhateverTheTarget) {
    HuntWorld w;
    w.hunter->unitInput->careAboutArena = true;
    Unit* me = w.place("hunter", 2, 2);
    for (auto [tx, ty] : std::vector<std::pair<int, int>>{{200, 150}, {2, 200}, {300, 2}, {3, 3}}) {
        Unit* target = w.place("dummy", tx, ty);
        w.aimAt(me, target);
        for (int s = 0; s < 5; s++) {
            w.brain(me)->aimIt(me, &w.round);
            EXPECT_EQ(me->getWalkAngle(), itofix(96));
        }
    }
}

TEST(Behaviour, DeadAndStunnedUnitsAreFrozen) {
    HuntWorld w;
    Unit* me = w.place("hunter", 100, 150);
    w.place("dummy", 300, 150);
    me->addBadStatus(0, 20);
    me->endOfRound();
    ASSERT_EQ(me->getCharAnim(), ANIM_STUN);
    me->decideAction();
    EXPECT_FALSE(w.brain(me)->hasTarget);
    EXPECT_FALSE(me->getWalking());
    me->killSelf();
    me->decideAction();
    EXPECT_FALSE(w.brain(me)->hasTarget);
}

TEST(Behaviour, AnAttackInRangeFiresAndTheSwitchFlagsDropTheTarget) {
    for (int flags : {0, 1, 2}) {
        for (bool fullHealth : {true, false}) {
            HuntWorld w;
            w.addType("spit", AFF_ENEMY_PROJECTILE, 4);
            w.addAttack(w.hunter, 1, "spit");
            w.hunter->unitInput->switchTarget = flags;
            Unit* me = w.place("hunter", 100, 150);
            Unit* d = w.dummyWithHealth(fullHealth ? 100 : 40, 150, 150);
            me->decideAction();
            EXPECT_EQ(w.brain(me)->target, d);
            EXPECT_TRUE(w.brain(me)->attackNow);
            EXPECT_EQ(w.round.getUnitsToAppear()->size(), 1u);
            bool dropped = flags == 1 || (flags == 2 && fullHealth);
            EXPECT_EQ(w.brain(me)->hasTarget, !dropped) << "flags " << flags << " full " << fullHealth;
        }
    }
}

TEST(Behaviour, ALostTargetIsReplacedAndAUnitWithoutOneWalksStraightOn) {
    HuntWorld w;
    w.hunter->walkspeed = itofix(2);
    Unit* me = w.place("hunter", 100, 150, 64);
    me->decideAction();
    EXPECT_FALSE(w.brain(me)->hasTarget);
    EXPECT_TRUE(me->getWalking());
    EXPECT_EQ(me->getWalkAngle(), itofix(64));

    Unit* first = w.place("dummy", 300, 150);
    me->decideAction();
    EXPECT_EQ(w.brain(me)->target, first);

    // The target leaves the arena; the next step picks the one that is left.
    Unit* second = w.place("dummy", 300, 250);
    w.list.getUnits()->erase(std::find(w.list.getUnits()->begin(), w.list.getUnits()->end(), first));
    me->decideAction();
    EXPECT_EQ(w.brain(me)->target, second);
    delete first;
}
