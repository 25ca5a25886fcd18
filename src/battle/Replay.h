#ifndef VORN_BATTLE_REPLAY_H
#define VORN_BATTLE_REPLAY_H

#include <cstdint>
#include <string>
#include <vector>

#include "units/PlayerCommand.h"

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
    static const int VERSION = 1; // of the file format; a file of another version is refused

    std::string campaign;  // file name under data/campaigns
    int round = 0;         // counted from 0
    std::string character; // the player's unit type
    uint32_t seed = 0;     // srand() argument at the round's start
    uint64_t dataHash = 0; // digest of the data files the round was loaded from
    // The arena as played, in pixels: a round that leaves its size out keeps the one before.
    int arenaWidth = 0, arenaHeight = 0;
    ReplayResult result = ReplayResult::UNFINISHED;
    int score = 0;        // the player's score of the round
    int earlierScore = 0; // of the campaign's rounds won before it, shown with the round's own
    std::string date;     // local time the round began, "YYYY-MM-DD HH:MM:SS"
    uint64_t endHash = 0; // state hash after the last frame
    std::vector<ReplayFrame> frames;

    long countSteps() const;
    // Sets date to the local time now.
    void stampDate();
};

#endif
