// A fuzzed campaign file: loaded with its unit types and its first rounds, each round played
// for a moment, as the battle does when a campaign starts.
#include "FuzzSupport.h"
#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    writeFuzzFile("data/campaigns/Fuzzed", data, size);
    {
        Loader loader;
        Campaign campaign;
        std::string name = "Fuzzed";
        campaign.setName(&name);
        loader.loadGeneralData();
        if (loader.loadCampaign(campaign) == 0) {
            loader.loadAllUnitsFromCampaign(campaign);
            loader.addPC("Sparrow");
            Round round;
            int rounds = campaign.getTotalRounds();
            // A few rounds are enough to reach every key; the loop bound is the campaign's own.
            for (int r = 0; r < rounds && r < 6; r++) {
                loader.loadRound(campaign, r, &round, "Sparrow", nullptr);
                playRound(&loader, &round, 20);
            }
        }
    }
    forgetMessages();
    return 0;
}
