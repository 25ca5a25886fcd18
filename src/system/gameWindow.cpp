#include "system/gameWindow.h"

#include <allegro.h>
#include <atomic>
#include <unistd.h>

#include <X11/Xlib.h>

#include "system/quitRequest.h"

namespace {

std::atomic<bool> focusLost{false};

// Xlib calls this when the connection to the X server breaks, on whichever thread saw it, and
// ends the process if it returns. Only _exit is safe here: exit would run Allegro's clean-up,
// which talks to the dead server and aborts. The settings and replays are only ever replaced by
// renaming a complete new file, so ending at any moment leaves each whole.
int onDisplayLost(Display*) {
    static const char line[] = "VORN lost its display (the X server went away) and has ended.\n";
    ssize_t written = write(STDERR_FILENO, line, sizeof line - 1);
    (void)written; // nothing is left to tell a failed write to
    _exit(1);
}

} // namespace

void watchGameWindow() {
    // Allegro's platform-less system (the unit tests) has no window.
    if (!system_driver || system_driver->id == SYSTEM_NONE) return;
    set_window_title("VORN " VORN_VERSION);
    set_close_button_callback(requestQuit);
    // In the background the game goes on running, so a battle can pause itself as designed.
    if (set_display_switch_mode(SWITCH_BACKGROUND) != 0) set_display_switch_mode(SWITCH_BACKAMNESIA);
    set_display_switch_callback(SWITCH_OUT, noteFocusLoss);
    XSetIOErrorHandler(onDisplayLost);
}

bool takeFocusLoss() {
    return focusLost.exchange(false);
}

void noteFocusLoss() {
    focusLost.store(true);
}
