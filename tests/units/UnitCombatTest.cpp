#include <gtest/gtest.h>

#include "units/UnitWorld.h"

// The pair rule, hits, damage, juice, ailments and death.

namespace {

const int sides[] = {AFF_PLAYER, AFF_PLAYER_PROJECTILE, AFF_ENEMY, AFF_ENEMY_PROJECTILE, AFF_NEUTRAL};

// Outcomes of the pair rule; a knock with the attack knockback included counts ten times.
const int HIT = 10, DAMAGE_ONLY = 2, BUMP = 4, NOTHING = 8;

struct Pair {
    UnitWorld w;
    ProbeUnit* a;
    ProbeUnit* v;
    Pair(int attacker, int victim) {
        a = w.add(w.type(attacker), 100, 100);
        v = w.add(w.type(victim), 110, 100);
    }
    int rule() {
        bool withAttackKB = false;
        int r = a->shouldCheckToGetHit(v, withAttackKB);
        return (r == 1 || r == 4) && withAttackKB ? r * 10 : r; // the flag only counts with a knock
    }
};

} // namespace

TEST(PairRule, SidesAloneDecideHitOrBump) {
    const int expected[5][5] = {
        // victim: player, playerProjectile, enemy, enemyProjectile, neutral
        {BUMP, BUMP, HIT, HIT, HIT}, // player
        {BUMP, BUMP, HIT, HIT, HIT}, // playerProjectile
        {HIT, HIT, BUMP, BUMP, HIT}, // enemy
        {HIT, HIT, BUMP, BUMP, HIT}, // enemyProjectile
        {HIT, HIT, HIT, HIT, HIT},   // neutral: nobody's ally, not even its own kind's
    };
    for (int i = 0; i < 5; i++)
        for (int j = 0; j < 5; j++)
            EXPECT_EQ(Pair(sides[i], sides[j]).rule(), expected[i][j]) << sides[i] << " on " << sides[j];
}

TEST(PairRule, NeverItselfNorTheDead) {
    Pair p(AFF_PLAYER, AFF_ENEMY);
    bool kb;
    EXPECT_EQ(p.a->shouldCheckToGetHit(p.a, kb), NOTHING);
    p.v->changeAnim(ANIM_DEAD);
    EXPECT_EQ(p.rule(), NOTHING);
    Pair q(AFF_PLAYER, AFF_ENEMY);
    q.a->changeAnim(ANIM_DEAD);
    EXPECT_EQ(q.rule(), NOTHING);
    Pair r(AFF_PLAYER, AFF_ENEMY);
    r.v->killSelf(); // hittable until its death animation is shown
    EXPECT_EQ(r.rule(), HIT);
}

TEST(PairRule, GoingThrough) {
    Pair allies(AFF_ENEMY, AFF_ENEMY_PROJECTILE);
    allies.v->unitPropertyHitbox = GOES_THROUGH_ALLY; // either unit's flag counts
    EXPECT_EQ(allies.rule(), NOTHING);
    Pair opponents(AFF_ENEMY, AFF_PLAYER);
    opponents.a->unitPropertyHitbox = GOES_THROUGH_ALLY;
    EXPECT_EQ(opponents.rule(), HIT);

    Pair ghost(AFF_PLAYER, AFF_ENEMY_PROJECTILE);
    ghost.v->unitPropertyHitbox = GOES_THROUGH_OPPONENT;
    EXPECT_EQ(ghost.rule(), NOTHING);
    Pair fellows(AFF_ENEMY, AFF_ENEMY_PROJECTILE);
    fellows.a->unitPropertyHitbox = GOES_THROUGH_OPPONENT;
    EXPECT_EQ(fellows.rule(), BUMP);
    Pair neutrals(AFF_NEUTRAL, AFF_NEUTRAL);
    neutrals.a->unitPropertyHitbox = GOES_THROUGH_OPPONENT;
    EXPECT_EQ(neutrals.rule(), NOTHING);
}

