#include "units/Unit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <new>

#include "content/Round.h"
#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "system/MusicSound.h"
#include "units/SpriteCache.h"
#include "units/UnitInput.h"
#include "units/UnitList.h"
#include "units/UnitPool.h"
#include "units/angleSum.h"
#include "units/saturate.h"
#include "units/vornMath.h"

namespace {

AilmentCounters firstAilments(const std::vector<int>& steps) {
    AilmentCounters first{};
    for (size_t i = 0; i < first.size() && i < steps.size(); i++)
        first[i] = steps[i];
    return first;
}

// Sums of fixed values are formed in 64 bits and saturated, so extreme data (a long Push, a huge
// knockback) can never wrap a velocity or a position around.
fixed clampFixed(long long v) {
    return saturateInt(v);
}

const int wallLoss = 10; // hit points and score lost at every step outside the arena
// Steps of invincibility (0.45 s) a unit with InvincibleWhenHit gets after a step in which it took
// damage: every step of contact is a hit, so a crowd would otherwise drain it at every step.
const int invincibleAfterHit = 15;
// Steps outside a Push wall (0.9 s) after which it puts the unit back on the edge as Stop does: a
// unit the ever harder push has not brought back by then (its strength stops growing at the
// largest fixed value after 26 steps) never will be.
const int pushHoldsAfter = 30;
// Steps added to every cool-down and to the move lock by a chain's third link, or by attack 2 as
// its second (PlayerUnit::fireAttacks): the pause after a chain's finishing blow.
const int chainEndPause = 10;

// A fixed factor times an integer, as a fixed value (saturated).
fixed fixedTimesInt(fixed f, int n) {
    return clampFixed((long long)f * n);
}

bool isAttackAnim(int anim) {
    return anim >= ANIM_ATTACK1 && anim <= ANIM_DEAD;
}

bool onPlayerSide(int aff) {
    return aff == AFF_PLAYER || aff == AFF_PLAYER_PROJECTILE;
}
bool onEnemySide(int aff) {
    return aff == AFF_ENEMY || aff == AFF_ENEMY_PROJECTILE;
}

// What a unit's variant (its size and strength class) changes; unknown variants act as 0.
struct VariantClass {
    double scale;     // sprite scale and station distance (alignDist)
    double spawnDist; // distance of the units it adds
    double juice;     // juice it earns the player
    int timesHP;      // hit points and damage dealt: x timesHP, or halved when 0
    int frequency;    // sound pitch, 1000 the sample's own: larger units sound lower
};
const VariantClass variantClasses[] = {
    {1.0, 1.0, 1.0, 1, 1000}, {1.414, 1.414, 1.2, 2, 750}, {2.0, 2.0, 1.5, 4, 500},
    {0.5, 0.5, 0.5, 0, 2000}, {0.9, 0.7, 0.8, 2, 1000},
};
const VariantClass& variantClass(int variant) {
    return variantClasses[variant >= 1 && variant <= 4 ? variant : 0];
}

// Strength of the Push wall after wallTime steps outside: 1.5^wallTime pixels per step, grown
// in integer steps of 3/2 that truncate, and held at the largest fixed value once it gets there.
fixed pushStrength(int wallTime) {
    long long f = ftofix(1.0);
    for (int i = 0; i < wallTime && f < INT_MAX; i++)
        f = f * 3 / 2 > INT_MAX ? INT_MAX : f * 3 / 2;
    return (fixed)f;
}

} // namespace

