#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArenaWorld.h"
#include "units/PlayerUnit.h"
#include "units/Unit.h"

namespace {

// A world with a player character "hero" (maxHP 300) whose three attacks each add a "shot".
struct HeroWorld : ArenaWorld {
    UnitTemplate* hero;
    PlayerUnit* player = nullptr;

    explicit HeroWorld(int playerFlags = 0, bool onClick = false) {
        hero = addType("hero", AFF_PLAYER, 20);
        hero->isThePC = true;
        hero->maxHP = 300;
        hero->unitPropertyPlayer = playerFlags;
        addType("shot", AFF_PLAYER_PROJECTILE, 4);
        addType("grunt", AFF_ENEMY, 20);
        for (int bit : {1, 2, 4})
            addAttack(hero, bit, "shot", 0, onClick);
    }
    PlayerUnit* spawn(int x = 200, int y = 150) {
        player = static_cast<PlayerUnit*>(place("hero", x, y));
        return player;
    }
    void resetInput() {
        for (auto* flags : {&input.getKeyPressed(), &input.getKeyClicked(), &input.getMousePressed(),
                            &input.getMouseClicked()})
            flags->assign(flags->size(), false);
    }
    // The variants of the spawn orders the player's attacks placed, oldest first; clears them.
    std::vector<int> firedVariants() {
        std::vector<int> v;
        for (UnitCreate* o : *round.getUnitsToAppear())
            v.push_back(o->variant);
        for (UnitCreate* o : *round.getUnitsToAppear())
            delete o;
        round.getUnitsToAppear()->clear();
        return v;
    }
    // One step of the whole list with the given button clicked (released) at this poll.
    void clickStep(int button) {
        resetInput();
        if (button >= 0) input.getMouseClicked()[button] = true;
        list.allUnitsMove(PlayerCommand::fromInput(input));
    }
    // The unit's decision of one step on the input object's state, as the battle commands it.
    void decide(PlayerUnit* u) {
        u->setCommand(PlayerCommand::fromInput(input));
        u->decideAction();
    }
};

} // namespace

TEST(PlayerJuice, StartsAtAThirdAndJuiceBecomesHealthUpToTheMaximum) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    EXPECT_EQ(p->getHP(), 100);
    EXPECT_EQ(p->getMaxHP(), 300);

    // A unit that earned 50 juice hands it over in the next step.
    UnitTemplate* giver = w.addType("giver", AFF_NEUTRAL);
    giver->juiceForPlayer = 50;
    Unit* g = w.place("giver", 20, 20);
    g->storeJuiceForPlayer(itofix(1));
    w.list.allUnitsMove(PlayerCommand::fromInput(w.input));
    EXPECT_EQ(p->getHP(), 150);
    EXPECT_EQ(p->getScore(), 50);
    EXPECT_EQ(p->getJuiceGained(), 0);

    giver->juiceForPlayer = 400;
    Unit* g2 = w.place("giver", 40, 20);
    g2->storeJuiceForPlayer(itofix(1));
    w.list.allUnitsMove(PlayerCommand::fromInput(w.input));
    EXPECT_EQ(p->getHP(), 300); // cut back in the same step
    EXPECT_EQ(p->getScore(), 450);
}

TEST(PlayerJuice, TheJuiceAilmentsScaleHealthButNotTheScore) {
    struct Case {
        bool boosted, drained;
        int hpGain;
    };
    for (Case c : {Case{true, false, 20}, Case{false, true, 0}, Case{true, true, 4}, Case{false, false, 4}}) {
        HeroWorld w;
        PlayerUnit* p = w.spawn();
        p->getGoodStatus()[1] = c.boosted ? 50 : 0;
        p->getBadStatus()[1] = c.drained ? 50 : 0;
        p->addJuiceGained(4);
        p->resetJuiceGained();
        EXPECT_EQ(p->getHP(), 100 + c.hpGain) << c.boosted << c.drained;
        EXPECT_EQ(p->getScore(), 4);
    }
}

