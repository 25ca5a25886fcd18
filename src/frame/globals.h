#ifndef VORN_FRAME_GLOBALS_H
#define VORN_FRAME_GLOBALS_H

#include <atomic>

class Battle;
class Config;
class Loader;
class InputObj;
class MusicSound;
class GameSettings;

// Program-state values of the mode loop.
enum { RETVAL_SWITCH = 0, RETVAL_QUIT = 1, RETVAL_STAY = 2 };
// gameMode values.
enum { MODE_MENU = 0, MODE_BATTLE = 1 };

extern int gameMode; // 0 menus, 1 battle
extern int retVal;   // 2 stay, 1 quit, 0 switch to the other mode

// Shared with Allegro's timer thread: every increment and decrement must land.
extern std::atomic<int> gotoNextFrame; // pending 30 ms simulation ticks
extern std::atomic<int> fpsCount;      // frames copied to the screen in the current second
extern std::atomic<int> fpsMax;        // best whole-second frame count since the last resetTimers()

// The six program-wide objects; created once by initObj and never deleted.
extern Battle* b;
extern Config* c;
extern Loader* l;
extern InputObj* iO;
extern MusicSound* ms;
extern GameSettings* gs;

#endif
