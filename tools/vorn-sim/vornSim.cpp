// vorn-sim: plays a round without a window or sound and reports how fast the simulation runs.
// Run it from the build folder (it reads the data set there, data/). See `vorn-sim --help`.

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "battle/Battle.h"
#include "battle/replayFile.h"
#include "content/Round.h"
#include "content/UnitTemplate.h"
#include "content/roundDataHash.h"
#include "frame/dataLocation.h"
#include "sim/Simulation.h"
#include "system/Messages.h"
#include "units/SpriteCache.h"
#include "units/Unit.h"

namespace {

struct Options {
    std::string campaign;
    int round = 0;
    std::string character = "Warden";
    int units = 0;
    int width = 0, height = 0; // 0: sized to the population
    std::vector<std::string> types = {"Grub",    "Slinger",  "Crystal",  "SlingStone",
                                      "Bloater", "VigorOrb", "IceShard", "Icer"};
    bool variants = true;
    bool steady = false; // the fallen are replaced
    bool script = true;
    long steps = 1000;
    int frameRatio = 1; // simulation steps per drawn frame; 0 draws nothing
    unsigned seed = 1;
    bool exhaustive = false;
    bool untilOver = false;
    std::string replay; // play this replay instead
    bool verify = false;
    std::string upgrade; // write the replay played back to this file in this game's format
    std::string record;  // write the round played to this replay file
};

void usage() {
    std::puts(
        "usage: vorn-sim [options]   (run from the build folder; --help, --version)\n"
        "  --campaign NAME     play a round of that campaign (data/campaigns/NAME)\n"
        "  --round N           which round, counted from 0 (default 0)\n"
        "  --units N           instead: an arena with N units put anywhere at random\n"
        "  --types A,B,...     unit types of that arena, taken in turn\n"
        "                      (default Grub,Slinger,Crystal,SlingStone,Bloater,VigorOrb,IceShard,Icer)\n"
        "  --arena WxH         arena size in pixels (default: about 40 x 40 pixels per unit)\n"
        "  --no-variants       every arena unit of variant 0 (default: variants 0 to 4 at random)\n"
        "  --steady            keep the arena at N units: the fallen are replaced by new ones\n"
        "  --character NAME    the player's character, or none (default Warden)\n"
        "  --no-script         the player stands idle (default: the scripted player of playTest)\n"
        "  --steps N           simulation steps to run (default 1000)\n"
        "  --until-over        stop once the round is won or lost\n"
        "  --frame-ratio K     one drawn frame every K steps, 0 for none (default 1); with none the\n"
        "                      end-of-frame update never runs: no unit dies and knockback never\n"
        "                      wears off, so the step times only grow (the step times of a run\n"
        "                      with frames are the step alone)\n"
        "  --seed S            seed of rand() (default 1)\n"
        "  --exhaustive        contact tests by the plain all-pairs scan instead of the grid\n"
        "  --replay FILE       play a replay (data/replays/*.vornreplay) and print its end's state hash\n"
        "  --verify            with --replay: exit 3 unless that hash and every checkpoint's are the\n"
        "                      ones recorded\n"
        "  --upgrade OUT       with --replay: play it back and, when it ends as recorded, write it to\n"
        "                      OUT in this game's format, with its checkpoints (exit 3 if not)\n"
        "  --record FILE       with --campaign: write the round played to FILE as a replay");
}

std::vector<std::string> splitList(const std::string& s) {
    std::vector<std::string> out;
    std::stringstream in(s);
    std::string item;
    while (std::getline(in, item, ','))
        if (!item.empty()) out.push_back(item);
    return out;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "vorn-sim: %s needs a value\n", name);
                return nullptr;
            }
            return argv[++i];
        };
        const char* v = nullptr;
        if (a == "--help" || a == "-h") {
            usage();
            std::exit(0);
        } else if (a == "--version") {
            std::printf("vorn-sim " VORN_VERSION "\n");
            std::exit(0);
        } else if (a == "--campaign" && (v = value("--campaign"))) {
            o.campaign = v;
        } else if (a == "--round" && (v = value("--round"))) {
            o.round = std::atoi(v);
        } else if (a == "--units" && (v = value("--units"))) {
            o.units = std::atoi(v);
        } else if (a == "--types" && (v = value("--types"))) {
            o.types = splitList(v);
        } else if (a == "--arena" && (v = value("--arena"))) {
            if (std::sscanf(v, "%dx%d", &o.width, &o.height) != 2 || o.width <= 0 || o.height <= 0 ||
                o.width > 32767 || o.height > 32767) {
                std::fprintf(stderr, "vorn-sim: --arena wants WxH, 1 to 32767 pixels each\n");
                return false;
            }
        } else if (a == "--no-variants") {
            o.variants = false;
        } else if (a == "--steady") {
            o.steady = true;
        } else if (a == "--character" && (v = value("--character"))) {
            o.character = std::strcmp(v, "none") == 0 ? "" : v;
        } else if (a == "--no-script") {
            o.script = false;
        } else if (a == "--steps" && (v = value("--steps"))) {
            o.steps = std::atol(v);
        } else if (a == "--until-over") {
            o.untilOver = true;
        } else if (a == "--frame-ratio" && (v = value("--frame-ratio"))) {
            o.frameRatio = std::atoi(v);
        } else if (a == "--seed" && (v = value("--seed"))) {
            o.seed = (unsigned)std::strtoul(v, nullptr, 10);
        } else if (a == "--exhaustive") {
            o.exhaustive = true;
        } else if (a == "--replay" && (v = value("--replay"))) {
            o.replay = v;
        } else if (a == "--verify") {
            o.verify = true;
        } else if (a == "--upgrade" && (v = value("--upgrade"))) {
            o.upgrade = v;
        } else if (a == "--record" && (v = value("--record"))) {
            o.record = v;
        } else {
            if (!v) std::fprintf(stderr, "vorn-sim: unknown option %s (see --help)\n", a.c_str());
            return false;
        }
    }
    if (!o.record.empty() && (o.campaign.empty() || o.frameRatio == 0)) {
        std::fprintf(stderr, "vorn-sim: --record needs --campaign and drawn frames\n");
        return false;
    }
    if (!o.upgrade.empty() && o.replay.empty()) {
        std::fprintf(stderr, "vorn-sim: --upgrade needs --replay\n");
        return false;
    }
    if (o.campaign.empty() && o.units <= 0 && o.replay.empty()) {
        std::fprintf(stderr, "vorn-sim: give --campaign NAME, --units N or --replay FILE (see --help)\n");
        return false;
    }
    if (o.steps < 0 || o.frameRatio < 0) {
        std::fprintf(stderr, "vorn-sim: --steps and --frame-ratio cannot be negative\n");
        return false;
    }
    return true;
}

