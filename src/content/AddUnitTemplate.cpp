#include "content/AddUnitTemplate.h"

AddUnitTemplate::AddUnitTemplate(std::string* unitName, fixed spawnDist, fixed spawnAngle, int amount,
                                 fixed angleSpread, fixed angleRandom, int attack, int attack1Delay,
                                 int attack2Delay, int attack4Delay, int moveLock, int dashTime,
                                 int appearDelay, bool onClick, int hpCost)
    : unitName(unitName ? *unitName : std::string()), spawnDist(spawnDist), spawnAngle(spawnAngle),
      amount(amount), angleSpread(angleSpread), angleRandom(angleRandom), attack(attack),
      attack1Delay(attack1Delay), attack2Delay(attack2Delay), attack4Delay(attack4Delay), moveLock(moveLock),
      appearDelay(appearDelay), hpCost(hpCost), dashTime(dashTime), onClick(onClick) {}
