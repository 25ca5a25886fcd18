#include <climits>
#include <gtest/gtest.h>

#include "units/UnitWorld.h"
#include "units/vornMath.h"

// Knockback forces: strength, weight, decay; and the four kinds of arena wall.

TEST(Knockback, AttackStrengthGrowsWithTheAttackersVariant) {
    struct Case {
        int variant;
        double magnitude;
        int duration;
    } cases[] = {{0, 10, 3}, {1, 14.14, 4}, {2, 20, 6}, {3, 10, 3}, {4, 10, 3}};
    for (const Case& c : cases) {
        UnitWorld w;
        UnitTemplate* t = w.type(AFF_ENEMY);
        t->kbMag = itofix(10);
        t->kbDuration = 3;
        t->kbDir = itofix(64); // sideways from the line between the two
        ProbeUnit* a = w.add(t, 100, 100, c.variant);
        ProbeUnit* v = w.add(w.type(AFF_PLAYER), 105, 100);
        a->dealDamage();
        ASSERT_EQ(v->kbForces.size(), 2u) << c.variant; // the bump, then the attack
        const kbForce& f = v->kbForces[1];
        EXPECT_NEAR(px(f.magnitude), c.magnitude, 0.01) << c.variant;
        EXPECT_EQ(f.duration, c.duration) << c.variant;
        EXPECT_EQ(f.angle, itofix(128)) << c.variant;
        EXPECT_TRUE(f.weighted);
        EXPECT_FALSE(v->kbForces[0].weighted);
    }
}

TEST(Knockback, WeightDecidesHowFarWeightedForcesPush) {
    struct Case {
        int defense;
        double weighted, unweighted;
    } cases[] = {{0, 20, 20}, {BOUNCY, 40, 20}, {HEAVY, 0, 20}, {HEAVY | BOUNCY, 40, 20}};
    for (const Case& c : cases) {
        UnitWorld w;
        ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
        ProbeUnit* b = w.add(w.type(AFF_ENEMY), 100, 200);
        u->unitPropertyDefense = b->unitPropertyDefense = c.defense;
        u->addKnockBack(itofix(64), itofix(20), 1);
        kbForce bump(itofix(64), itofix(20), 1, false);
        b->addKnockBack(&bump);
        w.step();
        EXPECT_NEAR(px(u->posX), 100 + c.weighted, 0.001) << c.defense;
        EXPECT_NEAR(px(b->posX), 100 + c.unweighted, 0.001) << c.defense;
    }
}

TEST(Knockback, ForcesAddUpInTheSameStep) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->addKnockBack(itofix(64), itofix(3), 1);
    u->addKnockBack(itofix(128), itofix(4), 1, true);
    u->faceAngle(itofix(192));
    u->walk(true);
    w.step();
    EXPECT_NEAR(px(u->posX), 101, 0.001);
    EXPECT_NEAR(px(u->posY), 104, 0.001);
}

namespace {
std::vector<double> decay(double arenaKB, fixed magnitude, int duration, bool weighted, int frames) {
    UnitWorld w;
    w.round.setArenaKB(ftofix(arenaKB));
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->addKnockBack(0, magnitude, duration, weighted);
    std::vector<double> left;
    for (int i = 0; i < frames; i++) {
        u->endOfRound();
        left.push_back(u->kbForces.empty() ? -1 : px(u->kbForces[0].magnitude));
    }
    return left;
}
} // namespace

TEST(Knockback, DecaysByTheArenaDampingAfterItsDuration) {
    EXPECT_EQ(decay(0.5, itofix(20), 2, true, 8), (std::vector<double>{20, 20, 10, 5, 2.5, 1.25, -1, -1}));
    std::vector<double> slow = decay(0.8, itofix(20), 0, true, 15);
    EXPECT_NEAR(slow[0], 16, 0.001);
    EXPECT_NEAR(slow[1], 12.8, 0.001);
    EXPECT_EQ(slow[13], -1); // 20 x 0.8^14 is below 1
    EXPECT_GT(slow[12], 1);
    EXPECT_EQ(decay(1.0, itofix(20), 0, true, 50).back(), 20); // never dies out
    // A bump goes at the second end of frame after it came, whatever its size and the damping.
    EXPECT_EQ(decay(1.0, itofix(100), 1, false, 3), (std::vector<double>{100, -1, -1}));
}

namespace {

struct Arena {
    UnitWorld w{400, 300};
    ProbeUnit* u;
    Arena(int wall, double x, double y, int defense = 0) {
        w.round.setArenaWall(wall);
        u = w.add(w.type(AFF_ENEMY), x, y);
        u->unitPropertyDefense = defense;
    }
};

} // namespace

