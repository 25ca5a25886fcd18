#ifndef VORN_CONTENT_ADDUNITTEMPLATE_H
#define VORN_CONTENT_ADDUNITTEMPLATE_H

#include <allegro.h>
#include <string>

// The attack value of an entry: the attack that uses it or the death; single bits. The left,
// right and middle mouse buttons fire the player's attacks 1, 2 and 4; other units use only 1.
enum { ADDED_BY_ATTACK1 = 1, ADDED_BY_ATTACK2 = 2, ADDED_BY_ATTACK4 = 4, ADDED_ON_DEATH = 8 };

// One entry of a unit type's list of units it adds when it attacks (attack 1, 2, 4) or dies (8).
// Fields are in the order of the unit file's "addedUnit%d" values, except dashTime (value 12).
class AddUnitTemplate {
  public:
    std::string unitName; // type to add
    fixed spawnDist;      // pixels from the adder, scaled by the adder's variant
    fixed spawnAngle;     // angle units added to the adder's facing
    int amount;           // units per use
    fixed angleSpread;    // angle units, fan width: unit j turns a further j * angleSpread / amount
    fixed angleRandom;    // angle units, scale of the random turn of each unit (half of it either way)
    int attack;           // ADDED_BY_ATTACK1, 2, 4 or ADDED_ON_DEATH
    int attack1Delay;     // steps added to the adder's cool-downs per use
    int attack2Delay;     // steps
    int attack4Delay;     // steps
    int moveLock;         // steps added to the adder's move lock per use
    int appearDelay;      // steps before the added unit comes into play
    int hpCost;           // hit points the adder pays per use
    int dashTime;         // steps of forced forward walking added per use
    bool onClick;         // player attacks: fire per click (true) or while held (false)

    AddUnitTemplate(std::string* unitName, fixed spawnDist, fixed spawnAngle, int amount, fixed angleSpread,
                    fixed angleRandom, int attack, int attack1Delay, int attack2Delay, int attack4Delay,
                    int moveLock, int dashTime, int appearDelay, bool onClick, int hpCost);
};

#endif
