#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "frame/GameOptions.h"

namespace {
GameOptions parse(std::vector<std::string> words) {
    std::vector<char*> argv{(char*)"vorn"};
    for (std::string& w : words)
        argv.push_back(&w[0]);
    return GameOptions::parse((int)argv.size(), argv.data());
}
} // namespace

TEST(GameOptions, OneRoundToPlayAndTheWaysToAskForItWrongly) {
    const struct {
        std::vector<std::string> words;
        GameOptions::Outcome outcome;
        std::string campaign;
        int round;
        std::string character;
        std::string said; // part of the text for MISTAKEN
    } cases[] = {
        {{}, GameOptions::PLAY, "", 0, "", ""},
        {{"--play", "Tutorial"}, GameOptions::PLAY, "Tutorial", 0, "", ""},
        {{"--windowed", "--play", "Tutorial", "--round", "3", "--character", "Warden"},
         GameOptions::PLAY,
         "Tutorial",
         3,
         "Warden",
         ""},
        {{"--round", "0012", "--play", "Arena Two"}, GameOptions::PLAY, "Arena Two", 12, "", ""},
        {{"--play"}, GameOptions::MISTAKEN, "", 0, "", "--play needs a value"},
        {{"--play", ""}, GameOptions::MISTAKEN, "", 0, "", "--play needs a value"},
        {{"--data"}, GameOptions::MISTAKEN, "", 0, "", "--data needs a value"},
        {{"--play", "T", "--round", "-1"}, GameOptions::MISTAKEN, "T", 0, "", "not -1"},
        {{"--play", "T", "--round", "two"}, GameOptions::MISTAKEN, "T", 0, "", "not two"},
        {{"--play", "T", "--round", "99999"}, GameOptions::MISTAKEN, "T", 0, "", "not 99999"},
        {{"--round", "2"}, GameOptions::MISTAKEN, "", 2, "", "go with --play"},
        {{"--character", "Warden"}, GameOptions::MISTAKEN, "", 0, "Warden", "go with --play"},
        {{"--play", "T", "--help"}, GameOptions::SAID, "T", 0, "", "--play CAMPAIGN"},
    };
    for (const auto& c : cases) {
        std::string shown;
        for (const std::string& w : c.words)
            shown += w + " ";
        GameOptions o = parse(c.words);
        EXPECT_EQ(c.outcome, o.outcome) << shown << o.text;
        EXPECT_EQ(c.campaign, o.playCampaign) << shown;
        EXPECT_EQ(c.round, o.playRound) << shown;
        EXPECT_EQ(c.character, o.playCharacter) << shown;
        if (!c.said.empty()) {
            EXPECT_NE(std::string::npos, o.text.find(c.said)) << shown << o.text;
        }
    }
}
