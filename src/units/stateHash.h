#ifndef VORN_UNITS_STATEHASH_H
#define VORN_UNITS_STATEHASH_H

#include <cstdint>

class UnitList;

// A digest of every unit's type, position, facing, hit points, ailments, forces and animation,
// in list order, and of the pending spawn orders: two runs of a round that end in the same
// hash played the same game.
uint64_t stateHash(UnitList& list);

#endif
