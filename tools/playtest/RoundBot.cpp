#include "tools/playtest/RoundBot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "content/UnitTemplate.h"
#include "units/PlayerUnit.h"
#include "units/Unit.h"

namespace {

double px(fixed f) { return fixtof(f); }

bool isAlive(Unit* u) { return u->getCharAnim() != ANIM_DEAD && !u->getRemoveThisUnit(); }

// Walk keys for a wish to move along (dx, dy); a component below a third of the other is dropped.
void pressTowards(std::vector<bool>& keys, double dx, double dy) {
    double ax = std::fabs(dx), ay = std::fabs(dy);
    if (ax < 1e-6 && ay < 1e-6) return;
    if (ax >= ay / 3) keys[dx > 0 ? ACTION_RIGHT : ACTION_LEFT] = true;
    if (ay >= ax / 3) keys[dy > 0 ? ACTION_DOWN : ACTION_UP] = true;
}

int costOf(PlayerUnit* p, int attack) { return p->getHPCostOfAttack(attack); }

} // namespace

RoundBot::RoundBot()
    : arena(nullptr), passes(0), ranged(false), reach(30), shotRange(60), strafeSign(1), lastEnemyCount(0), enemiesSeen(0) {}

RoundBot::~RoundBot() {
    list.clear();
    if (arena) destroy_bitmap(arena);
}

int RoundBot::loadRound(const std::string& campaignName_, int roundNumber, const std::string& character) {
    list.clear();
    if (campaignName != campaignName_) {
        campaignName = campaignName_;
        std::string name = campaignName;
        campaign.setName(&name);
        if (loader.loadCampaign(campaign) != 0) return 1;
        loader.loadAllUnitsFromCampaign(campaign);
    }
    loader.addPC(character);
    std::string charName = character;
    UnitTemplate* pc = loader.getUnitTemplate(charName);
    // What a round section leaves out (the arena size, the title) it keeps from the rounds before.
    for (int earlier = 0; pc && earlier < roundNumber; earlier++) {
        loader.loadRound(campaign, earlier, &round, character, nullptr);
        list.setupRound(&round);
        list.clear();
    }
    if (!pc || loader.loadRound(campaign, roundNumber, &round, character, nullptr) != 0) return 1;
    list.setupRound(&round);

    // The first attack's added unit decides the style: a shot that flies keeps its distance.
    // Its flight (speed times life) sets how far away the script stands and when it shoots.
    ranged = false;
    shotRange = 60;
    for (AddUnitTemplate* a : pc->addedUnits) {
        if (!(a->attack & 1)) continue;
        std::string shot = a->unitName;
        UnitTemplate* t = loader.getUnitTemplate(shot);
        ranged = t && t->walkspeed > itofix(1);
        if (ranged) shotRange = (int)(fixtof(t->walkspeed) * std::max(1, t->timeToLive));
        break;
    }
    reach = ranged ? std::min(140, std::max(60, shotRange / 2)) : 26;
    passes = 0;
    strafeSign = 1;
    enemiesSeen = 0;
    lastEnemyCount = 0;

    if (arena) destroy_bitmap(arena);
    arena = create_bitmap(fixtoi(round.getArenaSizeX()), fixtoi(round.getArenaSizeY()));
    if (!arena) return 1;
    clear_bitmap(arena);
    return 0;
}

int RoundBot::getRoundState() {
    if (!list.anyRemainingAffiliation(AFF_PLAYER, &loader)) return 2;
    if (!list.anyRemainingAffiliation(AFF_ENEMY, &loader)) return 1;
    return 0;
}

