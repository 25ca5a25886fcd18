#include "units/UnitList.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "system/Digest.h"
#include "units/PlayerUnit.h"
#include "units/Unit.h"
#include "units/vornMath.h"

namespace {
// A whole-pixel position from 0 to fixtoi(range) - 1, one draw of rand(). The draw is made even
// for an empty range (an arena under 4 pixels), so the sequence of draws never depends on the
// arena's size; such a range yields 0.
fixed randomPixel(fixed range) {
    int r = std::rand();
    int n = fixtoi(range);
    return n > 0 ? itofix(r % n) : 0;
}

// Frees a vector's storage too, so a round ends with the memory it began with.
template <typename T> void releaseStorage(std::vector<T>& v) {
    std::vector<T>().swap(v);
}
} // namespace

struct UnitList::Contact {
    Unit* unit;
    Unit::Touch touch;
};

UnitList::UnitList()
    : units(new std::vector<Unit*>()), unitsToAppear(nullptr), round(nullptr),
      maxLiveUnits(defaultMaxLiveUnits), drawnDigest(Digest().h) {}

// The pending orders belong to the round, which releases what is left of them itself.
UnitList::~UnitList() {
    for (Unit* u : *units)
        delete u;
    delete units;
}

void UnitList::setupRound(Round* r) {
    round = r;
    unitsToAppear = r ? r->getUnitsToAppear() : nullptr;
}

void UnitList::clear() {
    drawnDigest = Digest().h;
    for (Unit* u : *units)
        delete u;
    releaseStorage(*units);
    releaseStorage(removedUnits);
    contactGrid.release();
    releaseStorage(touching);
    releaseStorage(sortedUnits);
    releaseStorage(indexedList);
    releaseStorage(fresh);
    releaseStorage(merged);
    releaseStorage(searchCache);
    if (unitsToAppear) {
        for (UnitCreate* order : *unitsToAppear)
            delete order;
        releaseStorage(*unitsToAppear);
    }
}

void UnitList::makeUnits(Loader* l, Round* r) {
    Round* arena = r ? r : round;
    if (!unitsToAppear) return;
    // Seen once, before anything fires: every order due in this step sees the same count. Only
    // orders that wait for the arena to empty read it, and a big crowd is not walked without one.
    int enemies = 0;
    bool countNeeded = std::any_of(unitsToAppear->begin(), unitsToAppear->end(), [](const UnitCreate* order) {
        return (order->spawnCondition & SPAWN_WHILE_FEW_ENEMIES) != 0;
    });
    for (size_t i = 0; countNeeded && i < units->size(); i++) {
        prefetchUnitsAhead(*units, i, PREFETCH_HEAD);
        enemies += (*units)[i]->getAffiliation() == AFF_ENEMY;
    }

    // Orders still waiting move up over the fired ones, keeping their order; nothing appends
    // to the list while units are made.
    size_t kept = 0;
    for (size_t i = 0; i < unitsToAppear->size(); i++) {
        UnitCreate* order = (*unitsToAppear)[i];
        order->delay -= 1;
        bool waiting = (order->spawnCondition & SPAWN_AFTER_DELAY) && order->delay > 0;
        bool tooManyEnemies =
            (order->spawnCondition & SPAWN_WHILE_FEW_ENEMIES) && order->enemyThreshold < enemies;
        if (waiting || tooManyEnemies) {
            (*unitsToAppear)[kept++] = order;
            continue;
        }
        for (int n = 0; n < order->amount; n++) {
            UnitTemplate* type = l ? l->getUnitTemplate(order->unitName) : nullptr;
            // The player's character always enters, however full the arena.
            if (units->size() >= maxLiveUnits && !(type && type->isThePC)) break;
            fixed x = 0, y = 0, angle = 0;
            positionUnitOnSide(x, y, angle, order, type, arena);
            if (!type) continue; // never loaded: creates nothing, but the draw above is spent
            Unit* u;
            if (type->isThePC) {
                u = new PlayerUnit(this, type, order->creator, x, y, angle, itofix(1), order->variant);
            } else {
                u = new Unit(this, type, order->creator, x, y, angle, itofix(1), order->variant);
            }
            u->setRound(round);
            units->push_back(u);
        }
        delete order; // fired; nothing else holds it
    }
    unitsToAppear->resize(kept);
}

