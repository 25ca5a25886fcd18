#include "edit/simulateRound.h"

#include <cstdlib>

#include "content/selectionList.h"
#include "edit/scratchData.h"
#include "sim/Simulation.h"
#include "sim/SloppyPlayer.h"
#include "sim/roundTrial.h"
#include "system/Messages.h"
#include "system/textFormat.h"

std::vector<std::string> simulateRound(const std::string& campaign, const std::string& text, int round,
                                       int seeds) {
    std::vector<std::string> out;
    bool ran = inScratchData("campaigns/" + campaign, text, [&] {
        std::vector<std::string> characters = selectionListNames("data/listOfCharacters.txt");
        std::string character = characters.empty() ? "" : characters.front();
        out.push_back(textf("Round %d with %s, %d seeds:", round, character.c_str(), seeds));
        setMessagesSilent(true); // a round that does not load says why below
        for (int s = 0; s < seeds; s++) {
            for (bool sloppy : {false, true}) {
                unsigned seed = 1000 + s; // playTest's seeds
                std::srand(seed);
                Simulation sim; // a fresh loader per run: the templates keep animation state
                clearShownMessages();
                if (sim.loadCampaignRound(campaign, round, character) != 0) {
                    out.push_back("the round does not load: " + (getShownMessages().empty()
                                                                     ? std::string("see the problems")
                                                                     : getShownMessages().front()));
                    setMessagesSilent(false);
                    return;
                }
                SloppyPlayer newcomer(seed);
                sim.setScripted(!sloppy);
                RoundOutcome o = playRoundOut(sim, sloppy ? &newcomer : nullptr, simulatedStepsMost);
                out.push_back(textf("seed %u, %s: %s after %ld s, juice left %d %%", seed,
                                    sloppy ? "sloppy" : "scripted", roundOutcomeWord(o.state),
                                    o.steps * 3 / 100, o.maxHP > 0 ? 100 * o.hpLeft / o.maxHP : 0));
            }
        }
        setMessagesSilent(false);
    });
    if (!ran) out.push_back("The round could not be simulated: no scratch folder.");
    return out;
}
