// The last check: the game's own loader reads every campaign with every character, as the
// battle does, and every message it shows must be one the checks above explained.
#include "check/DataCheck.h"
#include "check/checkText.h"
#include "content/Campaign.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "system/Messages.h"

namespace {
// Rounds read per campaign here; enough to meet every problem of a sensible campaign without
// spending minutes on a campaign of a million rounds.
const int maxRoundsLoaded = 200;
} // namespace

void DataCheck::checkWithGameLoader(const std::vector<std::string>& campaignNames) {
    setMessagesSilent(true);
    clearShownMessages();
    std::vector<std::pair<std::string, std::string>> shown; // message, file it came with
    auto collect = [&](const std::string& file) {
        for (const std::string& m : getShownMessages())
            shown.push_back({m, file});
        clearShownMessages();
    };
    // The loader reads the datafiles the checks above have read already; the sounds were decoded
    // above, and the loader shows no message for one that fails.
    auto makeLoader = [&](Loader& loader) {
        loader.borrowDatafiles(&datafiles);
        loader.setSoundsSkipped(true);
    };
    {
        Loader loader;
        makeLoader(loader);
        loader.loadGeneralData();
        collect("data/generalData.dat");
    }
    for (const std::string& name : campaignNames) {
        std::string file = "data/campaigns/" + name;
        Loader loader;
        makeLoader(loader);
        Campaign campaign;
        std::string copy = name;
        campaign.setName(&copy);
        if (loader.loadCampaign(campaign) == 0) {
            loader.loadAllUnitsFromCampaign(campaign);
            std::string reportedAbove; // the character checks say why one cannot be played
            for (const std::string& c : characters)
                loader.addPC(c, &reportedAbove);
            Round round;
            int rounds =
                campaign.getTotalRounds() < maxRoundsLoaded ? campaign.getTotalRounds() : maxRoundsLoaded;
            for (int r = 0; r < rounds; r++)
                loader.loadRound(campaign, r, &round, characters.empty() ? "" : characters[0], nullptr);
        }
        collect(file);
    }
    for (const auto& s : shown)
        if (!report.explains(s.first))
            report.error({s.second, "", "", 0}, "the game shows a message while loading: \"" + s.first + "\"",
                         "shows it to the player in a message box",
                         "see the message; no check above explains it");
}
