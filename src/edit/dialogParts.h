#ifndef VORN_EDIT_DIALOGPARTS_H
#define VORN_EDIT_DIALOGPARTS_H

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "menus/Config.h"

// Pieces the workshop's screens build their Allegro dialogs from, in the look of the game's menus.

// One object of a dialog; tag goes into dp3, where the screens' callbacks find what it stands for.
DIALOG entry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp,
             intptr_t tag = 0);
// Ends a dialog built in a vector: the object that lets other programs run, the end marker, and
// the menus' colours on every object.
void finishDialog(std::vector<DIALOG>& dialog);
// A list's items as d_list_proc asks for them: the item at index, or their count when index is
// negative.
const char* listItem(const std::vector<std::string>& items, int index, int* size);
// text in a field's buffer of size bytes, cut to fit.
void copyText(char* buffer, const std::string& text, size_t size);

#endif
