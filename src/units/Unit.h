#ifndef VORN_UNITS_UNIT_H
#define VORN_UNITS_UNIT_H

#include <allegro.h>
#include <climits>
#include <string>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "units/kbForce.h"

class MusicSound;
class Round;
class UnitInput;
class UnitList;
class UnitTemplate;

// One thing in the arena: a fighter, a projectile, a neutral object, or (as PlayerUnit) the
// player's character. Numbers and flags are copied from the unit type at construction; pictures,
// animation data, sounds and the list of added units stay on the type.
class Unit {
  public:
    Unit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle, fixed scale,
         int variant);

    // Virtual operations, in this order.
    virtual void draw(BITMAP* bmp, MusicSound* sound, bool paused);
    virtual void decideAction();
    virtual void takeDamage(); // the per-step update
    virtual void endOfRound(); // the end-of-drawn-frame update
    virtual void reduceScore(int n);
    virtual void addUnit(std::vector<AddUnitTemplate*>* list, bool pause, int variant);
    virtual ~Unit();
    virtual void changeGoodStatusMax(int index, int value);
    virtual void changeBadStatusMax(int index, int value);

    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;

    // Movement requests; all ignored while moveLockLeft > 0.
    void walk(bool w);
    void faceAngle(fixed a);    // walk angle and facing
    void setWalkAngle(fixed a); // walk angle only
    void setFaceAngle(fixed a); // facing only

    fixed getWalkAngle() const { return walkAngle; }
    fixed getDrawAngle() const { return drawAngle; }
    bool getWalking() const { return walking; }
    fixed getPosX() const { return posX; }
    fixed getPosY() const { return posY; }
    int getAffiliation() const { return affiliation; }
    const std::string& getUnitName() const { return unitName; }
    fixed getDrawScale() const { return drawScale; }
    int getCharAnim() const { return charAnim; }
    int getHP() const { return hp; }
    int getMaxHP() const { return maxHP; }
    std::vector<int>& getGoodStatus() { return goodStatus; }
    std::vector<int>& getBadStatus() { return badStatus; }
    int getUnitPropertyPlayer() const { return unitPropertyPlayer; }
    int getUnitPropertyHitbox() const { return unitPropertyHitbox; }
    int getUnitPropertyStatus() const { return unitPropertyStatus; }
    int getUnitPropertyDefense() const { return unitPropertyDefense; }
    int getAnimCurrent() const { return animCurrent; }
    bool getRemoveThisUnit() const { return removeThisUnit; }
    int getVariant() const { return variant; }
    UnitTemplate* getUnitTemplate() const { return unitTemplate; }
    UnitInput* getUnitInput() const { return unitInput; }
    const std::vector<kbForce>& getKbForces() const { return kbForces; }

    UnitList* getUnitList() const { return unitList; }
    void setUnitList(UnitList* list) { unitList = list; }
    void setUnitTemplate(UnitTemplate* t) { unitTemplate = t; }
    void setRound(Round* r) { round = r; }

    // Contact size: 0.8 times the shown frame's diagonal, in pixels; getPicSize also scaled.
    fixed getFrameSize();
    fixed getPicSize();
    void changeAnim(int a);
    BITMAP* getPic(bool advance);
    void alignStyleMove();

    // Combat.
    void dealDamage(); // contactWith every unit of the list, in list order
    // The contact test of this unit as attacker against v: the pair rule, the touch test, then
    // the hit. Changes nothing when the two do not touch.
    void contactWith(Unit* v);
    int shouldCheckToGetHit(Unit* other, bool& withAttackKB); // 1 hit, 2 damage only, 4 knock only, 8 nothing
    void getHitKnockback(Unit* other, bool withAttackKB);
    void getHitDamage(Unit* other);
    // Saturates: extreme damage values from a unit file must not wrap around.
    void addDamage(int d) {
        long long sum = (long long)damageTaken + d;
        damageTaken = sum > INT_MAX ? INT_MAX : sum < -INT_MAX ? -INT_MAX : (int)sum;
    }
    void addGoodStatus(int index, int steps);
    void addBadStatus(int index, int steps);
    void clearGoodStatus(int index);
    void clearBadStatus(int index);
    bool youAreDead();
    void killSelf();
    // The entries of addedUnits whose attack shares a bit with mask (-1: all), in order.
    std::vector<AddUnitTemplate*> getAddedUnits(int mask);
    bool canAddUnit(std::vector<AddUnitTemplate*>* list);
    void storeJuiceForPlayer(fixed factor);
    void giveJuiceToPlayer(int& total);

    // Knockback forces.
    void addKnockBack(fixed angle, fixed magnitude, int duration);
    void addKnockBack(fixed angle, fixed magnitude, int duration, bool weighted);
    void addKnockBack(kbForce* force);

  protected:
    // What the wall test found this step: the edge crossed on each axis (-1, 0, +1) and whether
    // the unit was put back on the edge.
    struct WallContact {
        int sideX, sideY;
        bool clamped;
    };

    bool isAllyOf(const Unit* other) const;
    bool diesWhenHitBy(int attackerAffiliation) const;
    fixed contactReach(Unit* other); // half the summed contact diameters
    int animFrames(int anim) const;
    void walkingVelocity(long long& vx, long long& vy);
    WallContact wallTest();
    void sumKnockBack(const WallContact& wall, long long& vx, long long& vy);
    void decayKnockBack();
    void chooseAnim();
    void finishAnim();
    void playPendingSound(MusicSound* sound);

    std::string unitName;
    std::vector<AddUnitTemplate*>* addedUnits; // the type's list, not owned
    UnitInput* unitInput;                      // owned copy of the type's behaviour
    UnitList* unitList;
    UnitTemplate* unitTemplate;
    int affiliation;
    int unitPropertyHitbox, unitPropertyDefense, unitPropertyStatus, unitPropertyPlayer;
    int variant;
    int timeToLive;
    int charAnim;
    bool removeThisUnit;
    int maxHP, hp;
    std::vector<int> goodStatus; // steps left of each good ailment
    std::vector<int> badStatus;
    fixed walkAngle;
    bool walking;
    fixed walkspeed; // pixels per step
    std::vector<kbForce> kbForces;
    Round* round;
    int attack1CoolDown, attack2CoolDown, attack4CoolDown; // steps
    int moveLockLeft;                                      // steps
    fixed posX, posY;                                      // arena pixels, centre
    fixed drawAngle;
    fixed drawScale;
    int attackState; // attack bit whose animation plays, 0 none
    int soundToPlay; // sound slot for the next draw, -1 none
    bool deadSoundPlayed;
    int animFrame, animFrameCount;
    int animCurrent;
    int dashLeft; // steps
    Unit* alignTarget;
    int alignStyle;
    fixed alignDist, alignAngleMin, alignAngleMax;
    kbForce attackKB;
    int damageDealt;
    int damageTaken; // collected during the current step
    int wallTime;    // consecutive steps beyond an arena edge
    std::vector<int> goodStatusDealt, badStatusDealt;
    int juiceStored;
    int juiceForPlayer;
};

#endif
