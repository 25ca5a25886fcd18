#ifndef VORN_BATTLE_REPLAYROUND_H
#define VORN_BATTLE_REPLAYROUND_H

#include <string>

struct Replay;
class Campaign;
class Loader;
class Round;
class UnitList;

// Loads a campaign's round as the battle comes to it: the rounds before it are loaded first, in
// order, since what a round leaves out (the arena size, the title) it keeps from the rounds
// before. The list is left bound to the round with its spawn orders. 0 on success; 1, with
// nothing loaded, for a round the campaign does not have.
int loadRoundInOrder(Loader& loader, Campaign& campaign, int roundNumber, const std::string& character,
                     Round& round, UnitList& list);

// Words that follow "The replay cannot be played: " when the replay's round is one the loaded
// campaign does not have; empty when it has it.
std::string roundBeyondCampaign(const Replay& replay, const Campaign& campaign);

// Fits a loaded round to the replay made of it: refused (the reason returned, in words that follow
// "The replay cannot be played: ") when the data that shapes it has changed since; otherwise
// the arena gets the size it was played at and rand() the round's seed, and "" is returned.
std::string fitRoundToReplay(const Replay& replay, Loader& loader, Round& round);

#endif
