#include "SloppyPlayer.h"

#include <cmath>

namespace {

const size_t reactionFrames = 8; // 240 ms at one step a frame: a newcomer's reaction
const double aimDrift = 0.2;     // radians a frame; with the pull below about 19 degrees off
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

PlayerCommand SloppyPlayer::aimBeside(PlayerCommand c) {
    double s = std::sin(aimError), k = std::cos(aimError);
    int x = c.mickeyX, y = c.mickeyY;
    c.mickeyX = (int)std::lround(x * k - y * s);
    c.mickeyY = (int)std::lround(x * s + y * k);
    return c;
}
