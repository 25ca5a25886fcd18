#ifndef VORN_EDIT_PLAYINGAME_H
#define VORN_EDIT_PLAYINGAME_H

#include <string>

#include "edit/scratchData.h"

// The game beside the workshop whose executable is self: in the same folder (installed), one
// folder up (the build's tools/ folder), else the first vorn on PATH; empty when there is none.
std::string findGameProgram(const std::string& self);

// Plays round of campaign with character in game, windowed, straight into the round, on a
// scratch copy of the data set with the unsaved texts in it (nothing of the real set is
// written, the game's replays of it neither). Waits for the game, resting between looks so the
// window stays answered; a quit request stops it. The game's own line ("round 2 won after 41 s,
// juice left 62 %"), or why there is none, in the author's words.
std::string playInGame(const std::string& game, const ScratchFiles& unsaved, const std::string& campaign,
                       int round, const std::string& character);

#endif
