#ifndef VORN_UNITS_KBFORCE_H
#define VORN_UNITS_KBFORCE_H

#include <allegro.h>

// One knockback force acting on a unit, held by value in the unit's list of forces.
struct kbForce {
    fixed angle;     // direction of the push, compass angle
    fixed magnitude; // pixels per step, before the receiver's weight factor
    int duration;    // drawn frames during which the magnitude stays whole
    bool
        weighted; // true: scaled by the receiver's weight; false: factor 1, dropped once its duration ran out

    kbForce() : angle(0), magnitude(0), duration(0), weighted(true) {}
    kbForce(fixed angle, fixed magnitude, int duration)
        : angle(angle), magnitude(magnitude), duration(duration), weighted(true) {}
    kbForce(fixed angle, fixed magnitude, int duration, bool weighted)
        : angle(angle), magnitude(magnitude), duration(duration), weighted(weighted) {}
};

#endif
