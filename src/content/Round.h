#ifndef VORN_CONTENT_ROUND_H
#define VORN_CONTENT_ROUND_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/UnitCreate.h"

// Wall modes of an arena.
enum { WALL_STOP = 0, WALL_IGNORE = 1, WALL_BOUNCE = 2, WALL_PUSH = 3 };

// One round of a campaign: arena, pictures, walls and the pending spawn orders. The battle
// keeps one Round and the loader refills it for every round played.
class Round {
  public:
    Round();
    ~Round();
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;

    void setArenaSize(fixed x, fixed y) {
        arenaSizeX = x;
        arenaSizeY = y;
    }
    fixed getArenaSizeX() const { return arenaSizeX; }
    fixed getArenaSizeY() const { return arenaSizeY; }
    void setArenaPic(BITMAP* pic) { arenaPic = pic; }
    BITMAP* getArenaPic() const { return arenaPic; }
    void setTitlePic(BITMAP* pic) { titlePic = pic; }
    BITMAP* getTitlePic() const { return titlePic; }
    void setArenaKB(fixed kb) { arenaKB = kb; }
    fixed getArenaKB() const { return arenaKB; }
    void setArenaWall(int wall) { arenaWall = wall; }
    int getArenaWall() const { return arenaWall; }
    std::string* getName() { return &name; }
    void setName(std::string* n) { name = n ? *n : std::string(); }

    // The list itself: the unit list fires orders from it and units append theirs to it.
    std::vector<UnitCreate*>* getUnitsToAppear() { return &unitsToAppear; }
    void addUnitsToAppear(UnitCreate* order) { unitsToAppear.push_back(order); }

  private:
    std::string name;
    fixed arenaSizeX; // pixels
    fixed arenaSizeY;
    BITMAP* arenaPic;                       // object of a round datafile, not owned
    BITMAP* titlePic;                       // object of a round datafile, not owned
    std::vector<UnitCreate*> unitsToAppear; // owned pending orders
    fixed arenaKB;                          // knockback damping per drawn frame
    int arenaWall;                          // WALL_*
};

#endif
