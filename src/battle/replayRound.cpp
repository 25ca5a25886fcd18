#include "battle/replayRound.h"

#include <cstdlib>

#include "battle/Replay.h"
#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/roundDataHash.h"
#include "units/UnitList.h"

int loadRoundInOrder(Loader& loader, Campaign& campaign, int roundNumber, const std::string& character,
                     Round& round, UnitList& list) {
    list.clear();
    for (int earlier = 0; earlier < roundNumber; earlier++) {
        loader.loadRound(campaign, earlier, &round, character, nullptr);
        list.setupRound(&round); // so that clearing drops the orders of that round
        list.clear();
    }
    int failed = loader.loadRound(campaign, roundNumber, &round, character, nullptr);
    list.setupRound(&round);
    return failed;
}

std::string fitRoundToReplay(const Replay& r, Loader& loader, Round& round) {
    if (roundDataHash(loader, r.campaign, round) != r.dataHash)
        return "it was played with other data: the campaign " + r.campaign +
               " or one of the unit files of its round has changed since";
    if (r.arenaWidth > 0 && r.arenaHeight > 0)
        round.setArenaSize(itofix(r.arenaWidth), itofix(r.arenaHeight));
    std::srand(r.seed);
    return "";
}
