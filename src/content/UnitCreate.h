#ifndef VORN_CONTENT_UNITCREATE_H
#define VORN_CONTENT_UNITCREATE_H

#include <allegro.h>
#include <string>

class Unit;

// Where an order places its units: the eight stretches of the arena's rim clockwise from the
// top-left corner, the centre, the order's own position, or anywhere. Round files use these numbers.
enum {
    SIDE_TOP_LEFT = 1,
    SIDE_TOP = 2,
    SIDE_TOP_RIGHT = 3,
    SIDE_RIGHT = 4,
    SIDE_BOTTOM_RIGHT = 5,
    SIDE_BOTTOM = 6,
    SIDE_BOTTOM_LEFT = 7,
    SIDE_LEFT = 8,
    SIDE_CENTRE = 9,       // where the player's character enters
    SIDE_AT_POSITION = 10, // posX, posY and angle: added units, and spawn lines with a position
    SIDE_ANYWHERE = 11
};
// spawnCondition bits.
enum {
    SPAWN_AFTER_DELAY = 1,      // waits until delay has run out
    SPAWN_WHILE_FEW_ENEMIES = 2 // waits while more than enemyThreshold enemies are in the arena
};

// One spawn order: create amount units of one type, placed by side, once its condition holds.
class UnitCreate {
  public:
    std::string unitName;
    int amount;         // units
    int side;           // SIDE_*
    int spawnCondition; // bit set of SPAWN_*; without SPAWN_AFTER_DELAY the delay is ignored
    int delay;          // steps left; counted down by the unit list, may go below zero
    int enemyThreshold; // count of AFF_ENEMY units
    int variant;        // 0-4
    fixed posX;         // SIDE_AT_POSITION only, arena pixels
    fixed posY;         // arena pixels
    Unit* creator;      // the unit whose attack or death added this order; null from a round file
    // Read through angleSet(); true only after setAngle. Kept for callers: no game code sets or
    // reads it, side SIDE_AT_POSITION always takes angle.
    bool angleSetFlag;
    fixed angle; // facing for SIDE_AT_POSITION, angle units

    UnitCreate();
    UnitCreate(std::string unitName, int amount, int side, int spawnCondition, int delay, int enemyThreshold,
               fixed posX, fixed posY, fixed angle, int variant, Unit* creator);
    void setAngle(fixed a);
    fixed getAngle() const { return angle; }
    bool angleSet() const { return angleSetFlag; }
};

#endif
