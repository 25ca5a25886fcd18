#include <allegro.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "frame/ModeLoop.h"
#include "system/Messages.h"

int main() {
    srand(time(NULL));
    // The X server now and then hangs up on a client at its very first request (seen under load
    // with Xvfb): a start that fails that way is tried again a few times before giving up.
    int attempt = 0;
    while (allegro_init() != 0 && ++attempt < 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (attempt == 5) {
        // No window exists to show a message in: say why on the terminal.
        fprintf(stderr, "VORN could not start the Allegro library: %s\n", allegro_error);
        return 1;
    }
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
