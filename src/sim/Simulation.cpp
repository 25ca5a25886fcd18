#include "sim/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "battle/Battle.h"
#include "battle/replayRound.h"
#include "battle/roundOutcome.h"
#include "battle/screenLayout.h"
#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "content/roundDataHash.h"
#include "units/Unit.h"
#include "units/stateHash.h"
#include "units/vornMath.h"

Simulation::Simulation(int fw, int fh)
    : arena(nullptr), canvas(itofix(1)), shown(itofix(1)), frame(create_bitmap(fw, fh)), frameWidth(fw),
      frameHeight(fh), scripted(false), stepsRun(0), passesRun(0) {}

Simulation::~Simulation() {
    list.clear();
    if (arena) destroy_bitmap(arena);
    if (frame) destroy_bitmap(frame);
}

int Simulation::loadCampaignRound(const std::string& campaignName, int roundNumber,
                                  const std::string& character) {
    std::string name = campaignName;
    campaign.setName(&name);
    if (loader.loadCampaign(campaign) != 0 || loader.loadAllUnitsFromCampaign(campaign) != 0) return 1;
    loader.addPC(character);
    if (loadRoundInOrder(loader, campaign, roundNumber, character, round, list) != 0) return 1;
    return makeArenaBitmap() ? 0 : 1;
}

int Simulation::makeArena(int width, int height, const std::vector<std::string>& types, int count,
                          const std::string& character, bool variants) {
    if (types.empty() || width <= 0 || height <= 0) return 1;
    for (const std::string& t : types) {
        std::string name = t;
        loader.addUnit(t);
        if (!loader.getUnitTemplate(name)) return 1;
    }
    if (!character.empty()) {
        loader.addPC(character);
        std::string name = character;
        if (!loader.getUnitTemplate(name)) return 1;
    }
    list.clear();
    // A generated crowd is measured at the size asked for, beyond the game's bound on live units.
    list.setMaxLiveUnits(SIZE_MAX);
    round.setArenaSize(itofix(width), itofix(height));
    round.setArenaKB(ftofix(0.5));
    round.setArenaWall(WALL_STOP);
    for (int i = 0; i < count; i++) {
        int variant = variants ? std::rand() % 5 : 0;
        round.addUnitsToAppear(new UnitCreate(types[i % types.size()], 1, SIDE_ANYWHERE, SPAWN_AFTER_DELAY, 0,
                                              0, 0, 0, 0, variant, nullptr));
    }
    if (!character.empty())
        round.addUnitsToAppear(
            new UnitCreate(character, 1, SIDE_CENTRE, SPAWN_AFTER_DELAY, 0, 0, 0, 0, 0, 0, nullptr));
    list.setupRound(&round);
    crowdTypes = types;
    crowdSize = (size_t)count + (character.empty() ? 0 : 1);
    crowdVariants = variants;
    return makeArenaBitmap() ? 0 : 1;
}

void Simulation::refillCrowd() {
    size_t present =
        list.getUnits()->size() + (list.getUnitsToAppear() ? list.getUnitsToAppear()->size() : 0);
    for (size_t i = present; i < crowdSize && !crowdTypes.empty(); i++) {
        int variant = crowdVariants ? std::rand() % 5 : 0;
        list.addUnitCreate(new UnitCreate(crowdTypes[i % crowdTypes.size()], 1, SIDE_ANYWHERE,
                                          SPAWN_AFTER_DELAY, 0, 0, 0, 0, 0, variant, nullptr));
    }
}

bool Simulation::makeArenaBitmap() {
    if (arena) destroy_bitmap(arena);
    arena = nullptr;
    int w = fixtoi(round.getArenaSizeX()), h = fixtoi(round.getArenaSizeY());
    ArenaPlacement placement{itofix(1), 0, 0};
    placeArena(frameWidth, frameHeight, w, h, placement); // as the battle shows it
    shown = placement.scale;
    canvas = arenaCanvasScale(shown);
    arena = create_bitmap(arenaCanvasSide(w, canvas), arenaCanvasSide(h, canvas));
    if (arena) clear_bitmap(arena);
    return arena && frame;
}

