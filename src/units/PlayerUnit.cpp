#include "units/PlayerUnit.h"

#include <climits>

#include "content/UnitTemplate.h"
#include "units/SpriteCache.h"
#include "units/angleSum.h"
#include "units/saturate.h"
#include "units/vornMath.h"

namespace {
int sumOfHPCosts(const std::vector<AddUnitTemplate*>& entries) {
    int sum = 0;
    for (AddUnitTemplate* e : entries)
        sum += e->hpCost;
    return sum;
}

// Walk angle for the held direction keys: v is -1 up / +1 down, h is -1 left / +1 right.
fixed walkAngleFor(int v, int h) {
    static const int angles[3][3] = {
        {224, 0, 32},   // up-left, up, up-right
        {192, -1, 64},  // left, none, right
        {160, 128, 96}, // down-left, down, down-right
    };
    return itofix(angles[v + 1][h + 1]);
}

const int chainPause = 30;  // steps in which the next attack continues a chain
const int boostedJuice = 5; // juice gains count this many times while GOOD_JUICE_BOOST lasts
} // namespace

PlayerUnit::PlayerUnit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle,
                       fixed scale, int variant)
    : Unit(list, t, creator, x, y, angle, scale, variant), juiceGained(0), commanded(false),
      hpCostOfAttack1(0), hpCostOfAttack2(0), hpCostOfAttack3(0), comboTimer(0), comboCount(0), score(0),
      goodStatusMax(AILMENT_COUNT, 1), badStatusMax(AILMENT_COUNT, 1) {
    hp = maxHP / startingJuicePart;
    hpCostOfAttack1 = sumOfHPCosts(getAddedUnits(ADDED_BY_ATTACK1));
    hpCostOfAttack2 = sumOfHPCosts(getAddedUnits(ADDED_BY_ATTACK2));
    hpCostOfAttack3 = sumOfHPCosts(getAddedUnits(ADDED_BY_ATTACK4));
}

PlayerUnit::~PlayerUnit() {}

void PlayerUnit::draw(BITMAP* bmp, MusicSound* sound, bool paused, fixed canvas) {
    const std::vector<BITMAP*>& aimPics = unitTemplate->vecPics[ANIM_AIM];
    if (bmp && !aimPics.empty() && aimPics.front()) drawPicture(bmp, aimPics.front(), canvas);
    Unit::draw(bmp, sound, paused, canvas);
}

void PlayerUnit::takeDamage() {
    Unit::takeDamage();
}

void PlayerUnit::reduceScore(int n) {
    score = saturateInt((long long)score - n); // extreme damage values saturate
}

void PlayerUnit::changeGoodStatusMax(int index, int value) {
    if (index >= 0 && index < (int)goodStatusMax.size()) goodStatusMax[index] = value;
}

void PlayerUnit::changeBadStatusMax(int index, int value) {
    if (index >= 0 && index < (int)badStatusMax.size()) badStatusMax[index] = value;
}

void PlayerUnit::addJuiceGained(int n) {
    bool drained = badStatus[BAD_NO_JUICE] > 0;
    bool boosted = goodStatus[GOOD_JUICE_BOOST] > 0;
    int gain = n;
    if (drained && !boosted)
        gain = 0;
    else if (boosted && !drained)
        gain = saturateInt((long long)boostedJuice * n);
    juiceGained = saturateInt((long long)juiceGained + gain);
    score = saturateInt((long long)score + n); // the score counts the juice before the ailments
}

void PlayerUnit::resetJuiceGained() {
    hp = saturateInt((long long)hp + juiceGained);
    juiceGained = 0;
}

int PlayerUnit::getHPCostOfAttack(int n) const {
    if (n == 1) return hpCostOfAttack1;
    if (n == 2) return hpCostOfAttack2;
    return hpCostOfAttack3;
}

void PlayerUnit::setHPCostOfAttack(int n, int cost) {
    if (n == 1)
        hpCostOfAttack1 = cost;
    else if (n == 2)
        hpCostOfAttack2 = cost;
    else if (n == 3)
        hpCostOfAttack3 = cost;
}

void PlayerUnit::decideAction() {
    if (comboTimer > 0 && --comboTimer == 0) comboCount = 0;
    if (charAnim == ANIM_DEAD || !commanded) return;
    bool stunned = charAnim == ANIM_STUN;
    if (!stunned) walkFromKeys();
    fireAttacks(stunned);
    aim();
}

