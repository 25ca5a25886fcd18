// Benchmarks of the simulation step, the contact pass, the drawn frame, a whole campaign round and
// the workshop's check after an edit.
// Run from the build folder (they read data/ there): `make bench`.

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "battle/Battle.h"
#include "battle/Replay.h"
#include "check/CheckMemory.h"
#include "edit/DataDocument.h"
#include "edit/checkDocument.h"
#include "sim/Simulation.h"
#include "system/Messages.h"
#include "system/configText.h"
#include "units/Unit.h"

namespace {

// The mixed population: crawlers, throwers, bursting and freezing enemies, neutral crystals and
// orbs, and stones and shards in flight.
const std::vector<std::string> mixedTypes = {"Grub",    "Slinger",  "Crystal",  "SlingStone",
                                             "Bloater", "VigorOrb", "IceShard", "Icer"};

// About 40 x 40 pixels of arena per unit, as in a crowded round.
int arenaSide(int units) {
    return std::max(200, (int)(40 * std::sqrt((double)units)));
}

// A fresh arena of n units after its first step (in which they all appear).
std::unique_ptr<Simulation> crowd(int n, bool exhaustive, int width = 0, int height = 0) {
    std::srand(12345);
    auto sim = std::make_unique<Simulation>();
    sim->getUnitList().setExhaustiveContacts(exhaustive);
    int w = width ? width : arenaSide(n), h = height ? height : arenaSide(n);
    if (sim->makeArena(w, h, mixedTypes, n, "Warden", true) != 0) return nullptr;
    sim->setScripted(true);
    sim->runPass(1, true);
    return sim;
}

// Units of the list that are not dead: those the contact pass deals with.
long liveUnits(Simulation& sim) {
    long live = 0;
    for (Unit* u : *sim.getUnitList().getUnits())
        live += u->getAnimCurrent() != ANIM_DEAD;
    return live;
}

// Steps a crowd, starting afresh every 10 steps: stones and shards fly off and crawlers die, and
// a crowd of 2,000 is down to about 1,500 after 20 steps. The units counter is the live units a
// timed step began with, on average.
void stepCrowd(benchmark::State& state, bool exhaustive) {
    int n = (int)state.range(0);
    std::unique_ptr<Simulation> sim = crowd(n, exhaustive);
    if (!sim) {
        state.SkipWithError("data/ not found: run from the build folder after building");
        return;
    }
    long done = 0, live = 0;
    for (auto _ : state) {
        state.PauseTiming();
        live += liveUnits(*sim);
        state.ResumeTiming();
        sim->step();
        if (++done % 10 == 0) {
            state.PauseTiming();
            sim = crowd(n, exhaustive);
            state.ResumeTiming();
        }
    }
    state.counters["units"] = done ? (double)live / done : 0;
}

void BM_Step(benchmark::State& state) {
    stepCrowd(state, false);
}
void BM_StepExhaustive(benchmark::State& state) {
    stepCrowd(state, true);
}

// The contact tests alone, on a crowd that has walked for 3 steps (a few more, and a quarter of it
// is gone). The units counter is the live units of the crowds timed.
void contactPass(benchmark::State& state, bool exhaustive) {
    int n = (int)state.range(0);
    std::unique_ptr<Simulation> sim;
    long done = 0, live = 0;
    for (auto _ : state) {
        // Repeated passes only pile up forces and damage that no pass reads; a fresh crowd now
        // and then keeps the lists short.
        if (done++ % 200 == 0) {
            state.PauseTiming();
            sim = crowd(n, exhaustive);
            for (int i = 0; i < 2 && sim; i++)
                sim->runPass(1, true);
            state.ResumeTiming();
            if (!sim) {
                state.SkipWithError("data/ not found: run from the build folder after building");
                return;
            }
            live = liveUnits(*sim);
        }
        sim->getUnitList().contactPass();
    }
    state.counters["units"] = (double)live;
}

void BM_ContactPass(benchmark::State& state) {
    contactPass(state, false);
}
void BM_ContactPassExhaustive(benchmark::State& state) {
    contactPass(state, true);
}

// One drawn frame of 1,000 to 10,000 units in a 640 x 480 arena shown on a 640 x 480 frame: the arena
// picture, every sprite rotated and scaled, the end-of-frame work, the arena scaled onto the frame.
void BM_DrawFrame(benchmark::State& state) {
    int n = (int)state.range(0);
    std::unique_ptr<Simulation> sim = crowd(n, false, 640, 480);
    if (!sim) {
        state.SkipWithError("data/ not found: run from the build folder after building");
        return;
    }
    long done = 0;
    for (auto _ : state) {
        sim->drawFrame();
        if (++done % 100 == 0) {
            state.PauseTiming();
            sim = crowd(n, false, 640, 480);
            state.ResumeTiming();
        }
    }
}

// What recording adds to a step as the battle records: the step's command kept in its frame, one
// frame per step (the most frames a minute can hold), a fresh record every minute (2,000 steps).
void BM_RecordStep(benchmark::State& state) {
    Replay record;
    PlayerCommand command;
    long done = 0;
    for (auto _ : state) {
        command.mickeyX = (int)(done % 7); // the command changes now and then, as a person's does
        record.frames.push_back(ReplayFrame{false, {}});
        record.frames.back().steps.push_back(command);
        if (++done % 2000 == 0) record = Replay();
        benchmark::DoNotOptimize(record.frames.data());
    }
}

// The first round of the main campaign played by the scripted Sparrow until it is won or lost
// (at most 3,000 steps), one frame drawn per step.
void BM_ConquestRound(benchmark::State& state) {
    long steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::srand(12345);
        auto sim = std::make_unique<Simulation>();
        if (sim->loadCampaignRound("Conquest", (int)state.range(0), "Sparrow") != 0) {
            state.SkipWithError("data/ not found: run from the build folder after building");
            return;
        }
        sim->setScripted(true);
        state.ResumeTiming();
        for (int i = 0; i < 3000 && sim->getRoundState() == ROUND_IN_PLAY; i++)
            sim->runPass(1, true);
        steps = sim->getStepsRun();
        state.PauseTiming();
        sim.reset();
        state.ResumeTiming();
    }
    state.counters["steps"] = (double)steps;
}

