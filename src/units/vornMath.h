#ifndef VORN_UNITS_VORNMATH_H
#define VORN_UNITS_VORNMATH_H

#include <allegro.h>

// The game's compass: moving r along angle a adds r*sin(a) to x and subtracts r*cos(a) from y,
// so 0 is up, 64 right, 128 down, 192 left (Allegro fixed angles, 256 to a turn, clockwise on
// screen). Angles are not kept normalised.

// Direction from point 1 to point 2; fallback when the points coincide. Lies in -192..+64.
fixed calcAngle(const fixed& x1, const fixed& y1, const fixed& x2, const fixed& y2, const fixed& fallback);
// Euclidean distance, never negative.
fixed calcDist(const fixed& x1, const fixed& y1, const fixed& x2, const fixed& y2);
// Signed shortest turn from b to a, in -128..+128; positive means a lies clockwise of b.
fixed angleDist(const fixed& a, const fixed& b);
// a brought into 0..256, both ends included.
fixed normalizeAngle(const fixed& a);
fixed fixabs(const fixed& a);

#endif
