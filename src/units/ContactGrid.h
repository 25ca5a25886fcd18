#ifndef VORN_UNITS_CONTACTGRID_H
#define VORN_UNITS_CONTACTGRID_H

#include <allegro.h>
#include <vector>

class Unit;

// The broad phase of the contact pass: a uniform grid of square cells, rebuilt for every pass,
// that names for each unit the few units it may touch, so the contact tests need not look at
// every pair. While the contacts of a step are dealt no unit moves, no animation changes and no
// unit joins or leaves the list, so positions and contact sizes hold for the whole pass.
//
// Every candidate list is a superset of the units within contact reach, in list order: running
// the contact tests of a unit over its candidates handles exactly the pairs, in exactly the
// order, that the scan over the whole list would.
class ContactGrid {
  public:
    void build(const std::vector<Unit*>& units);
    // Gives back the memory of the last build (a round ends with the memory it began with).
    void release();
    // Indices into the list the grid was built from, ascending. Empty for a dead unit: the pair
    // rule rejects every pair of which a dead unit is part.
    const std::vector<int>& candidates(int i);
    // For tests and measurements: the units looked at by candidates() of each unit, summed.
    long countCandidates();
    fixed getCellSize() const { return cell; }
    int getWideCount() const { return (int)wide.size(); }

  private:
    enum Kind { OUT, GRIDDED, WIDE };
    bool mayTouch(int i, int j) const;
    void chooseCellSize();
    void sortIntoCells();

    std::vector<Kind> kind;
    std::vector<fixed> size;    // contact diameter of each unit
    std::vector<fixed> x, y;    // positions, as the units held them when the grid was built
    std::vector<int> cellOf;    // cell index of each gridded unit
    std::vector<int> cellStart; // first entry of each cell in items; one more entry at the end
    std::vector<int> items;     // gridded units sorted by cell, list order within a cell
    std::vector<int> wide;      // units tested against everyone, in list order
    std::vector<int> live;      // every unit that is not dead, in list order
    std::vector<int> found;     // the answer of candidates()
    fixed cell = 0;
    fixed left = 0, top = 0;
    int cols = 0, rows = 0;
};

#endif