TEST(PairRule, StunnedAttackers) {
    Pair stunned(AFF_ENEMY, AFF_PLAYER);
    stunned.a->getBadStatus()[0] = 5;
    EXPECT_EQ(stunned.rule(), BUMP);
    stunned.a->unitPropertyHitbox = HITS_OPPONENT_WHEN_STUNNED;
    EXPECT_EQ(stunned.rule(), HIT);

    Pair fellows(AFF_ENEMY, AFF_ENEMY);
    fellows.a->unitPropertyHitbox = HITS_ALLY_WHEN_STUNNED;
    EXPECT_EQ(fellows.rule(), BUMP); // only while stunned
    fellows.a->getBadStatus()[0] = 5;
    EXPECT_EQ(fellows.rule(), HIT);
    fellows.v->getBadStatus()[0] = 5; // the victim's stun changes nothing
    fellows.a->getBadStatus()[0] = 0;
    EXPECT_EQ(fellows.rule(), BUMP);
}

TEST(PairRule, Indestructible) {
    Pair wall(AFF_PLAYER, AFF_ENEMY);
    wall.v->unitPropertyDefense = INDESTRUCTIBLE;
    EXPECT_EQ(wall.rule(), NOTHING);
    wall.a->unitPropertyDefense = INDESTRUCTIBLE; // two indestructible units still bump
    EXPECT_EQ(wall.rule(), BUMP);
    wall.a->unitPropertyDefense = 0;
    wall.a->unitPropertyHitbox = HITS_INDESTRUCTIBLE;
    EXPECT_EQ(wall.rule(), HIT);
}

TEST(PairRule, HitsPlayerOverridesAlliesStunsAndIndestructible) {
    Pair p(AFF_ENEMY, AFF_PLAYER);
    p.a->unitPropertyHitbox = HITS_PLAYER;
    p.a->getBadStatus()[0] = 5;
    p.v->unitPropertyDefense = INDESTRUCTIBLE;
    EXPECT_EQ(p.rule(), HIT);
    Pair own(AFF_PLAYER_PROJECTILE, AFF_PLAYER);
    own.a->unitPropertyHitbox = HITS_PLAYER;
    EXPECT_EQ(own.rule(), HIT);
    Pair projectile(AFF_ENEMY, AFF_PLAYER_PROJECTILE); // only the player's own side value
    projectile.a->unitPropertyHitbox = HITS_PLAYER;
    projectile.a->getBadStatus()[0] = 5;
    EXPECT_EQ(projectile.rule(), BUMP);
    // Later rules still win over it.
    p.v->getGoodStatus()[0] = 5;
    EXPECT_EQ(p.rule(), NOTHING);
    p.v->getGoodStatus()[0] = 0;
    p.v->unitPropertyDefense = NO_DAMAGE;
    EXPECT_EQ(p.rule(), BUMP);
}

TEST(PairRule, VictimAndAttackerFlags) {
    Pair p(AFF_PLAYER, AFF_ENEMY);
    p.v->unitPropertyDefense = NO_KNOCKBACK;
    EXPECT_EQ(p.rule(), DAMAGE_ONLY);
    p.v->unitPropertyDefense = NO_DAMAGE;
    EXPECT_EQ(p.rule(), BUMP);
    p.v->unitPropertyDefense = NO_DAMAGE | NO_KNOCKBACK;
    EXPECT_EQ(p.rule(), NOTHING);
    p.v->unitPropertyDefense = 0;
    p.v->getGoodStatus()[0] = 1; // invincible: not even bumped
    EXPECT_EQ(p.rule(), NOTHING);
    p.v->getGoodStatus()[0] = 0;
    p.a->unitPropertyHitbox = DEALS_NO_KNOCKBACK;
    EXPECT_EQ(p.rule(), DAMAGE_ONLY);
}

namespace {

// A player and an enemy touching, as in a fight.
struct Fight {
    UnitWorld w;
    ProbeUnit* player;
    ProbeUnit* enemy;
    Fight() {
        UnitTemplate* p = w.type(AFF_PLAYER);
        p->damageDealt = 8;
        p->juiceForPlayer = 3;
        UnitTemplate* e = w.type(AFF_ENEMY);
        e->damageDealt = 5;
        e->juiceForPlayer = 2;
        player = w.add(p, 100, 100);
        enemy = w.add(e, 110, 100);
    }
};

} // namespace

