#include <algorithm>
#include <climits>
#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <tuple>

#include "battle/ReplayShelf.h"
#include "battle/replayFile.h"
#include "support/TestEnv.h"

namespace {

// A round of plausible play: held directions change every few steps, the mouse moves now and
// then both ways, a click or a set facing now and then, a pause, sometimes two steps in a frame.
Replay playedRound(long steps, int score = 10, const std::string& date = "2024-05-01 12:00:00") {
    Replay r;
    r.campaign = "Tutorial";
    r.round = 2;
    r.character = "Knight";
    r.seed = 4000000000u;
    r.dataHash = 0xfedcba9876543210ull;
    r.result = ReplayResult::WON;
    r.score = score;
    r.date = date;
    r.endHash = 1;
    r.textHash = 0x0123456789abcdefull, r.pictureHash = 2;
    PlayerCommand c;
    for (long s = 0; s < steps;) {
        r.frames.emplace_back();
        r.frames.back().paused = s % 500 == 7 && r.frames.size() % 2;
        for (int n = r.frames.back().paused ? 0 : 1 + (s % 97 == 0); n > 0 && s < steps; n--, s++) {
            c.actionHeld[s / 5 % 4] = s % 10 < 6;
            c.actionClicked[ACTION_HYPER] = s % 40 == 0;
            c.buttonHeld[0] = c.buttonClicked[2] = s % 23 == 0;
            c.mickeyX = s % 7 == 0 ? int(s % 31) - 15 : 0;
            c.mickeyY = s % 11 == 0 ? 12 - int(s % 25) : 0;
            c.faceGiven = s % 50 > 40;
            c.facing = itofix(int(s / 10 % 256) - 128);
            r.frames.back().steps.push_back(c);
        }
    }
    for (long i = Replay::countCheckpoints(steps); i > 0; i--)
        r.checkpoints.push_back(0x9e3779b97f4a7c15ull * i);
    return r;
}

// The replay as version 1 wrote it: no data digests' parts, checksum or checkpoints.
std::string asVersion1(std::string bytes, long steps) {
    bytes.resize(bytes.size() - 8 * Replay::countCheckpoints(steps));
    bytes.replace(0, 13, "VORN replay 1");
    for (const char* key : {"\ntext=", "\npictures=", "\ncheck="}) {
        size_t at = bytes.find(key);
        bytes.erase(at, bytes.find('\n', at + 1) - at);
    }
    return bytes;
}

} // namespace

TEST(ReplayFile, ReadsBackWhatItWroteAndAMinuteIsSmall) {
    TempDir dir;
    Replay extreme = playedRound(30);
    extreme.score = -5;
    extreme.endHash = ~0ull;
    PlayerCommand& c = extreme.frames[3].steps[0];
    c.mickeyX = INT_MIN;
    c.mickeyY = INT_MAX;
    c.mouseThreshold = -1;
    c.facing = INT_MIN;
    for (const Replay& r : {playedRound(0), playedRound(2000), extreme}) {
        Replay back;
        std::string error;
        ReplaySummary header;
        ASSERT_TRUE(writeReplay(r, "minute.vornreplay", &error)) << error;
        ASSERT_TRUE(readReplay("minute.vornreplay", back, &error)) << error;
        EXPECT_TRUE(sameReplay(r, back));
        ASSERT_TRUE(readReplayHeader("minute.vornreplay", header, &error)) << error;
        EXPECT_EQ(header.steps, r.countSteps());
        EXPECT_EQ(header.frames, long(r.frames.size()));
        EXPECT_TRUE(header.replay.frames.empty());
        EXPECT_FALSE(dir.exists("minute.vornreplay.new"));
    }
    size_t size = encodeReplay(playedRound(2000)).size();
    std::cout << "a minute of play (2000 steps) takes " << size << " bytes\n";
    EXPECT_LT(size, 100000u);
}

