#include "frame/GameOptions.h"

namespace {

const char* const usage =
    "usage: vorn [--data DIR] [--windowed | --fullscreen] [--help] [--version]\n"
    "  Starts VORN, a top-down arena action game. Its data is data/ in the working folder, else\n"
    "  $VORN_DATA, else the data installed with the game. Settings and replays are kept in the\n"
    "  data folder when it can be written, else in $XDG_CONFIG_HOME/vorn (~/.config/vorn).\n"
    "  --data DIR     play with the data folder DIR (or the folder that holds data/)\n"
    "  --windowed     play in a window this time, whatever the settings say\n"
    "  --fullscreen   play full screen this time, whatever the settings say\n"
    "  --help         this text\n"
    "  --version      the game's version\n";

} // namespace

GameOptions GameOptions::parse(int argc, char** argv) {
    GameOptions o;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            o.outcome = SAID;
            o.text = usage;
        } else if (a == "--version") {
            o.outcome = SAID;
            o.text = "vorn " VORN_VERSION "\n";
        } else if (a == "--data" && i + 1 < argc) {
            o.dataDir = argv[++i];
        } else if (a == "--windowed" || a == "--fullscreen") {
            o.window = a == "--windowed" ? WINDOWED : FULLSCREEN;
        } else {
            o.outcome = MISTAKEN;
            o.text = "vorn: unknown option " + a + "\n" + usage;
        }
        if (o.outcome != PLAY) break;
    }
    return o;
}
