#ifndef VORN_CONTENT_ROUND_H
#define VORN_CONTENT_ROUND_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/UnitCreate.h"

// Wall modes of an arena, the numbers of round files. In every mode a unit beyond an edge loses hit
// points for each step it is there. Units with IGNORE_WALL_KNOCKBACK are never put back.
enum {
    WALL_STOP = 0,   // put back on the edge, forces cancelled; wall ignorers' forces turn along it
    WALL_IGNORE = 1, // free to leave
    WALL_BOUNCE = 2, // as Stop, but wall ignorers' forces reverse at three quarters of their strength
    WALL_PUSH = 3    // pushed back ever harder, and put back on the edge after 30 steps outside
};

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
    fixed arenaSizeX;                       // pixels
    fixed arenaSizeY;                       // pixels
    BITMAP* arenaPic;                       // object of a round datafile, not owned
    BITMAP* titlePic;                       // object of a round datafile, not owned
    std::vector<UnitCreate*> unitsToAppear; // owned pending orders
    fixed arenaKB; // knockback damping: factor (fixed-point) on a spent force per drawn frame
    int arenaWall; // WALL_*
};

#endif
