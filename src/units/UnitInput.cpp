#include "units/UnitInput.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

#include "content/Round.h"
#include "content/UnitTemplate.h"
#include "units/Unit.h"
#include "units/UnitList.h"
#include "units/aiUnitSort.h"
#include "units/angleSum.h"
#include "units/randShuffle.h"
#include "units/vornMath.h"

// The settings of a type made in memory (tools, tests): an attack window of 0 to 30000 pixels and
// a spread of a whole turn attack at any distance and facing. A unit file's missing keys take the
// loader's own defaults, which differ (an attack window of 0 to 0).
UnitInput::UnitInput()
    : targetAffiliation(AFF_PLAYER), targetPriorityHP(0), switchTarget(0), homeTimeInbetweenCorrection(3),
      homeAngleCorrection(ftofix(15.0)), attackPeriodIndex(0), attackDistMin(ftofix(0.0)),
      attackDistMax(ftofix(30000.0)), attackAngleSpread(ftofix(256.0)), careAboutArena(false) {
    setCounters();
}

UnitInput::UnitInput(UnitInput* src, int /*variant*/)
    : targetAffiliation(src->targetAffiliation), targetPriorityHP(src->targetPriorityHP),
      switchTarget(src->switchTarget), homeTimeInbetweenCorrection(src->homeTimeInbetweenCorrection),
      homeAngleCorrection(src->homeAngleCorrection), attackPeriodIndex(src->attackPeriodIndex),
      attackDistMin(src->attackDistMin), attackDistMax(src->attackDistMax),
      attackAngleSpread(src->attackAngleSpread), careAboutArena(src->careAboutArena) {
    setCounters();
}

void UnitInput::setCounters() {
    homeAngle = 0;
    hasTarget = false;
    attackNow = false;
    target = nullptr;
    homeCounter = 0;
    lostTargetX = lostTargetY = lostTargetSize = 0;
}

namespace {
// Health score of a candidate for priority weight P: healthy targets score low (preferred when P
// is positive), wounded ones high, in bands 15 % wide (96, 81, 66, 51, 36, 21 %). A unit without
// positive maxHP counts as 0 % healthy.
int healthScore(const Unit* u, int P) {
    int h = u->getMaxHP() > 0 ? (int)((long long)u->getHP() * 100 / u->getMaxHP()) : 0;
    if (h >= 96) return -3 * P;
    if (h >= 81) return -2 * P;
    if (h >= 66) return -P;
    if (h >= 51) return 0;
    if (h >= 36) return P;
    if (h >= 21) return 2 * P;
    return 3 * P;
}

// A walk angle heading into a wall is turned to run one angle unit off the wall's line; in a
// corner the unit leaves diagonally. a is the walk angle brought into 0..256.
fixed deflectFromWalls(fixed a, int wallX, int wallY, fixed current) {
    auto in = [a](int lo, int hi) { return a >= itofix(lo) && a < itofix(hi); };
    fixed out = current;
    if (wallY == -1 && in(0, 64)) out = itofix(65);
    if (wallY == -1 && in(192, 256)) out = itofix(191);
    if (wallY == 1 && in(64, 128)) out = itofix(63);
    if (wallY == 1 && in(128, 192)) out = itofix(193);
    if (wallX == -1 && in(128, 192)) out = itofix(127);
    if (wallX == -1 && in(192, 256)) out = itofix(1);
    if (wallX == 1 && in(0, 64)) out = itofix(255);
    if (wallX == 1 && in(64, 128)) out = itofix(129);
    if (wallY == 1 && wallX == -1) out = itofix(32);
    if (wallY == -1 && wallX == -1) out = itofix(96);
    if (wallY == -1 && wallX == 1) out = itofix(160);
    if (wallY == 1 && wallX == 1) out = itofix(224);
    return out;
}

// -1 at the near edge, +1 at the far one (which wins in an arena smaller than the unit), else 0.
int wallSide(fixed pos, fixed half, fixed size) {
    int side = 0;
    if (pos <= half) side = -1;
    if (pos >= size - half) side = 1;
    return side;
}
} // namespace

void UnitInput::decideAction(Unit* self, UnitList* list, Round* round) {
    int anim = self->getCharAnim();
    if (anim == ANIM_DEAD || anim == ANIM_STUN) return;
    if (!hasTarget || !list->thisUnitExists(target)) locateTarget(self, list);
    bool walk = true;
    if (hasTarget) walk = aimIt(self, round);
    moveIt(self, walk);
    if (attackNow) {
        attackP(self, ADDED_BY_ATTACK1); // the only attack of units the player does not steer
        switchTargets(self, list);
    }
}