// A memory figure of this process from /proc/self/status in kB (key "VmHWM:" the peak resident,
// "VmRSS:" the resident now), 0 when unknown.
long memoryKB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, key.size(), key) == 0) return std::atol(line.c_str() + key.size());
    return 0;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    size_t i = (size_t)std::ceil(p / 100.0 * v.size());
    return v[std::min(v.size() - 1, i == 0 ? 0 : i - 1)];
}

void printTimes(const char* what, const std::vector<double>& ms) {
    std::printf("%s ms: p50 %.3f  p90 %.3f  p99 %.3f  max %.3f\n", what, percentile(ms, 50),
                percentile(ms, 90), percentile(ms, 99), percentile(ms, 100));
}

void printUnits(const char* when, UnitList& list) {
    static const int sides[] = {AFF_PLAYER, AFF_ENEMY, AFF_NEUTRAL, AFF_PLAYER_PROJECTILE,
                                AFF_ENEMY_PROJECTILE};
    static const char* names[] = {"player", "enemy", "neutral", "playerProjectile", "enemyProjectile"};
    std::printf("units %s: %zu (", when, list.getUnits()->size());
    for (int i = 0; i < 5; i++)
        std::printf("%s%s %zu", i ? ", " : "", names[i], list.search(SEARCH_BY_SIDE, sides[i]).size());
    size_t pending = list.getUnitsToAppear() ? list.getUnitsToAppear()->size() : 0;
    std::printf("), %zu orders pending\n", pending);
}

