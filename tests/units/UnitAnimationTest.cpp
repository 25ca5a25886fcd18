#include <gtest/gtest.h>

#include <cmath>

#include "units/SpriteCache.h"
#include "units/UnitWorld.h"

// Animation timing and loops, the animation choice, drawing and sound requests.

namespace {

class AnimationTest : public ::testing::Test {
  protected:
    UnitWorld w;
    BITMAP* bmp = create_bitmap(40, 40);
    ~AnimationTest() override { destroy_bitmap(bmp); }

    // Draws one frame and runs its end of frame; returns 100 x animation + frame index of the
    // picture drawn, -1 when nothing was drawn.
    int showFrame(ProbeUnit* u, bool paused = false) {
        clear_to_color(bmp, 0);
        u->draw(bmp, nullptr, paused);
        if (!paused) u->endOfRound();
        int c = getpixel(bmp, 20, 20);
        return c == 0 ? -1 : getg(c) / 20 * 100 + getr(c) - 10;
    }

    std::vector<int> showFrames(ProbeUnit* u, int n, bool walking = false) {
        std::vector<int> shown;
        for (int i = 0; i < n; i++) {
            clear_to_color(bmp, 0);
            u->draw(bmp, nullptr, false);
            if (walking) u->walk(true);
            u->endOfRound();
            int c = getpixel(bmp, 20, 20);
            shown.push_back(c == 0 ? -1 : getg(c) / 20 * 100 + getr(c) - 10);
        }
        return shown;
    }

    ProbeUnit* walker(UnitTemplate* t) {
        ProbeUnit* u = w.add(t, 20, 20);
        u->walk(true);
        u->endOfRound();
        return u;
    }
};

} // namespace

TEST_F(AnimationTest, AttackPlaysOnceThenTheStateEnds) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_ATTACK1, {1, 1, 1});
    ProbeUnit* u = w.add(t, 20, 20);
    u->attackState = 1;
    u->endOfRound();
    std::vector<int> shown;
    for (int i = 0; i < 5; i++)
        shown.push_back(showFrame(u));
    EXPECT_EQ(u->attackState, 1);
    for (int i = 0; i < 2; i++)
        shown.push_back(showFrame(u));
    EXPECT_EQ(shown, (std::vector<int>{200, 200, 201, 201, 202, 202, 0}));
    EXPECT_EQ(u->attackState, 0);
}

TEST_F(AnimationTest, AttackAnimationsPickedByAttackBit) {
    ProbeUnit* u = w.add(w.type(AFF_ENEMY), 20, 20);
    const int expected[][2] = {{1, ANIM_ATTACK1}, {2, ANIM_ATTACK2}, {4, ANIM_ATTACK4}, {3, ANIM_ATTACK4}};
    for (const auto& e : expected) {
        u->attackState = e[0];
        u->endOfRound();
        EXPECT_EQ(u->getCharAnim(), e[1]) << e[0];
    }
    u->getBadStatus()[0] = 3; // a stun shows over everything but death
    u->endOfRound();
    EXPECT_EQ(u->getCharAnim(), ANIM_STUN);
}

TEST_F(AnimationTest, RepeatGoesBackToTheLoopStart) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {0, 0, 0});
    t->animRepeat[ANIM_RUN] = 1;
    t->animLoopStart[ANIM_RUN] = 1;
    EXPECT_EQ(showFrames(walker(t), 7, true), (std::vector<int>{100, 101, 102, 101, 102, 102, 102}));
}

TEST_F(AnimationTest, LoopEndCutsTheRepeatedPart) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {0, 0, 0, 0});
    t->animRepeat[ANIM_RUN] = 2;
    t->animLoopEnd[ANIM_RUN] = 1;
    EXPECT_EQ(showFrames(walker(t), 8, true), (std::vector<int>{100, 101, 100, 101, 100, 101, 103, 103}));
}

TEST_F(AnimationTest, NegativeLoopStartHoldsTheLastFrame) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {0, 0, 0});
    t->animRepeat[ANIM_RUN] = 5;
    t->animLoopStart[ANIM_RUN] = -1;
    EXPECT_EQ(showFrames(walker(t), 5, true), (std::vector<int>{100, 101, 102, 102, 102}));
}

