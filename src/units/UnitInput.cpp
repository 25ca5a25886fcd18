#include "units/UnitInput.h"

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
