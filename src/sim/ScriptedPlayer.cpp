#include "sim/ScriptedPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitTemplate.h"
#include "units/PlayerUnit.h"
#include "units/Unit.h"
#include "units/UnitList.h"

namespace {

double px(fixed f) {
    return fixtof(f);
}

bool isAlive(Unit* u) {
    return u->getCharAnim() != ANIM_DEAD && !u->getRemoveThisUnit();
}

double distance(Unit* a, Unit* b) {
    return std::hypot(px(a->getPosX() - b->getPosX()), px(a->getPosY() - b->getPosY()));
}

// Walk keys for a wish to move along (dx, dy); a component below a third of the other is dropped.
void pressTowards(bool* keys, double dx, double dy) {
    double ax = std::fabs(dx), ay = std::fabs(dy);
    if (ax < 1e-6 && ay < 1e-6) return;
    if (ax >= ay / 3) keys[dx > 0 ? ACTION_RIGHT : ACTION_LEFT] = true;
    if (ay >= ax / 3) keys[dy > 0 ? ACTION_DOWN : ACTION_UP] = true;
}

} // namespace

PlayerUnit* ScriptedPlayer::findPlayer(UnitList& list) {
    for (Unit* u : list.search(SEARCH_PLAYERS, 0))
        if (u->getUnitTemplate() && u->getUnitTemplate()->isThePC && isAlive(u))
            return static_cast<PlayerUnit*>(u);
    return nullptr;
}

Unit* ScriptedPlayer::chooseTarget(UnitList& list, PlayerUnit* p, int& enemiesNear) {
    Unit* best = nullptr;
    double bestRank = 1e9;
    enemiesNear = 0;
    for (Unit* u : list.search(SEARCH_BY_SIDE, AFF_ENEMY)) {
        if (!isAlive(u) || (u->getUnitPropertyDefense() & INDESTRUCTIBLE)) continue;
        double d = distance(u, p);
        if (d < 70) enemiesNear++;
        // Big ones first, as a person would: a summoner left alone fills the arena.
        double rank = d - std::min(u->getMaxHP(), 1500) / 8.0;
        if (rank < bestRank) {
            bestRank = rank;
            best = u;
        }
    }
    return best;
}

// The first attack's added unit decides the style: a shot that flies keeps its distance. Its
// flight (speed times life) sets how far away the script stands and when it shoots.
void ScriptedPlayer::study(Loader& loader, PlayerUnit* p) {
    UnitTemplate* pc = p->getUnitTemplate();
    if (studied == pc) return;
    studied = pc;
    ranged = false;
    shotRange = 60;
    for (AddUnitTemplate* a : pc->addedUnits) {
        if (!(a->attack & ADDED_BY_ATTACK1)) continue;
        std::string shot = a->unitName;
        UnitTemplate* t = loader.getUnitTemplate(shot);
        ranged = t && t->walkspeed > itofix(1);
        if (ranged) shotRange = (int)(fixtof(t->walkspeed) * std::max(1, t->timeToLive));
        break;
    }
    reach = ranged ? std::min(140, std::max(60, shotRange / 2)) : 26;
}

PlayerCommand ScriptedPlayer::decide(UnitList& list, Round& round, Loader& loader) {
    Wish w;
    PlayerUnit* p = findPlayer(list);
    if (p) {
        study(loader, p);
        int enemiesNear = 0;
        Unit* target = chooseTarget(list, p, enemiesNear);
        if (passes % 120 == 0) strafeSign = -strafeSign;
        steer(list, round, p, target, w);
        if (target) {
            w.aim = true;
            w.aimX = fixtoi(target->getPosX() - p->getPosX());
            w.aimY = fixtoi(target->getPosY() - p->getPosY());
            attack(list, p, target, enemiesNear, w);
        }
    }
    passes++;
    return press(w);
}