// A unit file may give loop bounds past the animation's frames: never read beyond them.
TEST_F(AnimationTest, LoopBoundsBeyondTheFramesStayOnTheFrames) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {0, 0, 0});
    t->animRepeat[ANIM_RUN] = 3;
    t->animLoopStart[ANIM_RUN] = 5;
    EXPECT_EQ(showFrames(walker(t), 7, true), (std::vector<int>{100, 101, 102, 102, 102, 102, 102}));

    UnitTemplate* t2 = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t2, ANIM_RUN, {0, 0, 0});
    t2->animRepeat[ANIM_RUN] = 1;
    t2->animLoopEnd[ANIM_RUN] = 9;
    EXPECT_EQ(showFrames(walker(t2), 7, true), (std::vector<int>{100, 101, 102, 100, 101, 102, 102}));
}

TEST_F(AnimationTest, NewUnitShowsTheFirstIdlePictureUntilItsAnimationChanges) {
    UnitTemplate* t = w.type(AFF_ENEMY); // idle frame 0
    UnitWorld::addFrames(t, ANIM_IDLE, {0});
    ProbeUnit* u = w.add(t, 20, 20);
    EXPECT_EQ(showFrames(u, 3), (std::vector<int>{0, 0, 0}));
    u->walk(true);
    u->endOfRound();
    EXPECT_EQ(showFrames(u, 3), (std::vector<int>{0, 0, 1})); // run has no frames: idle's first
}

TEST_F(AnimationTest, PausedDrawingHoldsTheFrame) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {2, 0});
    ProbeUnit* u = walker(t);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(showFrame(u, true), 100);
    EXPECT_EQ(t->animFrameTimer, 2);
    EXPECT_EQ(showFrames(u, 4, true), (std::vector<int>{100, 100, 100, 101}));
}

TEST_F(AnimationTest, UnitsOfOneTypeShareTheHoldCount) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_RUN, {1, 0});
    ProbeUnit* a = w.add(t, 20, 20);
    ProbeUnit* b = w.add(t, 20, 20);
    a->changeAnim(ANIM_RUN);
    b->changeAnim(ANIM_RUN);
    a->getPic(true); // uses up the shared hold
    b->getPic(true);
    EXPECT_EQ(a->animFrame, 0);
    EXPECT_EQ(b->animFrame, 1);
}

TEST_F(AnimationTest, DeadUnitGoesOnceItsDeathAnimationEnds) {
    UnitTemplate* t = w.type(AFF_ENEMY);
    UnitWorld::addFrames(t, ANIM_DEAD, {0, 0});
    ProbeUnit* u = w.add(t, 20, 20);
    u->killSelf();
    EXPECT_EQ(showFrame(u), 500);
    EXPECT_FALSE(u->getRemoveThisUnit());
    EXPECT_EQ(showFrame(u), 501);
    EXPECT_TRUE(u->getRemoveThisUnit());

    ProbeUnit* plain = w.add(w.type(AFF_ENEMY), 20, 20); // no death animation: goes at once
    plain->killSelf();
    EXPECT_EQ(showFrame(plain), 0);
    EXPECT_TRUE(plain->getRemoveThisUnit());
}

TEST(Drawing, PictureIsCentredRotatedAndScaled) {
    UnitWorld w;
    UnitTemplate* t = w.type(AFF_ENEMY, 10, 20);
    const int top = makecol(200, 0, 0), bottom = makecol(0, 0, 200);
    BITMAP* pic = t->vecPics[ANIM_IDLE][0];
    rectfill(pic, 0, 0, 9, 9, top);
    rectfill(pic, 0, 10, 9, 19, bottom);
    BITMAP* bmp = create_bitmap(100, 100);

    ProbeUnit* u = w.add(t, 50, 50);
    clear_to_color(bmp, 0);
    u->draw(bmp, nullptr, false);
    EXPECT_EQ(getpixel(bmp, 50, 43), top); // drawn facing up: its top towards smaller y
    EXPECT_EQ(getpixel(bmp, 47, 57), bottom);
    EXPECT_EQ(getpixel(bmp, 50, 37), 0);
    EXPECT_EQ(getpixel(bmp, 43, 50), 0);

    u->faceAngle(itofix(64)); // a quarter turn clockwise: the top points right
    clear_to_color(bmp, 0);
    u->draw(bmp, nullptr, false);
    EXPECT_EQ(getpixel(bmp, 57, 50), top);
    EXPECT_EQ(getpixel(bmp, 43, 48), bottom);
    EXPECT_EQ(getpixel(bmp, 50, 43), 0);

    ProbeUnit* big = w.add(t, 50, 50, 2); // twice the size
    clear_to_color(bmp, 0);
    big->draw(bmp, nullptr, false);
    EXPECT_EQ(getpixel(bmp, 50, 33), top);
    EXPECT_EQ(getpixel(bmp, 42, 45), top);
    EXPECT_EQ(getpixel(bmp, 50, 67), bottom);
    EXPECT_EQ(getpixel(bmp, 50, 27), 0);
    EXPECT_EQ(getpixel(bmp, 37, 50), 0);

    // On an arena bitmap of half the arena's size, a unit twice the size at twice the place
    // covers what a plain unit covers on a full-size one.
    BITMAP* full = create_bitmap(100, 100);
    clear_to_color(full, 0);
    w.add(t, 50, 50)->draw(full, nullptr, false);
    clear_to_color(bmp, 0);
    w.add(t, 100, 100, 2)->draw(bmp, nullptr, false, itofix(1) / 2);
    int differing = 0;
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++)
            differing += getpixel(bmp, x, y) != getpixel(full, x, y);
    EXPECT_EQ(differing, 0);
    destroy_bitmap(full);
    destroy_bitmap(bmp);
}

