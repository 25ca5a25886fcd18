#ifndef VORN_MENUS_RUNDIALOG_H
#define VORN_MENUS_RUNDIALOG_H

#include <allegro.h>

// do_dialog that also closes when the game is asked to quit (a signal): returns the index of the
// object that closed the dialog, or -1 for Esc and for a quit request.
int runDialog(DIALOG* dialog, int focus);

#endif