Unit::Unit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle, fixed scale, int v)
    : posX(x), posY(y), animCurrent(0), animFrame(0), animFrameCount(0), drawScale(scale),
      affiliation(t->affiliation), unitPropertyHitbox(t->unitPropertyHitbox),
      unitPropertyDefense(t->unitPropertyDefense), juiceStored(0), unitTemplate(t),
      removeThisUnit(false), goodStatus{}, badStatus{}, damageTaken(0),
      unitPropertyStatus(t->unitPropertyStatus), unitPropertyPlayer(t->unitPropertyPlayer),
      unitName(t->unitName), addedUnits(&t->addedUnits), unitInput(&behaviour), unitList(list), variant(v),
      timeToLive(t->timeToLive), charAnim(0), maxHP(t->maxHP), hp(t->maxHP), walkAngle(angle), walking(false),
      walkspeed(t->walkspeed), round(nullptr), attack1CoolDown(0), attack2CoolDown(0), attack4CoolDown(0),
      moveLockLeft(0), drawAngle(angle), attackState(0), soundToPlay(-1), deadSoundPlayed(false), dashLeft(0),
      alignTarget(creator), alignStyle(t->alignStyle), alignDist(t->alignDist),
      alignAngleMin(t->alignAngleMin), alignAngleMax(t->alignAngleMax),
      attackKB(t->kbDir, t->kbMag, t->kbDuration), damageDealt(t->damageDealt), wallTime(0),
      goodStatusDealt(firstAilments(t->goodStatus)), badStatusDealt(firstAilments(t->badStatus)),
      juiceForPlayer(t->juiceForPlayer), behaviour(t->unitInput, v) {
    if (v < 1 || v > 4) return; // variant 0, and unknown ones, keep the type as written
    const VariantClass& c = variantClass(v);
    drawScale = fixmul(drawScale, ftofix(c.scale));
    // 1.77245 is the square root of pi. The rules give no reason for it: it is the game's own tuning,
    // which puts a variant's station farther than its scale alone would (2.5 times for variant 1,
    // 3.5 for 2) and which the state hashes of recorded replays hold to. Variant 0 is unscaled.
    if (alignStyle == 1) alignDist = fixmul(fixmul(alignDist, ftofix(c.scale)), ftofix(1.77245));
    if (v == 3 || v == 4) walkspeed = fixmul(walkspeed, ftofix(2.0)); // the small variants run
    damageDealt = c.timesHP ? damageDealt * c.timesHP : damageDealt / 2;
    maxHP = c.timesHP ? maxHP * c.timesHP : maxHP / 2;
    hp = maxHP;
    juiceForPlayer = (int)(juiceForPlayer * c.juice);
}

Unit::~Unit() {}

namespace {
#if defined(__SANITIZE_ADDRESS__)
const bool poolUnits = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
const bool poolUnits = false;
#else
const bool poolUnits = true;
#endif
#else
const bool poolUnits = true;
#endif

// Never destroyed: a unit may outlive the statics of its program. It holds no memory while no
// unit is alive.
UnitPool& unitPool() {
    static UnitPool* pool = new UnitPool(sizeof(Unit), alignof(Unit));
    return *pool;
}
} // namespace

void* Unit::operator new(std::size_t size) {
    if (poolUnits && size == sizeof(Unit)) return unitPool().take();
    return ::operator new(size, std::align_val_t(alignof(Unit)));
}

void Unit::operator delete(void* p, std::size_t size) {
    if (poolUnits && size == sizeof(Unit))
        unitPool().give(p);
    else
        ::operator delete(p, std::align_val_t(alignof(Unit)));
}

// Hooks for the player's unit, which keeps a score and the ailment maxima; others keep neither.
void Unit::reduceScore(int) {}
void Unit::changeGoodStatusMax(int, int) {}
void Unit::changeBadStatusMax(int, int) {}

void Unit::decideAction() {
    if (unitInput) unitInput->decideAction(this, unitList, round);
}

// Movement requests: a move lock (an attack's follow-through) holds the unit's course and facing.

void Unit::walk(bool w) {
    if (moveLockLeft <= 0) walking = w;
}

void Unit::faceAngle(fixed a) {
    if (moveLockLeft <= 0) walkAngle = drawAngle = a;
}

void Unit::setWalkAngle(fixed a) {
    if (moveLockLeft <= 0) walkAngle = a;
}

void Unit::setFaceAngle(fixed a) {
    if (moveLockLeft <= 0) drawAngle = a;
}

void Unit::walkingVelocity(long long& vx, long long& vy) {
    fixed s = itofix(1);
    if (badStatus[BAD_SLOWED] > 0)
        s /= 2;
    else if (goodStatus[GOOD_HASTENED] > 0)
        s *= 2;
    vx = vy = 0;
    if (walking) {
        vx = fixmul(s, fixmul(walkspeed, fixsin(walkAngle)));
        vy = -fixmul(s, fixmul(walkspeed, fixcos(walkAngle)));
    }
}

void Unit::alignStyleMove() {
    if (alignStyle == 0 || !alignTarget) return;
    if (!unitList || !unitList->thisUnitExists(alignTarget)) {
        alignTarget = nullptr;
        return;
    }
    fixed tx = alignTarget->posX, ty = alignTarget->posY;
    fixed a = calcAngle(tx, ty, posX, posY, alignTarget->drawAngle);
    fixed d = calcDist(tx, ty, posX, posY);
    if ((alignStyle & 1) && d > alignDist) {
        posX = clampFixed((long long)tx + fixmul(alignDist, fixsin(a)));
        posY = clampFixed((long long)ty - fixmul(alignDist, fixcos(a)));
    }
}

