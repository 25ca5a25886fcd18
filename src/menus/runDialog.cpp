#include "menus/runDialog.h"

#include "system/padMenuKeys.h"
#include "system/quitRequest.h"

int runDialog(DIALOG* dialog, int focus) {
    DIALOG_PLAYER* player = init_dialog(dialog, focus);
    bool quit = false;
    // Allegro's dialog reads the joystick itself: any button presses and the first stick moves the
    // focus. Marking the stick as still held from the last pass keeps it out, so the pad's keys
    // (feedPadMenuKey) are the only ones, with a button that goes back and the d-pad.
    do {
        player->joy_on = TRUE;
        feedPadMenuKey();
    } while (!(quit = quitRequested()) && update_dialog(player));
    int closedBy = shutdown_dialog(player);
    return quit ? -1 : closedBy;
}
