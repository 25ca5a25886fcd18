#include "battle/Battle.h"

#include <cstdlib>
#include <set>
#include <vector>

#include "battle/FrameClock.h"
#include "battle/ReplayShelf.h"
#include "battle/roundOutcome.h"
#include "battle/screenLayout.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "content/UnitTemplate.h"
#include "content/loadMessages.h"
#include "content/roundDataHash.h"
#include "frame/globals.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/gameWindow.h"
#include "system/quitRequest.h"
#include "units/UnitList.h"
#include "units/stateHash.h"

Battle::Battle()
    : roundNumber(0), unitList(new UnitList()), buffer(nullptr), round(new Round()), arenaLeft(10),
      arenaTop(10), scale(itofix(1)), angle(0), arena(nullptr), canvas(itofix(1)), arenaWidth(0),
      statusIcon(nullptr), paused(false), roundState(ROUND_IN_PLAY), totalScore(0), introFramesShown(0) {
    installFrameClock();
}

Battle::~Battle() {
    if (statusIcon) destroy_bitmap(statusIcon);
    if (arena) destroy_bitmap(arena);
    if (buffer) destroy_bitmap(buffer);
    // The unit list works on the round's own spawn list: it goes first.
    delete unitList;
    delete round;
}

int Battle::battleLoop(std::string campName, std::string chosenChar, Loader* l) {
    inputObj->clear();
    takeFocusLoss(); // the focus the window lost in the menus is no concern of the battle
    campaign.setName(&campName);
    charName = chosenChar;
    if (!prepareCampaign(l)) return 0;
    checkReplayFolder();
    show_mouse(NULL);

    showCampaignIntro(campaign.getBeginPic());
    roundState = ROUND_IN_PLAY;
    roundNumber = 0;
    getNextRound();
    totalScore = 0;
    while (roundState != ROUND_LEFT && roundState != CAMPAIGN_COMPLETE)
        playRound(l);
    endBattle();
    return 0;
}

void Battle::endBattle() {
    musicSound->fadeMusic();
    destroy_bitmap(buffer);
    buffer = nullptr;
    show_mouse(screen);
}

bool Battle::prepareCampaign(Loader* l) {
    if (l->loadGeneralData() != 0) {
        showMessage("%s", loadGeneralFailedMessage().c_str());
        return false;
    }
    if (l->loadCampaign(campaign) != 0) {
        showMessage("%s", loadCampaignFailedMessage().c_str());
        return false;
    }
    unitList->clear();
    if (l->loadAllUnitsFromCampaign(campaign) != 0) {
        showMessage("Loading units from campaign failed\n");
        return false;
    }
    musicSound->playMusic(campaign.getMusic());
    // A character that cannot be played would lose every round and replay it for ever.
    if (l->addPC(charName) != 0) {
        musicSound->fadeMusic();
        return false;
    }
    if (!makeBuffer()) {
        showMessage("The screen buffer of %d x %d pixels could not be made. Leaving the campaign.\n",
                    screenWidth(), screenHeight());
        musicSound->fadeMusic();
        return false;
    }
    return true;
}

bool Battle::makeBuffer() {
    if (buffer) destroy_bitmap(buffer);
    int w = screenWidth(), h = screenHeight();
    buffer = (w > 0 && h > 0) ? create_bitmap(w, h) : nullptr;
    if (buffer) clear_bitmap(buffer);
    return buffer != nullptr;
}

void Battle::playRound(Loader* l) {
    if (!runRound(l)) return;
    if (roundState == ROUND_WON) totalScore += unitList->getPlayerScore();
    keepReplay();
    unitList->clear();
    getNextRound();
}

bool Battle::runRound(Loader* l) {
    roundState = ROUND_IN_PLAY;
    // A round that did not load and holds nothing to play, not even the player, would be lost
    // and replayed with its message again and again; the loader has said what is wrong, so the
    // campaign is left instead.
    bool loaded = l->loadRound(campaign, roundNumber, round, charName, musicSound) == 0;
    if (!loaded && round->getUnitsToAppear()->empty() && unitList->getUnits()->empty()) {
        roundState = ROUND_LEFT;
        return false;
    }
    musicSound->updateMusic();
    unitList->setupRound(round);
    musicSound->updateMusic();
    if (setUpArena() != 0) {
        showMessage(
            "%s",
            arenaNotMadeMessage(fixtoi(round->getArenaSizeX()), fixtoi(round->getArenaSizeY())).c_str());
        unitList->clear();
        roundState = ROUND_LEFT;
        return false;
    }
    musicSound->updateMusic();
    showRoundIntro(30, 0, round->getTitlePic(), l->getMouseCursor(), false);
    // Without a title nothing has polled the input since the click that ended the previous
    // round; one poll here lets that click end only that round.
    if (introFramesShown == 0) inputObj->processInput(false);

    startReplay(l);
    roundSteps = 0;
    while (!isRoundOver(l)) {
        // A focus lost during a title or closing picture pauses the round that follows it.
        if (takeFocusLoss()) {
            inputObj->letGoOfEverything();
            paused = true;
        }
        inputObj->processInput(false);
        if (inputObj->getKeyClicked()[ACTION_PAUSE]) paused = !paused;
        waitForTick();
        if (recording) replay.frames.push_back(ReplayFrame{paused, {}});
        runPendingSteps(l);
        drawFrame(l);
    }
    return true;
}