// Plays the replay file headless; 0 when its end's state hash and its checkpoints are the
// recorded ones (or when neither verifying nor upgrading), 3 when not, 1 when it cannot be played
// or the upgrade not written.
int playReplayFile(const Options& o) {
    Replay replay;
    std::string why;
    if (!readReplay(o.replay, replay, &why)) {
        std::fprintf(stderr, "vorn-sim: %s\n", why.c_str());
        return 1;
    }
    Simulation sim;
    sim.getUnitList().setExhaustiveContacts(o.exhaustive);
    if (sim.loadReplay(replay, &why) != 0) {
        std::fprintf(stderr, "vorn-sim: the replay %s cannot be played: %s\n", o.replay.c_str(), why.c_str());
        return 1;
    }
    // Taken before the round is played: its spawn orders go as it is.
    RoundDataDigests data = roundDataDigests(sim.getLoader(), replay.campaign, sim.getRound());
    static const char* results[] = {"won", "lost", "left", "restarted", "unfinished"};
    std::printf("vorn-sim: replay of campaign %s, round %d, character %s, %s, %ld steps in %zu frames\n",
                replay.campaign.c_str(), replay.round, replay.character.c_str(), results[(int)replay.result],
                replay.countSteps(), replay.frames.size());
    std::printf("contact tests: %s\n", o.exhaustive ? "all-pairs scan" : "grid");
    std::vector<uint64_t> checkpoints;
    uint64_t hash = sim.playReplay(replay, &checkpoints);
    long differs = replay.firstDifferingStep(checkpoints);
    bool same = hash == replay.endHash && differs < 0;
    std::printf("state hash: %016llx\nrecorded:   %016llx (%s)\n", (unsigned long long)hash,
                (unsigned long long)replay.endHash, hash == replay.endHash ? "the same" : "different");
    if (replay.checkpoints.empty())
        std::printf("checkpoints: none recorded (format %d)\n", replay.version);
    else if (differs < 0)
        std::printf("checkpoints: all %zu the same\n", replay.checkpoints.size());
    else
        std::printf("checkpoints: the playback went otherwise than recorded by step %ld\n", differs);
    if (o.upgrade.empty()) return o.verify && !same ? 3 : 0;
    if (!same) {
        std::fprintf(stderr, "vorn-sim: %s does not play back as recorded: not upgraded\n", o.replay.c_str());
        return 3;
    }
    replay.checkpoints = checkpoints;
    replay.textHash = data.text;
    replay.pictureHash = data.pictures;
    if (!writeReplay(replay, o.upgrade, &why)) {
        std::fprintf(stderr, "vorn-sim: %s\n", why.c_str());
        return 1;
    }
    std::printf("upgraded to format %d with %zu checkpoints: %s\n", Replay::VERSION, checkpoints.size(),
                o.upgrade.c_str());
    return 0;
}

