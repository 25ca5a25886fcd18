#ifndef VORN_UNITS_UNITINPUT_H
#define VORN_UNITS_UNITINPUT_H

#include <allegro.h>
#include <vector>

class Round;
class Unit;
class UnitList;
class aiUnitSort;

// switchTarget bits, as unit files give them.
enum {
    SWITCH_AFTER_ATTACK = 1,  // drop the target after each attack
    SWITCH_AT_FULL_HEALTH = 2 // drop it after an attack that leaves it at full health
};

// Behaviour settings of a unit type (the unit file's AI section) and the run-time state of
// one unit's copy. Each unit owns its own copy, so every unit keeps its own target and timers.
class UnitInput {
  public:
    // Settings (copied to every unit of the type).
    int targetAffiliation;           // exact affiliation code (AFF_*) of possible targets
    int targetPriorityHP;            // weight P of the health score; 0 = purely random choice
    int switchTarget;                // bit set of SWITCH_*
    int homeTimeInbetweenCorrection; // in aims (steps) between homing corrections
    fixed homeAngleCorrection;       // largest turn of one correction, in angle units
    // Read from unit files and copied, used by no behaviour: kept so files and callers keep it.
    int attackPeriodIndex;
    fixed attackDistMin;     // attack window, gap between picture edges, in pixels
    fixed attackDistMax;     // pixels
    fixed attackAngleSpread; // largest facing error at which the unit attacks, in angle units
    bool careAboutArena;     // slide along the arena walls

    // Run-time state, reset by setCounters().
    fixed homeAngle; // facing set by the last homing correction, angle units
    bool hasTarget;
    bool attackNow;  // result of the last aim; kept while no aim is made
    Unit* target;    // not owned; tested with UnitList::thisUnitExists; null once it left the arena
    int homeCounter; // aims (steps) since the last homing correction
    // Where the target stood and its picture size (pixels) when it left the arena. Until a new
    // target is found (none of its side is left) the unit keeps aiming at that spot.
    fixed lostTargetX, lostTargetY, lostTargetSize;

    UnitInput();
    // Copies every setting of src; the variant is kept for callers and changes nothing.
    UnitInput(UnitInput* src, int variant);
    void setCounters();

    // Behaviour: one decision per simulation step.
    void decideAction(Unit* self, UnitList* list, Round* round);
    void locateTarget(Unit* self, UnitList* list);
    Unit* prepAIUnitSort(Unit* self, std::vector<Unit*>* candidates, std::vector<aiUnitSort*>* records);
    bool aimIt(Unit* self, Round* round); // whether to walk
    void moveIt(Unit* self, bool walk);
    void attackP(Unit* self, int attack);           // attack: ADDED_BY_* bits
    void switchTargets(Unit* self, UnitList* list); // self is kept for callers, unused
    // The target is let go when it is among removed (sorted by address), which are about to be
    // destroyed; what aiming needs of it is kept.
    void forgetRemovedTarget(const std::vector<Unit*>& removed);
    static bool aiULess(aiUnitSort* a, aiUnitSort* b);
    static bool aiUEqual(aiUnitSort* a, aiUnitSort* b); // kept for callers, unused
};

#endif