TEST(ReplayFile, RefusesWhatIsNotASoundReplayOfThisVersion) {
    const std::string good = encodeReplay(playedRound(40));
    const size_t body = good.find("\n\n") + 2;
    auto with = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "is empty"},
        {"\x89PNG\r\n\x1a\n", "is not a replay file"},
        {with("replay 2", "replay 3"), "another version of the game (format 3); this game reads format 2"},
        {good.substr(0, 20), "cut short"},
        {good.substr(0, body - 1), "cut short"},
        {good.substr(0, body + 9), "cut short"},
        {good.substr(0, good.size() - 1), "cut short"},
        {good + '\0', "goes on after its last frame"},
        {asVersion1(with("frames=", "frames=1"), 40), "cut short"},
        {with("frames=", "frames=9999999"), "damaged"},
        {with("steps=40", "steps=4"), "more steps than its header says"},
        {with("steps=", "steps=1"), "fewer steps than its header says"},
        {good.substr(0, body) + "\xff\xff\xff\xff\x0f", "out of range"},
        {with("campaign=Tutorial", "campaign=../../etc"), "campaign name is not a safe file name"},
        {with("character=Knight", "character=a/b"), "character name is not a safe file name"},
        {with("character=Knight", "character=K\tn"), "character name is not a safe file name"},
        {with("campaign=Tutorial", "campaign="), "campaign name is not a safe file name"},
        {with("result=won", "result=draw"), "damaged"},
        {with("date=", "date=x"), "damaged"},
        {with("\nend=", "\nseed=1\nend="), "damaged"},
        {with("\ncheck=", "\ncheck=0"), "damaged"},
        {with("seed=4000000000", "seed=4000000001"), "damaged: its bytes do not match its checksum"},
        {asVersion1(good, 40) + "\x01", "goes on after its last frame"},
    };
    for (const auto& [bytes, reason] : cases) {
        Replay out = playedRound(3);
        std::string error;
        EXPECT_FALSE(decodeReplay(bytes, out, &error)) << reason;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_EQ(out.countSteps(), 3) << "a refused file leaves the replay as it was";
    }
    TempDir dir;
    dir.write("x.vornreplay", good.substr(0, 30));
    Replay out;
    std::string error;
    EXPECT_FALSE(readReplay("x.vornreplay", out, &error));
    EXPECT_EQ(error, "x.vornreplay is cut short: it ends before its last frame");
}

// Version 1 reads as it always did, without checkpoints, and is not written without them. No
// single bit flipped in a version 2 file reads as another replay. A checkpoint that differs names
// the step it was taken after; the last one, the end's.
TEST(ReplayFile, ReadsBothVersionsAndRefusesEveryFlippedBitOfTheNewOne) {
    Replay played = playedRound(700), back, old = played;
    const std::string bytes = encodeReplay(played);
    std::string error;
    old.checkpoints.clear();
    old.textHash = old.pictureHash = 0;
    ASSERT_TRUE(decodeReplay(asVersion1(bytes, 700), back, &error)) << error;
    EXPECT_TRUE(back.version == 1 && sameReplay(old, back));
    EXPECT_EQ(whyNotSavable(old), "it does not hold a checkpoint for every 300 steps and its end");
    for (size_t bit = 0; bit < bytes.size() * 8; bit++) {
        std::string flipped = bytes;
        flipped[bit / 8] = static_cast<char>(flipped[bit / 8] ^ (1 << bit % 8));
        EXPECT_FALSE(decodeReplay(flipped, back, &error)) << "bit " << bit;
    }
    const std::vector<uint64_t>& c = played.checkpoints;
    const std::pair<std::vector<uint64_t>, long> playbacks[] = {
        {c, -1}, {{c[0], 7, c[2]}, 600}, {{5, 7, 9}, 300}, {{c[0], c[1], 9}, 700}, {{c[0]}, 600}};
    for (const auto& [checkpoints, step] : playbacks)
        EXPECT_EQ(played.firstDifferingStep(checkpoints), step);
    EXPECT_EQ(old.firstDifferingStep({5}), -1) << "a version 1 replay has nothing to compare";
}

