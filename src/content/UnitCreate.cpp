#include "content/UnitCreate.h"

UnitCreate::UnitCreate()
    : amount(0), side(SIDE_CENTRE), spawnCondition(SPAWN_AFTER_DELAY), delay(0), enemyThreshold(0),
      variant(0), posX(0), posY(0), creator(nullptr), angleSetFlag(false), angle(0) {}

UnitCreate::UnitCreate(std::string unitName, int amount, int side, int spawnCondition, int delay,
                       int enemyThreshold, fixed posX, fixed posY, fixed angle, int variant, Unit* creator)
    : unitName(std::move(unitName)), amount(amount), side(side), spawnCondition(spawnCondition), delay(delay),
      enemyThreshold(enemyThreshold), variant(variant), posX(posX), posY(posY), creator(creator),
      angleSetFlag(false), angle(angle) {}

void UnitCreate::setAngle(fixed a) {
    angle = a;
    angleSetFlag = true;
}
