#include "units/Unit.h"

#include "content/UnitTemplate.h"
#include "units/UnitInput.h"

// Placeholder until unit mechanics are built: a unit that stands where it was made.

Unit::Unit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle, fixed scale, int v)
    : unitName(t->unitName), addedUnits(&t->addedUnits), unitInput(new UnitInput(t->unitInput, v)),
      unitList(list), unitTemplate(t), affiliation(t->affiliation), unitPropertyHitbox(t->unitPropertyHitbox),
      unitPropertyDefense(t->unitPropertyDefense), unitPropertyStatus(t->unitPropertyStatus),
      unitPropertyPlayer(t->unitPropertyPlayer), variant(v), timeToLive(t->timeToLive), charAnim(0),
      removeThisUnit(false), maxHP(t->maxHP), hp(t->maxHP), goodStatus(4, 0), badStatus(4, 0), walkAngle(angle),
      walking(false), walkspeed(t->walkspeed), round(nullptr), attack1CoolDown(0), attack2CoolDown(0),
      attack4CoolDown(0), moveLockLeft(0), posX(x), posY(y), drawAngle(angle), drawScale(scale), attackState(0),
      soundToPlay(-1), deadSoundPlayed(false), animFrame(0), animFrameCount(0), animCurrent(0), dashLeft(0),
      alignTarget(creator), alignStyle(t->alignStyle), alignDist(t->alignDist), alignAngleMin(t->alignAngleMin),
      alignAngleMax(t->alignAngleMax), attackKB(t->kbDir, t->kbMag, t->kbDuration), damageDealt(t->damageDealt),
      damageTaken(0), wallTime(0), goodStatusDealt(t->goodStatus), badStatusDealt(t->badStatus), juiceStored(0),
      juiceForPlayer(t->juiceForPlayer) {}

Unit::~Unit() { delete unitInput; }

void Unit::draw(BITMAP*, MusicSound*, bool) {}
void Unit::decideAction() {}
void Unit::takeDamage() {}
void Unit::endOfRound() {}
void Unit::reduceScore(int) {}
void Unit::addUnit(std::vector<AddUnitTemplate*>*, bool, int) {}
void Unit::changeGoodStatusMax(int, int) {}
void Unit::changeBadStatusMax(int, int) {}
void Unit::walk(bool w) { walking = w; }
void Unit::faceAngle(fixed a) { walkAngle = drawAngle = a; }
void Unit::setWalkAngle(fixed a) { walkAngle = a; }
void Unit::setFaceAngle(fixed a) { drawAngle = a; }
fixed Unit::getFrameSize() { return 0; }
fixed Unit::getPicSize() { return 0; }
void Unit::changeAnim(int a) { animCurrent = a; }
BITMAP* Unit::getPic(bool) { return nullptr; }
void Unit::alignStyleMove() {}
void Unit::dealDamage() {}
int Unit::shouldCheckToGetHit(Unit*, bool&) { return 8; }
void Unit::getHitKnockback(Unit*, bool) {}
void Unit::getHitDamage(Unit*) {}
void Unit::addGoodStatus(int, int) {}
void Unit::addBadStatus(int, int) {}
void Unit::clearGoodStatus(int) {}
void Unit::clearBadStatus(int) {}
bool Unit::youAreDead() { return hp <= 0; }
void Unit::killSelf() { charAnim = 5; }
std::vector<AddUnitTemplate*> Unit::getAddedUnits(int) { return {}; }
bool Unit::canAddUnit(std::vector<AddUnitTemplate*>*) { return false; }
void Unit::storeJuiceForPlayer(fixed) {}
void Unit::giveJuiceToPlayer(int& total) {
    total += juiceStored;
    juiceStored = 0;
}
void Unit::addKnockBack(fixed a, fixed m, int d) { kbForces.emplace_back(a, m, d); }
void Unit::addKnockBack(fixed a, fixed m, int d, bool w) { kbForces.emplace_back(a, m, d, w); }
void Unit::addKnockBack(kbForce* f) { kbForces.push_back(*f); }
