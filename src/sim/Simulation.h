#ifndef VORN_SIM_SIMULATION_H
#define VORN_SIM_SIMULATION_H

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "battle/Replay.h"
#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "sim/ScriptedPlayer.h"
#include "units/PlayerCommand.h"
#include "units/UnitList.h"

// A round played without a window, a sound card or a person at the keyboard: the unit list is
// stepped exactly as the battle steps it and frames are drawn into memory bitmaps. Allegro must
// already be started with a colour depth set; unit types load from data/ under the working
// directory. Every random choice draws on rand(), so srand() before setting up makes a run
// repeatable.
class Unit;

class Simulation {
  public:
    // The frame the arena is shown in, as the battle's screen-size buffer.
    Simulation(int frameWidth = 640, int frameHeight = 480);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Loads the campaign's unit types and one of its rounds, the player's own spawn order
    // included. The rounds before it are loaded first, in order, as the battle plays them: what a
    // round leaves out (the arena size, the title) it keeps from the rounds before. 0 on success.
    int loadCampaignRound(const std::string& campaign, int roundNumber, const std::string& character);
    // An arena of width x height pixels and count spawn orders that fire in the first step:
    // the named types in turn, each put anywhere at random, with a random variant (0 to 4)
    // when variants is set. A non-empty character joins at the centre. 0 on success.
    int makeArena(int width, int height, const std::vector<std::string>& types, int count,
                  const std::string& character, bool variants);

    // A generated arena keeps its size: after every step, units that fell are replaced by new
    // ones of its types, put anywhere, so that measurements run on the crowd asked for.
    void setSteadyCrowd(bool on) { steadyCrowd = on; }

    // The scripted player gives the command of every pass; off, the player's unit gets an idle
    // command unless one is set.
    void setScripted(bool on) { scripted = on; }
    // The command of the coming steps, as a person or a replay gives it.
    void setCommand(const PlayerCommand& c) { command = c; }
    const PlayerCommand& getCommand() const { return command; }
    // One pass of the battle's frame loop: the scripted player's command once, steps simulation
    // steps, one drawn frame when draw is set.
    void runPass(int steps, bool draw);
    void step(); // one simulation step: due spawns, then every unit's passes
    // The arena picture, every unit drawn (with its end-of-frame work unless paused), the frame.
    void drawFrame(bool paused = false);

    // Sets up the replay's round as the battle did: its campaign, its round after the ones
    // before, its character, arena and seed. Non-zero, with the reason in *error, when the round
    // does not load or the data it was played with has changed.
    int loadReplay(const Replay& replay, std::string* error);
    // Plays every frame of the loaded replay and returns the state hash at its end; checkpoints,
    // when given, gets the playback's own, taken where the replay's were.
    uint64_t playReplay(const Replay& replay, std::vector<uint64_t>* checkpoints = nullptr);
    // From here on every pass and step is recorded as the battle records a round: rand() is
    // seeded with seed, and the loaded campaign round's data and arena are taken down.
    void startRecording(const std::string& campaign, int roundNumber, const std::string& character,
                        unsigned seed);
    // The record so far, ending in the state now; the recording goes on.
    Replay getRecording();

    // ROUND_IN_PLAY, ROUND_WON (no enemy left or to come) or ROUND_LOST (nothing of the player's side
    // left) of battle/Battle.h.
    int getRoundState();
    // A digest of every unit's type, position, facing, hit points, ailments, forces and
    // animation, in list order, and of the pending orders.
    uint64_t stateHash();
    long getStepsRun() const { return stepsRun; }

    UnitList& getUnitList() { return list; }
    Round& getRound() { return round; }
    Loader& getLoader() { return loader; }
    BITMAP* getArena() { return arena; }

  private:
    bool makeArenaBitmap();
    void refillCrowd();

    Loader loader;
    Campaign campaign;
    Round round; // before the list: the list hands the round's orders back when cleared
    UnitList list;
    ScriptedPlayer script;
    PlayerCommand command;
    BITMAP* arena; // arena size times canvas
    fixed canvas;  // arena bitmap pixels per arena pixel, as the battle draws it
    fixed shown;   // frame pixels per arena pixel
    BITMAP* frame;
    int frameWidth, frameHeight;
    bool scripted;
    long stepsRun;
    long passesRun;
    bool recording = false;
    long recordedSteps = 0; // since the recording began
    // The generated arena's population, for a steady crowd.
    std::vector<std::string> crowdTypes;
    size_t crowdSize = 0; // units, the character included
    bool crowdVariants = false;
    bool steadyCrowd = false;
    Replay record;
};

#endif
