#include "system/allegroStart.h"

#include <allegro.h>
#include <chrono>
#include <cstdlib>
#include <thread>

std::string startAllegro() {
    for (int attempt = 0; attempt < 5; attempt++) {
        if (allegro_init() == 0) return "";
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    if (allegro_error[0]) return allegro_error;
    const char* display = getenv("DISPLAY");
    if (!display || !display[0])
        return "no display to open a window on (DISPLAY is not set; VORN needs a desktop or an X server)";
    return std::string("the X display ") + display +
           " could not be opened (is the X server running, and may "
           "this user use it?)";
}
