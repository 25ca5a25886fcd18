#include <gtest/gtest.h>
#include <sys/resource.h>

#include "BattleWorld.h"
#include "battle/FrameClock.h"
#include "content/Round.h"
#include "frame/globals.h"
#include "support/DataBuilder.h"
#include "support/TestEnv.h"
#include "system/Messages.h"
#include "system/gameWindow.h"
#include "units/PlayerUnit.h"
#include "units/UnitList.h"

namespace {

class PlayRound : public ::testing::Test {
  protected:
    BattleWorld world;
    Battle* battle = world.battle;

    void SetUp() override {
        world.addType("hero", AFF_PLAYER, true, 300);
        world.addType("grunt", AFF_ENEMY);
        world.bindRound(400, 300);
        battle->getCampaign().setTotalRounds(2);
        ASSERT_TRUE(battle->makeBuffer());
        clearShownMessages();
    }
    // A script that holds the key over frames [at, at + 4), long enough for a poll to see it
    // held and a later one to see it let go, however the ticks and frames interleave.
    static std::function<void(int)> clickAt(int scancode, int at) {
        return [scancode, at](int frames) {
            if (frames >= at && frames < at + 4)
                pressKey(scancode);
            else
                releaseKey(scancode);
        };
    }
};

bool shownAnywhere(const std::string& text) {
    for (const std::string& m : getShownMessages())
        if (m.find(text) != std::string::npos) return true;
    return false;
}

double cpuSeconds() {
    rusage use;
    getrusage(RUSAGE_THREAD, &use);
    return use.ru_utime.tv_sec + use.ru_stime.tv_sec + (use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

} // namespace

TEST_F(PlayRound, ARestartClickEndsOneRoundEvenWithoutATitle) {
    // The previous round ended on a Restart click; this round has no title picture to poll through.
    world.input.getKeyClicked()[ACTION_RESTART] = true;
    world.place("hero", 100, 100);
    world.place("grunt", 300, 200);
    Ticker ticker(clickAt(KEY_ESC, 5));
    battle->playRound(&world.loader);
    EXPECT_EQ(battle->getRoundState(), ROUND_LEFT) << "the old click restarted the round again";
    EXPECT_EQ(battle->getRoundNumber(), 0);
}

TEST_F(PlayRound, TabTogglesThePauseAndItOutlastsTheRound) {
    world.place("hero", 100, 100);
    world.place("grunt", 300, 200);
    Ticker ticker([](int frames) {
        clickAt(KEY_TAB, 2)(frames);
        clickAt(KEY_F10, 10)(frames);
    });
    battle->playRound(&world.loader);
    EXPECT_EQ(battle->getRoundState(), ROUND_RESTARTED);
    EXPECT_TRUE(battle->getPaused()) << "a restarted round starts paused again";
    EXPECT_EQ(battle->getTotalScore(), 0);
}

TEST_F(PlayRound, LosingTheFocusPausesTheRoundAndLetsGoOfTheKeyHeldThen) {
    world.place("hero", 100, 100);
    world.place("grunt", 300, 200);
    {
        // D is let go in another window: the game never sees it go.
        Ticker ticker([lost = false](int frames) mutable {
            if (lost) return clickAt(KEY_F10, 20)(frames);
            if (frames >= 2) pressKey(KEY_D);
            if (frames >= 6) {
                lost = true;
                noteFocusLoss();
            }
        });
        battle->playRound(&world.loader);
    }
    EXPECT_TRUE(battle->getPaused());
    EXPECT_EQ(key[KEY_D], 0);
    const std::vector<ReplayFrame>& frames = battle->getReplay().frames;
    ASSERT_FALSE(frames.empty());
    EXPECT_TRUE(frames.back().paused && frames.back().steps.empty());
    EXPECT_FALSE(frames.front().paused) << "played until the focus went";
}

TEST_F(PlayRound, OnlyAWonRoundAddsItsScore) {
    PlayerUnit* hero = static_cast<PlayerUnit*>(world.place("hero", 100, 100));
    world.place("grunt", 300, 200);
    hero->addJuiceGained(40);
    hero->resetJuiceGained();
    {
        Ticker ticker(clickAt(KEY_F10, 3));
        battle->playRound(&world.loader);
    }
    EXPECT_EQ(battle->getTotalScore(), 0) << "a restarted round scores nothing";

    hero = static_cast<PlayerUnit*>(world.place("hero", 100, 100));
    hero->addJuiceGained(40);
    hero->resetJuiceGained();
    {
        Ticker ticker;
        battle->playRound(&world.loader);
    }
    EXPECT_EQ(battle->getRoundState(), ROUND_WON);
    EXPECT_EQ(battle->getTotalScore(), 40);
    EXPECT_EQ(battle->getRoundNumber(), 1);
    EXPECT_TRUE(battle->getUnitList()->getUnits()->empty()) << "the round's units go with it";
}

TEST_F(PlayRound, AnArenaThatCannotBeMadeEndsTheCampaignWithAMessage) {
    clearShownMessages();
    world.bindRound(0, 0);
    world.place("hero", 100, 100);
    battle->playRound(&world.loader);
    EXPECT_EQ(battle->getRoundState(), ROUND_LEFT);
    EXPECT_EQ(battle->getArena(), nullptr);
    EXPECT_TRUE(shownAnywhere("could not be made"));
    EXPECT_TRUE(battle->getUnitList()->getUnits()->empty());

    // The largest arena, 32767 pixels a side at 32 bits, is more than a bitmap can hold: shown
    // small, it is drawn at the size shown, and a big arena is drawn so from half size down.
    for (int size : {32767, 900, 672, 671}) {
        world.bindRound(size, size);
        ASSERT_EQ(battle->setUpArena(), 0) << size;
        int shown = fixtoi(fixmul(battle->getScale(), itofix(size)));
        EXPECT_EQ(battle->getArena()->w, size >= 672 ? shown : size) << size;
    }
}

TEST(TickWait, YieldsTheProcessorAndReturnsOnTheTick) {
    resetTimers();
    std::thread timer([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        incFrameTick();
    });
    double before = cpuSeconds();
    waitForTick();
    double spent = cpuSeconds() - before;
    timer.join();
    EXPECT_EQ(gotoNextFrame.load(), 1) << "the wait consumes nothing";
    EXPECT_LT(spent, 0.05) << "the wait spun the processor";
    resetTimers();
}

TEST(BattleLoop, LoadFailuresReturnToTheMenus) {
    TempDir dir;
    BattleWorld world;
    clearShownMessages();
    EXPECT_EQ(world.battle->battleLoop("nowhere", "hero", &world.loader), 0);
    ASSERT_FALSE(getShownMessages().empty());
    EXPECT_EQ(getShownMessages().back(), "Load General failed\n");

    ASSERT_TRUE(makeDatafile("data/generalData.dat", {{"cursor", 4, 4, 0xffffff}}));
    clearShownMessages();
    EXPECT_EQ(world.battle->battleLoop("nowhere", "hero", &world.loader), 0);
    EXPECT_EQ(getShownMessages().back(), "Load Campaign failed\n");
}

TEST(BattleLoop, ACampaignWithoutRoundsShowsItsTwoPicturesAndEnds) {
    TempDir dir;
    ASSERT_TRUE(makeDatafile("data/generalData.dat", {{"cursor", 4, 4, 0xffffff}}));
    ASSERT_TRUE(makeDatafile("data/empty.dat",
                             {{"splashScreen", 40, 30, 0x00ff00}, {"victoryScreen", 40, 30, 0x0000ff}}));
    dir.write("data/campaigns/Empty", "[Campaign]\nDatafile = data/empty.dat\nTotalRounds = 0\n");
    BattleWorld world;
    // A character without a unit file is refused before the opening picture, with one message.
    clearShownMessages();
    EXPECT_EQ(world.battle->battleLoop("Empty", "hero", &world.loader), 0);
    ASSERT_FALSE(getShownMessages().empty());
    EXPECT_EQ(getShownMessages().back(),
              "The character hero cannot be played: its unit file data/unit/hero does "
              "not exist. Leaving the campaign.\n");
    EXPECT_EQ(world.pixel(320, 240), 0);

    ASSERT_TRUE(makeDatafile("data/unit/hero.dat", {{"body", 8, 8, 0xffffff}}));
    dir.write("data/unit/hero",
              "isThePC = true\ndatafile = hero.dat\n[Animation]\nanimIdle = 0 -1 0 body 0\n");
    clearShownMessages();
    int framesShown = 0;
    {
        Ticker ticker([&](int frames) { framesShown = std::max(framesShown, frames); });
        EXPECT_EQ(world.battle->battleLoop("Empty", "hero", &world.loader), 0);
    }
    EXPECT_FALSE(shownAnywhere("failed"));
    EXPECT_EQ(world.battle->getRoundState(), CAMPAIGN_COMPLETE);
    EXPECT_EQ(world.pixel(320, 240), makecol(0, 0, 255)) << "the closing picture is the last frame";
    EXPECT_EQ(world.pixel(320 - 21, 240), 0) << "centred, at its own size";
    EXPECT_EQ(world.battle->getBuffer(), nullptr) << "the frame buffer lives for one campaign";
}

TEST_F(PlayRound, ARoundThatDidNotLoadAndHoldsNothingLeavesTheCampaignAfterOneMessage) {
    // No campaign datafile is loaded, so the round does not load; with nothing to play it would
    // be lost and replayed for ever.
    battle->playRound(&world.loader);
    EXPECT_EQ(battle->getRoundState(), ROUND_LEFT);
    EXPECT_EQ(getShownMessages(), std::vector<std::string>{"loadround called with NULL datafile.\n"});
    EXPECT_EQ(battle->getRoundNumber(), 0);
}
