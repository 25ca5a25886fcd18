#ifndef VORN_FRAME_MODELOOP_H
#define VORN_FRAME_MODELOOP_H

#include <string>

// Start-up of the six program-wide objects and the loop that alternates menus and battles.

// 0 on success, -1 when the main menu (graphics) could not be initialised. A driver of 0 or more
// is the window mode of this run, in place of the settings'.
int initObj(int driverThisRun = -1);
// Runs the current mode until retVal says to leave it (0) or to quit (1).
void playMode();
// Flips gameMode between menus and battle and sets retVal back to "stay".
void modeSwitch();
// The whole mode loop of main: playMode and modeSwitch until retVal is 1.
void runModeLoop();

// vorn --play: plays round of campaign with character (the list's first when empty) and nothing
// else, then prints one line on stdout saying how it ended ("round 2 won after 41 s, juice left
// 62 %"). The status: 0 when played, 2 after a message when it could not be.
int playSingleRound(const std::string& campaign, int round, const std::string& character);

// What each mode runs; the defaults are the main menu and a battle with the chosen names.
// Tests replace them to drive the loop without a screen.
extern int (*runMenuMode)();
extern int (*runBattleMode)();
int runMainMenu();
int runChosenBattle();

#endif
