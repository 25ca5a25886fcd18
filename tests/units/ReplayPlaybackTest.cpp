#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "battle/Battle.h"
#include "battle/replayFile.h"
#include "sim/Simulation.h"

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
            EXPECT_EQ(played.endHash, sim.playReplay(read)) << (exhaustive ? "all-pairs scan" : "grid");
        }
    }
}
