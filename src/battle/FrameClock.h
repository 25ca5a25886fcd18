#ifndef VORN_BATTLE_FRAMECLOCK_H
#define VORN_BATTLE_FRAMECLOCK_H

// The frame clock: a 30 ms simulation tick and a once-a-second frame-rate sample.
// Both callbacks run in Allegro's timer thread; the counters they touch are atomic.

// Timer callback every 30 ms (35790 ticks of the 1193181 Hz clock): one more pending step.
void incFrameTick();
// Timer callback every second: keep the best frame count, start a new count.
void fpsReset();
// Zeroes fpsCount, fpsMax and gotoNextFrame (end of every intro picture).
void resetTimers();
// Returns once at least one tick is pending. Sleeps a millisecond at a time meanwhile, so the
// wait leaves the processor to others; against a 30 ms tick that costs no pace.
void waitForTick();
// Installs both callbacks and resets the counters; the clock is never removed.
void installFrameClock();

#endif
