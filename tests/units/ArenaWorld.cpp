#include "ArenaWorld.h"

#include <algorithm>

#include "units/PlayerUnit.h"
#include "units/Unit.h"

ArenaWorld::ArenaWorld(int width, int height) {
    round.setArenaSize(itofix(width), itofix(height));
    list.setupRound(&round);
}

ArenaWorld::~ArenaWorld() {
    list.clear();
    std::vector<UnitTemplate*>* entered = loader.getUnitTemplates();
    for (UnitTemplate* t : types) {
        entered->erase(std::remove(entered->begin(), entered->end(), t), entered->end());
        t->deleteBitmaps();
        delete t;
    }
}

UnitTemplate* ArenaWorld::addType(const std::string& name, int affiliation, int framePixels) {
    UnitTemplate* t = new UnitTemplate();
    t->unitName = name;
    t->affiliation = affiliation;
    BITMAP* frame = create_bitmap(framePixels, framePixels);
    clear_to_color(frame, makecol(200, 200, 200));
    t->vecPics[ANIM_IDLE].push_back(frame);
    t->animFrameTimes[ANIM_IDLE].push_back(0);
    types.push_back(t);
    loader.getUnitTemplates()->push_back(t);
    return t;
}

AddUnitTemplate* ArenaWorld::addAttack(UnitTemplate* t, int attack, const std::string& name, int hpCost,
                                       bool onClick) {
    std::string n = name;
    AddUnitTemplate* a =
        new AddUnitTemplate(&n, itofix(10), 0, 1, 0, 0, attack, 0, 0, 0, 0, 0, 0, onClick, hpCost);
    t->addedUnits.push_back(a);
    return a;
}

UnitCreate* ArenaWorld::order(const std::string& name, int side, int condition, int delay, int threshold,
                              int amount) {
    UnitCreate* o = new UnitCreate(name, amount, side, condition, delay, threshold, 0, 0, 0, 0, nullptr);
    round.addUnitsToAppear(o);
    return o;
}

Unit* ArenaWorld::place(const std::string& name, int x, int y, int angle) {
    return placeExact(name, itofix(x), itofix(y), itofix(angle));
}

Unit* ArenaWorld::placeExact(const std::string& name, fixed x, fixed y, fixed angle) {
    std::string n = name;
    UnitTemplate* t = loader.getUnitTemplate(n);
    Unit* u;
    if (t->isThePC) {
        u = new PlayerUnit(&list, t, nullptr, x, y, angle, itofix(1), 0);
    } else {
        u = new Unit(&list, t, nullptr, x, y, angle, itofix(1), 0);
    }
    u->setRound(&round);
    list.appendUnit(u);
    return u;
}

void ArenaWorld::step() {
    list.simulationStep(&loader, &round, PlayerCommand::fromInput(input));
}

int ArenaWorld::count(int affiliation) {
    return (int)list.search(SEARCH_BY_SIDE, affiliation).size();
}
