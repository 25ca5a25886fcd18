#ifndef VORN_BATTLE_REPLAY_H
#define VORN_BATTLE_REPLAY_H

#include <cstdint>
#include <string>
#include <vector>

#include "units/PlayerCommand.h"

class UnitList;

// How a recorded round ended.
enum class ReplayResult { WON, LOST, LEFT, RESTARTED, UNFINISHED };

// One drawn frame of a recorded round: the steps it ran, each with the player's command. A paused
// frame runs no step and its drawing leaves the units as they were.
struct ReplayFrame {
    bool paused = false;
    std::vector<PlayerCommand> steps;
};

// A round as it was played: everything that shaped it (the data, the seed of rand() at the
// round's start, the player's commands and the pattern of drawn frames, which animation holds and
// knockback decay follow), so that playing it back gives the same game, and the state hash it
// ended in, so that a playback can tell.
struct Replay {
    // Of the file format. Version 1 has no checkpoints, no checksum and one data digest; it is
    // still read. A file of a version the game does not know is refused.
    static const int VERSION = 2;
    static const long CHECKPOINT_STEPS = 300; // steps between two checkpoints

    int version = VERSION; // of the file it was read from

    std::string campaign;  // file name under data/campaigns
    int round = 0;         // counted from 0
    std::string character; // the player's unit type
    uint32_t seed = 0;     // srand() argument at the round's start
    uint64_t dataHash = 0; // digest of the data files the round was loaded from
    // The same data in two parts, so a refusal can say which changed: the campaign and unit files,
    // and the frame sizes of the units' pictures. Unknown (0) in a version 1 file.
    uint64_t textHash = 0, pictureHash = 0;
    // The arena as played, in pixels: a round that leaves its size out keeps the one before.
    int arenaWidth = 0, arenaHeight = 0;
    ReplayResult result = ReplayResult::UNFINISHED;
    int score = 0;        // the player's score of the round
    int earlierScore = 0; // of the campaign's rounds won before it, shown with the round's own
    std::string date;     // local time the round began, "YYYY-MM-DD HH:MM:SS"
    uint64_t endHash = 0; // state hash after the last frame
    // The playback hash (units/stateHash.h) after every CHECKPOINT_STEPS-th step and, last, after
    // the last frame; none in a version 1 file.
    std::vector<uint64_t> checkpoints;
    std::vector<ReplayFrame> frames;

    long countSteps() const;
    // Checkpoints a round of so many steps has: one every CHECKPOINT_STEPS steps, and the end's.
    static long countCheckpoints(long steps) { return steps / CHECKPOINT_STEPS + 1; }
    // Adds the playback hash of list to checkpoints when step (counted from 1 in the round) is one
    // a checkpoint follows.
    static void checkpointAfterStep(std::vector<uint64_t>& checkpoints, long step, UnitList& list);
    // The step by which a playback whose checkpoints are played first went otherwise than this
    // replay (the last checkpoint's is the round's last step); -1 when every one agrees, or when
    // the replay has none.
    long firstDifferingStep(const std::vector<uint64_t>& played) const;
    // Sets date to the local time now.
    void stampDate();
};

#endif
