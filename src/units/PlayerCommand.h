#ifndef VORN_UNITS_PLAYERCOMMAND_H
#define VORN_UNITS_PLAYERCOMMAND_H

#include <allegro.h>

#include "system/InputObj.h"

// What the player's unit needs from the player in one simulation step, as plain data: the
// battle makes one from the input object before each step, and a scripted player or a replay
// can make the same. The unit decides from the command alone.
struct PlayerCommand {
    bool actionHeld[ACTION_COUNT] = {};    // mapped actions held down, by action index
    bool actionClicked[ACTION_COUNT] = {}; // let go at this poll after being held
    bool buttonHeld[MOUSE_BUTTON_COUNT] = {};
    bool buttonClicked[MOUSE_BUTTON_COUNT] = {};
    int mickeyX = 0, mickeyY = 0; // mouse movement of the poll, in mickeys
    int mouseThreshold = 30;      // in mickeys: a longer movement snaps the facing
    bool faceGiven = false;       // the facing below is set directly instead of by the mouse
    fixed facing = 0;             // in angle units

    // The command of the input object's last poll.
    static PlayerCommand fromInput(InputObj& input);
};

#endif
