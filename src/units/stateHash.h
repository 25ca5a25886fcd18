#ifndef VORN_UNITS_STATEHASH_H
#define VORN_UNITS_STATEHASH_H

#include <cstdint>

class UnitList;

// A digest of every unit's type, position, facing, hit points, ailments, forces and animation,
// in list order, and of the pending spawn orders: two runs of a round that end in the same
// hash played the same game.
uint64_t stateHash(UnitList& list);

// The state hash with the animation frames every drawn frame of the round left the units at
// (UnitList::getDrawnDigest). A playback that draws paused frames as running ones most often
// comes back to the recorded state hash a few frames later (the animation shown starts again
// when the unit next attacks or walks), never to this one.
uint64_t playbackHash(UnitList& list);

#endif