void Unit::forgetRemovedUnits(const std::vector<Unit*>& removed) {
    if (std::binary_search(removed.begin(), removed.end(), alignTarget, std::less<Unit*>()))
        alignTarget = nullptr;
    if (unitInput) unitInput->forgetRemovedTarget(removed);
}

// Animation. The hold timer and the loops left live on the type, shared by all its units.

int Unit::animFrames(int anim) const {
    if (anim < 0 || anim >= (int)unitTemplate->vecPics.size()) return 0;
    return (int)unitTemplate->vecPics[anim].size();
}

namespace {
int holdCount(const UnitTemplate* t, int anim, int frame) {
    const std::vector<int>& times = t->animFrameTimes[anim];
    return frame >= 0 && frame < (int)times.size() ? times[frame] : 0;
}

BITMAP* firstIdlePic(const UnitTemplate* t) {
    return t->vecPics[ANIM_IDLE].empty() ? nullptr : t->vecPics[ANIM_IDLE][0];
}
} // namespace

void Unit::changeAnim(int a) {
    animFrame = 0;
    animFrameCount = animFrames(a);
    animCurrent = a;
    if (a < 0 || a >= ANIM_COUNT) {
        unitTemplate->animLoopsLeft = 0;
        unitTemplate->animFrameTimer = 0;
        return;
    }
    unitTemplate->animLoopsLeft = unitTemplate->animRepeat[a];
    unitTemplate->animFrameTimer = animFrameCount > 0 ? holdCount(unitTemplate, a, 0) : 0;
}

// The end of an attack or death animation ends the attack state; a dead unit may then go.
void Unit::finishAnim() {
    if (isAttackAnim(animCurrent)) attackState = 0;
    if (charAnim == ANIM_DEAD) removeThisUnit = true;
}

BITMAP* Unit::getPic(bool advance) {
    UnitTemplate* t = unitTemplate;
    if (animFrameCount <= 0 || animCurrent < 0 || animCurrent >= ANIM_COUNT) {
        finishAnim();
        return firstIdlePic(t);
    }
    BITMAP* pic = t->vecPics[animCurrent][animFrame];
    if (!advance) return pic;
    bool changed = false;
    if (t->animFrameTimer > 0) {
        t->animFrameTimer--;
    } else {
        animFrame++;
        changed = true;
    }
    int loopEnd = t->animLoopEnd[animCurrent];
    if (animFrame >= animFrameCount || (loopEnd >= 0 && animFrame > loopEnd)) {
        t->animLoopsLeft--;
        animFrame = t->animLoopStart[animCurrent];
        // A loop start past the last frame (possible in a unit file) holds the last frame too.
        if (animFrame < 0 || animFrame >= animFrameCount || t->animLoopsLeft < 0)
            animFrame = animFrameCount - 1;
        if (t->animLoopsLeft < 0) finishAnim();
        changed = true;
    }
    if (changed) t->animFrameTimer = holdCount(t, animCurrent, animFrame);
    return pic;
}

fixed Unit::getFrameSize() {
    BITMAP* frame = nullptr;
    if (animFrames(animCurrent) > 0) {
        const std::vector<BITMAP*>& pics = unitTemplate->vecPics[animCurrent];
        frame = pics[animFrame >= 0 && animFrame < (int)pics.size() ? animFrame : 0];
    } else {
        frame = firstIdlePic(unitTemplate);
    }
    if (!frame) return 0;
    double diagonal = std::sqrt((double)frame->w * frame->w + (double)frame->h * frame->h);
    return fixmul(ftofix(0.8), ftofix(diagonal));
}

fixed Unit::getPicSize() {
    return fixmul(getFrameSize(), drawScale);
}

void Unit::chooseAnim() {
    if (badStatus[BAD_STUNNED] > 0)
        charAnim = ANIM_STUN;
    else if (attackState > 0)
        charAnim = attackState == ADDED_BY_ATTACK1   ? ANIM_ATTACK1
                   : attackState == ADDED_BY_ATTACK2 ? ANIM_ATTACK2
                                                     : ANIM_ATTACK4;
    else
        charAnim = walking ? ANIM_RUN : ANIM_IDLE;
}

