#include "frame/globals.h"

int gameMode = MODE_MENU;
int retVal = RETVAL_STAY;

std::atomic<int> gotoNextFrame{0};
std::atomic<int> fpsCount{0};
std::atomic<int> fpsMax{0};

Battle* b = nullptr;
Config* c = nullptr;
Loader* l = nullptr;
InputObj* iO = nullptr;
MusicSound* ms = nullptr;
GameSettings* gs = nullptr;
