#ifndef VORN_SIM_SIMULATION_H
#define VORN_SIM_SIMULATION_H

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "system/InputObj.h"
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
    // included. 0 on success.
    int loadCampaignRound(const std::string& campaign, int roundNumber, const std::string& character);
    // An arena of width x height pixels and count spawn orders that fire in the first step:
    // the named types in turn, each put anywhere at random, with a random variant (0 to 4)
    // when variants is set. A non-empty character joins at the centre. 0 on success.
    int makeArena(int width, int height, const std::vector<std::string>& types, int count,
                  const std::string& character, bool variants);

    // The scripted player: closes in on the nearest enemy, faces it and strikes in bursts. Off, the keyboard and mouse stay idle.
    void setScripted(bool on) { scripted = on; }
    // One pass of the battle's frame loop: input once, steps simulation steps, one drawn frame
    // when draw is set.
    void runPass(int steps, bool draw);
    void step();      // one simulation step: due spawns, then every unit's passes
    void drawFrame(); // arena picture, every unit drawn with its end-of-frame work, the frame

    // 0 in play, 1 won (no enemy left or to come), 2 lost (nothing of the player's side left).
    int getRoundState();
    // A digest of every unit's type, position, facing, hit points, ailments, forces and
    // animation, in list order, and of the pending orders.
    uint64_t stateHash();
    long getStepsRun() const { return stepsRun; }

    UnitList& getUnitList() { return list; }
    Round& getRound() { return round; }
    Loader& getLoader() { return loader; }
    InputObj& getInput() { return input; }
    BITMAP* getArena() { return arena; }

  private:
    bool makeArenaBitmap();
    void scriptInput();
    Unit* nearestEnemy(Unit*& player);

    Loader loader;
    Campaign campaign;
    Round round; // before the list: the list hands the round's orders back when cleared
    UnitList list;
    InputObj input;
    BITMAP* arena;
    BITMAP* frame;
    int frameWidth, frameHeight;
    bool scripted;
    long stepsRun;
    long passesRun;
};

#endif