void Simulation::runPass(int steps, bool draw) {
    if (scripted) command = script.decide(list, round, loader);
    if (recording) record.frames.push_back(ReplayFrame{false, {}});
    for (int i = 0; i < steps; i++)
        step();
    if (draw) drawFrame();
    passesRun++;
}

void Simulation::step() {
    list.simulationStep(&loader, &round, command);
    if (steadyCrowd) refillCrowd();
    if (recording && !record.frames.empty()) {
        record.frames.back().steps.push_back(command);
        Replay::checkpointAfterStep(record.checkpoints, ++recordedSteps, list);
    }
    stepsRun++;
}

void Simulation::drawFrame(bool paused) {
    if (recording && !record.frames.empty()) record.frames.back().paused = paused;
    BITMAP* pic = round.getArenaPic();
    if (pic)
        stretch_blit(pic, arena, 0, 0, pic->w, pic->h, 0, 0, arena->w, arena->h);
    else
        clear_bitmap(arena);
    list.drawUnits(arena, nullptr, paused, canvas);
    clear_bitmap(frame);
    pivot_scaled_sprite(frame, arena, frame->w / 2, frame->h / 2, arena->w / 2, arena->h / 2, 0,
                        canvas == itofix(1) ? shown : itofix(1));
}

int Simulation::getRoundState() {
    return roundOutcome(list, &loader);
}

uint64_t Simulation::stateHash() {
    return ::stateHash(list);
}

int Simulation::loadReplay(const Replay& r, std::string* error) {
    if (loadCampaignRound(r.campaign, r.round, r.character) != 0) {
        // A campaign that did not load has no rounds either.
        *error = campaign.getTotalRounds() > 0 ? roundBeyondCampaign(r, campaign) : "";
        if (error->empty())
            *error = "its round " + std::to_string(r.round) + " of the campaign " + r.campaign + " with " +
                     r.character + " does not load";
        return 1;
    }
    *error = fitRoundToReplay(r, loader, round);
    if (!error->empty()) return 1;
    if (!makeArenaBitmap()) {
        *error = "its arena could not be made";
        return 1;
    }
    return 0;
}

uint64_t Simulation::playReplay(const Replay& r, std::vector<uint64_t>* checkpoints) {
    std::vector<uint64_t> taken;
    long steps = 0;
    for (const ReplayFrame& f : r.frames) {
        for (const PlayerCommand& c : f.steps) {
            command = c;
            step();
            Replay::checkpointAfterStep(taken, ++steps, list);
        }
        drawFrame(f.paused);
    }
    taken.push_back(playbackHash(list));
    if (checkpoints) *checkpoints = taken;
    return stateHash();
}

void Simulation::startRecording(const std::string& campaignName, int roundNumber,
                                const std::string& character, unsigned seed) {
    record = Replay();
    record.campaign = campaignName;
    record.round = roundNumber;
    record.character = character;
    record.seed = seed;
    RoundDataDigests data = roundDataDigests(loader, campaignName, round);
    record.dataHash = data.all;
    record.textHash = data.text;
    record.pictureHash = data.pictures;
    record.arenaWidth = fixtoi(round.getArenaSizeX());
    record.arenaHeight = fixtoi(round.getArenaSizeY());
    record.stampDate();
    recording = true;
    recordedSteps = 0;
    std::srand(seed);
}

Replay Simulation::getRecording() {
    Replay r = record;
    int state = getRoundState();
    r.result = state == ROUND_WON    ? ReplayResult::WON
               : state == ROUND_LOST ? ReplayResult::LOST
                                     : ReplayResult::UNFINISHED;
    r.score = list.getPlayerScore();
    r.endHash = stateHash();
    r.checkpoints.push_back(playbackHash(list));
    return r;
}