int Battle::runPendingSteps(Loader* l) {
    int steps = 0;
    // Every pending tick is one step; ticks still drain while paused, so unpausing brings no burst.
    while (gotoNextFrame.load() > 0) {
        gotoNextFrame.fetch_sub(1);
        if (paused) continue;
        PlayerCommand command = PlayerCommand::fromInput(*inputObj);
        if (recording && !replay.frames.empty()) replay.frames.back().steps.push_back(command);
        unitList->simulationStep(l, round, command);
        steps++;
        if (recording) Replay::checkpointAfterStep(replay.checkpoints, roundSteps + steps, *unitList);
    }
    roundSteps += steps;
    return steps;
}

void Battle::drawFrame(Loader* l) {
    drawArena(arena);
    unitList->drawUnits(arena, musicSound, paused, canvas);
    copyArenaToBuffer();
    drawHUD(l);
    recordStats();
    drawToScreen(NULL, false);
    musicSound->updateMusic();
}

void Battle::getNextRound() {
    if (roundState == ROUND_WON) roundNumber++;
    if (roundNumber >= campaign.getTotalRounds()) {
        showCampaignIntro(campaign.getEndPic());
        roundState = CAMPAIGN_COMPLETE;
    }
}

bool Battle::isRoundOver(Loader* l) {
    std::vector<bool>& clicked = inputObj->getKeyClicked();
    if (clicked[ACTION_MENU] || quitRequested()) {
        finishReplay(ROUND_LEFT);
        return true;
    }
    if (clicked[ACTION_RESTART]) {
        finishReplay(ROUND_RESTARTED);
        return true;
    }
    int outcome = roundOutcome(*unitList, l);
    if (outcome == ROUND_IN_PLAY) return false;
    finishReplay(outcome);
    showRoundIntro(90, 15, outcome == ROUND_LOST ? l->getYouLosePic() : l->getYouWinPic(),
                   l->getMouseCursor(), true);
    return true;
}

int Battle::setUpArena() {
    int w = fixtoi(round->getArenaSizeX());
    int h = fixtoi(round->getArenaSizeY());
    if (arena) {
        destroy_bitmap(arena);
        arena = nullptr;
    }
    ArenaPlacement placement;
    if (!placeArena(screenWidth(), screenHeight(), w, h, placement)) return 1;
    canvas = arenaCanvasScale(placement.scale);
    arena = create_bitmap(arenaCanvasSide(w, canvas), arenaCanvasSide(h, canvas));
    if (!arena) return 1;
    clear_bitmap(arena);
    arenaWidth = w;
    scale = placement.scale;
    arenaLeft = placement.left;
    arenaTop = placement.top;
    return 0;
}

void Battle::startReplay(Loader* l) {
    // The round's own seed comes from the stream seeded at start-up: one seed, one session.
    unsigned seed = (unsigned)std::rand();
    std::srand(seed);
    replay = Replay();
    if (!recording) return;
    replay.campaign = *campaign.getName();
    replay.round = roundNumber;
    replay.character = charName;
    replay.seed = seed;
    replay.earlierScore = totalScore;
    RoundDataDigests data = roundDataDigests(*l, replay.campaign, *round);
    replay.dataHash = data.all;
    replay.textHash = data.text;
    replay.pictureHash = data.pictures;
    replay.arenaWidth = fixtoi(round->getArenaSizeX());
    replay.arenaHeight = fixtoi(round->getArenaSizeY());
    replay.stampDate();
}

void Battle::finishReplay(int state) {
    roundState = state;
    if (!recording) return;
    // Taken before the closing picture, whose drawing of the units is no part of the record.
    replay.endHash = stateHash(*unitList);
    replay.checkpoints.push_back(playbackHash(*unitList));
    replay.score = unitList->getPlayerScore();
    replay.result = state == ROUND_WON    ? ReplayResult::WON
                    : state == ROUND_LOST ? ReplayResult::LOST
                    : state == ROUND_LEFT ? ReplayResult::LEFT
                                          : ReplayResult::RESTARTED;
}

void Battle::keepReplay() {
    if (!recording || replayFolder.empty()) return;
    std::string message;
    sayOnce(ReplayShelf(replayFolder).keep(replay, &message), message);
}

void Battle::checkReplayFolder() {
    std::string message;
    if (recording && !replayFolder.empty() && !ReplayShelf(replayFolder).makeFolder(&message))
        sayOnce(ReplayShelf::FOLDER_UNUSABLE, message);
}

void Battle::sayOnce(int kept, const std::string& message) {
    // Each kind of failure is said once a run: a full disk would otherwise speak after every round.
    static std::set<int> said;
    if (kept != ReplayShelf::KEPT && said.insert(kept).second) showMessage("%s\n", message.c_str());
}
