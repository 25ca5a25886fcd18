#ifndef VORN_UNITS_UNIT_H
#define VORN_UNITS_UNIT_H

#include <allegro.h>
#include <climits>
#include <cstddef>
#include <string>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "content/UnitTemplate.h"
#include "units/ContactGrid.h"
#include "units/UnitInput.h"
#include "units/kbForce.h"

class MusicSound;
class Round;
class UnitList;
class UnitTemplate;

// What a contact between two touching units does (Unit::shouldCheckToGetHit); single bits.
enum ContactResult {
    CONTACT_HIT = 1,         // damage, ailments and knockback
    CONTACT_DAMAGE_ONLY = 2, // damage and ailments, no push
    CONTACT_KNOCK_ONLY = 4,  // a push only (a bump, or the attack's knockback without damage)
    CONTACT_NONE = 8
};

// One thing in the arena: a fighter, a projectile, a neutral object, or (as PlayerUnit) the
// player's character. Numbers and flags are copied from the unit type at construction; pictures,
// animation data, sounds and the list of added units stay on the type.
// Aligned to a cache line, so that its first line holds exactly the fields declared first.
class alignas(64) Unit {
  public:
    Unit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle, fixed scale,
         int variant);

    // Virtual operations, in this order.
    // canvas: bitmap pixels per arena pixel (below 1 when the arena is drawn at the size shown).
    virtual void draw(BITMAP* bmp, MusicSound* sound, bool paused, fixed canvas = itofix(1));
    virtual void decideAction();
    virtual void takeDamage(); // the per-step update
    virtual void endOfRound(); // the end-of-drawn-frame update
    // Ask the processor for the unit's first bytes of fields (all of them unless told), and for the
    // lists they point to, ahead of a pass that will read them (the lists once the fields are in);
    // change nothing.
    static constexpr size_t headBytes = 64;     // what a light pass reads: the first cache line
    static constexpr size_t touchedBytes = 128; // what a contact reads and changes of the unit it touches
    void prefetch(size_t bytes = sizeof(Unit)) const;
    void prefetchLists() const;
    virtual void reduceScore(int n); // n in hit points; only the player's unit keeps a score
    virtual void addUnit(std::vector<AddUnitTemplate*>* list, bool pause, int variant);
    virtual ~Unit();
    // Only the player's unit keeps the ailment maxima (for the HUD); index GOOD_* / BAD_*, value in steps.
    virtual void changeGoodStatusMax(int index, int value);
    virtual void changeBadStatusMax(int index, int value);

    Unit(const Unit&) = delete;
    Unit& operator=(const Unit&) = delete;
    // Units (not the player's, which is bigger and one) come from a pool of their own, except in
    // builds with AddressSanitizer, which must see every unit freed to catch one used after.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size);

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
    AilmentCounters& getGoodStatus() { return goodStatus; }
    AilmentCounters& getBadStatus() { return badStatus; }
    int getUnitPropertyPlayer() const { return unitPropertyPlayer; }
    int getUnitPropertyHitbox() const { return unitPropertyHitbox; }
    int getUnitPropertyStatus() const { return unitPropertyStatus; }
    int getUnitPropertyDefense() const { return unitPropertyDefense; }
    int getAnimCurrent() const { return animCurrent; }
    int getAnimFrame() const { return animFrame; }
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
    // Lets go of every unit of removed (sorted by address), which the list is about to destroy:
    // the one it aligns to, and its target. It acts afterwards as while their addresses stayed
    // reserved: a gone creator is no longer followed, a gone target is sought anew.
    void forgetRemovedUnits(const std::vector<Unit*>& removed);

    // Combat.
    void dealDamage(); // contactWith every unit of the list, in list order
    // The contact test of this unit as attacker against v: the pair rule, the touch test, then
    // the hit. Changes nothing when the two do not touch.
    void contactWith(Unit* v);
    ContactResult shouldCheckToGetHit(Unit* other, bool& withAttackKB);
    // A contact the pair rule and the touch test allow: what it does (the other unit's
    // invincibility not yet asked), and the two units' distance and reach, pixels.
    struct Touch {
        ContactResult result;
        bool withAttackKB;
        fixed dist, reach;
    };
    // The contact test of contactWith made on the two units' spots in the contact grid (mine this
    // unit's, alive, theirs another's), so a pair that does nothing costs no look at the other
    // unit. Changes nothing.
    bool touches(const ContactGrid::Spot& mine, const ContactGrid::Spot& theirs, Touch& touch) const;
    // Deals what a contact test found with v, unless v is invincible.
    void dealContact(Unit* v, const Touch& touch);
    void getHitKnockback(Unit* other, bool withAttackKB, fixed dist, fixed reach);
    void getHitDamage(Unit* other);
    // Saturates: extreme damage values from a unit file must not wrap around.
    void addDamage(int d) {
        long long sum = (long long)damageTaken + d;
        damageTaken = sum > INT_MAX ? INT_MAX : sum < -INT_MAX ? -INT_MAX : (int)sum;
    }
    void addGoodStatus(int index, int steps); // index GOOD_*
    void addBadStatus(int index, int steps);  // index BAD_*
    void clearGoodStatus(int index);
    void clearBadStatus(int index);
    bool youAreDead();
    void killSelf();
    // The entries of addedUnits whose attack shares a bit with mask (ADDED_BY_* bits, -1: all), in order.
    std::vector<AddUnitTemplate*> getAddedUnits(int mask);
    bool canAddUnit(std::vector<AddUnitTemplate*>* list);
    void storeJuiceForPlayer(fixed factor); // factor times juiceForPlayer, fixed-point
    void giveJuiceToPlayer(int& total);     // juice

    // Knockback forces: angle in angle units, magnitude in pixels per step, duration in drawn frames.
    void addKnockBack(fixed angle, fixed magnitude, int duration);
    void addKnockBack(fixed angle, fixed magnitude, int duration, bool weighted);
    void addKnockBack(kbForce* force);

  protected:
    // What the wall test found this step: the edge crossed on each axis (-1, 0, +1) and whether
    // the unit was put back on the edge.
    struct WallContact {
        int sideX, sideY; // -1 before the near edge, +1 beyond the far one, 0 within
        bool clamped;
    };

    // pic at the unit's place, facing and scale, on a bitmap of canvas pixels per arena pixel.
    void drawPicture(BITMAP* bmp, BITMAP* pic, fixed canvas) const;
    bool isAllyOf(int otherAffiliation) const;
    // The pair rule of this unit as attacker against a living other unit of those properties.
    ContactResult pairRule(int vAffiliation, int vHitbox, int vDefense, bool vInvincible,
                           bool& withAttackKB) const;
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

    // The fields that the light passes over a big crowd read (the removal, the juice handed to the
    // player, the search for players, the contact grid) lie in the unit's first cache line, and
    // what a contact changes in the unit it touches in the second, so such a pass asks ahead for
    // one or two lines of each unit instead of all of them (prefetchUnitsAhead).
    fixed posX, posY;              // arena pixels, centre
    int animCurrent;               // ANIM_* shown now
    int animFrame, animFrameCount; // index of the shown frame, and the frames of the shown animation
    fixed drawScale;               // picture scale, fixed-point; 1.0 as drawn
    int affiliation;               // one AFF_* value
    // Bit sets, as on UnitTemplate.
    int unitPropertyHitbox, unitPropertyDefense;
    int juiceStored;            // juice its hits earned since the last step's handover to the player
    UnitTemplate* unitTemplate; // not owned
    bool removeThisUnit;        // its death animation has ended: the list takes it out at the step's end
    // The second line.
    AilmentCounters goodStatus;    // steps left of each good ailment, indexed GOOD_*
    AilmentCounters badStatus;     // steps left of each bad ailment, indexed BAD_*
    std::vector<kbForce> kbForces; // acting on it now, in the order they came
    int damageTaken;               // hit points, collected during the current step
    int unitPropertyStatus;
    // The rest.
    int unitPropertyPlayer;
    std::string unitName;
    std::vector<AddUnitTemplate*>* addedUnits; // the type's list, not owned
    UnitInput* unitInput;                      // its behaviour: behaviour, below
    UnitList* unitList;                        // the list it is in, not owned
    int variant;                               // 0-4, see variantClasses in Unit.cpp
    int timeToLive;                            // death checks left; -10 or less = no limit
    int charAnim;                              // ANIM_* the unit should show
    int maxHP, hp;                             // hit points (juice for the player's unit)
    fixed walkAngle;                           // angle units
    bool walking;                              // asked for since the last drawn frame, which clears it
    fixed walkspeed;                           // pixels per step
    Round* round;                              // not owned
    int attack1CoolDown, attack2CoolDown, attack4CoolDown; // steps
    int moveLockLeft;                                      // steps
    fixed drawAngle;                                       // facing, angle units
    int attackState;                    // attack bit (ADDED_BY_ATTACK*) whose animation plays, 0 none
    int soundToPlay;                    // SOUND_* slot for the next draw, -1 none
    bool deadSoundPlayed;               // the Dead sound plays once
    int dashLeft;                       // steps
    Unit* alignTarget;                  // the unit that added it, not owned; null once it is gone
    int alignStyle;                     // as UnitTemplate::alignStyle
    fixed alignDist;                    // pixels, scaled by the variant
    fixed alignAngleMin, alignAngleMax; // angle units; copied from the type, used by no behaviour
    kbForce attackKB;                   // the knockback its hits deal
    int damageDealt;                    // hit points per hit, scaled by the variant
    int wallTime;                       // consecutive steps beyond an arena edge
    // Steps of each ailment its hits give: the type's first AILMENT_COUNT, any missing 0 (which
    // gives nothing). Kept in the unit, not in a list of its own, so a hit reads no other memory.
    AilmentCounters goodStatusDealt, badStatusDealt;
    int juiceForPlayer; // juice per hit it lands, scaled by the variant
    // Its own copy of the type's behaviour, kept in the unit so that a decision reads no other
    // memory; last, as only the decisions and the letting go of removed units read it.
    UnitInput behaviour;
};

// Units lie wherever the heap put them, so a pass over a big crowd would wait on memory at every
// unit: a pass at units[i] asks for the units a few places ahead, which hides most of the wait.
// A light pass, which reads a few fields of each unit and no list, asks for the first cache line
// only: reading a unit's list pointers early would wait for the unit there and then, and the
// lines it does not read would only crowd out the ones it does.
enum PrefetchReach { PREFETCH_HEAD, PREFETCH_FIELDS_AND_LISTS };
void prefetchUnitsAhead(const std::vector<Unit*>& units, size_t i,
                        PrefetchReach reach = PREFETCH_FIELDS_AND_LISTS);

#endif