void Unit::endOfRound() {
    if (youAreDead())
        killSelf();
    else
        chooseAnim();
    walking = false;
    decayKnockBack();
}

void Unit::prefetch(size_t bytes) const {
    const char* at = reinterpret_cast<const char*>(this);
    for (size_t line = 0; line < bytes && line < sizeof(Unit); line += 64) // bytes, a cache line
        __builtin_prefetch(at + line);
}

void Unit::prefetchLists() const {
    __builtin_prefetch(kbForces.data());
}

void prefetchUnitsAhead(const std::vector<Unit*>& units, size_t i, PrefetchReach reach) {
    const size_t ahead = 16; // units
    if (i + ahead < units.size())
        units[i + ahead]->prefetch(reach == PREFETCH_HEAD ? Unit::headBytes : sizeof(Unit));
    if (reach == PREFETCH_FIELDS_AND_LISTS && i + ahead / 2 < units.size())
        units[i + ahead / 2]->prefetchLists();
}

void Unit::draw(BITMAP* bmp, MusicSound* sound, bool paused, fixed canvas) {
    if (animCurrent != charAnim) changeAnim(charAnim);
    BITMAP* pic = getPic(!paused);
    if (pic && bmp) drawPicture(bmp, pic, canvas);
    playPendingSound(sound);
}

void Unit::drawPicture(BITMAP* bmp, BITMAP* pic, fixed canvas) const {
    SpriteCache& cache = SpriteCache::drawing();
    if (canvas == itofix(1))
        cache.draw(bmp, pic, fixtoi(posX), fixtoi(posY), drawAngle, drawScale);
    else
        cache.draw(bmp, pic, fixtoi(fixmul(posX, canvas)), fixtoi(fixmul(posY, canvas)), drawAngle,
                   fixmul(drawScale, canvas));
}

void Unit::playPendingSound(MusicSound* sound) {
    std::vector<SAMPLE*>& samples = unitTemplate->sounds;
    if (soundToPlay < 0 || soundToPlay >= (int)samples.size() || !samples[soundToPlay])
        return; // stays pending until the slot has a sample
    // Allegro's pan: 0 left, 128 centre, 255 right.
    int pan = 128;
    fixed width = round ? round->getArenaSizeX() : 0;
    if (round && width > 0) {
        // Outside the arena (Ignore walls) the ratio leaves 0..1: keep the pan on the speakers.
        double ratio = fixtof(fixdiv(posX, width));
        pan = ratio <= 0.0 ? 0 : ratio >= 1.0 ? 255 : (int)(ratio * 255.0);
    }
    if (youAreDead()) soundToPlay = SOUND_DEAD;
    if (!deadSoundPlayed && samples[soundToPlay] && sound)
        sound->playSfx(samples[soundToPlay], pan, variantClass(variant).frequency);
    if (soundToPlay == SOUND_DEAD) deadSoundPlayed = true;
    soundToPlay = -1;
}

// Combat: contact tests, the pair rule, hits.

bool Unit::isAllyOf(int otherAffiliation) const {
    return (onPlayerSide(affiliation) && onPlayerSide(otherAffiliation)) ||
           (onEnemySide(affiliation) && onEnemySide(otherAffiliation));
}

bool Unit::diesWhenHitBy(int aff) const {
    int h = unitPropertyHitbox;
    return ((h & DIES_WHEN_PLAYER_PROJECTILE_HITS) && aff == AFF_PLAYER_PROJECTILE) ||
           ((h & DIES_WHEN_PLAYER_HITS) && aff == AFF_PLAYER) ||
           ((h & DIES_WHEN_ENEMY_HITS) && aff == AFF_ENEMY) ||
           ((h & DIES_WHEN_ENEMY_PROJECTILE_HITS) && aff == AFF_ENEMY_PROJECTILE) ||
           ((h & DIES_WHEN_NEUTRAL_HITS) && aff == AFF_NEUTRAL);
}

fixed Unit::contactReach(Unit* other) {
    return clampFixed(((long long)getPicSize() + other->getPicSize()) / 2);
}

void Unit::dealDamage() {
    if (!unitList) return;
    for (auto it = unitList->beginOfList(); it != unitList->endOfList(); ++it)
        contactWith(*it);
}

