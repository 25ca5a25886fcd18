#include "battle/Replay.h"

#include <ctime>

long Replay::countSteps() const {
    long steps = 0;
    for (const ReplayFrame& frame : frames)
        steps += static_cast<long>(frame.steps.size());
    return steps;
}

void Replay::stampDate() {
    char text[32];
    time_t now = time(nullptr);
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", localtime(&now));
    date = text;
}
