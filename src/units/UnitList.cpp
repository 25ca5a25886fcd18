#include "units/UnitList.h"

#include <algorithm>

#include "content/Round.h"
#include "content/UnitCreate.h"
#include "units/Unit.h"

// The parts of the list that units need; spawning, the step's passes and the queries that the
// battle asks are still to come.

UnitList::UnitList() : units(new std::vector<Unit*>()), unitsToAppear(nullptr), round(nullptr) {}

UnitList::~UnitList() {
    clear();
    delete units;
}

void UnitList::setupRound(Round* r) {
    round = r;
    unitsToAppear = r ? r->getUnitsToAppear() : nullptr;
}

void UnitList::clear() {
    for (Unit* u : *units)
        delete u;
    units->clear();
    for (Unit* u : removedUnits)
        delete u;
    removedUnits.clear();
    if (unitsToAppear) {
        for (UnitCreate* order : *unitsToAppear)
            delete order;
        unitsToAppear->clear();
    }
}

void UnitList::makeUnits(Loader*, Round*, InputObj*) {}
void UnitList::allUnitsMove(InputObj*, MusicSound*, Loader*) {}
void UnitList::drawUnits(BITMAP*, MusicSound*, bool) {}
void UnitList::positionUnitOnSide(fixed&, fixed&, fixed&, UnitCreate*, UnitTemplate*, Round*) {}
std::vector<Unit*> UnitList::search(int, int) { return {}; }
int UnitList::getPlayerScore() { return 0; }
bool UnitList::anyRemainingAffiliation(int, Loader*) { return false; }

bool UnitList::thisUnitExists(Unit* u) {
    return u && std::find(units->begin(), units->end(), u) != units->end();
}

void UnitList::addUnitCreate(UnitCreate* order) {
    if (unitsToAppear)
        unitsToAppear->push_back(order);
    else
        delete order; // no round to spawn into
}

void UnitList::giveJuiceToPlayer(PlayerUnit*) {}

void UnitList::appendUnit(Unit* u) { units->push_back(u); }
