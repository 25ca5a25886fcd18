#ifndef VORN_EDIT_ANIMATIONPLAYER_H
#define VORN_EDIT_ANIMATIONPLAYER_H

#include <vector>

// Plays an animation as the game plays a unit's: one advance per drawn frame, a frame with hold h
// shown h + 1 times, REPEAT returns from LOOPEND to LOOPSTART, and then the last frame held. The
// preview starts it again a moment after it ends, so an attack or a death is seen more than once.
class AnimationPlayer {
  public:
    // holds: of the frames the game keeps (those found in the datafile), in order.
    void start(const std::vector<int>& holds, int repeat, int loopEnd, int loopStart);
    // The index into holds of the frame drawn now; -1 when there are no frames.
    int getFrame() const { return holds.empty() ? -1 : frame; }
    bool isFinished() const { return finished; }
    // One drawn frame on; a finished animation starts again after restartAfter more.
    void advance();

    static const int restartAfter = 20; // drawn frames

  private:
    std::vector<int> holds;
    int repeat = 0, loopEnd = -1, loopStart = 0;
    int frame = 0, timer = 0, loopsLeft = 0;
    bool finished = false;
    int finishedFor = 0; // drawn frames
};

#endif
