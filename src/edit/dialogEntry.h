#ifndef VORN_EDIT_DIALOGENTRY_H
#define VORN_EDIT_DIALOGENTRY_H

#include <allegro.h>
#include <cstdint>
#include <string>

#include "menus/Config.h"

// The workshop's screens build their dialogs from these; tag goes into dp3, where the screen's
// callbacks read which object called them.
DIALOG entry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp,
             intptr_t tag = 0);
// Copies text into a field's buffer of size bytes, cut to fit.
void copyText(char* buffer, const std::string& text, size_t size);
// Colours a dialog as the game's menus are coloured.
void colourDialog(DIALOG* dialog);

#endif
