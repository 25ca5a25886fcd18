#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ArenaWorld.h"
#include "sim/Simulation.h"
#include "units/ContactGrid.h"
#include "units/Unit.h"
#include "units/vornMath.h"

// The contact grid must deal exactly the hits the all-pairs scan deals. Each scenario is played
// twice from one seed, once with each, and the two runs must agree on every unit after every step.

namespace {

// What the two runs must agree on, unit by unit, in list order.
std::string describe(UnitList& list) {
    std::ostringstream out;
    for (auto it = list.beginOfList(); it != list.endOfList(); ++it) {
        Unit* u = *it;
        out << u->getUnitName() << " at " << u->getPosX() << "," << u->getPosY() << " hp " << u->getHP()
            << " anim " << u->getCharAnim() << " good";
        for (int v : u->getGoodStatus())
            out << " " << v;
        out << " bad";
        for (int v : u->getBadStatus())
            out << " " << v;
        out << " forces";
        for (const kbForce& f : u->getKbForces())
            out << " (" << f.angle << " " << f.magnitude << " " << f.duration << " " << f.weighted << ")";
        out << "\n";
    }
    size_t pending = list.getUnitsToAppear() ? list.getUnitsToAppear()->size() : 0;
    out << pending << " orders pending\n";
    return out.str();
}

// The state after a step and the next number rand() gives, which shows whether both runs drew
// alike. The generator is seeded with that number, so the record changes nothing the runs share.
std::string record(UnitList& list) {
    unsigned next = (unsigned)std::rand();
    std::srand(next);
    return describe(list) + "rand " + std::to_string(next) + "\n";
}

// Plays a scenario for steps steps, drawing a frame every frameRatio steps, and records the
// state after every step.
std::vector<std::string> play(const std::function<int(Simulation&)>& setUp, bool exhaustive, int steps,
                              int frameRatio) {
    std::vector<std::string> states;
    std::srand(777);
    Simulation sim;
    sim.getUnitList().setExhaustiveContacts(exhaustive);
    if (setUp(sim) != 0) return states;
    sim.setScripted(true);
    for (int s = 0; s < steps; s += frameRatio) {
        sim.runPass(0, false);
        for (int i = 0; i < frameRatio; i++) {
            sim.step();
            states.push_back(record(sim.getUnitList()));
        }
        sim.drawFrame();
    }
    return states;
}

// Where two records part: the step and the first line that differs.
::testing::AssertionResult sameRecords(const std::vector<std::string>& scan,
                                       const std::vector<std::string>& grid) {
    if (scan.size() != grid.size())
        return ::testing::AssertionFailure()
               << scan.size() << " steps scanned, " << grid.size() << " with the grid";
    for (size_t s = 0; s < scan.size(); s++) {
        if (scan[s] == grid[s]) continue;
        std::istringstream a(scan[s]), b(grid[s]);
        std::string lineA, lineB;
        int line = 0;
        while (std::getline(a, lineA) && std::getline(b, lineB) && lineA == lineB)
            line++;
        return ::testing::AssertionFailure() << "the runs part after step " << s + 1 << ", line " << line + 1
                                             << "\n  scan: " << lineA << "\n  grid: " << lineB;
    }
    return ::testing::AssertionSuccess();
}

void expectSameGame(const std::function<int(Simulation&)>& setUp, int steps, int frameRatio = 1) {
    std::vector<std::string> scan = play(setUp, true, steps, frameRatio);
    std::vector<std::string> grid = play(setUp, false, steps, frameRatio);
    ASSERT_EQ(scan.size(), (size_t)steps) << "the scenario did not load: run the build first, it makes data/";
    EXPECT_TRUE(sameRecords(scan, grid));
}

// The Aegis orb makes whatever touches it invincible in the middle of a contact pass.
const std::vector<std::string> crowdTypes = {
    "Grub",   "Slinger", "Crystal", "SlingStone", "Bloater", "VigorOrb", "IceShard", "Icer",
    "Shaman", "Pillar",  "Leech",   "Splitter",   "HexBolt", "Brute",    "Turret",   "AegisOrb"};

} // namespace

TEST(ContactGridAgrees, CrowdedArenasOfEveryKindOfUnit) {
    for (const char* character : {"Warden", "Sparrow", "Hexa"}) {
        SCOPED_TRACE(character);
        expectSameGame(
            [&](Simulation& sim) { return sim.makeArena(500, 400, crowdTypes, 150, character, true); }, 1000);
    }
}

TEST(ContactGridAgrees, TheCampaignsRoundsWithFramesEveryOtherStep) {
    for (auto [campaign, round] : std::vector<std::pair<std::string, int>>{{"Conquest", 0},
                                                                           {"Conquest", 2},
                                                                           {"Conquest", 6},
                                                                           {"Conquest", 9},
                                                                           {"Gauntlet", 1},
                                                                           {"Tutorial", 3}}) {
        SCOPED_TRACE(campaign + " round " + std::to_string(round));
        expectSameGame([&](Simulation& sim) { return sim.loadCampaignRound(campaign, round, "Sparrow"); },
                       1200, 2);
    }
}

TEST(ContactGridAgrees, AThousandUnitsAndTheGridLooksAtFewPairs) {
    expectSameGame(
        [](Simulation& sim) { return sim.makeArena(1200, 1200, crowdTypes, 1000, "Warden", true); }, 100);

    std::srand(5);
    Simulation sim;
    ASSERT_EQ(sim.makeArena(1200, 1200, crowdTypes, 1000, "Warden", true), 0);
    sim.runPass(1, true);
    ContactGrid grid;
    grid.build(*sim.getUnitList().getUnits());
    long n = (long)sim.getUnitList().getUnits()->size();
    EXPECT_LT(grid.countCandidates(), n * n / 20) << "the grid should spare most of the pairs";
}

