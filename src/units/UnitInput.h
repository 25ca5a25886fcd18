#ifndef VORN_UNITS_UNITINPUT_H
#define VORN_UNITS_UNITINPUT_H

#include <allegro.h>
#include <vector>

class Round;
class Unit;
class UnitList;
class aiUnitSort;

// Behaviour settings of a unit type (the unit file's AI section) and the run-time state of
// one unit's copy. Each unit owns its own copy, so every unit keeps its own target and timers.
class UnitInput {
  public:
    // Settings (copied to every unit of the type).
    int targetAffiliation;           // exact affiliation code of possible targets
    int targetPriorityHP;            // weight P of the health score; 0 = purely random choice
    int switchTarget;                // flags: 1 drop target after each attack, 2 drop it at full health
    int homeTimeInbetweenCorrection; // in aims (steps) between homing corrections
    fixed homeAngleCorrection;       // largest turn of one correction, in angle units
    int attackPeriodIndex;           // copied, unused by any behaviour
    fixed attackDistMin;             // attack window, gap between picture edges, in pixels
    fixed attackDistMax;
    fixed attackAngleSpread; // largest facing error at which the unit attacks, in angle units
    bool careAboutArena;     // slide along the arena walls

    // Run-time state, reset by setCounters().
    fixed homeAngle; // facing set by the last homing correction
    bool hasTarget;
    bool attackNow;  // result of the last aim; kept while no aim is made
    Unit* target;    // not owned; tested with UnitList::thisUnitExists
    int homeCounter; // aims since the last homing correction

    UnitInput();
    // Copies every setting of src; the variant changes nothing.
    UnitInput(UnitInput* src, int variant);
    void setCounters();

    // Behaviour: one decision per simulation step.
    void decideAction(Unit* self, UnitList* list, Round* round);
    void locateTarget(Unit* self, UnitList* list);
    Unit* prepAIUnitSort(Unit* self, std::vector<Unit*>* candidates, std::vector<aiUnitSort*>* records);
    bool aimIt(Unit* self, Round* round); // whether to walk
    void moveIt(Unit* self, bool walk);
    void attackP(Unit* self, int attack);
    void switchTargets(Unit* self, UnitList* list);
    static bool aiULess(aiUnitSort* a, aiUnitSort* b);
    static bool aiUEqual(aiUnitSort* a, aiUnitSort* b);
};

#endif
