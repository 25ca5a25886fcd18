#ifndef VORN_SIM_ROUNDTRIAL_H
#define VORN_SIM_ROUNDTRIAL_H

#include <functional>

class PlayerUnit;
class Simulation;
class SloppyPlayer;

// How one round went for a scripted player.
struct RoundOutcome {
    int state = 0;       // ROUND_IN_PLAY when the step limit came first, ROUND_WON, ROUND_LOST
    long steps = 0;      // simulation steps played (30 ms each)
    int hpLeft = 0;      // the player's juice at the end (0 when lost)
    int maxHP = 0;       // the size of the player's juice meter
    int lowestHP = -1;   // the lowest juice seen during the round
    int score = 0;       // the round's score
    int enemiesSeen = 0; // enemy units that entered the arena
};

// Plays the loaded round as the battle does at full speed, one step and one drawn frame per
// pass, until it is won or lost or maxSteps have passed. The sloppy player, when given, plays
// instead of the simulation's own script. afterStep, when given, sees each step's end.
RoundOutcome playRoundOut(Simulation& sim, SloppyPlayer* sloppy, long maxSteps,
                          const std::function<void(long steps, PlayerUnit* player)>& afterStep = nullptr);

// "timeout", "won" or "lost" for a RoundOutcome's state.
const char* roundOutcomeWord(int state);

#endif
