#ifndef VORN_UNITS_STATEHASH_H
#define VORN_UNITS_STATEHASH_H

#include <cstdint>

class UnitList;

// A digest of every unit's type, position, facing, hit points, ailments, forces and animation,
// in list order, and of the pending spawn orders: two runs of a round that end in the same
// hash played the same game.
uint64_t stateHash(UnitList& list);

// The state hash with what drawing a running frame advances and a paused one holds besides: each
// unit's shown frame of its animation and whether it walked since the last frame. A playback that
// draws paused frames as running ones can end in the recorded state hash (an idle animation held
// or run on changes none of it), not in this one.
uint64_t playbackHash(UnitList& list);

#endif
