#include <fstream>

#include "ContentFixture.h"

using Messages = std::vector<std::string>;

namespace {

// A campaign whose datafile holds both campaign pictures and whose rounds use data/r.dat.
class CampaignTest : public ContentTest {
  protected:
    Campaign campaign;
    Round round;

    void SetUp() override {
        ContentTest::SetUp();
        ASSERT_TRUE(makeDatafile("data/camp.dat", {{"splashScreen", 40}, {"victoryScreen", 41}}));
        ASSERT_TRUE(
            makeDatafile("data/r.dat", {{"arena", 30}, {"title0", 31}, {"title1", 32}, {"arena2", 33}}));
        std::string name = "test";
        campaign.setName(&name);
    }

    void writeCampaign(const std::string& rounds, const std::string& head = "Datafile = data/camp.dat\n") {
        dir.write("data/campaigns/test", "[Campaign]\n" + head + rounds);
    }

    int load(int number, const char* charName = "hero") {
        return loader.loadRound(campaign, number, &round, charName, nullptr);
    }

    std::vector<UnitCreate*>& orders() { return *round.getUnitsToAppear(); }

    void dropOrders() {
        for (UnitCreate* order : orders())
            delete order;
        orders().clear();
    }

    void TearDown() override { dropOrders(); }
};

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, 6, "VmRSS:") == 0) return atol(line.c_str() + 6);
    return -1;
}

} // namespace