TEST(Damage, BothSidesHitAndOnlyThePlayerEarnsJuice) {
    Fight f;
    f.w.step();
    EXPECT_EQ(f.enemy->getHP(), 92);
    EXPECT_EQ(f.player->getHP(), 95);
    EXPECT_EQ(f.player->juiceStored, 3);
    EXPECT_EQ(f.enemy->juiceStored, 0);
    EXPECT_EQ(f.player->scoreLost, 5);
    EXPECT_EQ(f.enemy->soundToPlay, SOUND_HIT);
}

TEST(Damage, AnInvinciblePlayerTakesNothingAndEarnsNothing) {
    Fight f;
    f.player->getGoodStatus()[0] = 5;
    f.w.step();
    EXPECT_EQ(f.enemy->getHP(), 92);
    EXPECT_EQ(f.player->getHP(), 100);
    EXPECT_EQ(f.player->juiceStored, 0);
}

TEST(Damage, StrengthAndWeaknessScaleDamageAndJuice) {
    struct Case {
        bool strong, weak;
        int hpLeft, juice;
    } cases[] = {{true, false, 84, 6}, {true, true, 92, 3}, {false, true, 96, 2}}; // 1.5 rounds up to 2
    for (const Case& c : cases) {
        Fight f;
        f.player->getGoodStatus()[3] = c.strong ? 5 : 0;
        f.player->getBadStatus()[3] = c.weak ? 5 : 0;
        f.w.step();
        EXPECT_EQ(f.enemy->getHP(), c.hpLeft) << c.strong << c.weak;
        EXPECT_EQ(f.player->juiceStored, c.juice) << c.strong << c.weak;
    }
}

TEST(Damage, AStunnedEnemyKnockedIntoItsFellowsEarnsJuice) {
    UnitWorld w;
    UnitTemplate* e = w.type(AFF_ENEMY);
    e->damageDealt = 5;
    e->juiceForPlayer = 2;
    ProbeUnit* tumbling = w.add(e, 100, 100);
    ProbeUnit* fellow = w.add(e, 110, 100);
    tumbling->getBadStatus()[0] = 10;
    w.step();
    EXPECT_EQ(fellow->getHP(), 100); // a stunned unit only bumps
    EXPECT_EQ(tumbling->juiceStored, 0);

    tumbling->unitPropertyHitbox = HITS_ALLY_WHEN_STUNNED;
    w.step();
    EXPECT_EQ(fellow->getHP(), 95);
    EXPECT_EQ(tumbling->getHP(), 100);
    EXPECT_EQ(tumbling->juiceStored, 2);
    EXPECT_EQ(fellow->juiceStored, 0);
}

TEST(Damage, NegativeDamageHealsUpToTheMaximum) {
    Fight f;
    f.player->damageDealt = -30;
    f.enemy->hp = 80;
    f.w.step();
    EXPECT_EQ(f.enemy->getHP(), 100);
    f.enemy->hp = 50;
    f.w.step();
    EXPECT_EQ(f.enemy->getHP(), 80);
}

TEST(Damage, AHitDoesNotDrownAPendingDeathCry) {
    Fight f;
    f.enemy->soundToPlay = SOUND_DEAD;
    f.w.step();
    EXPECT_EQ(f.enemy->soundToPlay, SOUND_DEAD);
}

TEST(Damage, InvincibleWhenHitGivesFifteenSteps) {
    Fight f;
    f.player->unitPropertyPlayer = INVINCIBLE_WHEN_HIT;
    f.w.step();
    EXPECT_EQ(f.player->getGoodStatus()[0], 14); // counted down in the same step
    EXPECT_EQ(f.player->getHP(), 95);
    f.w.step();
    EXPECT_EQ(f.player->getHP(), 95);
    Fight immune;
    immune.player->unitPropertyPlayer = INVINCIBLE_WHEN_HIT;
    immune.player->unitPropertyStatus = IMMUNE_GOOD_AILMENTS;
    immune.w.step();
    EXPECT_EQ(immune.player->getGoodStatus()[0], 0);
}

