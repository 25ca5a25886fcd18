#ifndef VORN_SYSTEM_GAMEPAD_H
#define VORN_SYSTEM_GAMEPAD_H

#include <allegro.h>

#include "system/PadState.h"
#include "system/padSettings.h"

// The gamepad's settings and what one poll of the pad means under them: the eight walking
// directions of the left stick and the d-pad, the facing of the right stick, the mapped inputs
// held, and the keys the pad gives a menu.
class GamePad {
  public:
    GamePad();

    int getSetting(int index) const { return settings[index]; }
    // Values outside the setting's limits are its default.
    void setSetting(int index, int value);
    void restoreDefaults();

    // Walking directions, by the key actions' order (up, down, left, right).
    void getMoves(const PadState& s, bool moves[4]) const;
    // Whether the right stick is out of the dead zone, and its direction then, in angle units.
    bool getFacing(const PadState& s, fixed& facing) const;
    bool isHeld(const PadState& s, int padInput) const;
    // Bits of the axes the sticks and the d-pad use, which "Press a button" leaves alone.
    unsigned stickAxes() const;

    // The key the pad gives a dialog at this poll (msNow a clock in msec), as readkey() gives it:
    // the directions as arrows when pushed and again while held, Select as Enter, Back as Esc; 0
    // when there is none.
    int menuKey(const PadState& s, int msNow);

  private:
    int settings[PAD_SETTING_COUNT];
    // The menu's last direction (an arrow scancode, 0 for none) and when it repeats next.
    int menuDirection = 0;
    int menuRepeatAt = 0; // msec
    bool menuSelectHeld = false, menuBackHeld = false;
};

#endif
