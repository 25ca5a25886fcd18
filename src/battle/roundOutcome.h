#ifndef VORN_BATTLE_ROUNDOUTCOME_H
#define VORN_BATTLE_ROUNDOUTCOME_H

class Loader;
class UnitList;

// How the round stands after a step, by the battle's rule: lost when nothing of the player's side
// is left or to come, won when no enemy is; both sides gone at once counts as lost. ROUND_IN_PLAY,
// ROUND_WON or ROUND_LOST of battle/Battle.h.
int roundOutcome(UnitList& list, Loader* loader);

#endif
