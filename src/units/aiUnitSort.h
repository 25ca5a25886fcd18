#ifndef VORN_UNITS_AIUNITSORT_H
#define VORN_UNITS_AIUNITSORT_H

class Unit;

// Sort record of target choice, one per candidate. Lowest sum wins.
class aiUnitSort {
  public:
    Unit* unit = nullptr;
    int hpScore = 0;
    int bonusScore = 0; // never set

    int sum() const { return hpScore + bonusScore; }
    bool isLessThan(const aiUnitSort& other) const { return sum() < other.sum(); }
    bool isEqualTo(const aiUnitSort& other) const { return sum() == other.sum(); }
};

#endif
