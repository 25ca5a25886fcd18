// playTest: plays the shipped rounds headless with a scripted player, deft or sloppy, and reports,
// per round and character, whether the script won, how many steps it took, how much juice was
// left and how large the arena is shown on a 640x480 screen.
// Run from the build folder, whose data/ the build made. See `playTest --help`.
#include <allegro.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/screenLayout.h"
#include "content/keyValues.h"
#include "content/selectionList.h"
#include "frame/dataLocation.h"
#include "sim/ScriptedPlayer.h"
#include "sim/Simulation.h"
#include "sim/SloppyPlayer.h"
#include "sim/roundTrial.h"
#include "system/Messages.h"
#include "system/configText.h"
#include "units/PlayerUnit.h"

namespace {

// With --trace: the player's juice and nearest enemy every tenth step.
std::function<void(long, PlayerUnit*)> traceStep(Simulation& sim) {
    return [&sim](long steps, PlayerUnit* p) {
        if (steps % 10) return;
        UnitList& list = sim.getUnitList();
        int near = 0;
        Unit* t = p ? ScriptedPlayer::chooseTarget(list, p, near) : nullptr;
        std::printf("  step %5ld hp %4d enemies %2zu near %d", steps, p ? p->getHP() : 0,
                    list.search(SEARCH_BY_SIDE, AFF_ENEMY).size(), near);
        if (p && t)
            std::printf(" target %s %d hp at %.0f px", t->getUnitName().c_str(), t->getHP(),
                        std::hypot(fixtof(t->getPosX() - p->getPosX()), fixtof(t->getPosY() - p->getPosY())));
        std::printf("\n");
    };
}

std::vector<std::string> splitList(const std::string& s) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) out.push_back(item);
    return out;
}

int roundsOf(const std::string& campaign) {
    push_config_state();
    useConfigText(("data/campaigns/" + campaign).c_str());
    int n = readWhole(formatKey(FileKind::Campaign, "Campaign", "TotalRounds"));
    pop_config_state();
    return n;
}

// The zoom the battle shows the loaded round's arena at on a 640x480 screen.
double arenaZoom(Simulation& sim) {
    ArenaPlacement at;
    if (!placeArena(640, 480, fixtoi(sim.getRound().getArenaSizeX()), fixtoi(sim.getRound().getArenaSizeY()),
                    at))
        return 0;
    return fixtof(at.scale);
}

void usage() {
    std::puts("usage: playTest [--campaigns A,B] [--characters A,B] [--round N] [--seeds N]\n"
              "                [--steps N] [--sloppy] [--trace] [--expect-win] [--expect-wins N]\n"
              "                [--min-zoom Z] [--help] [--version]\n"
              "  defaults: every campaign and character of the selection lists, every round,\n"
              "  3 seeds, at most 20000 steps (10 minutes of play) per round.\n"
              "  --sloppy         a newcomer plays: late by a quarter second, the aim off,\n"
              "                   the hands at rest now and then\n"
              "  --trace          print the juice and the nearest enemy every tenth step\n"
              "  --expect-win     exit 1 unless every round was won with at least one seed\n"
              "  --expect-wins N  exit 1 unless every round was won with at least N seeds\n"
              "  --min-zoom Z     exit 1 if a round's arena is shown at less than Z of its size\n"
              "                   on a 640x480 screen (the zoom column); --steps 0 only checks that");
}

} // namespace

int main(int argc, char** argv) {
    std::string noData = enterDataFolder("");
    if (!noData.empty()) {
        std::fprintf(stderr, "playTest: %s\n", noData.c_str());
        return 1;
    }
    std::vector<std::string> campaigns = selectionListNames("data/listOfCampaigns.txt");
    std::vector<std::string> characters = selectionListNames("data/listOfCharacters.txt");
    int onlyRound = -1, seeds = 3, expectWins = 0;
    long steps = 20000;
    bool sloppy = false, trace = false;
    double minZoom = 0;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--campaigns" && hasValue)
            campaigns = splitList(argv[++i]);
        else if (a == "--characters" && hasValue)
            characters = splitList(argv[++i]);
        else if (a == "--round" && hasValue)
            onlyRound = std::atoi(argv[++i]);
        else if (a == "--seeds" && hasValue)
            seeds = std::max(1, std::atoi(argv[++i]));
        else if (a == "--steps" && hasValue)
            steps = std::atol(argv[++i]);
        else if (a == "--sloppy")
            sloppy = true;
        else if (a == "--trace")
            trace = true;
        else if (a == "--expect-win")
            expectWins = std::max(expectWins, 1);
        else if (a == "--expect-wins" && hasValue)
            expectWins = std::max(1, std::atoi(argv[++i]));
        else if (a == "--min-zoom" && hasValue)
            minZoom = std::atof(argv[++i]);
        else if (a == "--version") {
            std::printf("playTest " VORN_VERSION "\n");
            return 0;
        } else {
            usage();
            return a == "--help" ? 0 : 2;
        }
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    setMessagesSilent(true);

    bool allWon = true, allSeen = true;
    std::printf("%-10s %-2s %-8s %5s %7s %9s %9s %6s %7s %5s\n", "campaign", "rd", "char", "wins", "secs",
                "juiceLeft", "lowest", "score", "enemies", "zoom");
    for (const std::string& camp : campaigns) {
        int total = roundsOf(camp);
        for (int r = 0; r < total; r++) {
            if (onlyRound >= 0 && r != onlyRound) continue;
            for (const std::string& ch : characters) {
                int wins = 0;
                double secs = 0, left = 0, lowest = 0, score = 0, enemies = 0, zoom = 0;
                std::string last;
                for (int s = 0; s < seeds; s++) {
                    std::srand(1000 + s);
                    Simulation sim; // a fresh loader per run: the templates keep animation state
                    if (sim.loadCampaignRound(camp, r, ch) != 0) {
                        std::fprintf(stderr, "playTest: %s round %d with %s did not load\n", camp.c_str(), r,
                                     ch.c_str());
                        for (const std::string& m : getShownMessages())
                            std::fprintf(stderr, "  %s", m.c_str());
                        return 1;
                    }
                    zoom = arenaZoom(sim);
                    SloppyPlayer newcomer(1000 + s);
                    sim.setScripted(!sloppy);
                    RoundOutcome o = playRoundOut(sim, sloppy ? &newcomer : nullptr, steps,
                                                  trace ? traceStep(sim) : nullptr);
                    wins += o.state == ROUND_WON;
                    secs += o.steps * 0.03;
                    left += o.maxHP ? 100.0 * o.hpLeft / o.maxHP : 0;
                    lowest += o.maxHP ? 100.0 * o.lowestHP / o.maxHP : 0;
                    score += o.score;
                    enemies += o.enemiesSeen;
                    last += roundOutcomeWord(o.state)[0];
                }
                std::printf("%-10s %-2d %-8s %d/%d %-3s %5.0f %8.0f%% %8.0f%% %6.0f %7.0f %5.2f\n",
                            camp.c_str(), r, ch.c_str(), wins, seeds, last.c_str(), secs / seeds,
                            left / seeds, lowest / seeds, score / seeds, enemies / seeds, zoom);
                std::fflush(stdout);
                if (wins < expectWins) allWon = false;
                if (zoom < minZoom && ch == characters.front()) {
                    std::fprintf(stderr,
                                 "playTest: %s round %d shows its units at %.3f of their size on a 640x480 "
                                 "screen, below %.2f\n",
                                 camp.c_str(), r, zoom, minZoom);
                    allSeen = false;
                }
            }
        }
    }
    return allWon && allSeen ? 0 : 1;
}
