#include "sim/Simulation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "content/UnitCreate.h"
#include "content/UnitTemplate.h"
#include "units/Unit.h"
#include "units/vornMath.h"

namespace {

// FNV-1a, 64 bits, fed one 32-bit value at a time.
struct Digest {
    uint64_t h = 1469598103934665603ull;
    void add(uint32_t v) {
        for (int i = 0; i < 4; i++) {
            h ^= (v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
    void add(const std::string& s) {
        for (unsigned char c : s) {
            h ^= c;
            h *= 1099511628211ull;
        }
        add(0u);
    }
};

} // namespace

Simulation::Simulation(int fw, int fh)
    : arena(nullptr), frame(create_bitmap(fw, fh)), frameWidth(fw), frameHeight(fh), scripted(false), stepsRun(0),
      passesRun(0) {}

Simulation::~Simulation() {
    list.clear();
    if (arena)
        destroy_bitmap(arena);
    if (frame)
        destroy_bitmap(frame);
}

int Simulation::loadCampaignRound(const std::string& campaignName, int roundNumber, const std::string& character) {
    std::string name = campaignName;
    campaign.setName(&name);
    if (loader.loadCampaign(campaign) != 0 || loader.loadAllUnitsFromCampaign(campaign) != 0)
        return 1;
    loader.addPC(character);
    list.clear();
    for (int earlier = 0; earlier < roundNumber; earlier++) {
        loader.loadRound(campaign, earlier, &round, character, nullptr);
        list.setupRound(&round); // so that clearing drops the orders of that round
        list.clear();
    }
    if (loader.loadRound(campaign, roundNumber, &round, character, nullptr) != 0)
        return 1;
    list.setupRound(&round);
    return makeArenaBitmap() ? 0 : 1;
}

int Simulation::makeArena(int width, int height, const std::vector<std::string>& types, int count,
                          const std::string& character, bool variants) {
    if (types.empty() || width <= 0 || height <= 0)
        return 1;
    for (const std::string& t : types) {
        std::string name = t;
        loader.addUnit(t);
        if (!loader.getUnitTemplate(name))
            return 1;
    }
    if (!character.empty()) {
        loader.addPC(character);
        std::string name = character;
        if (!loader.getUnitTemplate(name))
            return 1;
    }
    list.clear();
    // A generated crowd is measured at the size asked for, beyond the game's bound on live units.
    list.setMaxLiveUnits(SIZE_MAX);
    round.setArenaSize(itofix(width), itofix(height));
    round.setArenaKB(ftofix(0.5));
    round.setArenaWall(WALL_STOP);
    for (int i = 0; i < count; i++) {
        int variant = variants ? std::rand() % 5 : 0;
        round.addUnitsToAppear(new UnitCreate(types[i % types.size()], 1, 11, 1, 0, 0, 0, 0, 0, variant, nullptr));
    }
    if (!character.empty())
        round.addUnitsToAppear(new UnitCreate(character, 1, 9, 1, 0, 0, 0, 0, 0, 0, nullptr));
    list.setupRound(&round);
    return makeArenaBitmap() ? 0 : 1;
}

bool Simulation::makeArenaBitmap() {
    if (arena)
        destroy_bitmap(arena);
    arena = create_bitmap(fixtoi(round.getArenaSizeX()), fixtoi(round.getArenaSizeY()));
    if (arena)
        clear_bitmap(arena);
    return arena && frame;
}

void Simulation::runPass(int steps, bool draw) {
    if (scripted)
        command = script.decide(list, round, loader);
    for (int i = 0; i < steps; i++)
        step();
    if (draw)
        drawFrame();
    passesRun++;
}

void Simulation::step() {
    list.simulationStep(&loader, &round, command);
    stepsRun++;
}

void Simulation::drawFrame() {
    BITMAP* pic = round.getArenaPic();
    if (pic)
        stretch_blit(pic, arena, 0, 0, pic->w, pic->h, 0, 0, arena->w, arena->h);
    else
        clear_bitmap(arena);
    list.drawUnits(arena, nullptr, false);
    // The arena fills 70 % of the frame along its tighter side, centred, as in the battle.
    float sx = (float)(frameWidth * 0.7) / (float)arena->w;
    float sy = (float)(frameHeight * 0.7) / (float)arena->h;
    fixed scale = ftofix(std::min(sx, sy));
    clear_bitmap(frame);
    pivot_scaled_sprite(frame, arena, frame->w / 2, frame->h / 2, arena->w / 2, arena->h / 2, 0, scale);
}

int Simulation::getRoundState() {
    if (!list.anyRemainingAffiliation(AFF_PLAYER, &loader))
        return 2;
    if (!list.anyRemainingAffiliation(AFF_ENEMY, &loader))
        return 1;
    return 0;
}

uint64_t Simulation::stateHash() {
    Digest d;
    for (auto it = list.beginOfList(); it != list.endOfList(); ++it) {
        Unit* u = *it;
        d.add(u->getUnitName());
        for (fixed f : {u->getPosX(), u->getPosY(), u->getWalkAngle(), u->getDrawAngle()})
            d.add((uint32_t)f);
        for (int v : {u->getHP(), u->getCharAnim(), u->getAnimCurrent(), u->getVariant()})
            d.add((uint32_t)v);
        for (int v : u->getGoodStatus())
            d.add((uint32_t)v);
        for (int v : u->getBadStatus())
            d.add((uint32_t)v);
        for (const kbForce& f : u->getKbForces()) {
            d.add((uint32_t)f.angle);
            d.add((uint32_t)f.magnitude);
            d.add((uint32_t)f.duration);
            d.add(f.weighted ? 1u : 0u);
        }
    }
    if (std::vector<UnitCreate*>* orders = list.getUnitsToAppear()) {
        d.add((uint32_t)orders->size());
        for (UnitCreate* o : *orders) {
            d.add(o->unitName);
            d.add((uint32_t)o->delay);
        }
    }
    return d.h;
}
