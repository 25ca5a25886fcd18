#ifndef VORN_UNITS_SATURATE_H
#define VORN_UNITS_SATURATE_H

#include <climits>

// A sum or product formed in 64 bits, held within -INT_MAX..INT_MAX instead of wrapping: hit
// points, juice and score of extreme data (long rounds, huge damage values) saturate.
inline int saturateInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < -INT_MAX) return -INT_MAX;
    return (int)v;
}

#endif