void UnitList::positionUnitOnSide(fixed& x, fixed& y, fixed& angle, UnitCreate* order, UnitTemplate*,
                                  Round* r) {
    fixed W = r ? r->getArenaSizeX() : 0;
    fixed H = r ? r->getArenaSizeY() : 0;
    fixed qW = W / 4, qH = H / 4, hW = W / 2, hH = H / 2; // quarters and halves, pixels
    const fixed eps = 1; // 1/65536 pixel: inside the arena, right at its edge
    fixed t;
    switch (order->side) {
    case SIDE_TOP_LEFT: // the corner's quarter of the top and of the left edge
        t = randomPixel(qW + qH);
        if (t < qH) {
            x = eps;
            y = t;
        } else {
            x = t - qH;
            y = eps;
        }
        break;
    case SIDE_TOP: // the middle half of the edge
        x = qW + randomPixel(hW);
        y = eps;
        break;
    case SIDE_TOP_RIGHT:
        t = randomPixel(qW + qH);
        if (t < qW) {
            x = 3 * qW + t;
            y = eps;
        } else {
            x = W - eps;
            y = t - qW;
        }
        break;
    case SIDE_RIGHT:
        x = W - eps;
        y = qH + randomPixel(hH);
        break;
    case SIDE_BOTTOM_RIGHT:
        t = randomPixel(qW + qH);
        if (t < qW) {
            x = 3 * qW + t;
            y = H - eps;
        } else {
            x = W - eps;
            y = 3 * qH + t - qW;
        }
        break;
    case SIDE_BOTTOM:
        x = qW + randomPixel(hW);
        y = H - eps;
        break;
    case SIDE_BOTTOM_LEFT:
        t = randomPixel(qW + qH);
        if (t < qH) {
            x = eps;
            y = 3 * qH + t;
        } else {
            x = t - qH;
            y = H - eps;
        }
        break;
    case SIDE_LEFT:
        x = eps;
        y = qH + randomPixel(hH);
        break;
    case SIDE_CENTRE:
        x = hW;
        y = hH;
        break;
    case SIDE_AT_POSITION:
        x = order->posX;
        y = order->posY;
        break;
    case SIDE_ANYWHERE:
        x = randomPixel(W);
        y = randomPixel(H);
        break;
    default:
        break;
    }
    if (order->side == SIDE_AT_POSITION)
        angle = order->getAngle();
    else if (order->side == SIDE_ANYWHERE)
        angle = itofix(std::rand() % 256); // any facing: a whole turn of angle units
    else // facing the centre; an unknown side leaves the unit at the top-left corner
        angle = calcAngle(x, y, hW, hH, angle);
}

void UnitList::indexStep() {
    size_t known = indexedList.size();
    if (known > units->size() || !std::equal(indexedList.begin(), indexedList.end(), units->begin())) {
        known = 0;
        sortedUnits.clear();
    }
    fresh.assign(units->begin() + known, units->end());
    std::sort(fresh.begin(), fresh.end(), std::less<Unit*>());
    merged.resize(sortedUnits.size() + fresh.size());
    std::merge(sortedUnits.begin(), sortedUnits.end(), fresh.begin(), fresh.end(), merged.begin(),
               std::less<Unit*>());
    sortedUnits.swap(merged);
    indexedList.assign(units->begin(), units->end());
    lastFound = nullptr;
    searchCache.clear();
    stepIndexed = true;
}

void UnitList::allUnitsMove(const PlayerCommand& command) {
    // Units join only in makeUnits and leave only at the end of this step.
    indexStep();
    std::vector<Unit*> players = search(SEARCH_PLAYERS, 0);
    giveJuiceToPlayer(players.empty() ? nullptr : static_cast<PlayerUnit*>(players.front()));
    for (Unit* p : players)
        static_cast<PlayerUnit*>(p)->setCommand(command);

    // Each pass finishes for every unit before the next begins.
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        (*units)[i]->decideAction();
    }
    contactPass();
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        (*units)[i]->takeDamage();
    }

    stepIndexed = false;
    bool indexHolds = sortedUnits.size() == units->size(); // no unit joined during the step
    size_t kept = 0;
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i, PREFETCH_HEAD);
        Unit* u = (*units)[i];
        if (u->getRemoveThisUnit())
            removedUnits.push_back(u);
        else
            (*units)[kept++] = u;
    }
    units->resize(kept);
    std::sort(removedUnits.begin(), removedUnits.end(), std::less<Unit*>());
    if (indexHolds) {
        merged.resize(sortedUnits.size());
        merged.erase(std::set_difference(sortedUnits.begin(), sortedUnits.end(), removedUnits.begin(),
                                         removedUnits.end(), merged.begin(), std::less<Unit*>()),
                     merged.end());
        sortedUnits.swap(merged);
        indexedList.assign(units->begin(), units->end());
    } else {
        indexedList.clear(); // the next step sorts the list whole
        sortedUnits.clear();
    }
    if (!removedUnits.empty()) forgetRemovedUnits();
}