TEST(ReplayShelf, KeepsTenRecentAndTheBestOfEachRound) {
    TempDir dir;
    ReplayShelf shelf("data/replays");
    std::string message;
    auto bestKept = [](const std::vector<ReplayShelf::Entry>& kept) {
        return *std::find_if(kept.begin(), kept.end(), [](const ReplayShelf::Entry& e) { return e.best; });
    };
    // score, steps, whether it becomes the best
    const std::tuple<int, int, bool> rounds[] = {
        {100, 60, true}, {50, 10, false}, {100, 50, true}, {100, 50, false}, {200, 90, true}};
    for (int i = 0; i < 13; i++) {
        Replay r = playedRound(i < 5 ? std::get<1>(rounds[i]) : 5, i < 5 ? std::get<0>(rounds[i]) : 999,
                               "2024-05-01 12:00:" + std::to_string(10 + i));
        r.result = i < 5 ? ReplayResult::WON : ReplayResult::LOST;
        ASSERT_EQ(shelf.keep(r, &message), ReplayShelf::KEPT) << message;
        std::vector<ReplayShelf::Entry> kept = shelf.list();
        ASSERT_EQ(kept.size(), std::min(i + 1, ReplayShelf::RECENT_KEPT) + 1u);
        ReplayShelf::Entry best = bestKept(kept);
        int bestOf = i < 5 && std::get<2>(rounds[i]) ? i : i < 2 ? 0 : i < 4 ? 2 : 4;
        EXPECT_EQ(best.summary.replay.score, std::get<0>(rounds[bestOf]));
        EXPECT_EQ(best.summary.steps, std::get<1>(rounds[bestOf]));
        EXPECT_EQ(kept[0].summary.replay.date, r.date) << "newest first";
    }
    // A best the game cannot read may be a newer game's: it stays, and the player is told.
    std::string bestPath = bestKept(shelf.list()).path;
    dir.write(bestPath, "VORN replay 7\n");
    EXPECT_EQ(shelf.keep(playedRound(5, 1000), &message), ReplayShelf::BEST_NOT_KEPT);
    EXPECT_NE(message.find(bestPath + " was made by another version"), std::string::npos) << message;
    EXPECT_EQ(dir.read(bestPath), "VORN replay 7\n");
    // A full disk, then a folder the player may not write: nothing kept is lost, nothing half
    // written is left.
    std::vector<ReplayShelf::Entry> before = shelf.list();
    rlimit old{}, tiny{100, 0};
    getrlimit(RLIMIT_FSIZE, &old);
    tiny.rlim_max = old.rlim_max;
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    EXPECT_EQ(shelf.keep(playedRound(5, 2000), &message), ReplayShelf::WRITE_FAILED);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_NE(message.find("could not be written: the file grew too large."), std::string::npos) << message;
    for (const char* folder : {".", "data", "data/replays"})
        chmod(folder, strcmp(folder, "data/replays") ? 0755 : 0555);
    bool nobody = geteuid() == 0 && seteuid(65534) == 0; // root writes anywhere
    EXPECT_EQ(shelf.keep(playedRound(5, 2000), &message), ReplayShelf::WRITE_FAILED);
    if (nobody && seteuid(0) != 0) FAIL() << "could not become root again";
    chmod("data/replays", 0755);
    EXPECT_EQ(message, "The folder data/replays cannot be written to: no permission.");
    EXPECT_EQ(shelf.list().size(), before.size());
    EXPECT_EQ(runCommand("ls data/replays | grep -qv 'vornreplay$'"), 1);
    dir.write("data/file", "");
    EXPECT_EQ(ReplayShelf("data/file").keep(playedRound(5), &message), ReplayShelf::FOLDER_UNUSABLE);
    EXPECT_EQ(message, "The replays cannot be kept in the folder data/file: it is not a folder.");
}
