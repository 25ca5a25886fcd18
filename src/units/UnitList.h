#ifndef VORN_UNITS_UNITLIST_H
#define VORN_UNITS_UNITLIST_H

#include <allegro.h>
#include <vector>

#include "units/ContactGrid.h"
#include "units/PlayerCommand.h"

class Loader;
class MusicSound;
class PlayerUnit;
class Round;
class Unit;
class UnitCreate;
class UnitTemplate;

// Modes of UnitList::search.
enum SearchMode {
    SEARCH_BY_SIDE = 0, // units of exactly the given affiliation
    SEARCH_PLAYERS = 1  // the player's units (PlayerUnit), whatever the affiliation given
};

// The population of the round being played: the units in the arena, in creation order (the
// update and drawing order), and the round's pending spawn orders.
class UnitList {
  public:
    UnitList();
    ~UnitList();
    UnitList(const UnitList&) = delete;
    UnitList& operator=(const UnitList&) = delete;

    void setupRound(Round* r);
    // Empties the arena and the pending orders.
    void clear();
    void makeUnits(Loader* l, Round* r);
    // The rest of a step: juice to the player, the command to every player unit, then every
    // unit's decision, the contact pass, every unit's update, and finished units removed and
    // destroyed (see forgetRemovedUnits).
    void allUnitsMove(const PlayerCommand& command);
    // The contact pass of a step: every unit's contact tests, in list order, by way of the
    // contact grid unless the all-pairs scan was asked for; both deal the same hits.
    void contactPass();
    // One whole simulation step as the battle runs it: makeUnits, then allUnitsMove.
    void simulationStep(Loader* l, Round* r, const PlayerCommand& command);
    // canvas: arena's bitmap pixels per arena pixel, as Unit::draw.
    void drawUnits(BITMAP* arena, MusicSound* ms, bool paused, fixed canvas = itofix(1));
    // A digest of the animation and its frame every drawing since the list was last cleared left
    // each unit at: a frame drawn as running where it was paused, or the other way, changes
    // it for good, even when the units' state comes back to what it was.
    uint64_t getDrawnDigest() const { return drawnDigest; }
    // Places a unit of the order by its side; type is kept for callers, unused. The rim's sides and
    // SIDE_ANYWHERE draw on rand().
    void positionUnitOnSide(fixed& x, fixed& y, fixed& angle, UnitCreate* order, UnitTemplate* type,
                            Round* r);
    // mode: a SearchMode (other values find nothing); affiliation: AFF_*, for SEARCH_BY_SIDE only.
    std::vector<Unit*> search(int mode, int affiliation);
    int getPlayerScore();
    // Whether a unit of exactly affiliation aff (AFF_*) is in the arena or in a pending order.
    bool anyRemainingAffiliation(int aff, Loader* l);
    bool thisUnitExists(Unit* u);
    std::vector<Unit*>::iterator beginOfList() { return units->begin(); }
    std::vector<Unit*>::iterator endOfList() { return units->end(); }
    void addUnitCreate(UnitCreate* order);
    void giveJuiceToPlayer(PlayerUnit* player);

    // Contact tests by the plain scan of every pair (the reference) instead of the grid.
    void setExhaustiveContacts(bool on) { exhaustiveContacts = on; }
    bool getExhaustiveContacts() const { return exhaustiveContacts; }

    // Puts a unit into the arena at the end of the list; the list owns it from then on.
    void appendUnit(Unit* u);
    std::vector<Unit*>* getUnits() { return units; }
    // Most units alive at once; orders that fire while the arena is full make nothing. Units
    // that add units (a type that adds itself twice on every death) would otherwise multiply
    // until a step takes longer than its 30 ms tick and the game never catches up. A step and a
    // drawn frame of 10,000 units take about 14 ms together (README, "Large crowds"), inside the
    // tick. Headless tools that measure larger crowds raise it.
    static constexpr size_t defaultMaxLiveUnits = 10000;
    void setMaxLiveUnits(size_t most) { maxLiveUnits = most; }
    size_t getMaxLiveUnits() const { return maxLiveUnits; }
    std::vector<UnitCreate*>* getUnitsToAppear() { return unitsToAppear; }
    Round* getRound() { return round; }

  private:
    std::vector<Unit*>* units;               // owned
    std::vector<UnitCreate*>* unitsToAppear; // the round's own list, borrowed
    Round* round;
    // The units taken out at the end of the current step, sorted by address; destroyed before
    // the step ends, once no unit and no pending order refers to them.
    std::vector<Unit*> removedUnits;
    size_t maxLiveUnits;
    bool exhaustiveContacts = false;
    uint64_t drawnDigest; // FNV-1a (system/Digest.h)
    ContactGrid contactGrid;
    // The contacts of the unit whose contacts are being dealt, in list order.
    struct Contact;
    std::vector<Contact> touching;
    // While a step's passes run the list does not change: membership and searches are answered
    // from an index made at the start of the step instead of a walk over every unit. Both are
    // read only while stepIndexed; the units removed at a step's end leave the index with them,
    // so the addresses of units destroyed since are never used.
    bool stepIndexed = false;
    std::vector<Unit*> sortedUnits;
    // The list as sortedUnits holds it: a list that has only grown at its end since is indexed by
    // merging in its new units instead of sorting it whole. Both are kept from step to step.
    std::vector<Unit*> indexedList;
    std::vector<Unit*> fresh, merged; // room for the units merged in and the merge
    Unit* lastFound = nullptr;        // the unit thisUnitExists last found this step: a crowd asks after one
    struct CachedSearch {
        int mode, affiliation;
        std::vector<Unit*> found;
    };
    std::vector<CachedSearch> searchCache;
    void indexStep();
    // Every reference to a unit of removedUnits, held by a unit still in the arena or by a
    // pending order, is let go; then they are destroyed. A freed address may be handed to the
    // next unit made, so a reference kept would make a gone unit look alive again.
    void forgetRemovedUnits();
};

#endif
