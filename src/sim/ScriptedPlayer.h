#ifndef VORN_SIM_SCRIPTEDPLAYER_H
#define VORN_SIM_SCRIPTEDPLAYER_H

#include <allegro.h>

#include "units/PlayerCommand.h"

class Loader;
class PlayerUnit;
class Round;
class Unit;
class UnitList;

// A scripted person at the keyboard and mouse: once per drawn frame it looks at the arena and
// gives the command a person would, with keys and buttons pressed and let go again, so attacks
// fired on a click fire. It walks into its reach of the enemy it picks, aims the mouse at it,
// strafes, dodges missiles and walls, and uses its three attacks when they pay. Melee or ranged
// is read from the character's first attack: a walking shot keeps its distance.
class ScriptedPlayer {
  public:
    // The command for the coming frame's steps.
    PlayerCommand decide(UnitList& list, Round& round, Loader& loader);

    // The player's living unit, or null.
    static PlayerUnit* findPlayer(UnitList& list);
    // The enemy to fight: the nearest, the big ones counted nearer; enemiesNear counts the close ones.
    static Unit* chooseTarget(UnitList& list, PlayerUnit* p, int& enemiesNear);

  private:
    // What a person wants held down this frame, before presses become clicks.
    struct Wish {
        bool action[ACTION_COUNT] = {};
        bool button[MOUSE_BUTTON_COUNT] = {};
        int aimX = 0, aimY = 0; // pixels from the player to what the mouse points at
        bool aim = false;
    };

    void study(Loader& loader, PlayerUnit* p);
    void steer(UnitList& list, Round& round, PlayerUnit* p, Unit* target, Wish& w);
    void attack(UnitList& list, PlayerUnit* p, Unit* target, int enemiesNear, Wish& w);
    PlayerCommand press(const Wish& w);

    const void* studied = nullptr; // the unit type the style below was read from
    bool ranged = false;           // the character's first attack is a shot
    int reach = 26;                // pixels: the distance kept to the target
    int shotRange = 60;            // pixels a ranged character's first attack flies
    int strafeSign = 1;            // which way it circles the target
    long passes = 0;               // frames decided so far
    bool wasHeld[ACTION_COUNT] = {};
    bool buttonWasHeld[MOUSE_BUTTON_COUNT] = {};
};

#endif