void Unit::contactWith(Unit* v) {
    Touch touch;
    touch.result = shouldCheckToGetHit(v, touch.withAttackKB);
    if (touch.result == CONTACT_NONE) return;
    touch.dist = calcDist(posX, posY, v->posX, v->posY);
    touch.reach = contactReach(v);
    if (touch.dist > touch.reach) return;
    dealContact(v, touch);
}

bool Unit::touches(const ContactGrid::Spot& mine, const ContactGrid::Spot& theirs, Touch& touch) const {
    touch.result = pairRule(theirs.affiliation, theirs.hitbox, theirs.defense, false, touch.withAttackKB);
    if (touch.result == CONTACT_NONE) return false;
    touch.dist = calcDist(mine.x, mine.y, theirs.x, theirs.y);
    touch.reach = clampFixed(((long long)mine.size + theirs.size) / 2);
    return touch.dist <= touch.reach;
}

void Unit::dealContact(Unit* v, const Touch& touch) {
    // Invincibility turns every contact into none; it alone of what the rule reads of v may
    // change while the contacts of a step are dealt.
    if (v->goodStatus[GOOD_INVINCIBLE] > 0) return;
    if (touch.result == CONTACT_HIT || touch.result == CONTACT_KNOCK_ONLY)
        getHitKnockback(v, touch.withAttackKB, touch.dist, touch.reach);
    if (touch.result == CONTACT_HIT || touch.result == CONTACT_DAMAGE_ONLY) getHitDamage(v);
}

ContactResult Unit::shouldCheckToGetHit(Unit* v, bool& withAttackKB) {
    withAttackKB = true;
    if (v == this || animCurrent == ANIM_DEAD || v->animCurrent == ANIM_DEAD) return CONTACT_NONE;
    return pairRule(v->affiliation, v->unitPropertyHitbox, v->unitPropertyDefense,
                    v->goodStatus[GOOD_INVINCIBLE] > 0, withAttackKB);
}

ContactResult Unit::pairRule(int vAff, int vHit, int vDef, bool vInvincible, bool& withAttackKB) const {
    withAttackKB = true;
    bool damage = true, knock = true;
    bool allies = isAllyOf(vAff);
    int aHit = unitPropertyHitbox;
    bool stunned = badStatus[BAD_STUNNED] > 0;
    if (((aHit | vHit) & GOES_THROUGH_ALLY) && allies) damage = knock = false;
    if (((aHit | vHit) & GOES_THROUGH_OPPONENT) && !allies) damage = knock = false;
    if (allies && !((aHit & HITS_ALLY_WHEN_STUNNED) && stunned))
        damage = withAttackKB = false; // allies only bump each other
    if (!allies && !(aHit & HITS_OPPONENT_WHEN_STUNNED) && stunned)
        damage = withAttackKB = false; // a stunned unit only bumps
    if ((vDef & INDESTRUCTIBLE) && !(aHit & HITS_INDESTRUCTIBLE)) {
        damage = withAttackKB = false;
        if (!(unitPropertyDefense & INDESTRUCTIBLE)) knock = false;
    }
    if ((aHit & HITS_PLAYER) && vAff == AFF_PLAYER) damage = knock = withAttackKB = true;
    if (vDef & NO_KNOCKBACK) knock = withAttackKB = false;
    if (vDef & NO_DAMAGE) damage = withAttackKB = false;
    if (vInvincible) damage = knock = false;
    if (aHit & DEALS_NO_KNOCKBACK) knock = withAttackKB = false;
    if (damage && knock) return CONTACT_HIT;
    if (damage) return CONTACT_DAMAGE_ONLY;
    return knock ? CONTACT_KNOCK_ONLY : CONTACT_NONE;
}

void Unit::getHitKnockback(Unit* v, bool withAttackKB, fixed d, fixed reach) {
    fixed a, overlap; // angle units, pixels
    if (d > itofix(1)) {
        a = calcAngle(posX, posY, v->posX, v->posY, walkAngle);
        overlap = reach - d;
    } else {
        // On top of each other (within a pixel): no direction to go by, so each is pushed a pixel
        // somewhere at random.
        overlap = itofix(2);
        a = itofix(rand() % 256); // a whole turn of angle units
    }
    // Half the overlap: v's own contact test with this unit pushes it by the other half.
    v->addKnockBack(a, overlap / 2, 1, false);
    // The large variants knock harder, by their scale; the small ones knock as variant 0.
    fixed m = variant == 1 ? ftofix(1.414) : variant == 2 ? itofix(2) : itofix(1);
    if (v->diesWhenHitBy(affiliation)) v->killSelf();
    if (withAttackKB)
        v->addKnockBack(angleSum(a, attackKB.angle), fixmul(attackKB.magnitude, m),
                        fixtoi(fixedTimesInt(m, attackKB.duration)));
}

