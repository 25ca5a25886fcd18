#include "frame/GameOptions.h"

namespace {

const char* const usage = "usage: vorn [--help] [--version]\n"
                          "  Starts VORN, a top-down arena action game. Run it from the folder that holds\n"
                          "  its data/ folder; settings are kept in data/gameSettings.\n"
                          "  --help      this text\n"
                          "  --version   the game's version\n";

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
        } else {
            o.outcome = MISTAKEN;
            o.text = "vorn: unknown option " + a + "\n" + usage;
        }
        if (o.outcome != PLAY) break;
    }
    return o;
}
