// Watching a replay: the recorded round played back on screen, frame by frame as it was drawn.
#include <algorithm>
#include <cstdio>

#include "battle/Battle.h"
#include "battle/FrameClock.h"
#include "battle/replayRound.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "frame/globals.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/quitRequest.h"
#include "units/UnitList.h"
#include "units/stateHash.h"

namespace {
const int fastForward = 4; // frames' worth of ticks per tick while F is on
}

bool Battle::prepareReplayRound(const Replay& r, Loader* l, const std::string& file) {
    std::string beyond = roundBeyondCampaign(r, campaign);
    if (!beyond.empty()) {
        showMessage("The replay%s cannot be played: %s.\n", file.empty() ? "" : (" " + file).c_str(),
                    beyond.c_str());
        return false;
    }
    if (loadRoundInOrder(*l, campaign, r.round, r.character, *round, *unitList) != 0) {
        showMessage("The replay cannot be played: round %d of the campaign %s does not load.\n", r.round + 1,
                    r.campaign.c_str());
        return false;
    }
    std::string why = fitRoundToReplay(r, *l, *round);
    if (!why.empty()) {
        showMessage("The replay cannot be played: %s.\n", why.c_str());
        return false;
    }
    if (setUpArena() != 0) {
        showMessage("The replay cannot be played: its arena of %d x %d pixels could not be made.\n",
                    fixtoi(round->getArenaSizeX()), fixtoi(round->getArenaSizeY()));
        return false;
    }
    return true;
}

WatchResult Battle::watchReplay(const Replay& r, Loader* l, const std::string& file) {
    inputObj->clear();
    std::string name = r.campaign;
    campaign.setName(&name);
    charName = r.character;
    roundNumber = r.round;
    totalScore = r.earlierScore; // the score shown is the campaign's, as when it was played
    if (!prepareCampaign(l)) return WatchResult::NOT_PLAYABLE;
    WatchResult result = WatchResult::NOT_PLAYABLE;
    if (prepareReplayRound(r, l, file)) {
        show_mouse(NULL);
        showRoundIntro(30, 0, round->getTitlePic(), l->getMouseCursor(), false);
        std::srand(r.seed); // the title picture draws nothing random, but the seed is the round's
        size_t next = 0;
        int budget = 0;
        playedCheckpoints.clear();
        roundSteps = 0;
        bool watchPaused = false, fast = false, fastKeyWas = false, left = false;
        while (next < r.frames.size()) {
            inputObj->processInput(false);
            if (inputObj->getKeyClicked()[ACTION_MENU] || key[KEY_ESC] || quitRequested()) {
                left = true;
                break;
            }
            if (inputObj->getKeyClicked()[ACTION_PAUSE]) watchPaused = !watchPaused;
            if (key[KEY_F] && !fastKeyWas) fast = !fast;
            fastKeyWas = key[KEY_F];
            waitForTick();
            int ticks = gotoNextFrame.exchange(0);
            if (!watchPaused) budget += ticks * (fast ? fastForward : 1);
            watchFrames(r, &next, &budget, l);
        }
        paused = false;
        if (left) {
            result = WatchResult::LEFT;
        } else {
            uint64_t hash = stateHash(*unitList);
            playedCheckpoints.push_back(playbackHash(*unitList));
            long differs = r.firstDifferingStep(playedCheckpoints);
            result = hash == r.endHash && differs < 0 ? WatchResult::SAME : WatchResult::DIFFERENT;
            std::string by = differs < 0 ? "" : " by step " + std::to_string(differs);
            std::printf("replay of %s round %d with %s: state hash %016llx, recorded %016llx, %s%s\n",
                        r.campaign.c_str(), r.round, r.character.c_str(), (unsigned long long)hash,
                        (unsigned long long)r.endHash, result == WatchResult::SAME ? "the same" : "different",
                        by.empty() ? "" : (", went otherwise" + by).c_str());
            std::fflush(stdout);
            if (result == WatchResult::DIFFERENT)
                showMessage(
                    "The replay did not play back as it was played: the game has changed since it was "
                    "recorded%s.\n",
                    by.empty() ? "" : (" (it went otherwise" + by + ")").c_str());
            else if (r.result == ReplayResult::WON || r.result == ReplayResult::LOST)
                showRoundIntro(90, 15, r.result == ReplayResult::WON ? l->getYouWinPic() : l->getYouLosePic(),
                               l->getMouseCursor(), true);
            else
                holdLastFrame();
        }
    }
    unitList->clear();
    musicSound->fadeMusic();
    destroy_bitmap(buffer);
    buffer = nullptr;
    show_mouse(screen);
    return result;
}

void Battle::watchFrames(const Replay& r, size_t* next, int* budget, Loader* l) {
    while (*next < r.frames.size()) {
        const ReplayFrame& f = r.frames[*next];
        // A frame took a tick for each of its steps; a paused one took a tick of its own.
        int cost = std::max<int>(1, (int)f.steps.size());
        if (*budget < cost) return;
        *budget -= cost;
        paused = f.paused;
        for (const PlayerCommand& c : f.steps) {
            unitList->simulationStep(l, round, c);
            Replay::checkpointAfterStep(playedCheckpoints, ++roundSteps, *unitList);
        }
        drawFrame(l);
        ++*next;
    }
}

void Battle::holdLastFrame() {
    // The last frame stays on screen until the player is done with it.
    while (!quitRequested()) {
        inputObj->processInput(false);
        if (inputObj->anyClicked() || key[KEY_ESC]) break;
        waitForTick();
        gotoNextFrame = 0;
    }
}
