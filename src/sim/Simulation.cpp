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

void Simulation::scriptInput() {
    std::vector<bool>& keys = input.getKeyPressed();
    std::vector<bool>& clicked = input.getKeyClicked();
    std::vector<bool>& mouse = input.getMousePressed();
    std::vector<bool>& mouseClicked = input.getMouseClicked();
    std::fill(keys.begin(), keys.end(), false);
    std::fill(clicked.begin(), clicked.end(), false);
    std::fill(mouse.begin(), mouse.end(), false);
    std::fill(mouseClicked.begin(), mouseClicked.end(), false);
    if (!scripted)
        return;
    // Closes in on the nearest enemy and strikes in bursts when it is near; now and then the
    // other two attacks.
    Unit* p = nullptr;
    Unit* nearest = nearestEnemy(p);
    if (!p)
        return;
    bool near = false;
    if (nearest) {
        fixed dx = nearest->getPosX() - p->getPosX(), dy = nearest->getPosY() - p->getPosY();
        near = calcDist(0, 0, dx, dy) < itofix(90);
        // Walks in from a distance, backs off when crowded.
        int sign = near ? -1 : 1;
        if (fixtoi(dx) > 8)
            keys[sign > 0 ? ACTION_RIGHT : ACTION_LEFT] = true;
        if (fixtoi(dx) < -8)
            keys[sign > 0 ? ACTION_LEFT : ACTION_RIGHT] = true;
        if (fixtoi(dy) > 8)
            keys[sign > 0 ? ACTION_DOWN : ACTION_UP] = true;
        if (fixtoi(dy) < -8)
            keys[sign > 0 ? ACTION_UP : ACTION_DOWN] = true;
        // What the mouse does for a person: the player turns to face it.
        p->setFaceAngle(calcAngle(p->getPosX(), p->getPosY(), nearest->getPosX(), nearest->getPosY(),
                                  p->getDrawAngle()));
    }
    mouse[0] = near;
    mouseClicked[1] = near && passesRun % 70 == 35;
    clicked[ACTION_HYPER] = passesRun % 150 == 149;
}

// The first player unit (into p) and the enemy nearest to it.
Unit* Simulation::nearestEnemy(Unit*& p) {
    std::vector<Unit*> players = list.search(1, 0);
    p = players.empty() ? nullptr : players.front();
    if (!p)
        return nullptr;
    Unit* nearest = nullptr;
    fixed best = 0;
    for (auto it = list.beginOfList(); it != list.endOfList(); ++it) {
        Unit* u = *it;
        if (u->getAffiliation() != AFF_ENEMY || u->getCharAnim() == ANIM_DEAD)
            continue;
        fixed d = calcDist(p->getPosX(), p->getPosY(), u->getPosX(), u->getPosY());
        if (!nearest || d < best) {
            nearest = u;
            best = d;
        }
    }
    return nearest;
}

void Simulation::runPass(int steps, bool draw) {
    scriptInput();
    for (int i = 0; i < steps; i++)
        step();
    if (draw)
        drawFrame();
    passesRun++;
}

void Simulation::step() {
    list.simulationStep(&loader, &round, PlayerCommand::fromInput(input));
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
