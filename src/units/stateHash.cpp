#include "units/stateHash.h"

#include <vector>

#include "content/UnitCreate.h"
#include "system/Digest.h"
#include "units/Unit.h"
#include "units/UnitList.h"

uint64_t stateHash(UnitList& list) {
    Digest d;
    for (auto it = list.beginOfList(); it != list.endOfList(); ++it) {
        Unit* u = *it;
        d.add(u->getUnitName());
        for (fixed f : {u->getPosX(), u->getPosY(), u->getWalkAngle(), u->getDrawAngle()})
            d.add((uint32_t)f);
        for (int v : {u->getHP(), u->getCharAnim(), u->getAnimCurrent(), u->getVariant()})
            d.add((uint32_t)v);
        for (int v : u->getGoodStatus())
            d.add((uint32_t)v);
        for (int v : u->getBadStatus())
            d.add((uint32_t)v);
        for (const kbForce& f : u->getKbForces()) {
            d.add((uint32_t)f.angle);
            d.add((uint32_t)f.magnitude);
            d.add((uint32_t)f.duration);
            d.add(f.weighted ? 1u : 0u);
        }
    }
    if (std::vector<UnitCreate*>* orders = list.getUnitsToAppear()) {
        d.add((uint32_t)orders->size());
        for (UnitCreate* o : *orders) {
            d.add(o->unitName);
            d.add((uint32_t)o->delay);
        }
    }
    return d.h;
}

uint64_t playbackHash(UnitList& list) {
    Digest d;
    for (uint64_t part : {stateHash(list), list.getDrawnDigest()}) {
        d.add((uint32_t)part);
        d.add((uint32_t)(part >> 32));
    }
    return d.h;
}
