#ifndef VORN_SYSTEM_QUITREQUEST_H
#define VORN_SYSTEM_QUITREQUEST_H

// The game ends on SIGINT, SIGTERM and SIGHUP in every state, even when it was started with
// SIGINT ignored (a background job of a script): the signal asks the game to quit, and a watch on
// Allegro's timer closes an open message window; the menus, the battle and the intro pictures look at
// the request at every pass and leave, so the game ends through its normal path. A game that
// has not ended a few seconds later is ended at once. The window's close button asks the same.

// Call once Allegro and its timer have started: Allegro puts handlers of its own on these signals,
// which shut it down and then let the game run on without it when the signal was ignored at start.
void installQuitSignals();

// The close button of the game's window: a quit request after which the game ends with status 0.
// Safe to call from any thread.
void requestQuit();
bool quitRequested();
// What the process should end with: 128 + the signal, as a shell reports a signal's end; 0 for
// the close button.
int quitStatus();
// Marks a loop of Allegro's own that only a key ends (an alert box, the wait for a key to map):
// a quit request presses Esc for it.
void setWaitingForKey(bool waiting);

#endif
