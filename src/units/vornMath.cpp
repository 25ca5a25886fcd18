#include "units/vornMath.h"

#include <climits>

namespace {
const fixed FULL_TURN = itofix(256);

// b - a without wrapping: points at the two ends of the range of fixed are far apart, not close.
fixed difference(fixed b, fixed a) {
    long long d = (long long)b - a;
    return d > INT_MAX ? INT_MAX : d < -INT_MAX ? -INT_MAX : (fixed)d;
}
} // namespace

fixed calcAngle(const fixed& x1, const fixed& y1, const fixed& x2, const fixed& y2, const fixed& fallback) {
    fixed dx = difference(x1, x2);
    fixed dy = difference(y2, y1);
    if (dx == 0 && dy == 0) return fallback;
    if (dy == 0) return x2 > x1 ? itofix(64) : itofix(192);
    fixed m = fixatan(fixdiv(dx, dy)); // fixdiv saturates, giving the +-64 limit
    if (dy > 0) m -= itofix(128);
    return m;
}

fixed calcDist(const fixed& x1, const fixed& y1, const fixed& x2, const fixed& y2) {
    return fixhypot(difference(x2, x1), difference(y2, y1));
}

fixed normalizeAngle(const fixed& a) {
    fixed r = a;
    while (r < 0)
        r += FULL_TURN;
    while (r > FULL_TURN)
        r -= FULL_TURN;
    return r;
}

fixed angleDist(const fixed& a, const fixed& b) {
    fixed na = normalizeAngle(a);
    fixed nb = normalizeAngle(b);
    fixed d1 = na - nb;
    fixed d2 = na - nb + FULL_TURN;
    fixed d3 = na - nb - FULL_TURN;
    fixed a1 = fixabs(d1), a2 = fixabs(d2), a3 = fixabs(d3);
    // Ties go to the later candidate: each later match overrides an earlier one.
    fixed result = d1;
    if (a1 <= a2 && a1 <= a3) result = d1;
    if (a2 <= a1 && a2 <= a3) result = d2;
    if (a3 <= a2 && a3 <= a1) result = d3;
    return result;
}

fixed fixabs(const fixed& a) {
    return a < 0 ? -a : a;
}