namespace {

class SoundTest : public ::testing::Test {
  protected:
    UnitWorld w{400, 300};
    RecordingSound sound;
    UnitTemplate* t = w.type(AFF_ENEMY);
    SAMPLE* hit = UnitWorld::addSound(t, SOUND_HIT);
    SAMPLE* dead = UnitWorld::addSound(t, SOUND_DEAD);

    // The pan and pitch of a hit sound of a unit at x.
    RecordingSound::Play hitAt(double x, int variant = 0) {
        ProbeUnit* u = w.add(t, x, 100, variant);
        u->soundToPlay = SOUND_HIT;
        sound.plays.clear();
        u->draw(nullptr, &sound, false);
        EXPECT_EQ(sound.plays.size(), 1u);
        return sound.plays.empty() ? RecordingSound::Play{nullptr, -1, -1} : sound.plays[0];
    }
};

} // namespace

TEST_F(SoundTest, PanFollowsThePositionAcrossTheArena) {
    EXPECT_EQ(hitAt(0).pan, 0);
    EXPECT_EQ(hitAt(400).pan, 255);
    EXPECT_EQ(hitAt(100).pan, 63);
    EXPECT_EQ(hitAt(100).sample, hit);
}

// Units beyond Ignore walls and arenas of width 0 must not send a pan off the speakers.
TEST_F(SoundTest, PanStaysOnTheSpeakers) {
    EXPECT_EQ(hitAt(-50).pan, 0);
    EXPECT_EQ(hitAt(900).pan, 255);
    EXPECT_EQ(hitAt(-30000).pan, 0);
    w.round.setArenaSize(0, itofix(300));
    EXPECT_EQ(hitAt(10).pan, 128);
    EXPECT_EQ(hitAt(-10).pan, 128);
    ProbeUnit* roundless = w.add(t, 10, 10);
    roundless->setRound(nullptr);
    roundless->soundToPlay = SOUND_HIT;
    sound.plays.clear();
    roundless->draw(nullptr, &sound, false);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].pan, 128);
}

TEST_F(SoundTest, BiggerVariantsSoundLower) {
    EXPECT_EQ(hitAt(10, 0).frequency, 1000);
    EXPECT_EQ(hitAt(10, 1).frequency, 750);
    EXPECT_EQ(hitAt(10, 2).frequency, 500);
    EXPECT_EQ(hitAt(10, 3).frequency, 2000);
    EXPECT_EQ(hitAt(10, 4).frequency, 1000);
}

TEST_F(SoundTest, DamagePlaysTheHitSoundOnceEvenWhilePaused) {
    ProbeUnit* u = w.add(t, 10, 100);
    u->addDamage(5);
    u->takeDamage();
    u->draw(nullptr, &sound, true);
    u->draw(nullptr, &sound, true);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].sample, hit);
}

TEST_F(SoundTest, TheDeadSoundReplacesOthersAndPlaysOnlyOnce) {
    ProbeUnit* u = w.add(t, 10, 100);
    u->hp = 0; // dead but not yet killed: its pending hit becomes the death cry
    u->soundToPlay = SOUND_HIT;
    u->draw(nullptr, &sound, false);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].sample, dead);
    u->killSelf();
    u->draw(nullptr, &sound, false);
    u->soundToPlay = SOUND_HIT;
    u->draw(nullptr, &sound, false);
    EXPECT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(u->soundToPlay, -1);
}

