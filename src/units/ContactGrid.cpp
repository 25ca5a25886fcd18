#include "units/ContactGrid.h"

#include <algorithm>
#include <climits>

#include "content/UnitTemplate.h"
#include "units/Unit.h"

// Why the candidates are complete. Two units touch when calcDist (fixhypot of the coordinate
// differences) is at most their reach, half their summed contact diameters, which is at most the
// larger diameter. fixhypot is never below the larger coordinate difference, so touching units
// are at most one diameter apart on each axis. Cells are wider than every gridded unit's
// diameter, so touching gridded units lie in the same or in neighbouring cells. The same bound
// on each axis then drops most of the neighbours before the exact test.
//
// Two kinds of unit are kept out of the cells and tested against everyone instead: units much
// larger than the crowd (a few giants must not make every cell huge) and stragglers far outside
// the arena (a few must not stretch the grid over the whole range of fixed).

namespace {
const fixed farOut = itofix(16384); // pixels from the origin beyond which a unit goes wide
const long long maxCellsPerUnit = 4;
} // namespace

void ContactGrid::build(const std::vector<Unit*>& units) {
    int n = (int)units.size();
    kind.assign(n, OUT);
    size.assign(n, 0);
    x.assign(n, 0);
    y.assign(n, 0);
    wide.clear();
    live.clear();
    for (int i = 0; i < n; i++) {
        Unit* u = units[i];
        if (u->getAnimCurrent() == ANIM_DEAD) continue;
        live.push_back(i);
        size[i] = u->getPicSize();
        x[i] = u->getPosX();
        y[i] = u->getPosY();
        bool far = x[i] > farOut || x[i] < -farOut || y[i] > farOut || y[i] < -farOut;
        kind[i] = far ? WIDE : GRIDDED;
    }
    chooseCellSize();
    for (int i : live)
        if (kind[i] == WIDE) wide.push_back(i);
    sortIntoCells();
}

void ContactGrid::chooseCellSize() {
    std::vector<fixed> sizes;
    for (int i : live)
        if (kind[i] == GRIDDED) sizes.push_back(size[i]);
    if (sizes.empty()) {
        cell = itofix(1);
        return;
    }
    // Nine units in ten set the cell; anything more than twice their size goes wide.
    size_t k = sizes.size() * 9 / 10;
    std::nth_element(sizes.begin(), sizes.begin() + k, sizes.end());
    long long limit = 2LL * std::max(sizes[k], itofix(1));
    long long largest = 0;
    for (int i : live) {
        if (kind[i] != GRIDDED) continue;
        if (size[i] > limit)
            kind[i] = WIDE;
        else
            largest = std::max<long long>(largest, size[i]);
    }
    // One pixel to spare covers any rounding of the distance.
    cell = (fixed)std::min<long long>(largest + itofix(1), INT_MAX / 4);
}

void ContactGrid::sortIntoCells() {
    long long minX = LLONG_MAX, minY = LLONG_MAX, maxX = LLONG_MIN, maxY = LLONG_MIN;
    int gridded = 0;
    for (int i : live) {
        if (kind[i] != GRIDDED) continue;
        gridded++;
        minX = std::min<long long>(minX, x[i]);
        maxX = std::max<long long>(maxX, x[i]);
        minY = std::min<long long>(minY, y[i]);
        maxY = std::max<long long>(maxY, y[i]);
    }
    cols = rows = 0;
    items.clear();
    cellStart.assign(1, 0);
    if (gridded == 0) return;
    // Wider cells only merge neighbours, so the grid stays complete while its size is capped.
    long long c = cell, w, h;
    long long cap = maxCellsPerUnit * gridded + 64;
    while (true) {
        w = (maxX - minX) / c + 1;
        h = (maxY - minY) / c + 1;
        if (w * h <= cap) break;
        c *= 2;
    }
    cell = (fixed)std::min<long long>(c, INT_MAX);
    left = (fixed)minX;
    top = (fixed)minY;
    cols = (int)w;
    rows = (int)h;

    int n = (int)kind.size();
    cellOf.assign(n, -1);
    cellStart.assign((size_t)cols * rows + 1, 0);
    for (int i : live) {
        if (kind[i] != GRIDDED) continue;
        long long cx = ((long long)x[i] - left) / c, cy = ((long long)y[i] - top) / c;
        cellOf[i] = (int)(cy * cols + cx);
        cellStart[cellOf[i] + 1]++;
    }
    for (size_t k = 1; k < cellStart.size(); k++)
        cellStart[k] += cellStart[k - 1];
    items.assign(gridded, 0);
    std::vector<int> next(cellStart.begin(), cellStart.end() - 1);
    for (int i : live) // in list order, so every cell lists its units in list order
        if (kind[i] == GRIDDED) items[next[cellOf[i]]++] = i;
}

void ContactGrid::release() {
    *this = ContactGrid();
}

// Whether units i and j may touch: neither lies farther from the other along an axis than their
// reach, half their summed diameters (computed as the contact test computes it).
bool ContactGrid::mayTouch(int i, int j) const {
    long long reach = ((long long)size[i] + size[j]) / 2;
    reach = std::min<long long>(reach, INT_MAX);
    long long dx = (long long)x[j] - x[i], dy = (long long)y[j] - y[i];
    return dx <= reach && -dx <= reach && dy <= reach && -dy <= reach;
}

const std::vector<int>& ContactGrid::candidates(int i) {
    found.clear();
    if (i < 0 || i >= (int)kind.size() || kind[i] == OUT) return found;
    if (kind[i] == WIDE) {
        for (int j : live)
            if (mayTouch(i, j)) found.push_back(j);
        return found;
    }
    int cx = cellOf[i] % cols, cy = cellOf[i] / cols;
    for (int ny = std::max(cy - 1, 0); ny <= std::min(cy + 1, rows - 1); ny++) {
        for (int nx = std::max(cx - 1, 0); nx <= std::min(cx + 1, cols - 1); nx++) {
            int c = ny * cols + nx;
            for (int k = cellStart[c]; k < cellStart[c + 1]; k++)
                if (mayTouch(i, items[k])) found.push_back(items[k]);
        }
    }
    for (int j : wide)
        if (mayTouch(i, j)) found.push_back(j);
    std::sort(found.begin(), found.end());
    return found;
}

long ContactGrid::countCandidates() {
    long total = 0;
    for (int i = 0; i < (int)kind.size(); i++)
        total += (long)candidates(i).size();
    return total;
}