void Unit::getHitDamage(Unit* v) {
    int dmg = damageDealt;
    fixed j = 0;
    if ((onEnemySide(v->affiliation) || v->affiliation == AFF_NEUTRAL) && onPlayerSide(affiliation))
        j = itofix(1);
    if (affiliation == AFF_PLAYER && goodStatus[GOOD_INVINCIBLE] > 0) j = 0;
    // A stunned enemy knocked into its fellows earns the player juice.
    if (onEnemySide(affiliation) && onEnemySide(v->affiliation) && badStatus[BAD_STUNNED] > 0) j = itofix(1);
    if (v->diesWhenHitBy(affiliation)) v->killSelf();
    if (goodStatus[GOOD_STRENGTHENED] > 0) {
        j = fixmul(j, itofix(2));
        dmg *= 2;
    }
    if (badStatus[BAD_WEAKENED] > 0) {
        j = fixmul(j, ftofix(0.5));
        dmg /= 2;
    }
    storeJuiceForPlayer(j);
    v->addDamage(dmg);
    // A count of 0 adds nothing.
    for (int i = 0; i < AILMENT_COUNT; i++)
        if (goodStatusDealt[i] != 0) v->addGoodStatus(i, goodStatusDealt[i]);
    for (int i = 0; i < AILMENT_COUNT; i++)
        if (badStatusDealt[i] != 0) v->addBadStatus(i, badStatusDealt[i]);
}

void Unit::storeJuiceForPlayer(fixed factor) {
    juiceStored += fixtoi(fixedTimesInt(factor, juiceForPlayer));
}

void Unit::giveJuiceToPlayer(int& total) {
    total += juiceStored;
    juiceStored = 0;
}

// Ailments.

namespace {
int ailmentSteps(int steps, int status, int resist, int immune) {
    if (status & resist) steps /= 2;
    if (status & immune) steps = 0;
    return steps;
}
} // namespace

void Unit::addGoodStatus(int i, int steps) {
    steps = ailmentSteps(steps, unitPropertyStatus, RESIST_GOOD_AILMENTS, IMMUNE_GOOD_AILMENTS);
    if (i < 0 || i >= (int)goodStatus.size()) return;
    goodStatus[i] += steps;
    if (steps > 0) changeGoodStatusMax(i, goodStatus[i]);
}

void Unit::addBadStatus(int i, int steps) {
    steps = ailmentSteps(steps, unitPropertyStatus, RESIST_BAD_AILMENTS, IMMUNE_BAD_AILMENTS);
    if (i < 0 || i >= (int)badStatus.size()) return;
    badStatus[i] += steps;
    if (steps > 0) changeBadStatusMax(i, badStatus[i]);
}

void Unit::clearGoodStatus(int i) {
    if (i < 0 || i >= (int)goodStatus.size()) return;
    goodStatus[i] = 0;
    changeGoodStatusMax(i, 0);
}

void Unit::clearBadStatus(int i) {
    if (i < 0 || i >= (int)badStatus.size()) return;
    badStatus[i] = 0;
    changeBadStatusMax(i, 0);
}

// The per-step update.

void Unit::takeDamage() {
    if ((unitPropertyPlayer & INVINCIBLE_WHEN_HIT) && damageTaken > 0)
        addGoodStatus(GOOD_INVINCIBLE, invincibleAfterHit);
    hp = clampFixed((long long)hp - damageTaken); // extreme damage values saturate
    reduceScore(damageTaken);
    if (damageTaken > 0 && soundToPlay != SOUND_DEAD) soundToPlay = SOUND_HIT;
    damageTaken = 0;
    if (hp > maxHP) hp = maxHP;
    for (int i = 0; i < (int)goodStatus.size(); i++)
        if (goodStatus[i] > 0 && --goodStatus[i] == 0) changeGoodStatusMax(i, 0);
    for (int i = 0; i < (int)badStatus.size(); i++)
        if (badStatus[i] > 0 && --badStatus[i] == 0) changeBadStatusMax(i, 0);
    for (int* coolDown : {&attack1CoolDown, &attack2CoolDown, &attack4CoolDown})
        if (*coolDown > 0) (*coolDown)--;
    if (dashLeft > 0) {
        dashLeft--;
        walking = true;
        walkAngle = drawAngle;
    }
    long long vx, vy;
    walkingVelocity(vx, vy);
    if (moveLockLeft > 0) moveLockLeft--;
    alignStyleMove();
    WallContact wall = wallTest();
    sumKnockBack(wall, vx, vy);
    posX = clampFixed((long long)posX + clampFixed(vx));
    posY = clampFixed((long long)posY + clampFixed(vy));
}

