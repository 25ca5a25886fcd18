#include "battle/hudDrawing.h"

#include "content/UnitTemplate.h"

void drawHealthBar(BITMAP* target, const HudLayout& hud, int hp, int maxHP, int costOfAttack2,
                   int costOfAttack3) {
    int barWidth = hud.barRight - hud.barLeft;
    rectfill(target, hud.barLeft, hud.barTop, hud.barRight, hud.barBottom, makecol(0, 0, 0));
    struct Layer {
        bool shown;
        int value;
        int colour;
    } layers[] = {
        {hp > 0, hp, makecol(64, 32, 32)},
        {hp > costOfAttack2, hp - costOfAttack2, makecol(64, 0, 0)},
        {hp > costOfAttack3, hp - costOfAttack3, makecol(96, 0, 0)},
    };
    for (const Layer& layer : layers) {
        int width = layer.shown ? healthBarWidth(layer.value, maxHP, barWidth) : 0;
        if (width > 0)
            rectfill(target, hud.barLeft, hud.barTop, hud.barLeft + width, hud.barBottom, layer.colour);
    }
    rect(target, hud.barLeft, hud.barTop, hud.barRight, hud.barBottom, makecol(160, 160, 160));
}

void drawAilmentIcons(BITMAP* target, BITMAP* icon, const HudLayout& hud, int x,
                      const std::vector<BITMAP*>& pics, const AilmentCounters& counters,
                      const std::vector<int>& fullValues) {
    set_trans_blender(255, 255, 255, 255);
    for (size_t j = 0; j < counters.size() && j < AILMENT_COUNT; j++) {
        if (counters[j] <= 0) continue;
        int full = j < fullValues.size() ? fullValues[j] : 0;
        clear_bitmap(icon);
        BITMAP* pic = j < pics.size() ? pics[j] : nullptr;
        if (pic) stretch_blit(pic, icon, 0, 0, pic->w, pic->h, 0, 0, icon->w, icon->h);
        draw_lit_sprite(target, icon, x, hud.iconTop + (int)j * hud.iconPitch,
                        ailmentLight(counters[j], full));
    }
}
