#ifndef VORN_TESTS_UNITS_ARENAWORLD_H
#define VORN_TESTS_UNITS_ARENAWORLD_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/AddUnitTemplate.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "system/InputObj.h"
#include "units/UnitList.h"

// A round in memory: unit types built from plain square frames, an arena, its spawn list, the
// unit list and an input object whose flags the test sets by hand. The types are entered into
// the loader's list directly and released here, so the test does not depend on how the loader
// unloads.
class ArenaWorld {
  public:
    Loader loader;
    Round round;
    UnitList list;
    InputObj input;

    explicit ArenaWorld(int width = 400, int height = 300);
    ~ArenaWorld();
    ArenaWorld(const ArenaWorld&) = delete;
    ArenaWorld& operator=(const ArenaWorld&) = delete;

    // A type whose only frame is a framePixels square (contact diameter 0.8 x its diagonal).
    UnitTemplate* addType(const std::string& name, int affiliation, int framePixels = 10);
    // An added-unit entry of attack bit attack that adds one unit of type name.
    AddUnitTemplate* addAttack(UnitTemplate* t, int attack, const std::string& name, int hpCost = 0,
                               bool onClick = false);
    // A spawn order appended to the round's list.
    UnitCreate* order(const std::string& name, int side, int condition = 1, int delay = 0, int threshold = 0,
                      int amount = 1);
    // Puts a unit of that type at (x, y) facing angle (whole angle units) at the end of the list,
    // without touching the pending orders.
    Unit* place(const std::string& name, int x, int y, int angle = 0);
    Unit* placeExact(const std::string& name, fixed x, fixed y, fixed angle);
    // One simulation step as the battle runs it.
    void step();
    int count(int affiliation);

  private:
    std::vector<UnitTemplate*> types;
};

#endif
