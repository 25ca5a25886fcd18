// A fuzzed datafile used in every place the game takes pictures from one: as a unit's frames,
// as a campaign's pictures, as a round's arena and title, and as the shared pictures.
#include "FuzzSupport.h"
#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitCreate.h"

namespace {

const char* const unitFile = "datafile = ../fuzz.dat\n"
                             "[Animation]\n"
                             "animIdle = 999 -1 0 d0 2 d1 2 stand 1\n"
                             "animRun = 999 3 1 r0 1 r1 1 run1 1\n"
                             "animAttack1 = 0 -1 0 a0 2 a1 2\n"
                             "animDead = 0 -1 0 d0 2 d1 2\n";
const char* const campaignFile = "[Campaign]\n"
                                 "Datafile = data/fuzz.dat\n"
                                 "TotalRounds = 1\n"
                                 "UnitsToAppear = FuzzDat\n"
                                 "[Round0]\n"
                                 "ArenaSize = 200 150\n"
                                 "ArenaPic = data/fuzz.dat arena title\n"
                                 "Spawns = 1\n"
                                 "Spawn0 = FuzzDat 3 11 0 0 0 0\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    static bool written = false;
    if (!written) {
        writeFuzzFile("data/unit/FuzzDat", reinterpret_cast<const uint8_t*>(unitFile), strlen(unitFile));
        writeFuzzFile("data/campaigns/FuzzDat", reinterpret_cast<const uint8_t*>(campaignFile),
                      strlen(campaignFile));
        written = true;
    }
    writeFuzzFile("data/fuzz.dat", data, size);
    {
        Loader loader;
        Campaign campaign;
        std::string name = "FuzzDat";
        campaign.setName(&name);
        loader.loadGeneralData();
        if (loader.loadCampaign(campaign) == 0) {
            loader.loadAllUnitsFromCampaign(campaign);
            loader.addPC("Warden");
            Round round;
            loader.loadRound(campaign, 0, &round, "Warden", nullptr);
            playRound(&loader, &round, 40);
        }
    }
    forgetMessages();
    return 0;
}
