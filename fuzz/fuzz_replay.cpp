// A fuzzed replay file, read whole as the playback does and by its header as the list of kept
// replays does. A file that reads must read by its header alike, and write and read back as the
// same replay; a file refused must be refused with a reason.
#include <cstdio>
#include <cstdlib>

#include "FuzzSupport.h"
#include "battle/replayFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    writeFuzzFile("fuzzed.vornreplay", data, size);
    Replay replay, again;
    ReplaySummary header;
    std::string error, headerError;
    bool whole = readReplay("fuzzed.vornreplay", replay, &error);
    bool head = readReplayHeader("fuzzed.vornreplay", header, &headerError);
    if (getenv("VORN_FUZZ_VERBOSE"))
        fprintf(stderr, "%s\n",
                whole ? ("read " + std::to_string(replay.countSteps()) + " steps").c_str() : error.c_str());
    if (!whole && error.empty()) abort(); // refused without a word
    if (!head && headerError.empty()) abort();
    if (whole) {
        if (!head || header.steps != replay.countSteps() || header.frames != long(replay.frames.size()))
            abort(); // the list would show another replay than the one played back
        Replay bare = replay;
        bare.frames.clear();
        bare.checkpoints.clear(); // after the frames
        if (!sameReplay(bare, header.replay)) abort();
        // One of the format before checkpoints has none to write; it is written once upgraded.
        if (replay.version == Replay::VERSION &&
            (!decodeReplay(encodeReplay(replay), again, &error) || !sameReplay(replay, again)))
            abort();
    }
    forgetMessages();
    return 0;
}
