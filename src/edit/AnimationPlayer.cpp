#include "edit/AnimationPlayer.h"

void AnimationPlayer::start(const std::vector<int>& frameHolds, int repeatCount, int lastLooped,
                            int firstLooped) {
    holds = frameHolds;
    repeat = repeatCount;
    loopEnd = lastLooped;
    loopStart = firstLooped;
    frame = 0;
    loopsLeft = repeat;
    timer = holds.empty() ? 0 : holds[0];
    finished = holds.empty();
    finishedFor = 0;
}

// The same steps as Unit::getPic after it has drawn a frame.
void AnimationPlayer::advance() {
    int count = (int)holds.size();
    if (count == 0) return;
    if (finished) {
        if (++finishedFor >= restartAfter) start(holds, repeat, loopEnd, loopStart);
        return;
    }
    bool changed = false;
    if (timer > 0) {
        timer--;
    } else {
        frame++;
        changed = true;
    }
    if (frame >= count || (loopEnd >= 0 && frame > loopEnd)) {
        loopsLeft--;
        frame = loopStart;
        if (frame < 0 || frame >= count || loopsLeft < 0) frame = count - 1;
        finished = loopsLeft < 0;
        changed = true;
    }
    if (changed) timer = frame >= 0 && frame < count ? holds[frame] : 0;
}