TEST(PlayerJuice, DamageAndWallsLowerTheScore) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    p->addDamage(25);
    p->takeDamage();
    EXPECT_EQ(p->getHP(), 75);
    EXPECT_EQ(p->getScore(), -25);

    w.round.setArenaWall(WALL_IGNORE);
    PlayerUnit* outside = w.spawn(-50, 150);
    outside->takeDamage();
    EXPECT_EQ(outside->getScore(), -10);

    // Score, juice and health stop at the largest value however much is earned.
    PlayerUnit* rich = w.spawn();
    rich->addGoodStatus(1, 15); // five times the juice
    for (int i = 0; i < 3; i++)
        rich->addJuiceGained(INT_MAX / 2);
    EXPECT_EQ(rich->getScore(), INT_MAX);
    rich->resetJuiceGained();
    EXPECT_EQ(rich->getHP(), INT_MAX);
}

TEST(PlayerJuice, ADeadPlayerGetsNoJuiceAndDoesNothing) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    UnitTemplate* giver = w.addType("giver", AFF_NEUTRAL);
    giver->juiceForPlayer = 30;
    Unit* g = w.place("giver", 20, 20);
    g->storeJuiceForPlayer(itofix(1));
    p->killSelf();
    fixed facing = p->getDrawAngle();
    w.input.getKeyPressed()[ACTION_UP] = true;
    w.input.getMousePressed()[0] = true;
    w.list.giveJuiceToPlayer(p);
    w.decide(p);
    EXPECT_EQ(p->getHP(), 100);
    EXPECT_EQ(p->getScore(), 0);
    EXPECT_FALSE(p->getWalking());
    EXPECT_TRUE(w.round.getUnitsToAppear()->empty());
    EXPECT_EQ(p->getDrawAngle(), facing);
    // No player at all: the step still runs.
    w.list.giveJuiceToPlayer(nullptr);
}

TEST(PlayerWalking, KeysGiveEightDirectionsAndOppositeKeysKeepTheLastOne) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    struct Keys {
        bool up, down, left, right;
        int angle; // -1: unchanged
    };
    std::vector<Keys> cases = {
        {true, false, false, false, 0},   {false, true, false, false, 128}, {false, false, false, true, 64},
        {false, false, true, false, 192}, {true, false, false, true, 32},   {true, false, true, false, 224},
        {false, true, false, true, 96},   {false, true, true, false, 160},  {true, true, false, false, -1},
        {false, false, true, true, -1},   {true, true, true, false, 192},   {true, true, true, true, -1}};
    p->setWalkAngle(itofix(77));
    fixed previous = itofix(77);
    for (const Keys& k : cases) {
        w.resetInput();
        w.input.getKeyPressed()[ACTION_UP] = k.up;
        w.input.getKeyPressed()[ACTION_DOWN] = k.down;
        w.input.getKeyPressed()[ACTION_LEFT] = k.left;
        w.input.getKeyPressed()[ACTION_RIGHT] = k.right;
        p->endOfRound(); // clears walking
        w.decide(p);
        fixed expected = k.angle < 0 ? previous : itofix(k.angle);
        EXPECT_EQ(p->getWalkAngle(), expected) << k.up << k.down << k.left << k.right;
        EXPECT_TRUE(p->getWalking());            // a held key walks, even when its opposite cancels it
        EXPECT_EQ(p->getDrawAngle(), itofix(0)); // the keys never turn the facing
        previous = p->getWalkAngle();
    }
    w.resetInput();
    p->endOfRound();
    w.decide(p);
    EXPECT_FALSE(p->getWalking());
    EXPECT_EQ(p->getWalkAngle(), previous);
}

