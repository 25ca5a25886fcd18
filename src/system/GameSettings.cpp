#include "system/GameSettings.h"

// Placeholder until the settings file is built: defaults only.

GameSettings::GameSettings() : resX(640), resY(480), colorDepth(16), gfxDriver(2) {}

int GameSettings::init(InputObj*, MusicSound*, StartGameConfig*) {
    colorDepth = 24;
    return 0;
}
int GameSettings::loadGraphicsSettings() { return 0; }
int GameSettings::saveGraphicsSettings() { return 0; }
int GameSettings::loadControls(InputObj*) { return 0; }
int GameSettings::saveControls(InputObj*) { return 0; }
int GameSettings::loadVolume(MusicSound*) { return 0; }
int GameSettings::saveVolume(MusicSound*) { return 0; }
int GameSettings::loadStartSettings() { return 0; }
int GameSettings::saveStartSettings() { return 0; }
void GameSettings::setGfxSettings(int depth, int driver, int x, int y) {
    colorDepth = depth;
    gfxDriver = driver;
    resX = x;
    resY = y;
}
