#include "sim/SloppyPlayer.h"

#include <algorithm>
#include <cmath>

namespace {

const size_t reactionFrames = 8; // 240 ms at one step a frame: a newcomer's reaction
const double aimDrift = 7;       // pixels a frame; with the pull below the pointer strays about 13
const int sweepTimes = 4;        // mickeys per pixel of a ScriptedPlayer aim longer than 10 pixels
const double aimPull = 0.85;     // the share of the error the hand keeps into the next frame
const int restChance = 120;      // one frame in this many, the hands come to rest
const int shortestRest = 10;     // frames
const int longestRest = 35;      // frames

} // namespace

SloppyPlayer::SloppyPlayer(unsigned seed) : random(seed) {}

PlayerCommand SloppyPlayer::decide(UnitList& list, Round& round, Loader& loader) {
    late.push_back(plan.decide(list, round, loader));
    std::normal_distribution<double> drift(0.0, aimDrift);
    aimError = aimError * aimPull + drift(random);
    if (idleLeft == 0 && std::uniform_int_distribution<int>(1, restChance)(random) == 1)
        idleLeft = std::uniform_int_distribution<int>(shortestRest, longestRest)(random);
    if (late.size() <= reactionFrames) return PlayerCommand();
    PlayerCommand c = late.front();
    late.pop_front();
    if (idleLeft > 0) {
        idleLeft--;
        return PlayerCommand();
    }
    return aimBeside(c);
}

// The pointer lands aimError pixels to the side of what the plan aims at: a miss by the same few
// pixels turns a near aim far and a far one hardly at all, as with a hand on a mouse.
PlayerCommand SloppyPlayer::aimBeside(PlayerCommand c) {
    double length = std::max(8.0, std::hypot(c.mickeyX, c.mickeyY) / sweepTimes);
    double turn = std::atan2(aimError, length);
    double s = std::sin(turn), k = std::cos(turn);
    int x = c.mickeyX, y = c.mickeyY;
    c.mickeyX = (int)std::lround(x * k - y * s);
    c.mickeyY = (int)std::lround(x * s + y * k);
    return c;
}
