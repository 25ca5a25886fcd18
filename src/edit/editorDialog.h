#ifndef VORN_EDIT_EDITORDIALOG_H
#define VORN_EDIT_EDITORDIALOG_H

#include <allegro.h>
#include <cstdint>
#include <string>
#include <vector>

#include "menus/Config.h"

class DocumentShelf;

// Pieces the workshop's screens build their Allegro dialogs from.

// One entry; tag goes into dp3, for the screen's callbacks to tell their entries apart.
DIALOG dialogEntry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp,
                   intptr_t tag = 0);
// The colours of the game's menus on every entry up to the closing one.
void setEditorColours(DIALOG* dialog);
// Ends a dialog built in a vector: the object that lets other programs run, the end marker, and
// the menus' colours on every object.
void finishDialog(std::vector<DIALOG>& dialog);
// Draws a dialog once, before it runs: a screen shows itself first and checks its document after,
// which on a big data set or a busy machine can take seconds.
void drawDialog(DIALOG* dialog);
// A list box's item callback over items: the count for a negative index, else the item's text.
const char* listItem(const std::vector<std::string>& items, int index, int* size);

// Allegro's list box; true when the choice (d1) moved, with *result keeping the dialog open and
// redrawing it for the screen to show what was chosen.
bool listChoiceMoved(int msg, DIALOG* d, int c, int* result);
// Allegro's edit field; true when what was typed is to be taken (the field lost the focus, or
// Enter), with *result keeping the dialog open and redrawing it.
bool fieldTaken(int msg, DIALOG* d, int c, int* result);
// The same, and in *typed whether the message was a keystroke that changed what the field holds,
// for the screen to check the value as it is typed.
bool fieldTaken(int msg, DIALOG* d, int c, int* result, bool* typed);

// Puts a value into a field's buffer of size bytes, cut to fit.
void copyFieldText(char* buffer, const std::string& text, size_t size);
// Whether what stands in a field of size bytes is value unchanged: the value itself, or, for a
// value too long for the field, the part of it the field could show. Such a field left alone must
// not cut the value in the file.
bool fieldKeepsValue(const std::string& typed, const std::string& value, size_t size);

// A check's lines for a problems box: those that hold mark (all when it is empty) up to
// mostShown of them, a line saying how many more were left out, and the counts, the last line,
// always. A file with a million problems must not hold the editor up drawing them.
std::string problemText(const std::vector<std::string>& lines, const std::string& mark = "",
                        size_t mostShown = 200);

// Saves every modified file of the shelf; each that could not be saved is said in a message and
// keeps its changes.
void saveShelf(DocumentShelf& shelf);

// Whether the workshop may end: true when nothing is unsaved, or the author chose to lose it (their
// recovery copies go with it), or a quit request ends it anyway (the copies stay for the next start).
bool confirmQuit(DocumentShelf& shelf);
// Asks of each recovery copy left by a session that ended unsaved whether to restore it into the
// shelf or discard it; Esc (or a quit request) keeps it for the next start. True when any was
// restored.
bool offerRecoveryCopies(DocumentShelf& shelf);

// The window's close button asks as Quit does while shelf is shown (null: it quits at once).
void watchCloseButton(DocumentShelf* shelf);
// The idle object of every workshop dialog: lets other programs run, and answers the close button
// (system/gameWindow.h: the callback only notes the press).
int editorIdleProc(int msg, DIALOG* d, int c);

#endif