void ScriptedPlayer::steer(UnitList& list, Round& round, PlayerUnit* p, Unit* target, Wish& w) {
    double x = px(p->getPosX()), y = px(p->getPosY());
    double width = px(round.getArenaSizeX()), height = px(round.getArenaSizeY());
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
        mx = width / 2 - x; // nothing to fight yet: wait in the middle
        my = height / 2 - y;
        if (std::hypot(mx, my) < 20) mx = my = 0;
    }
    // A shooter steps away from missiles and crowds (a fighter cuts missiles down instead); the
    // walls push everyone back.
    if (ranged && list.getUnits()) {
        for (Unit* u : *list.getUnits()) {
            bool missile = u->getAffiliation() == AFF_ENEMY_PROJECTILE;
            if (!(missile || u->getAffiliation() == AFF_ENEMY) || !isAlive(u)) continue;
            double dx = x - px(u->getPosX()), dy = y - px(u->getPosY());
            double d = std::max(1.0, std::hypot(dx, dy));
            double range = missile ? 70 : 60;
            if (d < range) {
                mx += dx / d * 3 * (range - d) / range;
                my += dy / d * 3 * (range - d) / range;
            }
        }
    }
    const double margin = 40;
    if (x < margin) mx += 1.5;
    if (x > width - margin) mx -= 1.5;
    if (y < margin) my += 1.5;
    if (y > height - margin) my -= 1.5;
    pressTowards(w.action, mx, my);
}

void ScriptedPlayer::attack(UnitList& list, PlayerUnit* p, Unit* target, int enemiesNear, Wish& w) {
    double d = distance(target, p);
    int hp = p->getHP();
    bool inReach = ranged ? d < shotRange * 0.9 : d < 60;
    if (!ranged) { // a missile close by is worth a swing
        for (Unit* u : list.search(SEARCH_BY_SIDE, AFF_ENEMY_PROJECTILE))
            if (distance(u, p) < 45) {
                inReach = true;
                w.aimX = fixtoi(u->getPosX() - p->getPosX());
                w.aimY = fixtoi(u->getPosY() - p->getPosY());
                break;
            }
    }
    std::vector<AddUnitTemplate*> first = p->getAddedUnits(ADDED_BY_ATTACK1);
    bool firstOnClick = !first.empty() && first.front()->onClick;
    bool ignoresHealth = (p->getUnitPropertyPlayer() & IGNORE_HEALTH_FOR_1ST_ATTACK) != 0;
    // A click is a press on one frame and the release on the next, when the attack fires.
    if (inReach && (hp > p->getHPCostOfAttack(1) || ignoresHealth))
        w.button[0] = firstOnClick ? passes % 3 == 0 : true;
    // The second attack for a crowd, the third to close in (melee) or as a finisher (ranged).
    bool crowd = enemiesNear >= (ranged ? 1 : 2);
    if (crowd && hp > 2 * p->getHPCostOfAttack(2) && passes % 10 == 5) w.button[1] = true;
    // A dash goes where the character faces: melee dashes in, ranged turns its back and escapes.
    std::vector<AddUnitTemplate*> third = p->getAddedUnits(ADDED_BY_ATTACK4);
    bool dash = !third.empty() && third.front()->dashTime > 0;
    bool thirdWanted = !ranged ? (d > 50 && d < 120) : dash ? enemiesNear > 0 : d < shotRange;
    if (thirdWanted && hp > 3 * p->getHPCostOfAttack(3) && passes % 25 == 12) {
        if (ranged && dash) {
            w.aimX = -fixtoi(target->getPosX() - p->getPosX());
            w.aimY = -fixtoi(target->getPosY() - p->getPosY());
        }
        w.action[ACTION_HYPER] = true;
    }
}

PlayerCommand ScriptedPlayer::press(const Wish& w) {
    PlayerCommand c;
    for (int i = 0; i < ACTION_COUNT; i++) {
        c.actionHeld[i] = w.action[i];
        c.actionClicked[i] = wasHeld[i] && !w.action[i];
        wasHeld[i] = w.action[i];
    }
    for (int i = 0; i < MOUSE_BUTTON_COUNT; i++) {
        c.buttonHeld[i] = w.button[i];
        c.buttonClicked[i] = buttonWasHeld[i] && !w.button[i];
        buttonWasHeld[i] = w.button[i];
    }
    if (w.aim) {
        // A long sweep of the mouse along the wished direction snaps the facing to it.
        int length = std::max(std::abs(w.aimX), std::abs(w.aimY));
        int times = length > 0 ? std::max(4, c.mouseThreshold / length + 1) : 0;
        c.mickeyX = w.aimX * times;
        c.mickeyY = w.aimY * times;
    }
    return c;
}
