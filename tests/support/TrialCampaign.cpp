#include "support/TrialCampaign.h"

#include <fstream>
#include <string>
#include <sys/stat.h>

#include "support/DataBuilder.h"

namespace {

bool writeText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return bool(out);
}

const char* const campaignFile = "[Campaign]\n"
                                 "Datafile = data/trial.dat\n"
                                 "TotalRounds = 2\n"
                                 "UnitsToAppear = drifter\n"
                                 "\n"
                                 "[Round0]\n"
                                 "ArenaSize = 400 300\n"
                                 "ArenaPic = data/trialRounds.dat arena1 title1\n"
                                 "name = First Blood\n"
                                 "ArenaWall = Stop\n"
                                 "Spawns = 1\n"
                                 "Spawn0 = drifter 1 10 0 0 0 0 100 290\n"
                                 "\n"
                                 "[Round1]\n"
                                 "ArenaPic = data/trialRounds.dat arena2 title2\n"
                                 "name = Last Stand\n"
                                 "Spawns = 1\n"
                                 "Spawn0 = drifter 1 10 0 0 0 0 300 60\n";

const char* const testerFile = "affiliation = player\n"
                               "isThePC = true\n"
                               "maxHP = 90\n"
                               "walkspeed = 5\n"
                               "datafile = tester.dat\n"
                               "[Animation]\n"
                               "animIdle = 0 -1 0 body 0\n"
                               "animRun = 0 -1 0 body 0\n";

const char* const drifterFile = "affiliation = enemy\n"
                                "maxHP = 40\n"
                                "walkspeed = 2\n"
                                "datafile = drifter.dat\n"
                                "[AI]\n"
                                "targetAffiliation = neutral\n"
                                "[Animation]\n"
                                "animIdle = 0 -1 0 body 0\n"
                                "animRun = 0 -1 0 body 0\n";

} // namespace

bool writeTrialDataSet() {
    bool ok = true;
    ok &= makeDatafile("data/generalData.dat", {{"cursor", 8, 8, 0xffffff},
                                                {"goodStatus0", 16, 16, 0x00ff00},
                                                {"goodStatus1", 16, 16, 0x00ff00},
                                                {"goodStatus2", 16, 16, 0x00ff00},
                                                {"goodStatus3", 16, 16, 0x00ff00},
                                                {"badStatus0", 16, 16, 0xff0000},
                                                {"badStatus1", 16, 16, 0xff0000},
                                                {"badStatus2", 16, 16, 0xff0000},
                                                {"badStatus3", 16, 16, 0xff0000},
                                                {"youWin", 200, 60, 0x00c000},
                                                {"youLose", 200, 60, 0xc00000}});
    ok &= makeDatafile("data/trial.dat",
                       {{"splashScreen", 300, 200, 0x2040ff}, {"victoryScreen", 300, 200, 0xffd700}});
    ok &= makeDatafile("data/trialRounds.dat", {{"arena1", 400, 300, 0x306030},
                                                {"arena2", 400, 300, 0x303060},
                                                {"title1", 160, 40, 0xff8000},
                                                {"title2", 160, 40, 0x00ffff}});
    ok &= makeDatafile("data/unit/tester.dat", {{"body", 20, 20, 0xe0e0e0}});
    ok &= makeDatafile("data/unit/drifter.dat", {{"body", 20, 20, 0xa000a0}});
    mkdir("data/campaigns", 0755);
    ok &= writeText("data/campaigns/Trial", campaignFile);
    ok &= writeText("data/unit/tester", testerFile);
    ok &= writeText("data/unit/drifter", drifterFile);
    ok &= writeText("data/listOfCampaigns.txt", "Trial\nTwo short rounds.\n[End]\n");
    ok &= writeText("data/listOfCharacters.txt", "tester\nStands still unless told.\n[End]\n");
    ok &= writeText("data/gameSettings", "[Gfx]\nResX = 640\nResY = 480\nDepth = 32\nDriver = 2\n");
    return ok;
}

