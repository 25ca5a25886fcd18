#include <allegro.h>
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "battle/replayFile.h"
#include "content/Loader.h"
#include "menus/ReplaysScreen.h"
#include "support/TestEnv.h"
#include "support/TrialCampaign.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"

namespace {
bool shown(int i) {
    return !(ReplaysScreen::dlog[i].flags & D_HIDDEN);
}
} // namespace

// A missing or empty folder, or one of unreadable files only, shows the empty lines and no list;
// kept replays show newest first, rounds counted from 1, the best marked; one whose frames are
// broken, or of a round its campaign lacks, is named with the reason and the screen stays.
TEST(ReplaysScreen, ListsTheKeptReplaysAndRefusesABrokenOne) {
    TempDir dir;
    ReplaysScreen screenObject(nullptr, nullptr, "data/replays");
    for (const char* garbage : {"", "data/replays/x.vornreplay"}) {
        if (*garbage) dir.write(garbage, "VORN replay 1\nnonsense\n");
        ReplaysScreen::refresh();
        EXPECT_TRUE(ReplaysScreen::rows.empty());
        EXPECT_TRUE(shown(ReplaysScreen::EMPTY_LINE) && !shown(ReplaysScreen::LIST));
        EXPECT_FALSE(shown(ReplaysScreen::WATCH_BUTTON));
    }
    Replay won;
    won.campaign = "Marsh", won.round = 2, won.character = "Knight", won.result = ReplayResult::WON;
    won.date = "2024-05-01 12:00:00";
    won.frames.resize(3);
    won.checkpoints = {0};
    Replay left = won;
    left.result = ReplayResult::LEFT, left.date = "2024-05-02 08:00:00";
    ASSERT_TRUE(writeReplay(won, "data/replays/best-a.vornreplay", nullptr));
    std::string bytes = encodeReplay(left);
    dir.write("data/replays/recent-b.vornreplay", bytes.substr(0, bytes.size() - 1));
    ReplaysScreen::refresh();
    ASSERT_EQ(2u, ReplaysScreen::rows.size());
    EXPECT_EQ("2024-05-02 08:00:00 Marsh          3     Knight       left       ", ReplaysScreen::rows[0]);
    EXPECT_EQ("2024-05-01 12:00:00 Marsh          3     Knight       won        best",
              ReplaysScreen::rows[1]);
    EXPECT_TRUE(shown(ReplaysScreen::LIST) && shown(ReplaysScreen::WATCH_BUTTON));
    EXPECT_FALSE(shown(ReplaysScreen::EMPTY_LINE));

    clearShownMessages();
    EXPECT_EQ(D_O_K, ReplaysScreen::watchSelected());
    ASSERT_EQ(1u, getShownMessages().size());
    EXPECT_EQ(0u,
              getShownMessages()[0].find("The replay cannot be watched. data/replays/recent-b.vornreplay "));

    // A replay of a round its campaign does not have: one message, naming the file and the round.
    ASSERT_TRUE(writeTrialDataSet());
    won.campaign = "Trial", won.round = 149, won.character = "tester", won.date = "2024-05-03 08:00:00";
    dir.write("data/replays/far.vornreplay", encodeReplay(won));
    BITMAP* realScreen = screen;
    screen = create_bitmap(640, 480);
    {
        Battle battle;
        InputObj input;
        MusicSound sound;
        Loader loader;
        battle.setInputObj(&input), battle.setMusicSound(&sound);
        ReplaysScreen withBattle(&battle, &loader, "data/replays");
        ReplaysScreen::refresh();
        clearShownMessages();
        EXPECT_EQ(D_O_K, ReplaysScreen::watchSelected());
    }
    destroy_bitmap(screen);
    screen = realScreen;
    EXPECT_EQ(
        std::vector<std::string>{"The replay data/replays/far.vornreplay cannot be played: it is of round "
                                 "150, and the campaign Trial has 2 rounds.\n"},
        getShownMessages());
}
