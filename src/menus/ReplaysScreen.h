#ifndef VORN_MENUS_REPLAYSSCREEN_H
#define VORN_MENUS_REPLAYSSCREEN_H

#include <allegro.h>
#include <string>
#include <vector>

#include "battle/ReplayShelf.h"

class Battle;
class Loader;

// The screen of the kept replays, newest first: one is chosen and watched, and the screen comes
// back when the playback ends. All state is in statics, as the dialog's callbacks need it.
class ReplaysScreen {
  public:
    ReplaysScreen(Battle* battle, Loader* l, const std::string& folder);

    // Opens the screen on the folder as it is now and runs it until Back or Esc.
    void go();
    // Reads the folder again: the rows, and either the list or the lines that say it is empty.
    static void refresh();
    // One row of the list, in the heading's columns.
    static std::string describe(const ReplayShelf::Entry& entry);
    static const char* getRows(int index, int* listSize);
    // Watches the selected replay; a file that cannot be read is named with the reason instead.
    static int watchSelected();
    static int toMain();
    static void redrawMenu();
    static int my_button_proc(int msg, DIALOG* d, int c);
    // Enter or a double click on a row watches it.
    static int my_list_proc(int msg, DIALOG* d, int c);

    enum { HEADING = 3, LIST = 4, EMPTY_LINE = 5, EMPTY_HINT = 6, WATCH_BUTTON = 7, BACK_BUTTON = 8 };

    static Battle* battle;
    static Loader* l;
    static std::string folder;
    static std::vector<ReplayShelf::Entry> entries;
    static std::vector<std::string> rows;
    static DIALOG dlog[];
    static const int backgroundColor[3];
};

#endif
