#include "menus/runDialog.h"

#include "system/padMenuKeys.h"
#include "system/quitRequest.h"

int runDialog(DIALOG* dialog, int focus) {
    DIALOG_PLAYER* player = init_dialog(dialog, focus);
    bool quit = false;
    while (!(quit = quitRequested()) && update_dialog(player))
        feedPadMenuKey();
    int closedBy = shutdown_dialog(player);
    return quit ? -1 : closedBy;
}
