#ifndef VORN_SYSTEM_GAMEWINDOW_H
#define VORN_SYSTEM_GAMEWINDOW_H

// The game's window on a desktop: its title, its close button (a quit request, see
// quitRequest.h), what losing the keyboard focus does, and the end of the game when the display
// goes away. Allegro calls the window's callbacks from a thread of its own: they only set flags,
// which the game's loops read.

// Call after every change of graphics mode: a new mode is a new window, and Allegro sets the
// display switch mode back to its default with it.
void watchGameWindow();

// True when the window has lost the focus since the last call; any number of losses count as one.
bool takeFocusLoss();
// What the window does when it loses the focus; the tests stand in for the window with it.
void noteFocusLoss();

#endif
