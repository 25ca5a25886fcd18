#include "units/UnitInput.h"

#include "units/aiUnitSort.h"

UnitInput::UnitInput()
    : targetAffiliation(1), targetPriorityHP(0), switchTarget(0), homeTimeInbetweenCorrection(3),
      homeAngleCorrection(ftofix(15.0)), attackPeriodIndex(0), attackDistMin(ftofix(0.0)),
      attackDistMax(ftofix(30000.0)), attackAngleSpread(ftofix(256.0)), careAboutArena(false) {
    setCounters();
}

UnitInput::UnitInput(UnitInput* src, int /*variant*/)
    : targetAffiliation(src->targetAffiliation), targetPriorityHP(src->targetPriorityHP),
      switchTarget(src->switchTarget), homeTimeInbetweenCorrection(src->homeTimeInbetweenCorrection),
      homeAngleCorrection(src->homeAngleCorrection), attackPeriodIndex(src->attackPeriodIndex),
      attackDistMin(src->attackDistMin), attackDistMax(src->attackDistMax),
      attackAngleSpread(src->attackAngleSpread), careAboutArena(src->careAboutArena) {
    setCounters();
}

void UnitInput::setCounters() {
    homeAngle = 0;
    hasTarget = false;
    attackNow = false;
    target = nullptr;
    homeCounter = 0;
}

// Behaviour placeholders until enemy behaviour is built: the unit stands still.
void UnitInput::decideAction(Unit*, UnitList*, Round*) {}
void UnitInput::locateTarget(Unit*, UnitList*) {}
Unit* UnitInput::prepAIUnitSort(Unit*, std::vector<Unit*>*, std::vector<aiUnitSort*>*) { return nullptr; }
bool UnitInput::aimIt(Unit*, Round*) { return true; }
void UnitInput::moveIt(Unit*, bool) {}
void UnitInput::attackP(Unit*, int) {}
void UnitInput::switchTargets(Unit*, UnitList*) {}
bool UnitInput::aiULess(aiUnitSort* a, aiUnitSort* b) { return a->isLessThan(*b); }
bool UnitInput::aiUEqual(aiUnitSort* a, aiUnitSort* b) { return a->isEqualTo(*b); }
