#ifndef VORN_SIM_SLOPPYPLAYER_H
#define VORN_SIM_SLOPPYPLAYER_H

#include <deque>
#include <random>

#include "sim/ScriptedPlayer.h"
#include "units/PlayerCommand.h"

class Loader;
class Round;
class UnitList;

// A newcomer at the keys: the scripted player's plan, carried out badly. Its commands arrive
// late (a person sees, then moves), the mouse lands beside what it aims at, and now and then the
// hands rest on the desk while the arena goes on. It draws on its own generator, never on rand(),
// so the round plays the same random course as it would for anyone else.
class SloppyPlayer {
  public:
    explicit SloppyPlayer(unsigned seed);

    // The command for the coming frame's steps, as ScriptedPlayer::decide.
    PlayerCommand decide(UnitList& list, Round& round, Loader& loader);

  private:
    PlayerCommand aimBeside(PlayerCommand c);

    ScriptedPlayer plan;
    std::deque<PlayerCommand> late; // planned, not yet carried out; the oldest first
    std::mt19937 random;
    double aimError = 0; // pixels beside the aim, across it: the hand's drift, kept from frame to frame
    int idleLeft = 0;    // frames the hands still rest
};

#endif
