#ifndef VORN_TOOLS_ROUNDBOT_H
#define VORN_TOOLS_ROUNDBOT_H

#include <allegro.h>
#include <string>

#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "system/InputObj.h"
#include "units/UnitList.h"

class PlayerUnit;
class Unit;

// How one round went for the scripted player.
struct RoundOutcome {
    int state = 0;        // 0 still in play when the step limit came, 1 won, 2 lost
    long steps = 0;       // simulation steps played
    int hpLeft = 0;       // the player's juice at the end (0 when lost)
    int maxHP = 0;        // the size of the player's juice meter
    int lowestHP = 0;     // the lowest juice seen during the round
    int score = 0;        // the round's score
    int enemiesSeen = 0;  // enemy units that entered the arena
};

// Plays rounds of a shipped campaign without a window, sound or person: the unit list is
// stepped as the battle steps it (one step and one drawn frame per pass) while a scripted player
// presses the mapped keys and buttons. The script walks into its reach of the nearest enemy,
// faces it, strafes, dodges missiles and walls, and uses its three attacks when they pay.
// Melee or ranged is read from the character's first attack: a walking shot keeps distance.
// Allegro must be started with a colour depth; run from the repository root.
class RoundBot {
  public:
    RoundBot();
    ~RoundBot();
    RoundBot(const RoundBot&) = delete;
    RoundBot& operator=(const RoundBot&) = delete;

    // Loads the campaign's unit types (once) and the round. 0 on success.
    int loadRound(const std::string& campaign, int roundNumber, const std::string& character);
    // With trace set, prints the player's juice and nearest enemy every tenth step.
    RoundOutcome play(long maxSteps, bool trace = false);

    // One pass: the script sets the input, one simulation step runs, one frame is drawn.
    void pass();
    int getRoundState();
    UnitList& getUnitList() { return list; }
    BITMAP* getArena() { return arena; }

  private:
    void script();
    PlayerUnit* findPlayer();
    // The enemy to fight: the nearest, the big ones counted nearer; enemiesNear counts the close ones.
    Unit* chooseTarget(PlayerUnit* p, int& enemiesNear);
    void steer(PlayerUnit* p, Unit* target);
    void attack(PlayerUnit* p, Unit* target, int enemiesNear);

    Loader loader;
    Campaign campaign;
    std::string campaignName;
    Round round; // before the list: the list hands the round's orders back when cleared
    UnitList list;
    InputObj input;
    BITMAP* arena;
    long passes;
    bool ranged;    // the character's first attack is a shot
    int reach;      // pixels: the distance the script keeps to its target
    int shotRange;  // pixels a ranged character's first attack flies
    int strafeSign; // which way it circles the target
    int lastEnemyCount;
    int enemiesSeen;
};

#endif