TEST(Contact, DeathsByTheToucherSide) {
    struct Case {
        int flag, side;
    } cases[] = {{DIES_WHEN_PLAYER_HITS, AFF_PLAYER},
                 {DIES_WHEN_PLAYER_PROJECTILE_HITS, AFF_PLAYER_PROJECTILE},
                 {DIES_WHEN_ENEMY_HITS, AFF_ENEMY},
                 {DIES_WHEN_ENEMY_PROJECTILE_HITS, AFF_ENEMY_PROJECTILE},
                 {DIES_WHEN_NEUTRAL_HITS, AFF_NEUTRAL}};
    for (const Case& c : cases)
        for (int side : sides) {
            Pair p(side, AFF_ENEMY); // a bump is enough
            p.v->unitPropertyHitbox = c.flag;
            p.w.step();
            EXPECT_EQ(p.v->getCharAnim() == ANIM_DEAD, side == c.side) << c.flag << " touched by " << side;
        }
}

TEST(Contact, OverlappingUnitsArePushedApartByHalfTheOverlapEach) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY, 30, 40); // contact diameter 40
    ProbeUnit* a = w.add(t, 100, 100);
    ProbeUnit* b = w.add(t, 130, 100);
    w.step();
    EXPECT_NEAR(px(a->posX), 95, 0.001);
    EXPECT_NEAR(px(b->posX), 135, 0.001);
    EXPECT_EQ(a->getHP(), 100);
    ASSERT_EQ(b->kbForces.size(), 1u);
    EXPECT_FALSE(b->kbForces[0].weighted);
    EXPECT_EQ(b->kbForces[0].duration, 1);

    ProbeUnit* far = w.add(t, 200, 100); // 40 from c: just touching
    ProbeUnit* c = w.add(t, 240, 100);
    w.step();
    EXPECT_EQ(far->kbForces.size(), 1u);
    EXPECT_NEAR(px(c->posX), 240, 0.001);
    c->posX += 1;
    w.endFrame();
    w.endFrame();
    w.step();
    EXPECT_TRUE(c->kbForces.empty());
}

TEST(Contact, UnitsOnOneSpotBumpInRandomDirections) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    ProbeUnit* a = w.add(t, 100, 100);
    ProbeUnit* b = w.add(t, 100, 100);
    w.step();
    ASSERT_EQ(a->kbForces.size(), 1u);
    ASSERT_EQ(b->kbForces.size(), 1u);
    EXPECT_EQ(a->kbForces[0].magnitude, itofix(1));
    EXPECT_EQ(b->kbForces[0].magnitude, itofix(1));
    EXPECT_EQ(a->kbForces[0].angle % itofix(1), 0); // a whole direction
}

TEST(Ailments, HitsDealThemAndTheVictimsFlagsResistThem) {
    struct Case {
        int status, expected;
    } cases[] = {{0, 9}, {RESIST_BAD_AILMENTS, 4}, {IMMUNE_BAD_AILMENTS, 0}, {RESIST_GOOD_AILMENTS, 9}};
    for (const Case& c : cases) {
        UnitWorld w;
        UnitTemplate* t = w.type(AFF_PLAYER);
        t->badStatus = {10, 0, 0, 0};
        t->goodStatus = {0, 0, 6, 0};
        ProbeUnit* stunner = w.add(t, 100, 100);
        ProbeUnit* victim = w.add(w.type(AFF_ENEMY), 110, 100);
        victim->unitPropertyStatus = c.status;
        w.step();
        EXPECT_EQ(victim->getBadStatus()[0], c.expected) << c.status; // less the step's count-down
        EXPECT_EQ(victim->getGoodStatus()[2], c.status == RESIST_GOOD_AILMENTS ? 2 : 5) << c.status;
        EXPECT_EQ(stunner->getBadStatus()[0], 0);
    }
}

