// Writes a small playable data set into the folder given as the only argument: the shared
// pictures, the selection lists, the settings (640 x 480 windowed at 32 bits, so screenshots
// keep exact colours), the player's character "tester", the enemy "drifter" and the campaign
// "Trial" of two rounds. The colours below are what the end-to-end tests look for.
//
// The tester stands in the centre with 30 of 90 HP; walking into a wall costs 10 HP a step, so
// holding a direction key loses the round in about two seconds. The drifter targets nobody and
// walks straight up into the top wall, where the same 10 HP a step end it: round 1 is won after
// about 4.5 s of play (it starts 145 pixels from the wall at 2 pixels a step), round 2 after
// about 1.5 s.
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/DataBuilder.h"
#include "support/TestEnv.h"

int runCommand(const std::string& command) {
    int status = system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

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

bool writeDataSet() {
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

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    mkdir(argv[1], 0755);
    if (chdir(argv[1]) != 0 || install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "cannot work in %s\n", argv[1]);
        return 1;
    }
    set_color_depth(32);
    mkdir("data", 0755);
    if (!writeDataSet()) {
        fprintf(stderr, "the test campaign could not be written\n");
        return 1;
    }
    return 0;
}
END_OF_MAIN()
