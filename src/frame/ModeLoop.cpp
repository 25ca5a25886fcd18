#include "frame/ModeLoop.h"

#include <allegro.h>
#include <string>

#include "battle/Battle.h"
#include "content/Loader.h"
#include "frame/globals.h"
#include "menus/Config.h"
#include "menus/StartGameConfig.h"
#include "system/GamePaths.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/padMenuKeys.h"
#include "system/quitRequest.h"

int (*runMenuMode)() = runMainMenu;
int (*runBattleMode)() = runChosenBattle;

int runMainMenu() {
    return Config::configLoop();
}

int runChosenBattle() {
    std::string charName = Config::sgc->getCharName();
    std::string campName = Config::sgc->getCampName();
    return b->battleLoop(campName, charName, l);
}

int initObj(int driverThisRun) {
    b = new Battle();
    c = new Config();
    l = new Loader();
    iO = new InputObj();
    ms = new MusicSound();
    gs = new GameSettings();
    if (driverThisRun >= 0) gs->setDriverThisRun(driverThisRun);

    gs->init(iO, ms, Config::sgc);
    if (c->initialize(gs, iO, ms, l, b) != 0) {
        showMessage("Initialize error!\n");
        return -1;
    }
    ms->initAudio();
    b->setGameSettings(gs);
    b->setMusicSound(ms);
    b->setInputObj(iO);
    setMenuGamePad(&iO->getGamePad());
    b->setReplayFolder(gamePaths().replayFolder);
    return 0;
}

void playMode() {
    while (retVal != RETVAL_QUIT && retVal != RETVAL_SWITCH) {
        if (quitRequested())
            retVal = RETVAL_QUIT;
        else if (gameMode == MODE_MENU)
            retVal = runMenuMode();
        else if (gameMode == MODE_BATTLE)
            retVal = runBattleMode();
        else
            retVal = RETVAL_QUIT; // no such mode: end rather than spin forever
    }
}

void modeSwitch() {
    if (gameMode == MODE_BATTLE) {
        gameMode = MODE_MENU;
        retVal = RETVAL_STAY;
    } else if (gameMode == MODE_MENU) {
        gameMode = MODE_BATTLE;
        retVal = RETVAL_STAY;
    }
}

void runModeLoop() {
    while (retVal != RETVAL_QUIT) {
        playMode();
        if (quitRequested())
            retVal = RETVAL_QUIT; // a battle left for a quit request does not go back to the menus
        if (retVal != RETVAL_QUIT) modeSwitch();
    }
}
