#include "content/Round.h"

// A fresh round has Stop walls and the default damping until a round section says otherwise.
Round::Round()
    : name("No Name"), arenaSizeX(0), arenaSizeY(0), arenaPic(nullptr), titlePic(nullptr),
      arenaKB(ftofix(0.5)), arenaWall(WALL_STOP) {}

Round::~Round() {
    for (UnitCreate* order : unitsToAppear)
        delete order;
}
