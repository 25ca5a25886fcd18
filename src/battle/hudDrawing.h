#ifndef VORN_BATTLE_HUDDRAWING_H
#define VORN_BATTLE_HUDDRAWING_H

#include <allegro.h>
#include <vector>

#include "content/UnitTemplate.h"

#include "battle/screenLayout.h"

// The health bar: background, then the health, the health attack 2 would leave and the health
// attack 3 would leave, each over the one before, then the frame.
void drawHealthBar(BITMAP* target, const HudLayout& hud, int hp, int maxHP, int costOfAttack2,
                   int costOfAttack3);

// One column of four ailment icons at x, faded by counter over full value. Slots whose counter
// is 0 stay empty. icon is the scratch bitmap each picture is scaled into.
void drawAilmentIcons(BITMAP* target, BITMAP* icon, const HudLayout& hud, int x,
                      const std::vector<BITMAP*>& pics, const AilmentCounters& counters,
                      const std::vector<int>& fullValues);

#endif
