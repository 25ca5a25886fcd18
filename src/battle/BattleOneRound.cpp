#include "battle/Battle.h"

#include <vector>

#include "battle/replayRound.h"
#include "content/Loader.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/gameWindow.h"
#include "system/quitRequest.h"
#include "units/PlayerUnit.h"
#include "units/Unit.h"
#include "units/UnitList.h"

PlayedRound Battle::playOneRound(const std::string& campName, const std::string& chosenChar, int number,
                                 Loader* l) {
    PlayedRound out;
    inputObj->clear();
    takeFocusLoss();
    std::string name = campName; // the campaign keeps its own copy
    campaign.setName(&name);
    charName = chosenChar;
    if (!prepareCampaign(l)) return out;
    int rounds = campaign.getTotalRounds();
    if (number < 0 || number >= rounds) {
        if (rounds > 0)
            showMessage("The campaign %s has no round %d: its rounds are numbered 0 to %d.\n",
                        campName.c_str(), number, rounds - 1);
        else
            showMessage("The campaign %s has no rounds to play.\n", campName.c_str());
        endBattle();
        return out;
    }
    // What a round leaves out (the arena size, the title) it keeps from the rounds before it.
    if (number > 0) {
        loadRoundInOrder(*l, campaign, number - 1, charName, *round, *unitList);
        unitList->clear();
    }
    show_mouse(NULL);
    roundNumber = number;
    totalScore = 0;
    // A restart plays the round again, as in the campaign; everything else ends it.
    do {
        if (!runRound(l)) break;
        out.state = roundState == ROUND_RESTARTED ? ROUND_IN_PLAY : roundState;
        out.steps = roundSteps;
        // Left during its title, the round never placed the player, whose meter is as it starts.
        out.juiceLeft = roundState == ROUND_LOST ? 0
                        : roundSteps == 0        ? 100 / PlayerUnit::startingJuicePart
                                                 : playerJuicePercent();
        keepReplay();
        unitList->clear();
    } while (roundState == ROUND_RESTARTED && !quitRequested());
    // A quit request during a restarted round's title leaves the round.
    if (out.state == ROUND_IN_PLAY && roundState == ROUND_RESTARTED) out.state = ROUND_LEFT;
    endBattle();
    return out;
}

int Battle::playerJuicePercent() {
    std::vector<Unit*> players = unitList->search(SEARCH_PLAYERS, 0);
    if (players.empty() || players.front()->getMaxHP() <= 0) return 0;
    int hp = players.front()->getHP();
    return hp <= 0 ? 0 : 100 * hp / players.front()->getMaxHP();
}