void UnitInput::locateTarget(Unit* self, UnitList* list) {
    std::vector<Unit*> candidates = list->search(SEARCH_BY_SIDE, targetAffiliation);
    if (candidates.empty()) return;
    std::vector<aiUnitSort*> records;
    target = prepAIUnitSort(self, &candidates, &records);
    hasTarget = target != nullptr;
    for (aiUnitSort* r : records)
        delete r;
}

// The records are made here and handed back in records; the caller releases them.
Unit* UnitInput::prepAIUnitSort(Unit* self, std::vector<Unit*>* candidates,
                                std::vector<aiUnitSort*>* records) {
    for (Unit* u : *candidates) {
        aiUnitSort* r = new aiUnitSort();
        r->unit = u;
        records->push_back(r);
    }
    if (targetPriorityHP != 0)
        for (aiUnitSort* r : *records)
            r->hpScore = healthScore(r->unit, targetPriorityHP);
    // The shuffle decides between equal sums.
    randShuffle(records->begin(), records->end());
    std::sort(records->begin(), records->end(), aiULess);
    for (aiUnitSort* r : *records)
        if (r->unit != self) return r->unit;
    return nullptr;
}

bool UnitInput::aimIt(Unit* self, Round* round) {
    bool walk = true;
    homeCounter += 1;
    fixed x = self->getPosX(), y = self->getPosY();
    fixed tx = target ? target->getPosX() : lostTargetX, ty = target ? target->getPosY() : lostTargetY;
    fixed targetSize = target ? target->getPicSize() : lostTargetSize;
    // Distance between the edges of the two pictures.
    fixed gap = calcDist(x, y, tx, ty) - (fixed)(((long long)targetSize + self->getPicSize()) / 2);

    fixed toTarget = calcAngle(x, y, tx, ty, self->getDrawAngle());
    fixed homing = calcAngle(x, y, tx, ty, homeAngle);
    fixed walkDiff = angleDist(homing, self->getWalkAngle());
    fixed faceDiff = angleDist(homing, self->getDrawAngle());

    int wallX = 0, wallY = 0;
    if (careAboutArena && round) {
        fixed half = self->getPicSize() / 2;
        wallX = wallSide(x, half, round->getArenaSizeX());
        wallY = wallSide(y, half, round->getArenaSizeY());
    }
    bool atWall = wallX != 0 || wallY != 0;

    if (homeCounter > homeTimeInbetweenCorrection) {
        // Measured from the walk angle, applied to the facing.
        // A negative correction in a unit file is taken by its size: clamp needs ordered bounds.
        fixed limit = homeAngleCorrection == INT_MIN ? INT_MAX : std::abs(homeAngleCorrection);
        homeAngle = angleSum(self->getDrawAngle(), std::clamp(walkDiff, -limit, limit));
        self->faceAngle(homeAngle);
        homeCounter = 0;
    }

    bool inWindow = attackDistMin <= gap && gap <= attackDistMax;
    if (inWindow && !atWall) walk = false;
    if (gap < attackDistMin && !atWall)
        self->setWalkAngle(angleSum(toTarget, itofix(128))); // back away (half a turn), still facing it
    if (atWall) {
        fixed a = normalizeAngle(self->getWalkAngle());
        self->setWalkAngle(deflectFromWalls(a, wallX, wallY, self->getWalkAngle()));
    }
    attackNow = fixabs(faceDiff) <= attackAngleSpread && inWindow;
    return walk;
}

void UnitInput::moveIt(Unit* self, bool walk) {
    if (walk) self->walk(true);
}

void UnitInput::attackP(Unit* self, int attack) {
    std::vector<AddUnitTemplate*> added = self->getAddedUnits(attack);
    if (!added.empty() && self->canAddUnit(&added)) self->addUnit(&added, false, 0);
}

void UnitInput::switchTargets(Unit*, UnitList* list) {
    if (switchTarget & SWITCH_AFTER_ATTACK)
        hasTarget = false;
    else if ((switchTarget & SWITCH_AT_FULL_HEALTH) && list->thisUnitExists(target) &&
             target->getHP() >= target->getMaxHP())
        hasTarget = false;
}

void UnitInput::forgetRemovedTarget(const std::vector<Unit*>& removed) {
    if (!std::binary_search(removed.begin(), removed.end(), target, std::less<Unit*>())) return;
    lostTargetX = target->getPosX();
    lostTargetY = target->getPosY();
    lostTargetSize = target->getPicSize();
    target = nullptr;
}

bool UnitInput::aiULess(aiUnitSort* a, aiUnitSort* b) {
    return a->isLessThan(*b);
}
bool UnitInput::aiUEqual(aiUnitSort* a, aiUnitSort* b) {
    return a->isEqualTo(*b);
}
