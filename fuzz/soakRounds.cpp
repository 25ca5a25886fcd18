// Soak run: one round of a shipped campaign loaded and played again and again, as a lost round
// is replayed, with the resident memory read after a warm-up and at the end. Usage:
// soakRounds [CAMPAIGN] [TIMES] [STEPS]; run from the build folder. Fails when memory grew
// by 5 % or more after the warm-up.
#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "units/UnitList.h"

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return atol(line.c_str() + 6);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string name = argc > 1 ? argv[1] : "Conquest";
    int times = argc > 2 ? atoi(argv[2]) : 1000;
    int steps = argc > 3 ? atoi(argv[3]) : 300;
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    setMessagesSilent(true);
    Loader loader;
    Campaign campaign;
    campaign.setName(&name);
    if (loader.loadGeneralData() != 0 || loader.loadCampaign(campaign) != 0) return 1;
    loader.loadAllUnitsFromCampaign(campaign);
    loader.addPC("Warden");
    Round round;
    UnitList list;
    InputObj input;
    MusicSound sound;
    BITMAP* arena = create_bitmap(640, 480);
    long warm = 0;
    int rounds = campaign.getTotalRounds() > 0 ? campaign.getTotalRounds() : 1;
    for (int i = 0; i < times; i++) {
        loader.loadRound(campaign, i % rounds, &round, "Warden", nullptr);
        list.setupRound(&round);
        for (int s = 0; s < steps; s++) {
            list.simulationStep(&loader, &round, PlayerCommand::fromInput(input));
            list.drawUnits(arena, &sound, false);
        }
        list.clear();
        clearShownMessages();
        if (i == times / 10) warm = residentKb();
    }
    long end = residentKb();
    destroy_bitmap(arena);
    double growth = warm > 0 ? 100.0 * (end - warm) / warm : 0;
    printf("%d rounds of %d steps: resident %ld kB after warm-up, %ld kB at the end (%+.2f %%)\n", times,
           steps, warm, end, growth);
    return growth < 5.0 ? 0 : 1;
}
