#ifndef VORN_TESTS_BATTLE_BATTLEWORLD_H
#define VORN_TESTS_BATTLE_BATTLEWORLD_H

#include <allegro.h>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "battle/Battle.h"
#include "content/Loader.h"
#include "content/UnitTemplate.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"

// A battle on a 640 x 480 memory bitmap standing in for the screen, with a silent sound object,
// an input object read from Allegro's key array, and unit types built in memory. Without a
// platform there is no timer: a Ticker supplies the ticks instead, as fast as the test wants.
class BattleWorld {
  public:
    Loader loader;
    InputObj input;
    MusicSound sound;
    Battle* battle;

    BattleWorld(int screenW = 640, int screenH = 480);
    ~BattleWorld();
    BattleWorld(const BattleWorld&) = delete;
    BattleWorld& operator=(const BattleWorld&) = delete;

    UnitTemplate* addType(const std::string& name, int affiliation, bool isThePC = false, int maxHP = 90);
    // A spawn order of one unit, placed at the arena's centre, due at once.
    void order(const std::string& name);
    // Puts a unit straight into the arena of the battle's round.
    Unit* place(const std::string& name, int x, int y);
    // Binds the battle's unit list to its round and gives the round an arena size.
    void bindRound(int arenaW = 400, int arenaH = 300);
    int pixel(int x, int y) { return getpixel(screen, x, y); }

  private:
    BITMAP* previousScreen;
    std::vector<UnitTemplate*> types;
};

// Adds a tick every millisecond and, between ticks, runs the test's script, which sees the
// frames copied to the screen since the last intro picture ended (fpsCount: the real timer that
// would zero it each second is off).
class Ticker {
  public:
    explicit Ticker(std::function<void(int framesDrawn)> script = nullptr);
    ~Ticker();
    Ticker(const Ticker&) = delete;
    Ticker& operator=(const Ticker&) = delete;

  private:
    std::atomic<bool> running{true};
    std::thread thread;
};

// Allegro's key state as a held or let-go key would leave it.
void pressKey(int scancode);
void releaseKey(int scancode);

#endif