TEST_F(CampaignTest, ACampaignGivesItsPicturesRoundsAndMusic) {
    writeCampaign("", "Datafile = data/camp.dat\nTotalRounds = 3\nMusic = data/music/theme.ogg\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    ASSERT_NE(campaign.getBeginPic(), nullptr);
    EXPECT_EQ(campaign.getBeginPic()->w, 40);
    ASSERT_NE(campaign.getEndPic(), nullptr);
    EXPECT_EQ(campaign.getEndPic()->w, 41);
    EXPECT_EQ(campaign.getTotalRounds(), 3);
    EXPECT_EQ(*campaign.getMusic(), "data/music/theme.ogg");

    writeCampaign("");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    EXPECT_EQ(campaign.getTotalRounds(), 0);
    EXPECT_EQ(*campaign.getMusic(), "");
    EXPECT_TRUE(messages().empty());
}

TEST_F(CampaignTest, CampaignFailuresNameTheDatafile) {
    writeCampaign("", "TotalRounds = 2\n");
    EXPECT_EQ(loader.loadCampaign(campaign), 1);
    writeCampaign("", "Datafile = data/none.dat\n");
    EXPECT_EQ(loader.loadCampaign(campaign), 1);
    std::string other = "missing";
    campaign.setName(&other);
    EXPECT_EQ(loader.loadCampaign(campaign), 1);
    EXPECT_EQ(messages(), (Messages{"Campaign file  did not load. Now exiting.\n",
                                    "Campaign file data/none.dat did not load. Now exiting.\n",
                                    "Campaign file  did not load. Now exiting.\n"}));
}

TEST_F(CampaignTest, MissingCampaignPicturesAreNullWithAMessageEach) {
    ASSERT_TRUE(writeWav("noise.wav", 10));
    ASSERT_TRUE(makeDatafile("data/bare.dat", {{"other"}}, {{"victoryScreen", "noise.wav", "SAMP"}}));
    writeCampaign("", "Datafile = data/bare.dat\nTotalRounds = 1\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    EXPECT_EQ(campaign.getBeginPic(), nullptr);
    EXPECT_EQ(campaign.getEndPic(), nullptr) << "a sound is no picture";
    EXPECT_EQ(campaign.getTotalRounds(), 1);
    EXPECT_EQ(messages(), (Messages{"Could not find picture splashScreen in datafile data/bare.dat.\n",
                                    "Could not find picture victoryScreen in datafile data/bare.dat.\n"}));
}

TEST_F(CampaignTest, UnitsToAppearLoadsAtMostSixteenTypesInOrder) {
    std::string names;
    for (int i = 0; i < 17; i++) {
        writeSimpleUnit("u" + std::to_string(i));
        names += " u" + std::to_string(i);
    }
    writeCampaign("UnitsToAppear =" + names + "\n");
    EXPECT_EQ(loader.loadAllUnitsFromCampaign(campaign), 0);
    ASSERT_EQ(loader.getUnitTemplates()->size(), 16u);
    EXPECT_EQ(loader.getUnitTemplates()->front()->unitName, "u0");
    EXPECT_EQ(loader.getUnitTemplates()->back()->unitName, "u15");
    EXPECT_EQ(loader.dontExist("u16"), nullptr);
}

TEST_F(CampaignTest, ARoundSetsItsArenaAndSpawnOrdersThenThePlayersOrder) {
    writeCampaign("[Round0]\n"
                  "ArenaSize = 640 480\n"
                  "ArenaPic = data/r.dat arena title0\n"
                  "name = The Pit\n"
                  "ArenaKB = 0.25\n"
                  "ArenaWall = Bounce\n"
                  "Spawns = 6\n"
                  "Spawn0 = orc 3 2 1 40 0 1\n"
                  "Spawn1 = archer 1 10 3 0 2 4 120 80\n"
                  "Spawn2 = archer 1 9 1 0 0 0 120 80\n"
                  "Spawn3 = orc 1 2 1 0 0\n"
                  "Spawn4 = orc 1 2 1 0 0 0 1\n"
                  "Spawn5 = wolf 2 11 0 0 0 0\n"
                  "Spawn6 = never 1 1 1 1 1 1\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    ASSERT_EQ(load(0), 0);
    EXPECT_EQ(round.getArenaSizeX(), itofix(640));
    EXPECT_EQ(round.getArenaSizeY(), itofix(480));
    ASSERT_NE(round.getArenaPic(), nullptr);
    EXPECT_EQ(round.getArenaPic()->w, 30);
    ASSERT_NE(round.getTitlePic(), nullptr);
    EXPECT_EQ(round.getTitlePic()->w, 31);
    EXPECT_EQ(*round.getName(), "The Pit");
    EXPECT_EQ(round.getArenaKB(), ftofix(0.25));
    EXPECT_EQ(round.getArenaWall(), WALL_BOUNCE);

    ASSERT_EQ(orders().size(), 4u) << "lines of 6 and 8 values and 9 values without side 10 are skipped";
    UnitCreate* byside = orders()[0];
    EXPECT_EQ(byside->unitName, "orc");
    EXPECT_EQ(byside->amount, 3);
    EXPECT_EQ(byside->side, 2);
    EXPECT_EQ(byside->spawnCondition, 1);
    EXPECT_EQ(byside->delay, 40);
    EXPECT_EQ(byside->enemyThreshold, 0);
    EXPECT_EQ(byside->variant, 1);
    EXPECT_EQ(byside->posX, 0);
    EXPECT_EQ(byside->creator, nullptr);
    UnitCreate* placed = orders()[1];
    EXPECT_EQ(placed->side, 10);
    EXPECT_EQ(placed->spawnCondition, 3);
    EXPECT_EQ(placed->enemyThreshold, 2);
    EXPECT_EQ(placed->variant, 4);
    EXPECT_EQ(placed->posX, itofix(120));
    EXPECT_EQ(placed->posY, itofix(80));
    EXPECT_EQ(placed->getAngle(), 0);
    EXPECT_FALSE(placed->angleSet());
    EXPECT_EQ(orders()[2]->unitName, "wolf");
    EXPECT_EQ(orders()[2]->side, 11);
    UnitCreate* player = orders()[3];
    EXPECT_EQ(player->unitName, "hero");
    EXPECT_EQ(player->amount, 1);
    EXPECT_EQ(player->side, 9);
    EXPECT_EQ(player->spawnCondition, 1);
    EXPECT_EQ(player->delay, 0);
    EXPECT_EQ(player->variant, 0);
    EXPECT_EQ(player->creator, nullptr);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CampaignTest, WhatARoundSectionLeavesOutStaysAsThePreviousRoundLeftIt) {
    writeCampaign("[Round0]\nArenaSize = 300 200\nArenaPic = data/r.dat arena title0\nArenaWall = Push\n"
                  "name = first\nArenaKB = 0.75\n"
                  "[Round1]\nArenaPic = data/r.dat arena2\nArenaWall = stop\n"
                  "[Round2]\nArenaPic = data/r.dat arena title1\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    ASSERT_EQ(load(0), 0);
    BITMAP* title0 = round.getTitlePic();
    ASSERT_EQ(load(1), 0);
    EXPECT_EQ(round.getArenaSizeX(), itofix(300)) << "no ArenaSize: the previous size";
    EXPECT_EQ(round.getArenaPic()->w, 33);
    EXPECT_EQ(round.getTitlePic(), title0) << "two ArenaPic values keep the previous title picture";
    EXPECT_EQ(title0->w, 31) << "the kept picture is still valid";
    EXPECT_EQ(round.getArenaWall(), WALL_PUSH) << "a lower-case wall text keeps the previous mode";
    EXPECT_EQ(*round.getName(), "No Name");
    EXPECT_EQ(round.getArenaKB(), ftofix(0.5));
    ASSERT_EQ(load(2), 0);
    EXPECT_EQ(round.getArenaWall(), WALL_STOP) << "no ArenaWall means Stop";
    EXPECT_EQ(round.getTitlePic()->w, 32);
    EXPECT_EQ(orders().size(), 3u) << "one player's order per round; a round without Spawns still gets it";
    EXPECT_TRUE(messages().empty());
}

TEST_F(CampaignTest, RoundFailuresReportAndLeaveTheRoundWithoutOrders) {
    writeCampaign(
        "[Round0]\nArenaSize = 100 90\nArenaPic = data/r.dat\n"
        "[Round1]\nArenaPic = data/gone.dat arena\n"
        "[Round2]\nArenaPic = data/r.dat nothing missingTitle\nSpawns = 1\nSpawn0 = orc 1 1 1 0 0 0\n");
    EXPECT_EQ(load(0), 1) << "before any campaign datafile";
    EXPECT_EQ(round.getArenaSizeX(), 0);
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    EXPECT_EQ(load(0), 1);
    EXPECT_EQ(round.getArenaSizeX(), itofix(100)) << "the size was read before the pictures";
    EXPECT_EQ(load(1), 1);
    EXPECT_TRUE(orders().empty()) << "a failed round adds no order, not even the player's";
    EXPECT_EQ(load(2), 0);
    EXPECT_EQ(round.getArenaPic(), nullptr);
    EXPECT_EQ(round.getTitlePic(), nullptr);
    EXPECT_EQ(orders().size(), 2u);
    EXPECT_EQ(messages(),
              (Messages{"loadround called with NULL datafile.\n", "LoadRound: Arena has too few parameters",
                        "Round file data/gone.dat did not load. Now exiting.\n",
                        "Could not find picture nothing in datafile data/r.dat.\n",
                        "Could not find picture missingTitle in datafile data/r.dat.\n"}));
}

TEST_F(CampaignTest, AnUnusableArenaSizeKeepsThePreviousSize) {
    writeCampaign("[Round0]\nArenaSize = 320 240\nArenaPic = data/r.dat arena\n"
                  "[Round1]\nArenaSize = 0 240\nArenaPic = data/r.dat arena\n"
                  "[Round2]\nArenaSize = 320 -5\nArenaPic = data/r.dat arena\n"
                  "[Round3]\nArenaSize = 40000 240\nArenaPic = data/r.dat arena\n"
                  "[Round4]\nArenaSize = wide 240\nArenaPic = data/r.dat arena\n"
                  "[Round5]\nArenaSize = 32767 1\nArenaPic = data/r.dat arena\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    for (int i = 0; i <= 4; i++) {
        EXPECT_EQ(load(i), 0);
        EXPECT_EQ(round.getArenaSizeX(), itofix(320)) << i;
        EXPECT_EQ(round.getArenaSizeY(), itofix(240)) << i;
    }
    EXPECT_EQ(load(5), 0);
    EXPECT_EQ(round.getArenaSizeX(), itofix(32767));
    EXPECT_EQ(round.getArenaSizeY(), itofix(1));
    EXPECT_EQ(messages(),
              (Messages{"LoadRound: ArenaSize 0 240 is not a usable size, keeping the previous one.\n",
                        "LoadRound: ArenaSize 320 -5 is not a usable size, keeping the previous one.\n",
                        "LoadRound: ArenaSize 40000 240 is not a usable size, keeping the previous one.\n",
                        "LoadRound: ArenaSize wide 240 is not a usable size, keeping the previous one.\n"}));
}

TEST_F(CampaignTest, SpawnPositionsBeyondWhatFixedHoldsArePinnedToItsRange) {
    writeCampaign(
        "[Round0]\nArenaPic = data/r.dat arena\nSpawns = 1\nSpawn0 = orc 1 10 1 0 0 0 99999 -99999\n");
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    ASSERT_EQ(load(0), 0);
    EXPECT_EQ(orders()[0]->posX, itofix(32767));
    EXPECT_EQ(orders()[0]->posY, itofix(-32768));
}

TEST_F(CampaignTest, ReplayingARoundAThousandTimesKeepsOneCopyOfEachDatafile) {
    // A 256 x 256 arena is 256 KB at 32 bits: a thousand fresh copies would be 250 MB.
    ASSERT_TRUE(makeDatafile("data/big.dat", {{"arena", 256, 256}, {"title", 64, 64}}));
    writeGeneralData();
    writeCampaign("[Round0]\nArenaSize = 256 256\nArenaPic = data/big.dat arena title\n"
                  "Spawns = 1\nSpawn0 = orc 2 9 1 0 0 0\n");
    ASSERT_EQ(loader.loadGeneralData(), 0);
    ASSERT_EQ(loader.loadCampaign(campaign), 0);
    ASSERT_EQ(load(0), 0);
    BITMAP* arena = round.getArenaPic();
    dropOrders();
    long before = residentKilobytes();
    for (int i = 0; i < 1000; i++) {
        ASSERT_EQ(loader.loadGeneralData(), 0);
        ASSERT_EQ(loader.loadCampaign(campaign), 0);
        ASSERT_EQ(load(0), 0);
        dropOrders(); // the unit list consumes the orders of every round played
    }
    long after = residentKilobytes();
    RecordProperty("residentGrowthKilobytes", (int)(after - before));
    EXPECT_EQ(loader.getLoadedDatafileCount(), 3);
    EXPECT_EQ(round.getArenaPic(), arena);
    EXPECT_EQ(arena->w, 256);
    ASSERT_GT(before, 0);
    EXPECT_TRUE(messages().empty());
#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory in quarantine for a while
    EXPECT_LT(after - before, 1024) << "resident memory grew from " << before << " kB to " << after << " kB";
#endif
}
