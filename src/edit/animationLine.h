#ifndef VORN_EDIT_ANIMATIONLINE_H
#define VORN_EDIT_ANIMATIONLINE_H

#include <string>
#include <vector>

// An [Animation] value as the game reads it: REPEAT LOOPEND LOOPSTART, then frame names each with
// its hold (in drawn frames beyond the first the frame is shown).
struct AnimationFrame {
    std::string name;
    int hold; // never negative: the game reads a negative hold as 0
};

struct AnimationLine {
    bool playable = false; // the three numbers and at least one frame name are there
    int repeat = 0, loopEnd = -1, loopStart = 0;
    std::vector<AnimationFrame> frames; // a last name without its hold is not read
};

// The values of a list as Allegro splits them (spaces between, quotes around a value that holds
// spaces), the first maxListValues only, as the game sees them.
std::vector<std::string> splitListValues(const std::string& value);
AnimationLine parseAnimationLine(const std::string& value);

#endif
