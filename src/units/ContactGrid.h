#ifndef VORN_UNITS_CONTACTGRID_H
#define VORN_UNITS_CONTACTGRID_H

#include <algorithm>
#include <allegro.h>
#include <vector>

class Unit;

// The broad phase of the contact pass: grids of square cells, rebuilt for every pass, that name
// for each unit the few units it may touch, so the contact tests need not look at every pair.
// While the contacts of a step are dealt no unit moves, no animation changes and no unit joins
// or leaves the list, so positions and contact sizes hold for the whole pass.
//
// Units are sorted by size into levels, each a grid whose cells fit its largest unit: the crowd
// on the finest, blasts and giants on coarser ones, so neither a few big units nor stragglers far
// outside the arena make the cells of the crowd huge, and the work of a pass grows with the
// number of units, not with its square.
//
// Every candidate list is a superset of the units within contact reach, in list order: running
// the contact tests of a unit over its candidates handles exactly the pairs, in exactly the
// order, that the scan over the whole list would.
class ContactGrid {
  public:
    // What the contact tests of a pass read of a unit, as it was when the grid was built: all of
    // it holds for the whole pass, so a pair that does not touch is known without the units.
    struct Spot {
        fixed x, y, size;                 // position and contact diameter, pixels
        int affiliation, hitbox, defense; // as on Unit
    };

    // A unit's candidates: indices into the list the grid was built from, ascending.
    struct Candidates {
        const int *first, *last;
        const int* begin() const { return first; }
        const int* end() const { return last; }
        bool empty() const { return first == last; }
        size_t size() const { return (size_t)(last - first); }
    };

    void build(const std::vector<Unit*>& units);
    // Gives back the memory of the last build (a round ends with the memory it began with).
    void release();
    // The candidates of unit i, itself among them. Empty for a dead unit: the pair rule rejects every pair of
    // which a dead unit is part. Valid until the next call or build.
    Candidates candidates(int i);
    // The spot of unit i of the list the grid was built from; only for a live unit.
    const Spot& getSpot(int i) const { return spot[i]; }
    // For tests and measurements: the candidates of every unit, summed.
    long countCandidates();
    // Whether the last build found its pairs in one sweep (not a crowd packed past the budget).
    bool wasSwept() const { return swept; }
    // Live units too big (or too far out) for the cells of the crowd.
    int getWideCount() const { return wideCount; }

  private:
    // The part of a spot that finds the candidates, kept cell by cell.
    struct Place {
        fixed x, y, size;
    };
    // One grid: cells over the bounding box of its units, each wider than the largest of them.
    struct Level {
        long long left = 0, right = 0, top = 0, bottom = 0; // the bounding box of its units, fixed
        long long largest = 0;                              // contact diameter of its largest unit
        int cols = 0, rows = 0, count = 0;
        int sizeClass = 0;          // its units' size class: each level has its own
        std::vector<int> cellStart; // first entry of each cell in items; one more entry at the end
        std::vector<int> items;     // its units sorted by cell, list order within a cell
        std::vector<Place> places;  // the place of each of items, so a row of cells is one stretch
        double perCell = 0;         // 1 / the cell's side in fixed: a cell is found by a product
        // The column (or row) of a distance from the left (or top) edge, within 0 .. cells - 1. It
        // never falls as the distance grows, so a span of distances covers the cells between the
        // cells of its ends.
        int cellAlong(long long offset, int cells) const {
            long long c = (long long)(offset * perCell);
            return (int)std::min<long long>(std::max<long long>(c, 0), cells - 1);
        }
    };
    static bool mayTouch(const Place& a, const Place& b);
    void sortIntoLevels();
    void layOut(Level& level);
    // Calls found(item) for each item of level, from item `from` on, that may touch a.
    template <typename Found> void search(const Place& a, const Level& level, int from, Found found) const;
    bool findAllPairs();
    void listCandidates();

    std::vector<Spot> spot;
    std::vector<int> levelOf; // level of each unit, -1 for a dead one
    std::vector<int> cellOf;  // cell of each unit within its level
    std::vector<int> live;    // every unit that is not dead, in list order
    std::vector<Level> levels;
    // Every pair that may touch, found in one sweep over the cells at build, each pair once; then
    // each live unit's candidates (itself among them) from candidateStart[i] in candidateList.
    // A crowd packed so tight that its pairs pass pairBudget() is searched unit by unit instead,
    // so memory stays within pairBudget() pairs however the units stand.
    struct Pair {
        int a, b;
    };
    size_t pairBudget() const { return 32 * live.size() + 1024; }
    bool swept = false;
    std::vector<Pair> pairs;
    std::vector<int> candidateStart, candidateList;
    std::vector<int> found; // the answer of candidates() when not swept
    int wideCount = 0;
};

#endif
