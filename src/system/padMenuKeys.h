#ifndef VORN_SYSTEM_PADMENUKEYS_H
#define VORN_SYSTEM_PADMENUKEYS_H

class GamePad;

// The gamepad in the menus: its pushes and presses become the keys Allegro's dialogs already
// answer (arrows, Enter, Esc), put into the key buffer as if typed, so every screen, slider, list
// and alert box works with it as it does with the keyboard.

// The pad whose settings the menus follow; none (the default) feeds nothing.
void setMenuGamePad(GamePad* pad);
// Polls the joystick and types the key the pad gives now, if any. Called by the menus' dialog
// loop, and by Allegro's timer while one of Allegro's own loops waits for a key.
void feedPadMenuKey();

#endif
