#ifndef VORN_BATTLE_REPLAYFILE_H
#define VORN_BATTLE_REPLAYFILE_H

#include <string>

#include "battle/Replay.h"

// The replay file: a short text header a person can read with `head` ("VORN replay 1", then
// key=value lines, then a blank line) and a compact binary body of the frames and their commands.
// Whatever a file holds, reading it neither crashes nor allocates beyond the limits below, and a
// replay that reads back is one the game can use: its names are safe file names, its counts agree.

// Limits of what a replay may hold; the writer refuses what the reader would.
const long REPLAY_MAX_FILE_BYTES = 64L << 20;
const long REPLAY_MAX_FRAMES = 2000000;
const long REPLAY_MAX_STEPS = 1000000; // about eight hours of play
const int REPLAY_MAX_STEPS_PER_FRAME = 10000;
const int REPLAY_MAX_NAME_BYTES = 64;

// The header of a replay file without its frames, for listing.
struct ReplaySummary {
    Replay replay; // frames left empty
    long steps = 0;
    long frames = 0;
};

// What keeps the replay from being saved, in words that follow "The replay": "has an unsafe
// campaign name"; empty when it can be saved.
std::string whyNotSavable(const Replay& replay);

std::string encodeReplay(const Replay& replay);
// Fills out only when the bytes are a whole, sound replay of this version; otherwise leaves it
// and says why in words that follow the file's path ("is not a replay file").
bool decodeReplay(const std::string& bytes, Replay& out, std::string* error);

// Writes a new file beside path and puts it in place of path only once it is whole and on the
// disk; a failure leaves the old file as it was and says why, naming the file.
bool writeReplay(const Replay& replay, const std::string& path, std::string* error);
bool readReplay(const std::string& path, Replay& out, std::string* error);
// Reads and checks the header only.
bool readReplayHeader(const std::string& path, ReplaySummary& out, std::string* error);

bool sameCommand(const PlayerCommand& a, const PlayerCommand& b);
// Every field, frame and command equal.
bool sameReplay(const Replay& a, const Replay& b);

#endif