// The workshop's check after an edit: round 0's ArenaKB changed (to another value each time), then
// the campaign checked with the lists and characters, as the campaign screen checks it. The first
// argument picks the campaign (0 Tutorial, 1 Conquest); the second is 1 when the datafiles and
// sounds read by the earlier checks are kept, as the screen keeps them, 0 when each check reads
// them afresh.
void BM_CheckAfterEdit(benchmark::State& state) {
    const std::string name = state.range(0) ? "Conquest" : "Tutorial";
    DataDocument doc;
    std::string text;
    if (!readFileBytes(("data/campaigns/" + name).c_str(), &text)) {
        state.SkipWithError("data/ not found: run from the build folder after building");
        return;
    }
    doc.setText(text);
    CheckMemory memory;
    checkDocument("campaigns/" + name, doc.getText(), state.range(1) ? &memory : nullptr);
    long done = 0;
    for (auto _ : state) {
        doc.set("Round0", "ArenaKB", ++done % 2 ? "0.6" : "0.4");
        benchmark::DoNotOptimize(
            checkDocument("campaigns/" + name, doc.getText(), state.range(1) ? &memory : nullptr));
    }
}

} // namespace

BENCHMARK(BM_Step)->Arg(100)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepExhaustive)->Arg(100)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactPass)->Arg(1000)->Arg(2000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactPassExhaustive)->Arg(1000)->Arg(2000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordStep)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_DrawFrame)->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConquestRound)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_CheckAfterEdit)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    set_color_depth(32);
    setMessagesSilent(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
