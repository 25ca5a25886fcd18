#ifndef VORN_UNITS_ANGLESUM_H
#define VORN_UNITS_ANGLESUM_H

#include <allegro.h>
#include <cstdint>

// a + b for angles that are not kept normalised. The raw sum wraps at 2^32, which is 65536 angle
// units, a whole number of turns: the direction is kept where a plain int sum would overflow.
inline fixed angleSum(fixed a, fixed b) {
    return (fixed)((uint32_t)a + (uint32_t)b);
}

#endif
