#ifndef VORN_BATTLE_SCREENLAYOUT_H
#define VORN_BATTLE_SCREENLAYOUT_H

#include <allegro.h>

// Where the battle puts things on the screen: the scaled arena and the heads-up display.
// Plain arithmetic on the screen size, so it can be checked without a screen.

// The size of the screen the battle draws to. A memory bitmap put in place of the screen
// (the unit tests) has no graphics driver behind it; its own size counts then.
int screenWidth();
int screenHeight();

// The arena scaled to fill 70 % of the screen along its tighter dimension, centred.
struct ArenaPlacement {
    fixed scale; // screen pixels per arena pixel, 16.16
    int left;    // screen position of the scaled arena's top-left corner
    int top;
};
// False when the arena has no area (nothing to scale); placement is then left untouched.
bool placeArena(int screenW, int screenH, int arenaW, int arenaH, ArenaPlacement& placement);

// The scale at which the arena is drawn before it is copied to the screen, bitmap pixels per arena
// pixel: 1, or the scale shown when that is half or less. Drawing every unit at full size onto a
// bitmap whose copy keeps a quarter of its pixels or fewer was most of a big crowd's frame;
// arenas shown larger (every shipped round on the smallest screen) are drawn at their own size.
fixed arenaCanvasScale(fixed shown);
// Side in pixels of the bitmap an arena side of `side` pixels is drawn on at canvas scale.
int arenaCanvasSide(int side, fixed canvas);

// HUD positions in screen pixels, integer arithmetic truncating.
struct HudLayout {
    int textX;               // centre of the three text lines
    int nameY, scoreY, fpsY; // round name, "score: %d", "fps: %d"
    int barLeft, barRight;   // health bar
    int barTop, barBottom;
    int iconSize;  // status icons are square
    int iconTop;   // top of the first icon
    int iconPitch; // downwards from one icon to the next
};
HudLayout computeHudLayout(int screenW, int screenH);
// Good ailments stand left of the arena, bad ones right of it.
int goodIconX(const HudLayout& hud, int arenaLeft);
int badIconX(int arenaLeft, fixed scale, int arenaW);

// Width in pixels of a health layer of value out of maxHP on a bar barWidth wide; 0 when there
// is nothing to show (value or maxHP not positive), never wider than the bar.
int healthBarWidth(int value, int maxHP, int barWidth);
// Light level 0 to 255 of an ailment icon whose counter stands at counter of full.
int ailmentLight(int counter, int full);

#endif
