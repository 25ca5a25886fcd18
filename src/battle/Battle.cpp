#include "battle/Battle.h"

#include "battle/FrameClock.h"

Battle::Battle() { installFrameClock(); }

Battle::~Battle() {}

// Placeholder until the battle is built: back to the menus at once.
int Battle::battleLoop(std::string, std::string chosenChar, Loader*) {
    charName = chosenChar;
    return 0;
}