// Units the cells cannot hold: giants among small units, units far outside an arena without
// walls (where coordinate differences leave the range of fixed), units on one spot (their
// bumps draw random directions), dead ones, and kills whose order shows. Then the same with a
// crowd of big units of two sizes walking among the small ones, meeting them and each other.
TEST(ContactGridAgrees, GiantsStragglersFarOutsideAndStackedUnits) {
    auto scenario = [](bool exhaustive, int bigOnes) {
        std::srand(99);
        ArenaWorld w(600, 400);
        w.list.setExhaustiveContacts(exhaustive);
        w.round.setArenaWall(WALL_IGNORE);
        UnitTemplate* small = w.addType("mite", AFF_ENEMY, 8);
        small->walkspeed = itofix(3);
        small->damageDealt = 2;
        small->kbMag = itofix(2);
        w.addType("giant", AFF_NEUTRAL, 160)->damageDealt = 1;
        UnitTemplate* shot = w.addType("shot", AFF_PLAYER_PROJECTILE, 6);
        shot->walkspeed = itofix(9);
        shot->unitInput->targetAffiliation = AFF_ENEMY;
        // Shots that a mite touches die at once and leave a spark where they were, so the order
        // in which one mite's contacts are dealt shows in the order of the sparks.
        shot->unitPropertyHitbox = DIES_WHEN_ENEMY_HITS;
        w.addType("spark", AFF_NEUTRAL, 4);
        w.addAttack(shot, 8, "spark");
        for (int i = 0; i < 120; i++)
            w.place("mite", std::rand() % 600, std::rand() % 400, std::rand() % 256);
        for (int i = 0; i < 3; i++)
            w.place("giant", 100 + 200 * i, 200);
        for (int i = 0; i < 6; i++)
            w.place("mite", 300, 300); // on one spot
        for (int i = 0; i < 150; i++)
            w.place("shot", std::rand() % 600, std::rand() % 400, std::rand() % 256);
        // Near both ends of the fixed range, where x differences wrap.
        w.placeExact("mite", (fixed)0x7FFF0000, itofix(10), 0);
        w.placeExact("mite", (fixed)-0x7FFF0000, itofix(10), 0);
        w.placeExact("shot", (fixed)0x7FFFFFF0, itofix(10), itofix(64));
        UnitTemplate* boulder = w.addType("boulder", AFF_ENEMY, 40);
        boulder->walkspeed = itofix(2);
        boulder->damageDealt = 1;
        for (int i = 0; i < bigOnes; i++)
            w.place(i % 4 ? "boulder" : "giant", std::rand() % 600, std::rand() % 400, std::rand() % 256);
        std::vector<std::string> states;
        for (int s = 0; s < 400; s++) {
            w.step();
            if (s % 2 == 1) w.list.drawUnits(nullptr, nullptr, false);
            states.push_back(record(w.list));
        }
        return states;
    };
    for (int bigOnes : {0, 60}) {
        SCOPED_TRACE(std::to_string(bigOnes) + " big units");
        EXPECT_TRUE(sameRecords(scenario(true, bigOnes), scenario(false, bigOnes)));
    }
}

// The grid's own promise, checked against the distance test on random layouts: every unit within
// reach is a candidate, candidates come in list order, dead units take part in nothing; whether
// the pairs were found in one sweep or, in a packed crowd, unit by unit.
TEST(ContactGridCandidates, EveryTouchingPairIsOfferedInListOrder) {
    ArenaWorld w(800, 600);
    w.addType("small", AFF_ENEMY, 10);
    w.addType("mid", AFF_NEUTRAL, 30);
    w.addType("huge", AFF_ENEMY, 300);
    std::srand(3);
    for (int layout = 0; layout < 20; layout++) {
        w.list.clear();
        bool packed = layout % 5 == 4;
        int n = packed ? 300 + std::rand() % 50 : 50 + std::rand() % 300;
        for (int i = 0; i < n; i++) {
            const char* type = i % 50 == 7 ? "huge" : i % 3 ? "small" : "mid";
            // Some outside the arena, some on negative coordinates; every fifth layout packed into
            // a corner, more pairs than a sweep keeps, so the grid searches unit by unit.
            int spread = packed ? 30 : 1000;
            w.place(type, std::rand() % spread - 100, std::rand() % (spread * 4 / 5) - 100);
        }
        std::vector<Unit*>& units = *w.list.getUnits();
        static_cast<Unit*>(units[5])->killSelf();
        units[5]->draw(nullptr, nullptr, false); // the death animation takes over
        ContactGrid grid;
        grid.build(units);
        EXPECT_EQ(grid.wasSwept(), !packed) << "layout " << layout;
        for (int a = 0; a < n; a++) {
            ContactGrid::Candidates found = grid.candidates(a);
            std::vector<int> offered(found.begin(), found.end());
            EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
            if (a == 5) {
                EXPECT_TRUE(offered.empty());
                continue;
            }
            for (int v = 0; v < n; v++) {
                Unit* A = units[a];
                Unit* V = units[v];
                fixed reach = (fixed)(((long long)A->getPicSize() + V->getPicSize()) / 2);
                bool touches = calcDist(A->getPosX(), A->getPosY(), V->getPosX(), V->getPosY()) <= reach;
                bool isOffered = std::binary_search(offered.begin(), offered.end(), v);
                if (v == 5) {
                    EXPECT_FALSE(isOffered);
                } else if (touches) {
                    EXPECT_TRUE(isOffered) << "layout " << layout << ": " << a << " touches " << v;
                }
            }
        }
        EXPECT_EQ(grid.getWideCount() > 0, true) << "the huge units lie on a coarser level";
    }
}
