#include <allegro.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <thread>

#include "frame/GameOptions.h"
#include "frame/ModeLoop.h"
#include "system/Messages.h"
#include "system/quitRequest.h"

namespace {

// Allegro says nothing when it finds no display to open; the usual reason, in words.
std::string startFailureReason() {
    if (allegro_error[0])
        return allegro_error;
    const char* display = getenv("DISPLAY");
    if (!display || !display[0])
        return "no display to open a window on (DISPLAY is not set; VORN needs a desktop or an X server)";
    return std::string("the X display ") + display + " could not be opened (is the X server running, and may "
           "this user use it?)";
}

} // namespace

int main(int argc, char** argv) {
    GameOptions options = GameOptions::parse(argc, argv);
    if (options.outcome != GameOptions::PLAY) {
        fputs(options.text.c_str(), options.outcome == GameOptions::SAID ? stdout : stderr);
        return options.outcome == GameOptions::SAID ? 0 : 2;
    }
    srand(time(NULL));
    // The X server now and then hangs up on a client at its very first request (seen under load
    // with Xvfb): a start that fails that way is tried again a few times before giving up.
    int attempt = 0;
    while (allegro_init() != 0 && ++attempt < 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    if (attempt == 5) {
        // No window exists to show a message in: say why on the terminal.
        fprintf(stderr, "VORN could not start the Allegro library: %s\n", startFailureReason().c_str());
        return 1;
    }
    install_keyboard();
    install_timer();
    install_mouse();
    installQuitSignals();

    if (initObj() != 0) {
        showMessage("Something failed while initializing. VORN will now exit.\n");
        return 1; // a failed start is not reported as success
    }
    runModeLoop();
    return quitStatus(); // 0, or 128 + the signal that ended the game
}
END_OF_MAIN()
