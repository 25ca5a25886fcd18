#include "battle/FrameClock.h"

#include <allegro.h>
#include <chrono>
#include <thread>

#include "frame/globals.h"

void incFrameTick() {
    gotoNextFrame.fetch_add(1);
}
END_OF_FUNCTION(incFrameTick)

void fpsReset() {
    int count = fpsCount.exchange(0);
    int best = fpsMax.load();
    // fpsMax only grows between resets; the exchange loop keeps a concurrent larger value.
    while (count > best && !fpsMax.compare_exchange_weak(best, count)) {
    }
}
END_OF_FUNCTION(fpsReset)

void resetTimers() {
    fpsCount = 0;
    fpsMax = 0;
    gotoNextFrame = 0;
}

void installFrameClock() {
    // Allegro's platform-less system (the unit tests) has no timer and crashes installing one;
    // there the counters only move when the test moves them.
    if (!system_driver || system_driver->id == SYSTEM_NONE) {
        resetTimers();
        return;
    }
    LOCK_FUNCTION(incFrameTick);
    LOCK_FUNCTION(fpsReset);
    install_int_ex(incFrameTick, MSEC_TO_TIMER(30));
    install_int_ex(fpsReset, SECS_TO_TIMER(1));
    resetTimers();
}

void waitForTick() {
    while (gotoNextFrame.load() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
