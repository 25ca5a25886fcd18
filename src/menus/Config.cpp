#include "menus/Config.h"

#include <allegro.h>

#include "menus/StartGameConfig.h"
#include "system/GameSettings.h"
#include "system/Messages.h"

int Config::mainMsg = 1;
StartGameConfig* Config::sgc = nullptr;

int Config::initialize(GameSettings* gs, InputObj*, MusicSound*, Loader* l) {
    sgc = new StartGameConfig(gs, l);
    gameSettings = gs;
    if (initGfx() != 0)
        return -1;
    if (initControls() != 0)
        return -1;
    return 0;
}

int Config::initGfx() {
    set_color_depth(gameSettings->getColorDepth());
    if (set_gfx_mode(gameSettings->getGfxDriver(), gameSettings->getResX(), gameSettings->getResY(), 0, 0) == 0)
        return 0;
    if (set_gfx_mode(GFX_SAFE, 640, 480, 0, 0) == 0)
        return 0;
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    showMessage("Unable to set any graphic mode\n%s\n", allegro_error);
    return 1;
}

// Placeholder until the main menu is built: quit at once.
int Config::configLoop() {
    mainMsg = 1;
    return mainMsg;
}
