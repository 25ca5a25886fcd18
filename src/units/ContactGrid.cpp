#include "units/ContactGrid.h"

#include <algorithm>
#include <climits>
#include <numeric>

#include "content/UnitTemplate.h"
#include "units/Unit.h"

// Why the candidates are complete. Two units touch when calcDist (fixhypot of the coordinate
// differences) is at most their reach, half their summed contact diameters. fixhypot is never
// below the larger coordinate difference, so touching units are at most their reach apart on
// each axis. A unit's reach to any unit of a level is at most half its own diameter plus the
// level's largest, so the cells of each level that box that distance around the unit hold every
// unit of the level it may touch, whatever the level's cell size. The same bound on each axis
// and on the distance, pair by pair, then drops most of them before the exact test.
//
// The cell size only sets the work: cells that fit a level's largest unit let a unit of the
// level look at 2 x 2 to 3 x 3 cells of its own level and of every coarser one, while a big unit
// looks at the cells its reach covers on the finer levels, which hold only the units near it.
// Stragglers far outside the arena get a level of their own, so that a few of them do not
// stretch the crowd's grid over the whole range of fixed.

namespace {
const fixed farOut = itofix(16384); // pixels from the origin beyond which a unit goes to the far level
const long long maxCellsPerUnit = 4;
// Size classes double from at least 2 pixels, so every contact diameter below INT_MAX falls in a
// class below this one.
const int farClass = 32;

bool isFar(fixed x, fixed y) {
    return x > farOut || x < -farOut || y > farOut || y < -farOut;
}

// Filling buckets through their starts moves each bucket's start on to the next one's; this moves
// them back. start holds one entry per bucket and one more at the end.
void moveStartsBack(std::vector<int>& start) {
    if (start.size() > 1) std::copy_backward(start.begin(), start.end() - 2, start.end() - 1);
    start[0] = 0;
}
} // namespace

void ContactGrid::build(const std::vector<Unit*>& units) {
    int n = (int)units.size();
    spot.assign(n, Spot{0, 0, 0, 0, 0, 0});
    levelOf.assign(n, -1);
    cellOf.assign(n, 0);
    live.clear();
    for (int i = 0; i < n; i++) {
        prefetchUnitsAhead(units, i, PREFETCH_HEAD);
        Unit* u = units[i];
        if (u->getAnimCurrent() == ANIM_DEAD) continue;
        live.push_back(i);
        spot[i] = Spot{u->getPosX(),
                       u->getPosY(),
                       u->getPicSize(),
                       u->getAffiliation(),
                       u->getUnitPropertyHitbox(),
                       u->getUnitPropertyDefense()};
    }
    sortIntoLevels();
    for (Level& level : levels)
        layOut(level);
    for (int i : live) {
        Level& level = levels[levelOf[i]];
        int cx = level.cellAlong(spot[i].x - level.left, level.cols);
        int cy = level.cellAlong(spot[i].y - level.top, level.rows);
        cellOf[i] = cy * level.cols + cx;
        level.cellStart[cellOf[i] + 1]++;
    }
    for (Level& level : levels)
        std::partial_sum(level.cellStart.begin(), level.cellStart.end(), level.cellStart.begin());
    for (int i : live) { // in list order, so every cell lists its units in list order
        Level& level = levels[levelOf[i]];
        int k = level.cellStart[cellOf[i]]++;
        level.items[k] = i;
        level.places[k] = Place{spot[i].x, spot[i].y, spot[i].size};
    }
    for (Level& level : levels)
        moveStartsBack(level.cellStart);
    swept = findAllPairs();
    if (swept) listCandidates();
}

// The median unit sets the size of the crowd: units up to twice its size make the finest level,
// and every further doubling of size a coarser one.
void ContactGrid::sortIntoLevels() {
    std::vector<fixed> sizes;
    for (int i : live)
        if (!isFar(spot[i].x, spot[i].y)) sizes.push_back(spot[i].size);
    long long base = itofix(2);
    if (!sizes.empty()) {
        size_t k = sizes.size() / 2;
        std::nth_element(sizes.begin(), sizes.begin() + k, sizes.end());
        base = 2LL * std::max(sizes[k], itofix(1));
    }
    int levelOfClass[farClass + 1];
    std::fill(levelOfClass, levelOfClass + farClass + 1, -1);
    size_t used = 0;
    wideCount = 0;
    for (int i : live) {
        const Spot& s = spot[i];
        int sizeClass = farClass;
        if (!isFar(s.x, s.y)) {
            sizeClass = 0;
            for (long long edge = base; s.size > edge; edge *= 2)
                sizeClass++;
        }
        if (sizeClass != 0) wideCount++;
        if (levelOfClass[sizeClass] < 0) {
            levelOfClass[sizeClass] = (int)used++;
            if (levels.size() < used) levels.emplace_back();
            Level& fresh = levels[used - 1];
            fresh.sizeClass = sizeClass;
            fresh.count = 0;
            fresh.largest = s.size;
            fresh.left = fresh.right = s.x;
            fresh.top = fresh.bottom = s.y;
        }
        levelOf[i] = levelOfClass[sizeClass];
        Level& level = levels[levelOf[i]];
        level.count++;
        level.largest = std::max<long long>(level.largest, s.size);
        level.left = std::min<long long>(level.left, s.x);
        level.right = std::max<long long>(level.right, s.x);
        level.top = std::min<long long>(level.top, s.y);
        level.bottom = std::max<long long>(level.bottom, s.y);
    }
    levels.resize(used);
}

