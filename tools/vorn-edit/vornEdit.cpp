// vorn-edit: the workshop for the game's campaigns. Opens a data folder (default: data) in a
// window of its own and edits its campaigns; see README.md.
#include <allegro.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "edit/CampaignEditor.h"
#include "edit/OrderedInput.h"
#include "frame/dataLocation.h"
#include "menus/Config.h"
#include "system/allegroStart.h"
#include "system/gameWindow.h"
#include "system/quitRequest.h"

int main(int argc, char** argv) {
    std::string folder = "data";
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--version")) {
            std::printf("vorn-edit " VORN_VERSION "\n");
            return 0;
        }
        if (!strcmp(argv[i], "--help") || argv[i][0] == '-') {
            std::puts("usage: vorn-edit [DIR]   (or --help, --version)\n"
                      "  DIR  the data folder to edit (default: data), or the folder that holds it");
            return strcmp(argv[i], "--help") ? 2 : 0;
        }
        folder = argv[i];
    }
    std::string why = enterDataFolder(folder, "a folder on the command line");
    if (!why.empty()) {
        std::fprintf(stderr, "vorn-edit: %s\n", why.c_str());
        return 2;
    }
    why = startAllegro();
    if (!why.empty()) {
        std::fprintf(stderr, "vorn-edit could not start the Allegro library: %s\n", why.c_str());
        return 1; // as the game: the tests start a program that failed so again
    }
    install_keyboard();
    install_timer();
    install_mouse();
    OrderedInput::install(); // a click made while a check runs is kept, in order with the keys
    installQuitSignals();
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0 &&
        set_gfx_mode(GFX_SAFE, 640, 480, 0, 0) != 0) {
        std::fprintf(stderr, "vorn-edit: no window could be opened: %s\n", allegro_error);
        return 2;
    }
    Config::setGuiColors();
    watchGameWindow();
    set_window_title("vorn-edit");
    CampaignEditor editor;
    editor.run();
    return quitStatus();
}
END_OF_MAIN()
