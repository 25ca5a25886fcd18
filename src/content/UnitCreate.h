#ifndef VORN_CONTENT_UNITCREATE_H
#define VORN_CONTENT_UNITCREATE_H

#include <allegro.h>
#include <string>

class Unit;

// One spawn order: create amount units of one type, placed by side, once its condition holds.
class UnitCreate {
  public:
    std::string unitName;
    int amount;
    int side;           // 1-8 edges clockwise from top-left, 9 centre, 10 given position, 11 random
    int spawnCondition; // bits: 1 wait for delay, 2 only while enemies <= enemyThreshold
    int delay;          // steps left; counted down by the unit list, may go below zero
    int enemyThreshold;
    int variant; // 0-4
    fixed posX;  // side 10 only, arena pixels
    fixed posY;
    Unit* creator;     // the unit whose attack or death added this order; null from a round file
    bool angleSetFlag; // read through angleSet(); true only after setAngle
    fixed angle;       // facing for side 10

    UnitCreate();
    UnitCreate(std::string unitName, int amount, int side, int spawnCondition, int delay, int enemyThreshold,
               fixed posX, fixed posY, fixed angle, int variant, Unit* creator);
    void setAngle(fixed a);
    fixed getAngle() const { return angle; }
    bool angleSet() const { return angleSetFlag; }
};

#endif