void ContactGrid::layOut(Level& level) {
    // One pixel to spare covers any rounding of the distance. Wider cells only merge neighbours,
    // so the level stays complete while its number of cells is capped.
    long long c = std::max<long long>(level.largest, 0) + itofix(1), w, h;
    long long cap = maxCellsPerUnit * level.count + 64;
    while (true) {
        w = (level.right - level.left) / c + 1;
        h = (level.bottom - level.top) / c + 1;
        if (w * h <= cap) break;
        c *= 2;
    }
    level.perCell = 1.0 / c;
    level.cols = (int)w;
    level.rows = (int)h;
    level.cellStart.assign((size_t)(w * h) + 1, 0);
    level.items.resize(level.count);
    level.places.resize(level.count);
}

void ContactGrid::release() {
    *this = ContactGrid();
}

// Whether two units may touch: neither lies farther from the other along an axis than their
// reach, half their summed diameters (computed as the contact test computes it), and they lie
// no farther apart than their reach and a pixel. Within half the range of fixed on both axes the
// contact test's differences are exact and its distance does not saturate but rounds hypot to a
// fraction of a pixel, so a pair dropped here is one the contact test would drop; dropped here,
// it costs no look at the units.
bool ContactGrid::mayTouch(const Place& a, const Place& b) {
    long long reach = ((long long)a.size + b.size) / 2;
    reach = std::min<long long>(reach, INT_MAX);
    long long dx = (long long)b.x - a.x, dy = (long long)b.y - a.y;
    if (dx > reach || -dx > reach || dy > reach || -dy > reach) return false;
    if (reach > INT_MAX / 2) return true;
    double most = (double)reach + itofix(1);
    return (double)dx * dx + (double)dy * dy <= most * most;
}

template <typename Found>
void ContactGrid::search(const Place& a, const Level& level, int from, Found found) const {
    // The farthest along an axis that a unit of this level may be and still touch a.
    long long r = ((long long)a.size + level.largest) / 2;
    long long x0 = a.x - r - level.left, x1 = a.x + r - level.left;
    long long y0 = a.y - r - level.top, y1 = a.y + r - level.top;
    if (r < 0 || x1 < 0 || y1 < 0 || x0 > level.right - level.left || y0 > level.bottom - level.top)
        return; // beside the level's units
    int cx0 = level.cellAlong(x0, level.cols), cx1 = level.cellAlong(x1, level.cols);
    int cy0 = level.cellAlong(y0, level.rows), cy1 = level.cellAlong(y1, level.rows);
    for (int cy = cy0; cy <= cy1; cy++) {
        // The cells of a row lie side by side in items.
        int first = cy * level.cols + cx0, last = cy * level.cols + cx1;
        for (int k = std::max(level.cellStart[first], from); k < level.cellStart[last + 1]; k++)
            if (mayTouch(a, level.places[k])) found(k);
    }
}

// Each unit searches the rest of its own level from the item after its own (a pair within a
// level is found by the unit that comes first in items, whose search covers the other's cell as
// the other's covers its own) and every finer level; a coarse unit searching the fine cells
// looks at fewer cells than the many fine units would searching the coarse ones. The sweep
// reads the cells in the order they lie in memory.
bool ContactGrid::findAllPairs() {
    pairs.clear();
    size_t budget = pairBudget();
    for (const Level& own : levels)
        for (int k = 0; k < own.count; k++) {
            int i = own.items[k];
            const Place& a = own.places[k];
            for (const Level& other : levels) {
                if (other.sizeClass > own.sizeClass) continue;
                const std::vector<int>& items = other.items;
                search(a, other, &other == &own ? k + 1 : 0, [&](int m) { pairs.push_back({i, items[m]}); });
            }
            if (pairs.size() > budget) return false;
        }
    return true;
}

void ContactGrid::listCandidates() {
    int n = (int)spot.size();
    candidateStart.assign(n + 1, 0);
    for (int i : live)
        candidateStart[i + 1]++;
    for (const Pair& p : pairs) {
        candidateStart[p.a + 1]++;
        candidateStart[p.b + 1]++;
    }
    std::partial_sum(candidateStart.begin(), candidateStart.end(), candidateStart.begin());
    candidateList.resize(candidateStart[n]);
    for (int i : live)
        candidateList[candidateStart[i]++] = i;
    for (const Pair& p : pairs) {
        candidateList[candidateStart[p.a]++] = p.b;
        candidateList[candidateStart[p.b]++] = p.a;
    }
    moveStartsBack(candidateStart);
    for (int i : live)
        std::sort(candidateList.begin() + candidateStart[i], candidateList.begin() + candidateStart[i + 1]);
}

ContactGrid::Candidates ContactGrid::candidates(int i) {
    found.clear();
    if (i < 0 || i >= (int)levelOf.size() || levelOf[i] < 0) return {found.data(), found.data()};
    if (swept) {
        const int* list = candidateList.data();
        return {list + candidateStart[i], list + candidateStart[i + 1]};
    }
    const Place a{spot[i].x, spot[i].y, spot[i].size};
    for (const Level& level : levels)
        search(a, level, 0, [&](int k) { found.push_back(level.items[k]); });
    std::sort(found.begin(), found.end());
    return {found.data(), found.data() + found.size()};
}

long ContactGrid::countCandidates() {
    long total = 0;
    for (int i = 0; i < (int)levelOf.size(); i++)
        total += (long)candidates(i).size();
    return total;
}