TEST_F(SoundTest, AMissingSampleLeavesTheRequestPending) {
    ProbeUnit* u = w.add(t, 10, 100);
    u->soundToPlay = SOUND_ATT1;
    u->draw(nullptr, &sound, false);
    EXPECT_TRUE(sound.plays.empty());
    EXPECT_EQ(u->soundToPlay, SOUND_ATT1);
    SAMPLE* att = UnitWorld::addSound(t, SOUND_ATT1);
    u->draw(nullptr, &sound, false);
    ASSERT_EQ(sound.plays.size(), 1u);
    EXPECT_EQ(sound.plays[0].sample, att);
}

TEST_F(SoundTest, PendingSoundsCountTheLifetimeEvenWhilePaused) {
    ProbeUnit* u = w.add(t, 10, 100);
    u->timeToLive = 1;
    u->soundToPlay = SOUND_HIT;
    u->draw(nullptr, &sound, true);
    u->soundToPlay = SOUND_HIT;
    u->draw(nullptr, &sound, true);
    ASSERT_EQ(sound.plays.size(), 2u);
    EXPECT_EQ(sound.plays[0].sample, hit);
    EXPECT_EQ(sound.plays[1].sample, dead); // the second check ran the lifetime out
}

// A frame drawn through the sprite cache (first directly, then made, then copied) matches Allegro's
// turned and scaled drawing at the whole angle nearest the one asked for; the cache stays within
// its budget by forgetting the least recently drawn, and forgets a frame when told.
TEST(Drawing, CachedPicturesMatchTheTurnedFrameAndStayWithinTheBudget) {
    BITMAP* pic = create_bitmap(17, 24); // odd: the pivot is a pixel off the middle
    clear_to_color(pic, bitmap_mask_color(pic));
    rectfill(pic, 2, 0, 14, 11, makecol(200, 0, 0));
    circlefill(pic, 8, 17, 6, makecol(0, 0, 200));
    BITMAP* cached = create_bitmap(120, 120);
    BITMAP* direct = create_bitmap(120, 120);
    const size_t budget = 256 * 1024;
    SpriteCache cache(budget);
    for (double angle : {0.0, 37.0, 64.0, 200.4, 255.7})
        for (double scale : {1.0, 1.5, 2.5}) {
            clear_to_color(direct, 0);
            pivot_scaled_sprite(direct, pic, 57, 61, 8, 12, ftofix(std::round(angle)), ftofix(scale));
            for (int draw = 0; draw < 3; draw++) {
                clear_to_color(cached, 0);
                cache.draw(cached, pic, 57, 61, ftofix(angle), ftofix(scale));
                int differing = 0;
                for (int y = 0; y < 120; y++)
                    for (int x = 0; x < 120; x++)
                        differing += getpixel(cached, x, y) != getpixel(direct, x, y);
                EXPECT_LE(differing, 2) << "angle " << angle << ", scale " << scale << ", draw " << draw;
            }
        }
    EXPECT_EQ(cache.getCount(), 12u) << "255.7 rounds to a whole turn, drawn as 0";

    for (int angle = 0; angle < 256; angle++)
        for (int draw = 0; draw <= spriteCacheDrawsPerMaking; draw++) {
            cache.draw(cached, pic, 57, 61, itofix(angle), ftofix(1.5));
            ASSERT_LE(cache.getBytes(), budget);
        }
    EXPECT_LT(cache.getCount(), 256u);
    clear_to_color(pic, makecol(0, 200, 0)); // a kept picture still shows the frame as it was
    clear_to_color(cached, 0);
    cache.draw(cached, pic, 57, 61, itofix(255), ftofix(1.5));
    EXPECT_EQ(getpixel(cached, 57, 61), makecol(0, 0, 200)) << "the last drawn is kept";
    cache.draw(cached, pic, 57, 61, itofix(1), ftofix(1.5));
    EXPECT_EQ(getpixel(cached, 57, 61), makecol(0, 200, 0)) << "an early one is forgotten";
    cache.forget(pic);
    EXPECT_EQ(cache.getCount(), 0u);
    cache.draw(cached, pic, 57, 61, itofix(255), ftofix(1.5));
    EXPECT_EQ(getpixel(cached, 57, 61), makecol(0, 200, 0));
    destroy_bitmap(pic);
    destroy_bitmap(cached);
    destroy_bitmap(direct);
}
