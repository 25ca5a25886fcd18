#include <allegro.h>
#include <cstdlib>
#include <ctime>

#include "frame/ModeLoop.h"
#include "system/Messages.h"

int main() {
    srand(time(NULL));
    if (allegro_init() != 0)
        return 1;
    install_keyboard();
    install_timer();
    install_mouse();

    if (initObj() != 0) {
        showMessage("Something failed while initializing. VORN will now exit.\n");
        return 1; // a failed start is not reported as success
    }
    runModeLoop();
    return 0;
}
END_OF_MAIN()