TEST(Walls, StopPutsTheUnitOnTheEdgeAndCancelsItsKnockback) {
    Arena a(WALL_STOP, -5, 100);
    a.u->addKnockBack(itofix(192), itofix(8), 5);
    a.w.step();
    EXPECT_EQ(a.u->posX, 0);
    EXPECT_EQ(a.u->posY, itofix(100));
    EXPECT_EQ(a.u->getHP(), 90);
    EXPECT_EQ(a.u->scoreLost, 10);
    EXPECT_EQ(a.u->kbForces[0].magnitude, 0);
    EXPECT_EQ(a.u->kbForces[0].duration, 0);

    Arena corner(WALL_STOP, 410, -1);
    corner.w.step();
    EXPECT_EQ(corner.u->posX, itofix(400));
    EXPECT_EQ(corner.u->posY, 0);
    EXPECT_EQ(corner.u->getHP(), 90); // ten per step, not per edge
}

TEST(Walls, TheEdgeItselfIsInside) {
    const double spots[][2] = {{0, 0}, {400, 300}, {0, 300}, {400, 0}};
    for (int wall : {WALL_STOP, WALL_IGNORE, WALL_BOUNCE, WALL_PUSH})
        for (const auto& s : spots) {
            Arena a(wall, s[0], s[1]);
            a.w.step();
            EXPECT_EQ(a.u->getHP(), 100) << wall;
            EXPECT_TRUE(a.u->kbForces.empty()) << wall;
            EXPECT_EQ(a.u->wallTime, 0);
        }
}

TEST(Walls, TestThePositionBeforeTheStepsMove) {
    Arena a(WALL_STOP, 399, 100);
    a.u->faceAngle(itofix(64));
    a.u->walk(true);
    a.w.step();
    EXPECT_EQ(a.u->posX, itofix(401));
    EXPECT_EQ(a.u->getHP(), 100);
    a.w.step(); // put back on the edge, then the walk of this step
    EXPECT_EQ(a.u->posX, itofix(402));
    EXPECT_EQ(a.u->getHP(), 90);
}

TEST(Walls, IgnoreLetsUnitsLeaveAtACost) {
    Arena a(WALL_IGNORE, -5, 100);
    a.u->addKnockBack(itofix(192), itofix(8), 5);
    a.w.step();
    a.w.step();
    EXPECT_EQ(a.u->posX, itofix(-21));
    EXPECT_EQ(a.u->getHP(), 80);
    EXPECT_EQ(a.u->wallTime, 2);
    a.u->posX = itofix(5);
    a.w.step();
    EXPECT_EQ(a.u->wallTime, 0);

    // A long stay outside runs the loss down to the lowest value instead of wrapping around.
    a.u->posX = itofix(-5);
    a.u->hp = -INT_MAX + 5;
    a.w.step();
    EXPECT_EQ(a.u->getHP(), -INT_MAX);
}

TEST(Walls, AUnitOutsideStopsAtTheEdgeOfTheRangeOfFixed) {
    // Pushed on and on out of an arena without walls, it stays at the largest position.
    Arena a(WALL_IGNORE, 100, 100);
    a.u->posX = 0x7FFFFFF0;
    a.u->posY = -0x7FFFFFF0;
    a.u->addKnockBack(itofix(32), itofix(8), 5); // up and to the right, beyond both edges
    a.w.step();
    EXPECT_EQ(a.u->posX, 0x7FFFFFFF);
    EXPECT_EQ(a.u->posY, -0x7FFFFFFF);
}

TEST(Walls, BounceTurnsForcesBackForUnitsThatIgnoreTheWall) {
    Arena plain(WALL_BOUNCE, -5, 100);
    plain.u->addKnockBack(itofix(192), itofix(8), 5);
    plain.w.step();
    EXPECT_EQ(plain.u->posX, 0);
    EXPECT_EQ(plain.u->kbForces[0].magnitude, 0);

    Arena ghost(WALL_BOUNCE, -5, 100, IGNORE_WALL_KNOCKBACK);
    ghost.u->addKnockBack(itofix(192), itofix(8), 5);
    ghost.w.step();
    EXPECT_EQ(ghost.u->kbForces[0].angle, itofix(64));
    EXPECT_EQ(ghost.u->kbForces[0].magnitude, itofix(6));
    EXPECT_EQ(ghost.u->posX, itofix(1));
    EXPECT_EQ(ghost.u->getHP(), 90);
    EXPECT_EQ(ghost.u->wallTime, 0); // such units do not count time outside

    // A force whose angle has run to the bottom of the range still turns back, by whole turns.
    Arena low(WALL_BOUNCE, 405, 100, IGNORE_WALL_KNOCKBACK);
    low.u->addKnockBack(itofix(-32704), itofix(8), 5); // right, 128 turns below
    low.w.step();
    EXPECT_EQ(normalizeAngle(low.u->kbForces[0].angle), itofix(192));
}

