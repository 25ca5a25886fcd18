#ifndef VORN_TESTS_UNITS_UNITWORLD_H
#define VORN_TESTS_UNITS_UNITWORLD_H

#include <allegro.h>
#include <string>
#include <utility>
#include <vector>

#include "content/Round.h"
#include "content/UnitTemplate.h"
#include "system/MusicSound.h"
#include "units/Unit.h"
#include "units/UnitList.h"

// A unit whose state the tests may read and set directly, and which remembers what it reports.
class ProbeUnit : public Unit {
  public:
    using Unit::alignDist;
    using Unit::alignTarget;
    using Unit::animFrame;
    using Unit::attack1CoolDown;
    using Unit::attack2CoolDown;
    using Unit::attack4CoolDown;
    using Unit::attackState;
    using Unit::charAnim;
    using Unit::damageDealt;
    using Unit::damageTaken;
    using Unit::dashLeft;
    using Unit::drawAngle;
    using Unit::hp;
    using Unit::juiceForPlayer;
    using Unit::juiceStored;
    using Unit::kbForces;
    using Unit::maxHP;
    using Unit::moveLockLeft;
    using Unit::posX;
    using Unit::posY;
    using Unit::removeThisUnit;
    using Unit::soundToPlay;
    using Unit::timeToLive;
    using Unit::Unit;
    using Unit::unitPropertyDefense;
    using Unit::unitPropertyHitbox;
    using Unit::unitPropertyPlayer;
    using Unit::unitPropertyStatus;
    using Unit::variant;
    using Unit::walkAngle;
    using Unit::walking;
    using Unit::walkspeed;
    using Unit::wallTime;

    std::vector<std::pair<int, int>> goodMax, badMax; // (index, value) of every report
    int scoreLost = 0;

    void changeGoodStatusMax(int i, int v) override { goodMax.emplace_back(i, v); }
    void changeBadStatusMax(int i, int v) override { badMax.emplace_back(i, v); }
    void reduceScore(int n) override { scoreLost += n; }
};

// Remembers every sound effect a unit asks for instead of playing it.
class RecordingSound : public MusicSound {
  public:
    struct Play {
        SAMPLE* sample;
        int pan, frequency;
    };
    std::vector<Play> plays;
    int playSfx(SAMPLE* s, int pan, int frequency) override {
        plays.push_back({s, pan, frequency});
        return 0;
    }
};

// An arena with its round and unit list, and unit types built in memory.
class UnitWorld {
  public:
    Round round; // declared first: the list hands the round's pending orders back on clear
    UnitList list;

    explicit UnitWorld(int width = 400, int height = 300) {
        round.setArenaSize(itofix(width), itofix(height));
        list.setupRound(&round);
    }
    ~UnitWorld() {
        list.clear();
        for (UnitTemplate* t : types) {
            t->deleteBitmaps();
            delete t;
        }
    }
    UnitWorld(const UnitWorld&) = delete;
    UnitWorld& operator=(const UnitWorld&) = delete;

    // A type of the given side whose idle animation is one w x h frame (contact diameter 0.8 x diagonal).
    UnitTemplate* type(int affiliation, int w = 20, int h = 20, const std::string& name = "thing") {
        UnitTemplate* t = new UnitTemplate();
        t->unitName = name;
        t->affiliation = affiliation;
        t->maxHP = 100;
        t->walkspeed = itofix(2);
        types.push_back(t);
        addFrames(t, ANIM_IDLE, {0}, w, h);
        return t;
    }

    // Adds one frame per hold count to animation anim; frame i is filled with red 10 + i and
    // green 20 x anim, so a drawn pixel tells which frame of which animation is shown.
    static void addFrames(UnitTemplate* t, int anim, const std::vector<int>& holds, int w = 20, int h = 20) {
        for (int hold : holds) {
            BITMAP* pic = create_bitmap(w, h);
            clear_to_color(pic, makecol(10 + (int)t->vecPics[anim].size(), 20 * anim, 0));
            t->vecPics[anim].push_back(pic);
            t->animFrameTimes[anim].push_back(hold);
        }
    }

    static SAMPLE* addSound(UnitTemplate* t, int slot) {
        t->sounds[slot] = create_sample(8, 0, 11025, 16);
        return t->sounds[slot];
    }

    static AddUnitTemplate* addEntry(UnitTemplate* t, const std::string& name, int attack, int amount = 1) {
        std::string n = name;
        AddUnitTemplate* e = new AddUnitTemplate(&n, 0, 0, amount, 0, 0, attack, 0, 0, 0, 0, 0, 0, false, 0);
        t->addedUnits.push_back(e);
        return e;
    }

    ProbeUnit* add(UnitTemplate* t, double x, double y, int variant = 0, Unit* creator = nullptr) {
        ProbeUnit* u = new ProbeUnit(&list, t, creator, ftofix(x), ftofix(y), 0, itofix(1), variant);
        u->setRound(&round);
        list.appendUnit(u);
        return u;
    }

    // One simulation step, phase by phase, as the battle runs it (without decisions).
    void step() {
        for (auto it = list.beginOfList(); it != list.endOfList(); ++it)
            (*it)->dealDamage();
        for (auto it = list.beginOfList(); it != list.endOfList(); ++it)
            (*it)->takeDamage();
    }

    void endFrame() {
        for (auto it = list.beginOfList(); it != list.endOfList(); ++it)
            (*it)->endOfRound();
    }

    std::vector<UnitCreate*>& orders() { return *round.getUnitsToAppear(); }

  private:
    std::vector<UnitTemplate*> types;
};

inline double px(fixed f) {
    return fixtof(f);
}

#endif
