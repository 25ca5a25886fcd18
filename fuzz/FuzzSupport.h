#ifndef VORN_FUZZ_FUZZSUPPORT_H
#define VORN_FUZZ_FUZZSUPPORT_H

#include <cstddef>
#include <cstdint>
#include <string>

// Shared by every fuzz target: Allegro started without a display at 32 bits, messages only
// recorded, and a private working folder whose data/ reaches the shipped pictures and sounds,
// so the loaders read the fuzzed text next to real datafiles.

// Starts Allegro and enters the working folder; only the first call does anything.
void startFuzzing();
// Writes the bytes to path under the working folder (parent folders must exist).
void writeFuzzFile(const std::string& path, const uint8_t* data, size_t size);
class Loader;
class Round;
// Plays the round's pending orders for steps simulation steps as the battle does (spawn, move,
// draw), then empties the arena and the orders. The drawing surface is at most 1024 pixels a
// side: units beyond it are clipped, as on a screen.
void playRound(Loader* loader, Round* round, int steps);
// Forgets the messages recorded so far, so memory stays flat over millions of inputs.
void forgetMessages();

#endif
