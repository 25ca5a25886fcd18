#ifndef VORN_EDIT_DIALOGENTRY_H
#define VORN_EDIT_DIALOGENTRY_H

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "menus/Config.h"

// The workshop's screens build their dialogs from these; tag goes into dp3, where the screen's
// callbacks read which object called them.
DIALOG entry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp,
             intptr_t tag = 0);
// Copies text into a field's buffer of size bytes, cut to fit.
void copyText(char* buffer, const std::string& text, size_t size);
// A list box's item of items, as Allegro asks for it: the count in *size for an index below 0.
const char* listItemOf(const std::vector<std::string>& items, int index, int* size);
// Colours a dialog as the game's menus are coloured.
void colourDialog(DIALOG* dialog);

#endif