void UnitList::forgetRemovedUnits() {
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        (*units)[i]->forgetRemovedUnits(removedUnits);
    }
    if (unitsToAppear)
        for (UnitCreate* order : *unitsToAppear)
            if (std::binary_search(removedUnits.begin(), removedUnits.end(), order->creator,
                                   std::less<Unit*>()))
                order->creator = nullptr;
    for (Unit* u : removedUnits)
        delete u;
    removedUnits.clear();
}

void UnitList::contactPass() {
    if (exhaustiveContacts) {
        for (size_t i = 0; i < units->size(); i++)
            (*units)[i]->dealDamage();
        return;
    }
    contactGrid.build(*units);
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        Unit* a = (*units)[i];
        if (a->getUnitList() != this) { // tests against another list, or none
            a->dealDamage();
            continue;
        }
        ContactGrid::Candidates near = contactGrid.candidates((int)i);
        if (near.empty()) continue; // a dead unit touches nothing
        // A unit's contacts change only the units it touches, never itself nor what the grid
        // holds, so all its tests may be made before the first contact is dealt; only the units
        // touched are then looked at.
        const ContactGrid::Spot& mine = contactGrid.getSpot((int)i);
        touching.clear();
        for (int j : near) {
            Unit::Touch touch;
            if (j == (int)i || !a->touches(mine, contactGrid.getSpot(j), touch)) continue;
            touching.push_back({(*units)[j], touch});
            (*units)[j]->prefetch(Unit::touchedBytes);
        }
        for (const Contact& c : touching)
            a->dealContact(c.unit, c.touch);
    }
}

void UnitList::simulationStep(Loader* l, Round* r, const PlayerCommand& command) {
    makeUnits(l, r);
    allUnitsMove(command);
}

void UnitList::drawUnits(BITMAP* arena, MusicSound* ms, bool paused, fixed canvas) {
    Digest drawn{drawnDigest};
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        Unit* u = (*units)[i];
        u->draw(arena, ms, paused, canvas);
        drawn.add((uint32_t)u->getAnimCurrent());
        drawn.add((uint32_t)u->getAnimFrame());
    }
    drawnDigest = drawn.h;
    if (paused) return;
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i);
        (*units)[i]->endOfRound();
    }
}

std::vector<Unit*> UnitList::search(int mode, int affiliation) {
    if (stepIndexed && (mode == SEARCH_BY_SIDE || mode == SEARCH_PLAYERS)) {
        for (const CachedSearch& cached : searchCache)
            if (cached.mode == mode && (mode == SEARCH_PLAYERS || cached.affiliation == affiliation))
                return cached.found;
        stepIndexed = false;
        searchCache.push_back({mode, affiliation, search(mode, affiliation)});
        stepIndexed = true;
        return searchCache.back().found;
    }
    std::vector<Unit*> found;
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i, PREFETCH_HEAD);
        Unit* u = (*units)[i];
        if ((mode == SEARCH_BY_SIDE && u->getAffiliation() == affiliation) ||
            (mode == SEARCH_PLAYERS && dynamic_cast<PlayerUnit*>(u)))
            found.push_back(u);
    }
    return found;
}

int UnitList::getPlayerScore() {
    std::vector<Unit*> players = search(SEARCH_PLAYERS, 0);
    return players.empty() ? 0 : static_cast<PlayerUnit*>(players.front())->getScore();
}

bool UnitList::anyRemainingAffiliation(int aff, Loader* l) {
    for (Unit* u : *units)
        if (u->getAffiliation() == aff) return true;
    if (!unitsToAppear || !l) return false;
    for (UnitCreate* order : *unitsToAppear) {
        UnitTemplate* type = l->getUnitTemplate(order->unitName);
        if (type && type->affiliation == aff) return true;
    }
    return false;
}

bool UnitList::thisUnitExists(Unit* u) {
    if (!u) return false;
    if (stepIndexed) {
        if (u == lastFound) return true;
        if (!std::binary_search(sortedUnits.begin(), sortedUnits.end(), u, std::less<Unit*>())) return false;
        lastFound = u;
        return true;
    }
    return std::find(units->begin(), units->end(), u) != units->end();
}

void UnitList::addUnitCreate(UnitCreate* order) {
    if (unitsToAppear)
        unitsToAppear->push_back(order);
    else
        delete order; // no round to spawn into
}

void UnitList::giveJuiceToPlayer(PlayerUnit* player) {
    if (!player || player->getCharAnim() == ANIM_DEAD) return;
    int sum = 0;
    for (size_t i = 0; i < units->size(); i++) {
        prefetchUnitsAhead(*units, i, PREFETCH_HEAD);
        (*units)[i]->giveJuiceToPlayer(sum);
    }
    player->addJuiceGained(sum);
    player->resetJuiceGained();
}

void UnitList::appendUnit(Unit* u) {
    units->push_back(u);
}
