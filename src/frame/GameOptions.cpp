#include "frame/GameOptions.h"

namespace {

const char* const usage =
    "usage: vorn [--data DIR] [--windowed | --fullscreen] [--help] [--version]\n"
    "            [--play CAMPAIGN [--round N] [--character NAME]]\n"
    "  Starts VORN, a top-down arena action game. Its data is data/ in the working folder, else\n"
    "  $VORN_DATA, else the data installed with the game. Settings and replays are kept in the\n"
    "  data folder when it can be written, else in $XDG_CONFIG_HOME/vorn (~/.config/vorn).\n"
    "  --data DIR     play with the data folder DIR (or the folder that holds data/)\n"
    "  --windowed     play in a window this time, whatever the settings say\n"
    "  --fullscreen   play full screen this time, whatever the settings say\n"
    "  --play CAMPAIGN  skip the menus and play one round of CAMPAIGN, then end; prints how it\n"
    "                 ended (\"round 2 won after 41 s, juice left 62 %\")\n"
    "  --round N      with --play: the round, counted from 0 as [Round0] in the campaign file\n"
    "                 (default 0)\n"
    "  --character NAME  with --play: the character (default: the first of the list)\n"
    "  --help         this text\n"
    "  --version      the game's version\n";

bool isRoundNumber(const std::string& s) {
    // Four digits at most: more rounds than that is no campaign file anyone wrote.
    return !s.empty() && s.size() <= 4 && s.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

GameOptions GameOptions::parse(int argc, char** argv) {
    GameOptions o;
    bool roundOrCharacter = false;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        bool takesValue = a == "--data" || a == "--play" || a == "--round" || a == "--character";
        if (takesValue && (i + 1 >= argc || argv[i + 1][0] == '\0')) {
            o.outcome = MISTAKEN;
            o.text = "vorn: " + a + " needs a value\n" + usage;
        } else if (a == "--help" || a == "-h") {
            o.outcome = SAID;
            o.text = usage;
        } else if (a == "--version") {
            o.outcome = SAID;
            o.text = "vorn " VORN_VERSION "\n";
        } else if (a == "--data") {
            o.dataDir = argv[++i];
        } else if (a == "--windowed" || a == "--fullscreen") {
            o.window = a == "--windowed" ? WINDOWED : FULLSCREEN;
        } else if (a == "--play") {
            o.playCampaign = argv[++i];
        } else if (a == "--round") {
            std::string n = argv[++i];
            roundOrCharacter = true;
            if (isRoundNumber(n)) {
                o.playRound = std::stoi(n);
            } else {
                o.outcome = MISTAKEN;
                o.text = "vorn: --round takes a round number counted from 0, not " + n + "\n";
            }
        } else if (a == "--character") {
            o.playCharacter = argv[++i];
            roundOrCharacter = true;
        } else {
            o.outcome = MISTAKEN;
            o.text = "vorn: unknown option " + a + "\n" + usage;
        }
        if (o.outcome != PLAY) break;
    }
    if (o.outcome == PLAY && roundOrCharacter && o.playCampaign.empty()) {
        o.outcome = MISTAKEN;
        o.text = "vorn: --round and --character go with --play CAMPAIGN\n";
    }
    return o;
}
