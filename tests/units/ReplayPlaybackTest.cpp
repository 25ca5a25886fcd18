#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tuple>

#include "battle/Battle.h"
#include "battle/replayFile.h"
#include "sim/Simulation.h"
#include "support/DataBuilder.h"
#include "support/TestEnv.h"
#include "support/TrialCampaign.h"

// A recorded round played back alone must end as it ended when played: the same hash from the
// replay as saved and read back, with the contact grid and with the all-pairs scan. The round
// recorded is a later one, played after the rounds before it by the same loader, as in the game.

namespace {

void playPasses(Simulation& sim, int passes, int stepsPerPass) {
    for (int i = 0; i < passes && sim.getRoundState() == ROUND_IN_PLAY; i++) {
        bool paused = i % 50 > 45; // now and then paused frames, which run no step
        sim.runPass(0, false);
        for (int s = 0; s < stepsPerPass && !paused; s++)
            sim.step();
        sim.drawFrame(paused);
    }
}

} // namespace

TEST(ReplayPlayback, ALaterRoundPlaysBackAloneAsItWasPlayed) {
    struct Case {
        const char* campaign;
        const char* character;
        int stepsPerPass;
    } cases[] = {{"Tutorial", "Warden", 1}, {"Conquest", "Sparrow", 2}, {"Conquest", "Hexa", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.campaign) + " with " + c.character);
        Replay played;
        {
            std::srand(11);
            Simulation sim;
            sim.setScripted(true);
            ASSERT_EQ(0, sim.loadCampaignRound(c.campaign, 0, c.character))
                << "run the build first: it makes data/";
            playPasses(sim, 500, c.stepsPerPass);
            ASSERT_EQ(0, sim.loadCampaignRound(c.campaign, 1, c.character));
            sim.startRecording(c.campaign, 1, c.character, 4242);
            playPasses(sim, 300, c.stepsPerPass);
            played = sim.getRecording();
        }
        std::string path = testing::TempDir() + "later-round.vornreplay", why;
        ASSERT_TRUE(writeReplay(played, path, &why)) << why;
        Replay read;
        ASSERT_TRUE(readReplay(path, read, &why)) << why;
        std::remove(path.c_str());
        for (bool exhaustive : {false, true}) {
            std::srand(99); // whatever came before, the replay seeds its round
            Simulation sim;
            sim.getUnitList().setExhaustiveContacts(exhaustive);
            ASSERT_EQ(0, sim.loadReplay(read, &why)) << why;
            std::vector<uint64_t> checkpoints;
            EXPECT_EQ(played.endHash, sim.playReplay(read, &checkpoints))
                << (exhaustive ? "all-pairs scan" : "grid");
            EXPECT_EQ(-1, read.firstDifferingStep(checkpoints));
        }
    }
}

// Six frames paused in a scripted round: played back as running frames, the round comes back to
// the recorded state hash, but not to the checkpoints, which hold the animation frames drawn.
TEST(ReplayPlayback, PausedFramesDrawnAsRunningOnesMissTheCheckpoints) {
    Replay paused;
    std::string why;
    ASSERT_TRUE(readReplay("tests/replays/scripted-Conquest-0-Sparrow.vornreplay", paused, &why)) << why;
    paused.frames.insert(paused.frames.begin() + 26, 6, ReplayFrame{true, {}});
    Replay running = paused;
    for (ReplayFrame& f : running.frames)
        f.paused = false;
    uint64_t ends[2];
    std::vector<uint64_t> checkpoints[2];
    for (int i = 0; i < 2; i++) {
        Simulation sim;
        ASSERT_EQ(0, sim.loadReplay(i ? running : paused, &why)) << why;
        ends[i] = sim.playReplay(i ? running : paused, &checkpoints[i]);
    }
    paused.checkpoints = checkpoints[0];
    EXPECT_EQ(ends[0], ends[1]);
    EXPECT_NE(-1, paused.firstDifferingStep(checkpoints[1]));
}

// A replay refused for changed data says what changed: the unit and campaign files, the sizes of
// the pictures or both; one of version 1, which keeps a single digest, says it may be either.
TEST(ReplayPlayback, ARefusalForChangedDataSaysWhatChanged) {
    TempDir dir;
    ASSERT_TRUE(writeTrialDataSet());
    const std::string drifter = dir.read("data/unit/drifter");
    Simulation recorder;
    ASSERT_EQ(0, recorder.loadCampaignRound("Trial", 0, "tester"));
    recorder.startRecording("Trial", 0, "tester", 5);
    const std::string files = "the campaign Trial or one of the unit files of its round",
                      pictures = "the pictures of the units of its round (the sizes of their frames)";
    const std::tuple<bool, bool, int, std::string> cases[] = {
        {false, false, 2, ""},
        {true, false, 2, files + " has changed since"},
        {false, true, 2, pictures + " have changed since"},
        {true, true, 2, files + " and " + pictures + " have changed since"},
        {false, true, 1, files + " or their pictures have changed since"}};
    for (const auto& [text, bigger, version, said] : cases) {
        dir.write("data/unit/drifter", drifter + (text ? "# changed\n" : ""));
        ASSERT_TRUE(makeDatafile("data/unit/drifter.dat", {{"body", bigger ? 24 : 20, 20, 0xa000a0}}));
        Replay r = recorder.getRecording();
        r.version = version;
        std::string why;
        Simulation().loadReplay(r, &why);
        EXPECT_EQ(said.empty() ? "" : "it was played with other data: " + said, why);
    }
}
