// Every broken data set under tests/broken-data, laid over the trial campaign and taken through
// the loaders the way a campaign is started and played: settings, selection lists, shared
// pictures, campaign, unit types, character, then every round for a few seconds. Each must show
// exactly the messages its "expect" file lists and arrive at the figures it states.
#include <algorithm>
#include <allegro.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <map>
#include <stdlib.h>
#include <vector>

#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "menus/StartGameConfig.h"
#include "support/BrokenCase.h"
#include "support/TestEnv.h"
#include "support/TrialCampaign.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/oggsnd.h"
#include "units/UnitList.h"

namespace {

const int stepsPerRound = 30; // about one second of play

std::string caseRoot() {
    char full[PATH_MAX];
    return realpath("tests/broken-data", full) ? full : "tests/broken-data";
}

// Plays the round's orders as the battle does and returns the most units alive at once.
long playRound(Loader* loader, Round* round) {
    UnitList list;
    list.setupRound(round);
    InputObj input;
    MusicSound sound;
    size_t most = 0;
    for (int step = 0; step < stepsPerRound; step++) {
        list.simulationStep(loader, round, PlayerCommand::fromInput(input));
        most = std::max(most, list.getUnits()->size());
    }
    list.clear();
    return static_cast<long>(most);
}

long decodableBlocks(const std::string& path) {
    OGGSND_STREAM* stream = oggsnd_open_stream(path.c_str(), 4096);
    if (!stream) return 0;
    std::vector<unsigned char> block(oggsnd_get_block_bytes(stream));
    long blocks = 0;
    while (oggsnd_decode_block(stream, block.data()) != 0 && blocks < 100000)
        blocks++;
    oggsnd_stop_streaming(stream);
    return blocks;
}

// What starting the first listed campaign with the first listed character comes to.
std::map<std::string, long> playDataSet() {
    std::map<std::string, long> figures;
    GameSettings settings;
    InputObj input;
    MusicSound sound;
    settings.init(&input, &sound, nullptr);
    figures["resX"] = settings.getResX();
    figures["depth"] = settings.getColorDepth();
    figures["keyUp"] = input.getKeyMappings()[ACTION_UP];
    figures["threshold"] = input.getMouseControlThreshold();
    figures["volumeGlobal"] = sound.getVolumeGlobal();
    figures["volumeMusic"] = sound.getVolumeMusic();
    figures["volumeSfx"] = sound.getVolumeSfx();

    Loader loader;
    StartGameConfig::campNames.clear();
    StartGameConfig::campDesc.clear();
    StartGameConfig::charNames.clear();
    StartGameConfig::charDesc.clear();
    StartGameConfig screen(&settings, &loader);
    loader.loadCharAndCamp(&screen);
    figures["campaigns"] = static_cast<long>(StartGameConfig::campNames.size());
    figures["characters"] = static_cast<long>(StartGameConfig::charNames.size());
    if (StartGameConfig::campNames.empty() || StartGameConfig::charNames.empty())
        return figures; // nothing to start

    std::string campName = StartGameConfig::campNames[0], charName = StartGameConfig::charNames[0];
    Campaign campaign;
    campaign.setName(&campName);
    figures["generalData"] = loader.loadGeneralData() == 0;
    if (!figures["generalData"] || loader.loadCampaign(campaign) != 0) return figures;
    loader.loadAllUnitsFromCampaign(campaign);
    figures["playable"] = loader.addPC(charName) == 0;
    figures["unitTypes"] = static_cast<long>(loader.getUnitTemplates()->size());
    figures["musicBlocks"] = decodableBlocks(*campaign.getMusic());
    long sounds = 0;
    for (UnitTemplate* t : *loader.getUnitTemplates())
        sounds += std::count_if(t->sounds.begin(), t->sounds.end(), [](SAMPLE* s) { return s != nullptr; });
    figures["soundSlots"] = sounds;

    Round round;
    long rounds = 0, mostUnits = 0;
    for (int r = 0; figures["playable"] && r < campaign.getTotalRounds(); r++) {
        if (loader.loadRound(campaign, r, &round, charName, &sound) != 0)
            break; // the battle leaves a campaign whose round does not load
        if (r == 0) {
            figures["arenaWidth"] = fixtoi(round.getArenaSizeX());
            figures["arenaHeight"] = fixtoi(round.getArenaSizeY());
        }
        if (round.getArenaSizeX() <= 0 || round.getArenaSizeY() <= 0)
            break; // no arena can be made: the battle leaves the campaign
        rounds++;
        mostUnits = std::max(mostUnits, playRound(&loader, &round));
    }
    figures["rounds"] = rounds;
    figures["mostUnits"] = mostUnits;
    return figures;
}

} // namespace

TEST(BrokenData, EveryCaseShowsItsMessagesAndFallsBackAsDocumented) {
    std::string root = caseRoot();
    std::vector<std::string> cases = listBrokenCases(root);
    ASSERT_GE(cases.size(), 13u) << "the broken-data folder was not found from " << root;
    for (const std::string& name : cases) {
        SCOPED_TRACE(name);
        std::string folder = root + "/" + name;
        BrokenCaseExpectation expected = readBrokenCaseExpectation(folder);
        EXPECT_FALSE(expected.outcome.empty()) << "the case does not say what the game does";
        TempDir dir;
        ASSERT_TRUE(writeTrialDataSet());
        std::string error;
        ASSERT_TRUE(applyBrokenCase(folder, &error)) << error;
        clearShownMessages();
        std::map<std::string, long> figures = playDataSet();
        EXPECT_EQ(getShownMessages(), expected.messages);
        for (const auto& check : expected.checks) {
            ASSERT_TRUE(figures.count(check.first)) << "no figure called " << check.first;
            EXPECT_EQ(figures[check.first], check.second) << check.first;
        }
    }
}

TEST(BrokenData, TheTrialCampaignItselfLoadsWithoutAMessage) {
    TempDir dir;
    ASSERT_TRUE(writeTrialDataSet());
    clearShownMessages();
    std::map<std::string, long> figures = playDataSet();
    EXPECT_TRUE(getShownMessages().empty());
    EXPECT_EQ(figures["rounds"], 2);
    EXPECT_EQ(figures["unitTypes"], 2);
    EXPECT_EQ(figures["arenaWidth"], 400);
}
