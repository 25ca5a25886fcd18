#include "BattleWorld.h"

#include <algorithm>
#include <chrono>

#include "battle/FrameClock.h"
#include "content/Round.h"
#include "content/UnitCreate.h"
#include "frame/globals.h"
#include "units/PlayerUnit.h"
#include "units/UnitList.h"

// The arena test asks for a bitmap too big to exist: the allocator must say no, as the C library
// does, instead of stopping the sanitizer build.
extern "C" __attribute__((used)) const char* __asan_default_options() {
    return "allocator_may_return_null=1";
}

BattleWorld::BattleWorld(int screenW, int screenH) : previousScreen(screen) {
    screen = create_bitmap(screenW, screenH);
    clear_bitmap(screen);
    battle = new Battle();
    battle->setInputObj(&input);
    battle->setMusicSound(&sound);
    for (int k = 0; k < KEY_MAX; k++)
        key[k] = 0;
}

BattleWorld::~BattleWorld() {
    delete battle;
    std::vector<UnitTemplate*>* entered = loader.getUnitTemplates();
    for (UnitTemplate* t : types) {
        entered->erase(std::remove(entered->begin(), entered->end(), t), entered->end());
        t->deleteBitmaps();
        delete t;
    }
    destroy_bitmap(screen);
    screen = previousScreen;
    resetTimers();
}

UnitTemplate* BattleWorld::addType(const std::string& name, int affiliation, bool isThePC, int maxHP) {
    UnitTemplate* t = new UnitTemplate();
    t->unitName = name;
    t->affiliation = affiliation;
    t->isThePC = isThePC;
    t->maxHP = maxHP;
    BITMAP* frame = create_bitmap(10, 10);
    clear_to_color(frame, makecol(200, 200, 200));
    t->vecPics[ANIM_IDLE].push_back(frame);
    t->animFrameTimes[ANIM_IDLE].push_back(0);
    types.push_back(t);
    loader.getUnitTemplates()->push_back(t);
    return t;
}

void BattleWorld::order(const std::string& name) {
    battle->getRound()->addUnitsToAppear(
        new UnitCreate(name, 1, SIDE_CENTRE, SPAWN_AFTER_DELAY, 0, 0, 0, 0, 0, 0, nullptr));
}

Unit* BattleWorld::place(const std::string& name, int x, int y) {
    std::string n = name;
    UnitTemplate* t = loader.getUnitTemplate(n);
    UnitList* list = battle->getUnitList();
    Unit* u;
    if (t->isThePC) {
        u = new PlayerUnit(list, t, nullptr, itofix(x), itofix(y), 0, itofix(1), 0);
    } else {
        u = new Unit(list, t, nullptr, itofix(x), itofix(y), 0, itofix(1), 0);
    }
    u->setRound(battle->getRound());
    list->appendUnit(u);
    return u;
}

void BattleWorld::bindRound(int arenaW, int arenaH) {
    battle->getRound()->setArenaSize(itofix(arenaW), itofix(arenaH));
    battle->getUnitList()->setupRound(battle->getRound());
}

Ticker::Ticker(std::function<void(int)> script) {
    thread = std::thread([this, script] {
        // A round that never ends would hang the test: after about 20 s Esc is held for good.
        for (int tick = 0; running; tick++) {
            incFrameTick();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (script) script(fpsCount.load());
            if (tick > 20000) pressKey(KEY_ESC);
        }
    });
}

Ticker::~Ticker() {
    running = false;
    thread.join();
}

void pressKey(int scancode) {
    key[scancode] = 1;
}
void releaseKey(int scancode) {
    key[scancode] = 0;
}