// Walls and knockback forces.

Unit::WallContact Unit::wallTest() {
    WallContact wall = {0, 0, false};
    if (!round) return wall;
    fixed width = round->getArenaSizeX(), height = round->getArenaSizeY();
    int mode = round->getArenaWall();
    wall.sideX = posX < 0 ? -1 : posX > width ? 1 : 0;
    wall.sideY = posY < 0 ? -1 : posY > height ? 1 : 0;
    bool ignoresWalls = unitPropertyDefense & IGNORE_WALL_KNOCKBACK;
    bool clamps =
        mode == WALL_STOP || mode == WALL_BOUNCE || (mode == WALL_PUSH && wallTime >= pushHoldsAfter);
    if (!ignoresWalls && clamps) {
        if (wall.sideX != 0) {
            posX = wall.sideX < 0 ? 0 : width;
            wall.clamped = true;
        }
        if (wall.sideY != 0) {
            posY = wall.sideY < 0 ? 0 : height;
            wall.clamped = true;
        }
    }
    bool outside = wall.sideX != 0 || wall.sideY != 0;
    if (!outside) {
        wallTime = 0;
        return wall;
    }
    if (!ignoresWalls) {
        wallTime++;
        if (mode == WALL_PUSH) {
            fixed f = pushStrength(wallTime);
            // Inwards, in angle units: right from the left edge, left from the right, down, up.
            if (wall.sideX != 0) addKnockBack(itofix(wall.sideX < 0 ? 64 : 192), f, 1, false);
            if (wall.sideY != 0) addKnockBack(itofix(wall.sideY < 0 ? 128 : 0), f, 1, false);
        }
    }
    hp = saturateInt((long long)hp - wallLoss);
    reduceScore(wallLoss);
    if (unitPropertyHitbox & DIES_WHEN_HITS_WALL) killSelf();
    return wall;
}

void Unit::sumKnockBack(const WallContact& wall, long long& vx, long long& vy) {
    int weight = (unitPropertyDefense & BOUNCY) ? 1 : (unitPropertyDefense & HEAVY) ? 4 : 2; // 2 plain
    int mode = round ? round->getArenaWall() : WALL_IGNORE;
    bool outside = wall.sideX != 0 || wall.sideY != 0;
    for (kbForce& f : kbForces) {
        if (wall.clamped) f.magnitude = f.duration = 0;
        if (mode == WALL_STOP && outside) {
            if (wall.sideX != 0 && wall.sideY != 0)
                f.magnitude = f.duration = 0;
            else if (wall.sideX != 0) // turned along the wall
                f.angle = itofix(fixmul(f.magnitude, fixcos(f.angle)) >= 0 ? 0 : 128);
            else
                f.angle = itofix(fixmul(f.magnitude, fixsin(f.angle)) >= 0 ? 64 : 192);
        }
        if (mode == WALL_BOUNCE && outside) {
            f.angle = angleSum(f.angle, -itofix(128));             // reversed, wrapping by whole turns
            f.magnitude = (fixed)((long long)f.magnitude * 3 / 4); // a bounce keeps three quarters
        }
        // Integer division on purpose: a Heavy unit (2 / 4 = 0) ignores weighted forces.
        int k = f.weighted ? 2 / weight : 1;
        vx += (long long)k * fixmul(f.magnitude, fixsin(f.angle));
        vy -= (long long)k * fixmul(f.magnitude, fixcos(f.angle));
    }
}

void Unit::decayKnockBack() {
    fixed damping = round ? round->getArenaKB() : ftofix(0.5); // without a round, ArenaKB's default
    for (auto it = kbForces.begin(); it != kbForces.end();) {
        if (it->duration > 0) {
            it->duration--;
        } else {
            it->magnitude = fixmul(it->magnitude, damping);
            if (it->magnitude < itofix(1) || !it->weighted) { // under a pixel per step it is spent
                it = kbForces.erase(it);
                continue;
            }
        }
        ++it;
    }
}