RoundOutcome RoundBot::play(long maxSteps, bool trace) {
    RoundOutcome out;
    std::set<Unit*> seen; // units are not freed before the round ends, so addresses stay unique
    out.lowestHP = -1;
    while (out.steps < maxSteps) {
        pass();
        out.steps++;
        for (Unit* u : list.search(0, AFF_ENEMY))
            seen.insert(u);
        if (PlayerUnit* p = findPlayer()) {
            out.maxHP = p->getMaxHP();
            out.hpLeft = p->getHP();
            out.score = p->getScore();
            if (out.lowestHP < 0 || p->getHP() < out.lowestHP) out.lowestHP = p->getHP();
        }
        if (trace && out.steps % 10 == 0) {
            PlayerUnit* p = findPlayer();
            int near = 0;
            Unit* t = p ? chooseTarget(p, near) : nullptr;
            std::printf("  step %5ld hp %4d enemies %2zu near %d", out.steps, p ? p->getHP() : 0,
                        list.search(0, AFF_ENEMY).size(), near);
            if (p && t)
                std::printf(" target %s %d hp at %.0f px", t->getUnitName().c_str(), t->getHP(),
                            std::hypot(px(t->getPosX() - p->getPosX()), px(t->getPosY() - p->getPosY())));
            std::printf("\n");
        }
        out.state = getRoundState();
        if (out.state != 0) break;
    }
    if (out.state == 2) out.hpLeft = 0;
    out.enemiesSeen = (int)seen.size();
    return out;
}

void RoundBot::pass() {
    script();
    list.simulationStep(&loader, &round, PlayerCommand::fromInput(input));
    // Animation holds and knockback decay count drawn frames: one frame per step, as at full speed.
    if (BITMAP* pic = round.getArenaPic())
        stretch_blit(pic, arena, 0, 0, pic->w, pic->h, 0, 0, arena->w, arena->h);
    list.drawUnits(arena, nullptr, false);
    passes++;
}

PlayerUnit* RoundBot::findPlayer() {
    for (Unit* u : list.search(1, 0))
        if (u->getUnitTemplate() && u->getUnitTemplate()->isThePC && isAlive(u)) return static_cast<PlayerUnit*>(u);
    return nullptr;
}

Unit* RoundBot::chooseTarget(PlayerUnit* p, int& enemiesNear) {
    Unit* best = nullptr;
    double bestDist = 1e9;
    enemiesNear = 0;
    for (Unit* u : list.search(0, AFF_ENEMY)) {
        if (!isAlive(u) || (u->getUnitPropertyDefense() & INDESTRUCTIBLE)) continue;
        double d = std::hypot(px(u->getPosX() - p->getPosX()), px(u->getPosY() - p->getPosY()));
        if (d < 70) enemiesNear++;
        // Big ones first, as a person would: a summoner left alone fills the arena.
        double rank = d - std::min(u->getMaxHP(), 1500) / 8.0;
        if (rank < bestDist) {
            bestDist = rank;
            best = u;
        }
    }
    return best;
}

void RoundBot::script() {
    std::fill(input.getKeyPressed().begin(), input.getKeyPressed().end(), false);
    std::fill(input.getKeyClicked().begin(), input.getKeyClicked().end(), false);
    std::fill(input.getMousePressed().begin(), input.getMousePressed().end(), false);
    std::fill(input.getMouseClicked().begin(), input.getMouseClicked().end(), false);
    PlayerUnit* p = findPlayer();
    if (!p) return;
    int enemiesNear = 0;
    Unit* target = chooseTarget(p, enemiesNear);
    if (passes % 120 == 0) strafeSign = -strafeSign;
    steer(p, target);
    if (!target) return;
    // What the mouse does for a person: a long movement towards the target snaps the facing to it.
    int dx = fixtoi(target->getPosX() - p->getPosX()), dy = fixtoi(target->getPosY() - p->getPosY());
    p->aimWith(dx * 4, dy * 4, 1);
    attack(p, target, enemiesNear);
}

