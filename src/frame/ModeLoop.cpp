#include "frame/ModeLoop.h"

#include <allegro.h>
#include <cstdio>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "content/Loader.h"
#include "content/selectionList.h"
#include "frame/globals.h"
#include "menus/Config.h"
#include "menus/StartGameConfig.h"
#include "system/GamePaths.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/fileAccess.h"
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

int playSingleRound(const std::string& campaign, int round, const std::string& character) {
    std::string file = "data/campaigns/" + campaign, why = whyUnreadable(file);
    if (campaign.find('/') != std::string::npos || campaign[0] == '.') {
        showMessage("There is no campaign %s to play: a campaign is named by its file in data/campaigns, "
                    "without a folder.\n",
                    campaign.c_str());
        return 2;
    }
    if (!why.empty()) {
        showMessage("There is no campaign %s to play: %s %s.\n", campaign.c_str(), file.c_str(), why.c_str());
        return 2;
    }
    std::string who = character;
    if (who.empty()) {
        std::vector<std::string> names = selectionListNames("data/listOfCharacters.txt");
        if (names.empty()) {
            showMessage("No character to play: data/listOfCharacters.txt names none. Give one with "
                        "--character NAME.\n");
            return 2;
        }
        who = names.front();
    }
    PlayedRound played = b->playOneRound(campaign, who, round, l);
    if (played.state == ROUND_IN_PLAY) return 2;
    const char* how = played.state == ROUND_WON ? "won" : played.state == ROUND_LOST ? "lost" : "left";
    // 30 ms steps: 100 of them are 3 s.
    printf("round %d %s after %ld s, juice left %d %%\n", round, how, played.steps * 3 / 100,
           played.juiceLeft);
    fflush(stdout);
    return 0;
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