TEST(Ailments, StepsAddUpAndEveryChangeIsReported) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->addBadStatus(0, 3);
    u->addBadStatus(0, 2);
    EXPECT_EQ(u->getBadStatus()[0], 5);
    EXPECT_EQ(u->badMax, (std::vector<std::pair<int, int>>{{0, 3}, {0, 5}}));
    u->addGoodStatus(4, 9); // no such ailment
    u->addGoodStatus(-1, 9);
    u->addGoodStatus(1, 0);
    EXPECT_TRUE(u->goodMax.empty());
    u->addGoodStatus(1, 2);
    u->badMax.clear();
    u->goodMax.clear();
    for (int i = 0; i < 5; i++)
        u->takeDamage();
    EXPECT_EQ(u->getBadStatus()[0], 0);
    EXPECT_EQ(u->getGoodStatus()[1], 0);
    EXPECT_EQ(u->badMax, (std::vector<std::pair<int, int>>{{0, 0}})); // once, when it ends
    EXPECT_EQ(u->goodMax, (std::vector<std::pair<int, int>>{{1, 0}}));
    u->addGoodStatus(3, 7);
    u->clearGoodStatus(3);
    u->clearBadStatus(9);
    EXPECT_EQ(u->getGoodStatus()[3], 0);
    EXPECT_EQ(u->goodMax.back(), std::make_pair(3, 0));
}

TEST(Ailments, StunShowsAndCoolDownsCountSteps) {
    UnitWorld w;
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 100, 100);
    u->addBadStatus(0, 2);
    u->attack2CoolDown = 1;
    u->endOfRound();
    EXPECT_EQ(u->getCharAnim(), ANIM_STUN);
    w.step();
    w.step();
    EXPECT_EQ(u->attack2CoolDown, 0);
    u->endOfRound();
    EXPECT_EQ(u->getCharAnim(), ANIM_IDLE);
}

TEST(Lifetime, CountsTheDeathChecks) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY_PROJECTILE);
    t->timeToLive = 0;
    ProbeUnit* shot = w.add(t, 100, 100);
    w.endFrame();
    EXPECT_EQ(shot->getCharAnim(), ANIM_DEAD);

    t->timeToLive = 2;
    ProbeUnit* longer = w.add(t, 100, 100);
    longer->endOfRound();
    longer->endOfRound();
    EXPECT_NE(longer->getCharAnim(), ANIM_DEAD);
    longer->endOfRound();
    EXPECT_EQ(longer->getCharAnim(), ANIM_DEAD);

    t->timeToLive = -5; // already run out
    EXPECT_TRUE(w.add(t, 100, 100)->youAreDead());

    t->timeToLive = -20;
    ProbeUnit* lasting = w.add(t, 100, 100);
    for (int i = 0; i < 500; i++)
        lasting->endOfRound();
    EXPECT_NE(lasting->getCharAnim(), ANIM_DEAD);
    lasting->hp = 0;
    lasting->endOfRound();
    EXPECT_EQ(lasting->getCharAnim(), ANIM_DEAD);
}

TEST(Death, SpawnsItsDeathUnitsOnce) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addEntry(t, "shot", 1);
    UnitWorld::addEntry(t, "boom", 8);
    ProbeUnit* u = w.add(t, 100, 100);
    u->attackState = 0;
    u->hp = 0;
    u->endOfRound();
    u->killSelf();
    u->endOfRound();
    ASSERT_EQ(w.orders().size(), 1u);
    EXPECT_EQ(w.orders()[0]->unitName, "boom");
    EXPECT_EQ(w.orders()[0]->creator, u);
    EXPECT_EQ(u->getCharAnim(), ANIM_DEAD);
    EXPECT_EQ(u->soundToPlay, SOUND_DEAD);
    EXPECT_EQ(u->attackState, 0); // a death is no attack
}

TEST(Death, TheWallKillsUnitsMadeToDieThere) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY_PROJECTILE);
    t->unitPropertyHitbox = DIES_WHEN_HITS_WALL;
    UnitWorld::addEntry(t, "splash", 8);
    ProbeUnit* u = w.add(t, -3, 100);
    w.step();
    w.step();
    EXPECT_EQ(u->getCharAnim(), ANIM_DEAD);
    EXPECT_EQ(w.orders().size(), 1u);
}