TEST(PlayerAttacks, HoldFiresEveryStepAndClickOncePerRelease) {
    HeroWorld hold(0, false);
    PlayerUnit* p = hold.spawn();
    hold.input.getMousePressed()[0] = true;
    for (int s = 0; s < 3; s++)
        hold.decide(p);
    EXPECT_EQ(hold.firedVariants().size(), 3u);

    HeroWorld click(0, true);
    PlayerUnit* q = click.spawn();
    click.input.getMousePressed()[0] = true;
    for (int s = 0; s < 3; s++)
        click.decide(q);
    EXPECT_TRUE(click.firedVariants().empty()); // held, not yet released
    click.resetInput();
    click.input.getMouseClicked()[0] = true;
    click.decide(q);
    EXPECT_EQ(click.firedVariants().size(), 1u);
}

TEST(PlayerAttacks, ButtonsAndTheHyperKeyMapToTheThreeAttacks) {
    HeroWorld w(0, true);
    PlayerUnit* p = w.spawn();
    // The shot the second attack adds is told apart by its own type name.
    w.hero->addedUnits[1]->unitName = "second";
    w.hero->addedUnits[2]->unitName = "third";
    auto firedName = [&](int button, int hyperKey) {
        w.resetInput();
        if (button >= 0) w.input.getMouseClicked()[button] = true;
        if (hyperKey) w.input.getKeyClicked()[ACTION_HYPER] = true;
        w.decide(p);
        std::string name =
            w.round.getUnitsToAppear()->empty() ? "" : w.round.getUnitsToAppear()->back()->unitName;
        w.firedVariants();
        return name;
    };
    EXPECT_EQ(firedName(0, false), "shot");
    EXPECT_EQ(firedName(1, false), "second");
    EXPECT_EQ(firedName(2, false), "third");
    EXPECT_EQ(firedName(-1, true), "third");
    EXPECT_EQ(firedName(-1, false), "");
}

TEST(PlayerAttacks, ACharacterWithoutAnAttackSimplyLacksIt) {
    HeroWorld w;
    delete w.hero->addedUnits[1];
    w.hero->addedUnits.erase(w.hero->addedUnits.begin() + 1);
    PlayerUnit* p = w.spawn();
    w.input.getMousePressed()[1] = true;
    w.decide(p);
    EXPECT_TRUE(w.firedVariants().empty());
    EXPECT_EQ(p->getHPCostOfAttack(2), 0);
}

TEST(PlayerAttacks, HPCostsAreSummedPerAttack) {
    HeroWorld w;
    w.addAttack(w.hero, 1, "shot", 7);
    w.addAttack(w.hero, 1, "shot", 5);
    w.addAttack(w.hero, 4, "shot", 9);
    PlayerUnit* p = w.spawn();
    EXPECT_EQ(p->getHPCostOfAttack(1), 12);
    EXPECT_EQ(p->getHPCostOfAttack(2), 0);
    EXPECT_EQ(p->getHPCostOfAttack(3), 9);
    EXPECT_EQ(p->getHPCostOfAttack(7), 9);
    p->setHPCostOfAttack(2, 4);
    p->setHPCostOfAttack(0, 99);
    p->setHPCostOfAttack(4, 99);
    EXPECT_EQ(p->getHPCostOfAttack(1), 12);
    EXPECT_EQ(p->getHPCostOfAttack(2), 4);
    EXPECT_EQ(p->getHPCostOfAttack(3), 9);
}

TEST(PlayerChains, TheFirstAttackChainsIntoVariantsOneAndTwoThenPauses) {
    HeroWorld w(CHAIN_ATTACK1, true);
    PlayerUnit* p = w.spawn();
    std::vector<int> variants;
    for (int s = 0; s < 3; s++) {
        w.clickStep(0);
        for (int v : w.firedVariants())
            variants.push_back(v);
    }
    EXPECT_EQ(variants, (std::vector<int>{0, 1, 2}));

    // The pause: neither attacks nor walking for the next steps.
    w.resetInput();
    w.input.getKeyPressed()[ACTION_RIGHT] = true;
    w.input.getMouseClicked()[0] = true;
    p->endOfRound();
    w.list.allUnitsMove(PlayerCommand::fromInput(w.input));
    EXPECT_TRUE(w.firedVariants().empty());
    EXPECT_FALSE(p->getWalking());
    for (int s = 0; s < 10; s++)
        w.clickStep(-1);
    w.clickStep(0);
    EXPECT_EQ(w.firedVariants(), std::vector<int>{0}); // the chain started over
}

