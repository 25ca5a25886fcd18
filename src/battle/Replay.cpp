#include "battle/Replay.h"

#include <ctime>

#include "units/stateHash.h"

long Replay::countSteps() const {
    long steps = 0;
    for (const ReplayFrame& frame : frames)
        steps += static_cast<long>(frame.steps.size());
    return steps;
}

void Replay::checkpointAfterStep(std::vector<uint64_t>& checkpoints, long step, UnitList& list) {
    if (step % CHECKPOINT_STEPS == 0) checkpoints.push_back(playbackHash(list));
}

long Replay::firstDifferingStep(const std::vector<uint64_t>& played) const {
    for (size_t i = 0; i < checkpoints.size(); i++)
        if (i >= played.size() || played[i] != checkpoints[i])
            return i + 1 == checkpoints.size() ? countSteps() : static_cast<long>(i + 1) * CHECKPOINT_STEPS;
    return -1;
}

void Replay::stampDate() {
    char text[32];
    time_t now = time(nullptr);
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", localtime(&now));
    date = text;
}
