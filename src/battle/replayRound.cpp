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
    // Each round on the way that fails to load says so: a round the campaign does not have would
    // speak for every number up to it.
    if (roundNumber < 0 || roundNumber >= campaign.getTotalRounds()) return 1;
    for (int earlier = 0; earlier < roundNumber; earlier++) {
        loader.loadRound(campaign, earlier, &round, character, nullptr);
        list.setupRound(&round); // so that clearing drops the orders of that round
        list.clear();
    }
    int failed = loader.loadRound(campaign, roundNumber, &round, character, nullptr);
    list.setupRound(&round);
    return failed;
}

std::string roundBeyondCampaign(const Replay& r, const Campaign& campaign) {
    if (r.round < campaign.getTotalRounds()) return "";
    // Rounds are counted from 1 for people, from 0 in the file.
    return "it is of round " + std::to_string(r.round + 1) + ", and the campaign " + r.campaign + " has " +
           std::to_string(campaign.getTotalRounds()) +
           (campaign.getTotalRounds() == 1 ? " round" : " rounds");
}

std::string fitRoundToReplay(const Replay& r, Loader& loader, Round& round) {
    RoundDataDigests now = roundDataDigests(loader, r.campaign, round);
    if (now.all != r.dataHash) {
        const std::string files = "the campaign " + r.campaign + " or one of the unit files of its round";
        const std::string pictures = "the pictures of the units of its round (the sizes of their frames)";
        bool textSame = now.text == r.textHash, picturesSame = now.pictures == r.pictureHash;
        return "it was played with other data: " +
               (r.version < 2                ? files + " or their pictures have changed since"
                : textSame && !picturesSame  ? pictures + " have changed since"
                : !textSame && !picturesSame ? files + " and " + pictures + " have changed since"
                                             : files + " has changed since");
    }
    if (r.arenaWidth > 0 && r.arenaHeight > 0)
        round.setArenaSize(itofix(r.arenaWidth), itofix(r.arenaHeight));
    std::srand(r.seed);
    return "";
}