// The replay of the round vorn-sim has just played with the scripted player.
} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) return 2;
    // Files named on the command line stay where they were named, whichever folder holds the data.
    char cwd[4096];
    for (std::string* file : {&o.replay, &o.record, &o.upgrade})
        if (!file->empty() && (*file)[0] != '/' && getcwd(cwd, sizeof cwd))
            *file = std::string(cwd) + "/" + *file;
    std::string noData = enterDataFolder("");
    if (!noData.empty()) {
        std::fprintf(stderr, "vorn-sim: %s\n", noData.c_str());
        return 1;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "vorn-sim: Allegro did not start\n");
        return 1;
    }
    set_color_depth(32);
    setMessagesSilent(true);
    if (!o.replay.empty()) return playReplayFile(o);
    std::srand(o.seed);

    {
        Simulation sim;
        sim.getUnitList().setExhaustiveContacts(o.exhaustive);
        int failed;
        if (!o.campaign.empty()) {
            failed = sim.loadCampaignRound(o.campaign, o.round, o.character);
            std::printf("vorn-sim: campaign %s, round %d, character %s, seed %u\n", o.campaign.c_str(),
                        o.round, o.character.empty() ? "none" : o.character.c_str(), o.seed);
        } else {
            int side = std::max(200, (int)(40 * std::sqrt((double)o.units)));
            int w = o.width ? o.width : std::min(side, 32767),
                h = o.height ? o.height : std::min(side, 32767);
            failed = sim.makeArena(w, h, o.types, o.units, o.character, o.variants);
            std::printf("vorn-sim: arena %dx%d, %d units of %zu types, character %s, seed %u\n", w, h,
                        o.units, o.types.size(), o.character.empty() ? "none" : o.character.c_str(), o.seed);
        }
        for (const std::string& m : getShownMessages())
            std::fprintf(stderr, "vorn-sim: %s", m.c_str());
        if (failed) {
            std::fprintf(stderr,
                         "vorn-sim: the round could not be set up (is the data set built? run from the "
                         "build folder)\n");
            return 1;
        }
        std::printf("contact tests: %s\n", o.exhaustive ? "all-pairs scan" : "grid");
        sim.setSteadyCrowd(o.steady);
        sim.setScripted(o.script && !o.character.empty());
        // A recorded round starts from its seed once loaded, as the battle seeds a round.
        if (!o.record.empty()) sim.startRecording(o.campaign, o.round, o.character, o.seed);

        using Clock = std::chrono::steady_clock;
        std::vector<double> stepMs, frameMs, liveUnits;
        // Written in full once, so their pages are resident from the start and the run's own
        // record of times does not show as growth of the round.
        stepMs.assign(o.steps, 0.0);
        stepMs.clear();
        liveUnits.assign(o.steps, 0.0);
        liveUnits.clear();
        frameMs.assign(o.frameRatio > 0 ? o.steps / o.frameRatio + 1 : 0, 0.0);
        frameMs.clear();
        // The first sixth of the run warms up (the crowd forms, containers reach their size);
        // the resident memory there is compared with the end's to show growth within a round.
        long warmedAt = o.steps / 6, warmKB = 0;
        size_t warmCacheBytes = 0;
        size_t peakUnits = 0;
        int state = ROUND_IN_PLAY;
        long overAt = -1;
        int overState = ROUND_IN_PLAY;
        if (o.frameRatio == 0)
            std::printf("no drawn frames: no unit dies and no knockback wears off in this run\n");
        auto begin = Clock::now();
        // One pass of the battle's loop per drawn frame; the steps of a pass see one input poll.
        int perPass = o.frameRatio > 0 ? o.frameRatio : 1;
        for (long done = 0; done < o.steps;) {
            int n = (int)std::min<long>(perPass, o.steps - done);
            sim.runPass(0, false); // the input poll of this pass
            for (int i = 0; i < n; i++) {
                liveUnits.push_back((double)sim.getUnitList().getUnits()->size());
                auto t0 = Clock::now();
                sim.step();
                stepMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            }
            done += n;
            if (warmKB == 0 && warmedAt > 0 && done >= warmedAt) {
                warmedAt = done;
                warmKB = memoryKB("VmRSS:");
                warmCacheBytes = SpriteCache::drawing().getBytes();
            }
            if (o.frameRatio > 0) {
                auto t0 = Clock::now();
                sim.drawFrame();
                frameMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            }
            peakUnits = std::max(peakUnits, sim.getUnitList().getUnits()->size());
            state = sim.getRoundState();
            if (state != ROUND_IN_PLAY && overAt < 0) {
                overAt = done;
                overState = state;
            }
            if (state != ROUND_IN_PLAY && o.untilOver) break;
        }
        double seconds = std::chrono::duration<double>(Clock::now() - begin).count();

        std::printf("steps: %zu in %.3f s, %.1f steps per second (wall clock, frames included)\n",
                    stepMs.size(), seconds, seconds > 0 ? stepMs.size() / seconds : 0.0);
        printTimes("step time", stepMs);
        std::printf("units a step began with: p50 %.0f  min %.0f  max %.0f\n", percentile(liveUnits, 50),
                    percentile(liveUnits, 0), percentile(liveUnits, 100));
        if (!frameMs.empty()) {
            std::printf("frames drawn: %zu (one every %d steps)\n", frameMs.size(), o.frameRatio);
            printTimes("frame time", frameMs);
        }
        printUnits("at the end", sim.getUnitList());
        std::printf("peak unit count: %zu\n", peakUnits);
        static const char* states[] = {"in play", "won", "lost"}; // by ROUND_IN_PLAY, ROUND_WON, ROUND_LOST
        if (overAt >= 0)
            std::printf("round: %s after %ld steps\n", states[overState], overAt);
        else
            std::printf("round: in play\n");
        std::printf("peak memory (VmHWM): %.1f MB\n", memoryKB("VmHWM:") / 1024.0);
        long nowKB = memoryKB("VmRSS:");
        std::printf("resident memory (VmRSS): %.1f MB", nowKB / 1024.0);
        if (warmKB > 0)
            std::printf(", %.1f MB after step %ld (%+.1f %%)", warmKB / 1024.0, warmedAt,
                        100.0 * (nowKB - warmKB) / warmKB);
        std::printf("\n");
        // The drawing's cache of turned pictures fills up to its budget as new angles and sizes are
        // drawn: growth within that budget is not a leak.
        size_t cacheBytes = SpriteCache::drawing().getBytes();
        std::printf("turned pictures cached: %.1f MB", cacheBytes / 1048576.0);
        if (warmKB > 0) std::printf(", %.1f MB after step %ld", warmCacheBytes / 1048576.0, warmedAt);
        std::printf(" (at most %.0f MB)\n", spriteCacheBudgetBytes / 1048576.0);
        double restKB = nowKB - cacheBytes / 1024.0, warmRestKB = warmKB - warmCacheBytes / 1024.0;
        if (warmKB > 0 && warmRestKB > 0)
            std::printf("resident memory besides them: %.1f MB, %.1f MB after step %ld (%+.1f %%)\n",
                        restKB / 1024.0, warmRestKB / 1024.0, warmedAt,
                        100.0 * (restKB - warmRestKB) / warmRestKB);
        std::printf("state hash: %016llx\n", (unsigned long long)sim.stateHash());
        if (!o.record.empty()) {
            std::string why;
            if (!writeReplay(sim.getRecording(), o.record, &why)) {
                std::fprintf(stderr, "vorn-sim: %s\n", why.c_str());
                return 1;
            }
            std::printf("replay written to %s\n", o.record.c_str());
        }
    }
    return 0;
}