void PlayerUnit::walkFromKeys() {
    const bool* keys = command.actionHeld;
    int v = 0, h = 0;
    if (keys[ACTION_UP]) {
        walk(true);
        v -= 1;
    }
    if (keys[ACTION_DOWN]) {
        walk(true);
        v += 1;
    }
    if (keys[ACTION_LEFT]) {
        walk(true);
        h -= 1;
    }
    if (keys[ACTION_RIGHT]) {
        walk(true);
        h += 1;
    }
    // Opposite keys cancel out and keep the previous walk angle.
    if (v != 0 || h != 0) setWalkAngle(walkAngleFor(v, h));
}

void PlayerUnit::fireAttacks(bool stunned) {
    static const int attackBits[3] = {ADDED_BY_ATTACK1, ADDED_BY_ATTACK2, ADDED_BY_ATTACK4}; // per button
    int variantOut = 0;
    bool pause = false; // once set in a step, it holds for the later attacks of that step
    bool endChain = false;
    for (int i = 0; i < 3; i++) {
        int t = attackBits[i];
        std::vector<AddUnitTemplate*> list = getAddedUnits(t);
        if (list.empty()) continue;
        bool onClick = list.front()->onClick;
        bool fired = onClick ? command.buttonClicked[i] : command.buttonHeld[i];
        if (t == ADDED_BY_ATTACK4)
            fired =
                fired || (onClick ? command.actionClicked[ACTION_HYPER] : command.actionHeld[ACTION_HYPER]);
        if (!fired) continue;
        bool breaksStun = (unitPropertyPlayer & CLEAR_STUN_FOR_3RD_ATTACK) != 0;
        if (stunned && !(t == ADDED_BY_ATTACK4 && breaksStun)) continue;
        if (!canAddUnit(&list)) continue;

        static const int chainFlags[3] = {CHAIN_ATTACK1, CHAIN_ATTACK2, CHAIN_ATTACK4};
        if (unitPropertyPlayer & chainFlags[i]) {
            comboCount += 1;
        } else {
            comboCount = 0;
            comboTimer = 1; // never seen: such an attack always ends the chain below, which zeroes it
        }
        // Only the first attack can open or extend a chain; the other two close it.
        endChain = t != ADDED_BY_ATTACK1 || !(unitPropertyPlayer & CHAIN_ATTACK1);
        if (t == ADDED_BY_ATTACK2 && comboCount > 1) pause = true;
        // The chain's links grow: the second attack adds units of variant 1, the third of variant 2.
        if (comboCount <= 1) {
            variantOut = 0;
            comboTimer = chainPause;
        } else if (comboCount == 2) {
            variantOut = 1;
            comboTimer = chainPause;
        } else {
            variantOut = 2;
            endChain = true;
            pause = true;
        }
        if (endChain) {
            comboCount = 0;
            comboTimer = 0;
        }

        if (t == ADDED_BY_ATTACK4 && breaksStun) clearBadStatus(BAD_STUNNED);
        addUnit(&list, pause, variantOut);
    }
}

void PlayerUnit::aim() {
    if (!commanded) return;
    if (command.faceGiven)
        setFaceAngle(command.facing);
    else
        aimWith(command.mickeyX, command.mickeyY, command.mouseThreshold);
}

void PlayerUnit::aimWith(int mickeyX, int mickeyY, int threshold) {
    fixed X = itofix(-mickeyX);
    fixed Y = itofix(mickeyY);
    fixed len = fixhypot(X, Y);
    if (len <= itofix(1)) return; // one mickey or less is jitter, not aiming
    fixed direction;
    // In angle units: a sideways movement points straight left (-64) or right (64); a downward one
    // points into the lower half turn.
    if (mickeyY == 0 && mickeyX < 0)
        direction = itofix(-64);
    else if (mickeyY == 0 && mickeyX > 0)
        direction = itofix(64);
    else {
        direction = fixatan(fixdiv(X, Y));
        if (mickeyY > 0) direction -= itofix(128);
    }
    if (len > itofix(threshold))
        setFaceAngle(direction);
    else
        setFaceAngle(angleSum(drawAngle, angleDist(direction, drawAngle) / 10));
}