void RoundBot::steer(PlayerUnit* p, Unit* target) {
    double x = px(p->getPosX()), y = px(p->getPosY());
    double w = px(round.getArenaSizeX()), h = px(round.getArenaSizeY());
    double mx = 0, my = 0;
    if (target) {
        double dx = px(target->getPosX()) - x, dy = px(target->getPosY()) - y;
        double d = std::max(1.0, std::hypot(dx, dy));
        if (d > reach + 12) {
            mx += dx / d;
            my += dy / d;
        } else if (d < reach - 12) {
            mx -= dx / d;
            my -= dy / d;
        } else if (ranged) {
            mx += -dy / d * strafeSign * 0.8;
            my += dx / d * strafeSign * 0.8;
        }
    } else {
        mx = w / 2 - x; // nothing to fight yet: wait in the middle
        my = h / 2 - y;
        if (std::hypot(mx, my) < 20) mx = my = 0;
    }
    // A shooter steps away from missiles and crowds (a fighter cuts missiles down instead); the
    // walls push everyone back.
    for (Unit* u : list.getUnits() ? *list.getUnits() : std::vector<Unit*>()) {
        bool missile = ranged && u->getAffiliation() == AFF_ENEMY_PROJECTILE;
        bool crowd = ranged && u->getAffiliation() == AFF_ENEMY;
        if (!(missile || crowd) || !isAlive(u)) continue;
        double dx = x - px(u->getPosX()), dy = y - px(u->getPosY());
        double d = std::max(1.0, std::hypot(dx, dy));
        double range = missile ? 70 : 60;
        if (d < range) {
            mx += dx / d * 1.5 * (range - d) / range * 2;
            my += dy / d * 1.5 * (range - d) / range * 2;
        }
    }
    const double margin = 40;
    if (x < margin) mx += 1.5;
    if (x > w - margin) mx -= 1.5;
    if (y < margin) my += 1.5;
    if (y > h - margin) my -= 1.5;
    pressTowards(input.getKeyPressed(), mx, my);
}

void RoundBot::attack(PlayerUnit* p, Unit* target, int enemiesNear) {
    double d = std::hypot(px(target->getPosX() - p->getPosX()), px(target->getPosY() - p->getPosY()));
    int hp = p->getHP();
    bool inReach = ranged ? d < shotRange * 0.9 : d < 60;
    if (!ranged) { // a missile close by is worth a swing
        for (Unit* u : list.search(0, AFF_ENEMY_PROJECTILE))
            if (std::hypot(px(u->getPosX() - p->getPosX()), px(u->getPosY() - p->getPosY())) < 45) {
                inReach = true;
                int mx = fixtoi(u->getPosX() - p->getPosX()), my = fixtoi(u->getPosY() - p->getPosY());
                p->aimWith(mx * 4, my * 4, 1);
                break;
            }
    }
    std::vector<AddUnitTemplate*> first = p->getAddedUnits(1);
    bool firstOnClick = !first.empty() && first.front()->onClick;
    bool ignoresHealth = (p->getUnitPropertyPlayer() & IGNORE_HEALTH_FOR_1ST_ATTACK) != 0;
    if (inReach && (hp > costOf(p, 1) || ignoresHealth)) {
        if (firstOnClick)
            input.getMouseClicked()[0] = passes % 3 == 0;
        else
            input.getMousePressed()[0] = true;
    }
    // The second attack for a crowd, the third to close in (melee) or as a finisher (ranged).
    bool crowd = enemiesNear >= (ranged ? 1 : 2);
    if (crowd && hp > 2 * costOf(p, 2) && passes % 10 == 5) input.getMouseClicked()[1] = true;
    // A dash goes where the character faces: melee dashes in, ranged turns its back and escapes.
    std::vector<AddUnitTemplate*> third = p->getAddedUnits(4);
    bool dash = !third.empty() && third.front()->dashTime > 0;
    bool thirdWanted = !ranged ? (d > 50 && d < 120) : dash ? enemiesNear > 0 : d < shotRange;
    if (thirdWanted && hp > 3 * costOf(p, 3) && passes % 25 == 12) {
        if (ranged && dash) {
            int dx = fixtoi(target->getPosX() - p->getPosX()), dy = fixtoi(target->getPosY() - p->getPosY());
            p->aimWith(-dx * 4, -dy * 4, 1);
        }
        input.getKeyClicked()[ACTION_HYPER] = true;
    }
}
