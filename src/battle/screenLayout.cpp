#include "battle/screenLayout.h"

int screenWidth() {
    if (gfx_driver) return SCREEN_W;
    return screen ? screen->w : 0;
}

int screenHeight() {
    if (gfx_driver) return SCREEN_H;
    return screen ? screen->h : 0;
}

bool placeArena(int screenW, int screenH, int arenaW, int arenaH, ArenaPlacement& placement) {
    if (arenaW <= 0 || arenaH <= 0) return false;
    // Both quotients in single precision: the zoom must come out the same on every machine.
    fixed sx = ftofix((float)(screenW * 0.7) / (float)arenaW);
    fixed sy = ftofix((float)(screenH * 0.7) / (float)arenaH);
    placement.scale = sy < sx ? sy : sx;
    placement.left = (screenW - fixtoi(fixmul(placement.scale, itofix(arenaW)))) / 2;
    placement.top = (screenH - fixtoi(fixmul(placement.scale, itofix(arenaH)))) / 2;
    return true;
}

fixed arenaCanvasScale(fixed shown) {
    return shown > 0 && shown <= itofix(1) / 2 ? shown : itofix(1);
}

int arenaCanvasSide(int side, fixed canvas) {
    if (canvas == itofix(1)) return side;
    int drawn = fixtoi(fixmul(canvas, itofix(side)));
    return drawn > 0 ? drawn : 1;
}

HudLayout computeHudLayout(int w, int h) {
    HudLayout hud;
    hud.textX = w / 2;
    hud.nameY = 9 * h / 10;
    hud.scoreY = hud.nameY + 10;
    hud.fpsY = hud.nameY + 20;
    hud.barLeft = w / 5;
    hud.barRight = 4 * w / 5;
    hud.barTop = 3 * h / 100;
    hud.barBottom = 2 * h / 25;
    hud.iconSize = 70 * h / 600;
    hud.iconTop = 15 * h / 100;
    hud.iconPitch = 70 * h / 400;
    return hud;
}

int goodIconX(const HudLayout& hud, int arenaLeft) {
    return arenaLeft - hud.iconSize;
}

int badIconX(int arenaLeft, fixed scale, int arenaW) {
    return arenaLeft + fixtoi(fixmul(scale, itofix(arenaW)));
}

int healthBarWidth(int value, int maxHP, int barWidth) {
    if (value <= 0 || maxHP <= 0 || barWidth <= 0) return 0;
    if (value >= maxHP) return barWidth;
    return (int)((double)value / (double)maxHP * (double)barWidth);
}

int ailmentLight(int counter, int full) {
    if (counter <= 0) return 0;
    if (full <= 0 || counter >= full) return 255;
    return (int)(counter * 255.0 / full);
}
