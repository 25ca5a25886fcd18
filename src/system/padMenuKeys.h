#ifndef VORN_SYSTEM_PADMENUKEYS_H
#define VORN_SYSTEM_PADMENUKEYS_H

class GamePad;

// The gamepad in the menus: its pushes and presses become the keys Allegro's dialogs already
// answer (arrows, Enter, Esc), put into the key buffer as if typed, so every screen, slider and
// list works with it as it does with the keyboard. Allegro's own loops (an alert box, the mode
// selector) read the joystick themselves: any button presses, the left stick moves the focus.

// The pad whose settings the menus follow; none (the default) feeds nothing.
void setMenuGamePad(GamePad* pad);
// Polls the joystick: the key the pad gives now, as readkey() gives it, or 0.
int padMenuKey();
// Types the key the pad gives now, if any. Called at every pass of the menus' dialog loop.
void feedPadMenuKey();

#endif
