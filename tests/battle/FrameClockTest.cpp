#include <gtest/gtest.h>
#include <thread>

#include "battle/FrameClock.h"
#include "frame/globals.h"

TEST(FrameClock, FpsMaxKeepsTheBestSecondUntilReset) {
    resetTimers();
    const int secondsOfFrames[] = {30, 45, 12, 44, 0, 46};
    int best = 0;
    for (int frames : secondsOfFrames) {
        fpsCount = frames;
        fpsReset();
        best = std::max(best, frames);
        EXPECT_EQ(fpsMax.load(), best) << "fpsMax must never drop between resets";
        EXPECT_EQ(fpsCount.load(), 0);
    }
    resetTimers();
    EXPECT_EQ(fpsMax.load(), 0);
    EXPECT_EQ(fpsCount.load(), 0);
    EXPECT_EQ(gotoNextFrame.load(), 0);
}

TEST(FrameClock, NoTickIsLostUnderConcurrentIncrementsAndDecrements) {
    resetTimers();
    const int ticks = 200000;
    std::thread timer([&] {
        for (int i = 0; i < ticks; i++)
            incFrameTick();
    });
    // The battle loop consumes ticks while the timer adds them.
    int consumed = 0;
    while (consumed < ticks / 2) {
        if (gotoNextFrame.load() > 0) {
            gotoNextFrame--;
            consumed++;
        }
    }
    timer.join();
    EXPECT_EQ(gotoNextFrame.load() + consumed, ticks);
    resetTimers();
}
