#include "battle/Replay.h"

long Replay::countSteps() const {
    long steps = 0;
    for (const ReplayFrame& frame : frames)
        steps += static_cast<long>(frame.steps.size());
    return steps;
}