TEST(Walls, StopTurnsForcesAlongTheWallForUnitsThatIgnoreIt) {
    Arena side(WALL_STOP, -5, 100, IGNORE_WALL_KNOCKBACK);
    side.u->addKnockBack(itofix(224), itofix(8), 5); // left and up
    side.u->addKnockBack(itofix(160), itofix(8), 5); // left and down
    side.w.step();
    EXPECT_EQ(side.u->kbForces[0].angle, 0);
    EXPECT_EQ(side.u->kbForces[1].angle, itofix(128));
    EXPECT_NEAR(px(side.u->posX), -5, 0.001);
    EXPECT_EQ(side.u->kbForces[0].magnitude, itofix(8));

    Arena top(WALL_STOP, 100, -5, IGNORE_WALL_KNOCKBACK);
    top.u->addKnockBack(itofix(224), itofix(8), 5);
    top.w.step();
    EXPECT_EQ(top.u->kbForces[0].angle, itofix(192));
    EXPECT_NEAR(px(top.u->posX), 92, 0.001);

    Arena corner(WALL_STOP, -5, -5, IGNORE_WALL_KNOCKBACK);
    corner.u->addKnockBack(itofix(224), itofix(8), 5);
    corner.w.step();
    EXPECT_EQ(corner.u->kbForces[0].magnitude, 0);
    EXPECT_EQ(corner.u->posX, itofix(-5));
}

TEST(Walls, PushShovesBackHarderEachStepOutside) {
    Arena a(WALL_PUSH, -1, 100);
    a.w.step();
    EXPECT_NEAR(px(a.u->posX), 0.5, 0.0001);
    EXPECT_EQ(a.u->getHP(), 90);
    ASSERT_EQ(a.u->kbForces.size(), 1u);
    EXPECT_FALSE(a.u->kbForces[0].weighted);
    a.w.step();
    EXPECT_EQ(a.u->wallTime, 0);

    Arena below(WALL_PUSH, 100, 301);
    below.w.step();
    EXPECT_EQ(below.u->kbForces[0].angle, 0); // back up
    EXPECT_NEAR(px(below.u->posY), 299.5, 0.0001);
}

// Held outside, the push grows by half each step until it reaches the largest fixed value,
// where it stays; on the 31st step the unit is put on the edge.
TEST(Walls, PushGrowthStopsAtTheLargestValueAndClampsOnThe31stStep) {
    Arena a(WALL_PUSH, -100, 100);
    fixed previous = 0;
    for (int n = 1; n <= 30; n++) {
        a.u->posX = itofix(-100);
        a.u->kbForces.clear();
        a.w.step();
        ASSERT_EQ(a.u->kbForces.size(), 1u);
        fixed f = a.u->kbForces[0].magnitude;
        const fixed first[] = {ftofix(1.5), ftofix(2.25), ftofix(3.375)};
        if (n <= 3) {
            EXPECT_EQ(f, first[n - 1]) << n;
        }
        if (n < 26) {
            EXPECT_GT(f, previous) << n;
        } else {
            EXPECT_EQ(f, INT_MAX) << n;
        }
        EXPECT_EQ(a.u->getHP(), 100 - n * 10);
        previous = f;
    }
    a.u->posX = itofix(-100);
    a.w.step();
    EXPECT_EQ(a.u->posX, 0);
    EXPECT_EQ(a.u->wallTime, 31);
    EXPECT_EQ(a.u->getHP(), 100 - 31 * 10);
    for (const kbForce& f : a.u->kbForces)
        EXPECT_EQ(f.magnitude, 0);
}

TEST(Walls, UnitsMadeToDieThereDieAtTheirFirstStepOutside) {
    Arena a(WALL_STOP, -5, 100, IGNORE_WALL_KNOCKBACK);
    a.u->unitPropertyHitbox = DIES_WHEN_HITS_WALL;
    a.w.step();
    EXPECT_EQ(a.u->getCharAnim(), ANIM_DEAD);
    EXPECT_EQ(a.u->posX, itofix(-5));
}