TEST(PlayerChains, TheChainWindowIsThirtySteps) {
    for (auto [idleSteps, expected] : std::vector<std::pair<int, int>>{{28, 1}, {29, 0}}) {
        HeroWorld w(CHAIN_ATTACK1, true);
        w.spawn();
        w.clickStep(0);
        for (int s = 0; s < idleSteps; s++)
            w.clickStep(-1);
        w.clickStep(0);
        EXPECT_EQ(w.firedVariants(), (std::vector<int>{0, expected})) << idleSteps << " steps between";
    }
}

TEST(PlayerChains, TheOtherAttacksEndAChainWithTheVariantOfTheirLink) {
    struct Case {
        int flags;
        std::vector<int> buttons;
        std::vector<int> variants;
        bool paused;
    };
    std::vector<Case> cases = {
        {CHAIN_ATTACK1 | CHAIN_ATTACK2, {0, 1}, {0, 1}, true},
        {CHAIN_ATTACK1 | CHAIN_ATTACK2, {0, 0, 1}, {0, 1, 2}, true},
        {CHAIN_ATTACK1 | CHAIN_ATTACK2, {1, 1}, {0, 0}, false},
        {CHAIN_ATTACK1 | CHAIN_ATTACK4, {0, 2}, {0, 1}, false},
        {CHAIN_ATTACK1, {0, 0, 1}, {0, 1, 0}, false}, // no chain flag: variant 0, the chain ends
        {0, {0, 0, 0}, {0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        HeroWorld w(c.flags, true);
        PlayerUnit* p = w.spawn();
        std::vector<int> variants;
        for (int b : c.buttons) {
            w.clickStep(b);
            for (int v : w.firedVariants())
                variants.push_back(v);
        }
        EXPECT_EQ(variants, c.variants) << "flags " << c.flags;
        // The pause shows as a move lock: the next step's walking request is ignored.
        w.resetInput();
        w.input.getKeyPressed()[ACTION_UP] = true;
        p->endOfRound();
        w.decide(p);
        EXPECT_EQ(p->getWalking(), !c.paused) << "flags " << c.flags;
        // After the chain's last link the next first attack starts afresh.
        if (!c.paused) {
            w.clickStep(0);
            EXPECT_EQ(w.firedVariants(), std::vector<int>{0});
        }
    }
}

TEST(PlayerStun, AStunnedPlayerOnlyBreaksOutWithTheThirdAttack) {
    for (bool clears : {false, true}) {
        HeroWorld w(clears ? CLEAR_STUN_FOR_3RD_ATTACK : 0, false);
        PlayerUnit* p = w.spawn();
        p->addBadStatus(0, 50);
        p->endOfRound();
        ASSERT_EQ(p->getCharAnim(), ANIM_STUN);
        w.input.getKeyPressed()[ACTION_LEFT] = true;
        w.input.getMousePressed()[0] = true;
        w.input.getMousePressed()[1] = true;
        w.decide(p);
        EXPECT_FALSE(p->getWalking());
        EXPECT_TRUE(w.firedVariants().empty());
        w.input.getKeyPressed()[ACTION_HYPER] = true;
        w.decide(p);
        EXPECT_EQ(w.firedVariants().size(), clears ? 1u : 0u);
        EXPECT_EQ(p->getBadStatus()[0], clears ? 0 : 50);
        EXPECT_EQ(p->getBadStatusMax()[0], clears ? 0 : 50);
    }
}

TEST(PlayerAiming, SmallMovesAreIgnoredFastOnesSnapAndSlowOnesTurnATenth) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    p->aimWith(1, 0, 30);
    p->aimWith(0, -1, 30);
    p->aimWith(-1, 0, 30);
    EXPECT_EQ(p->getDrawAngle(), 0);

    p->aimWith(-40, 0, 30); // fast, left
    EXPECT_EQ(p->getDrawAngle(), itofix(-64));
    p->aimWith(25, -25, 30); // fast, up and to the right
    EXPECT_NEAR(fixtof(p->getDrawAngle()), 32.0, 0.05);
    p->aimWith(0, 40, 30); // fast, down
    EXPECT_NEAR(fixtof(p->getDrawAngle()), -128.0, 0.05);
    p->aimWith(40, 0, 30);
    EXPECT_EQ(p->getDrawAngle(), itofix(64));

    p->setFaceAngle(0);
    p->aimWith(20, 0, 30); // slow, right: a tenth of the way per step
    EXPECT_EQ(p->getDrawAngle(), itofix(64) / 10);
    p->aimWith(20, 0, 30);
    EXPECT_EQ(p->getDrawAngle(), itofix(64) / 10 + (itofix(64) - itofix(64) / 10) / 10);
    p->setFaceAngle(itofix(10));
    p->aimWith(-20, 0, 30); // slow, left: the short way round across 0
    EXPECT_EQ(p->getDrawAngle(), itofix(10) - itofix(74) / 10);
    EXPECT_EQ(p->getWalkAngle(), 0); // aiming never steers the walk

    // Through the input object: no movement at this poll, no aiming.
    w.decide(p);
    EXPECT_EQ(p->getDrawAngle(), itofix(10) - itofix(74) / 10);

    // A command that gives the facing sets it whatever the mouse did.
    PlayerCommand faced;
    faced.faceGiven = true;
    faced.facing = itofix(100);
    faced.mickeyX = 40;
    p->setCommand(faced);
    p->decideAction();
    EXPECT_EQ(p->getDrawAngle(), itofix(100));

    // The pad's right stick faces directly, however little it leans; centred, the facing stays.
    PadState pad;
    pad.present = true;
    pad.axis[3] = 40;
    w.input.processInput(false, pad);
    w.decide(p);
    EXPECT_EQ(p->getDrawAngle(), itofix(64));
    w.input.processInput(false, PadState());
    w.decide(p);
    EXPECT_EQ(p->getDrawAngle(), itofix(64));
}

TEST(PlayerAilments, TheHUDMaximaFollowEachAilment) {
    HeroWorld w;
    PlayerUnit* p = w.spawn();
    EXPECT_EQ(p->getGoodStatusMax(), std::vector<int>(4, 1));
    EXPECT_EQ(p->getBadStatusMax(), std::vector<int>(4, 1));
    p->addGoodStatus(2, 40);
    p->addGoodStatus(2, 10);
    EXPECT_EQ(p->getGoodStatusMax()[2], 50);
    p->addBadStatus(3, 2);
    p->takeDamage();
    EXPECT_EQ(p->getBadStatusMax()[3], 2);
    p->takeDamage();
    EXPECT_EQ(p->getBadStatusMax()[3], 0); // ended
    p->clearGoodStatus(2);
    EXPECT_EQ(p->getGoodStatusMax()[2], 0);
}

TEST(PlayerDrawing, TheAimPictureLiesUnderTheCharacter) {
    HeroWorld w;
    BITMAP* pointer = create_bitmap(30, 30);
    clear_to_color(pointer, makecol(255, 0, 0));
    w.hero->vecPics[ANIM_AIM].push_back(pointer);
    w.hero->animFrameTimes[ANIM_AIM].push_back(0);
    PlayerUnit* p = w.spawn(50, 50);
    BITMAP* arena = create_bitmap(100, 100);
    clear_to_color(arena, 0);
    w.list.drawUnits(arena, nullptr, false);
    int body = makecol(200, 200, 200);
    EXPECT_EQ(getpixel(arena, 50, 50), body);
    EXPECT_EQ(getpixel(arena, 50 + 13, 50), makecol(255, 0, 0));
    EXPECT_EQ(getpixel(arena, 50 + 20, 50), 0);
    (void)p;
    destroy_bitmap(arena);
}