void Unit::addKnockBack(fixed a, fixed m, int d) {
    kbForces.emplace_back(a, m, d);
}
void Unit::addKnockBack(fixed a, fixed m, int d, bool w) {
    kbForces.emplace_back(a, m, d, w);
}
void Unit::addKnockBack(kbForce* f) {
    if (f) kbForces.push_back(*f);
}

// Death and added units.

bool Unit::youAreDead() {
    if (charAnim == ANIM_DEAD) return true;
    if (timeToLive >= 0) timeToLive--;
    if (timeToLive < 0 && timeToLive > -10) return true; // the lifetime has run out
    return hp <= 0;
}

void Unit::killSelf() {
    if (charAnim != ANIM_DEAD) {
        std::vector<AddUnitTemplate*> deathSpawns = getAddedUnits(ADDED_ON_DEATH);
        if (!deathSpawns.empty()) addUnit(&deathSpawns, false, 0);
    }
    charAnim = ANIM_DEAD;
    soundToPlay = SOUND_DEAD;
}

std::vector<AddUnitTemplate*> Unit::getAddedUnits(int mask) {
    std::vector<AddUnitTemplate*> found;
    if (!addedUnits) return found;
    for (AddUnitTemplate* e : *addedUnits)
        if (mask == -1 || (e->attack & mask) != 0) found.push_back(e);
    return found;
}

bool Unit::canAddUnit(std::vector<AddUnitTemplate*>* list) {
    if (!list || list->empty()) return false;
    int t = list->front()->attack;
    long long cost = 0;
    for (AddUnitTemplate* e : *list)
        cost += e->hpCost;
    if ((t == ADDED_BY_ATTACK1 && attack1CoolDown > 0) || (t == ADDED_BY_ATTACK2 && attack2CoolDown > 0) ||
        (t == ADDED_BY_ATTACK4 && attack4CoolDown > 0))
        return false;
    if (cost >= hp && !(t == ADDED_BY_ATTACK1 && (unitPropertyPlayer & IGNORE_HEALTH_FOR_1ST_ATTACK)))
        return false;
    return true;
}

void Unit::addUnit(std::vector<AddUnitTemplate*>* list, bool pause, int v) {
    if (!list) return;
    int useVariant = v != 0 ? v : variant;
    for (AddUnitTemplate* e : *list) {
        fixed step = e->amount != 0 ? fixdiv(e->angleSpread, itofix(e->amount)) : 0;
        fixed dist = fixmul(e->spawnDist, ftofix(variantClass(useVariant).spawnDist));
        for (int j = 0; j < e->amount; j++) {
            // A 15-bit draw, so the turn stays within half of angleRandom either way whatever
            // the platform's RAND_MAX.
            fixed jitter = fixmul(ftofix((rand() % 32768 - 16383) / 32767.0), e->angleRandom);
            fixed angle =
                angleSum(angleSum(angleSum(drawAngle, e->spawnAngle), jitter), fixedTimesInt(step, j));
            fixed x = clampFixed((long long)posX + fixmul(dist, fixsin(angle)));
            fixed y = clampFixed((long long)posY - fixmul(dist, fixcos(angle)));
            if (unitList)
                unitList->addUnitCreate(new UnitCreate(e->unitName, 1, SIDE_AT_POSITION, SPAWN_AFTER_DELAY,
                                                       e->appearDelay, 0, x, y, angle, useVariant, this));
        }
        attack1CoolDown += e->attack1Delay;
        attack2CoolDown += e->attack2Delay;
        attack4CoolDown += e->attack4Delay;
        moveLockLeft += e->moveLock;
        hp = clampFixed((long long)hp - e->hpCost);
        if (hp < 0) hp = 1; // an attack never kills its user
        if (e->dashTime > 0) dashLeft += e->dashTime;
    }
    int t = list->empty() ? 0 : list->back()->attack;
    // Attack bits only (up to 1 | 2 | 4): a death entry plays no attack animation.
    if (t <= (ADDED_BY_ATTACK1 | ADDED_BY_ATTACK2 | ADDED_BY_ATTACK4)) attackState = t;
    soundToPlay = t == ADDED_BY_ATTACK2 ? SOUND_ATT2 : t == ADDED_BY_ATTACK4 ? SOUND_ATT3 : SOUND_ATT1;
    if (pause) {
        for (int* counter : {&attack1CoolDown, &attack2CoolDown, &attack4CoolDown, &moveLockLeft})
            *counter += chainEndPause;
    }
}
