#include <allegro.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <unistd.h>

#include "frame/GameOptions.h"
#include "frame/ModeLoop.h"
#include "frame/dataLocation.h"
#include "system/GamePaths.h"
#include "system/Messages.h"
#include "system/allegroStart.h"
#include "system/gameWindow.h"
#include "system/quitRequest.h"

namespace {

// Finds the data and works in the folder that holds it; settings and replays go where that data
// allows. False, after saying why on the terminal, when there is no data to play with.
bool useDataFolder(const std::string& given) {
    bool installed = false;
    std::string why = enterDataFolder(given, "--data DIR or VORN_DATA", &installed);
    if (!why.empty()) {
        fprintf(stderr, "vorn: %s\n", why.c_str());
        return false;
    }
    char cwd[4096];
    std::string shown = getcwd(cwd, sizeof cwd) ? std::string(cwd) + "/data" : "data";
    gamePaths() = placeGameFiles("data", shown, !installed && access("data", W_OK) == 0,
                                 getenv("XDG_CONFIG_HOME"), getenv("HOME"));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    GameOptions options = GameOptions::parse(argc, argv);
    if (options.outcome != GameOptions::PLAY) {
        fputs(options.text.c_str(), options.outcome == GameOptions::SAID ? stdout : stderr);
        return options.outcome == GameOptions::SAID ? 0 : 2;
    }
    if (!useDataFolder(options.dataDir)) return 1;
    srand(time(NULL));
    std::string why = startAllegro();
    if (!why.empty()) {
        // No window exists to show a message in: say why on the terminal.
        fprintf(stderr, "VORN could not start the Allegro library: %s\n", why.c_str());
        return 1;
    }
    install_keyboard();
    install_timer();
    install_mouse();
    // A gamepad is an addition: without one, or when the driver fails, the game plays as before
    // and says nothing.
    install_joystick(JOY_TYPE_AUTODETECT);
    installQuitSignals();

    static const int drivers[] = {-1, GFX_AUTODETECT_WINDOWED, GFX_AUTODETECT_FULLSCREEN};
    if (initObj(drivers[options.window]) != 0) {
        showMessage("Something failed while initializing. VORN will now exit.\n");
        return 1; // a failed start is not reported as success
    }
    if (!options.playCampaign.empty()) {
        setMessagesOnTerminal(true);
        int status = playSingleRound(options.playCampaign, options.playRound, options.playCharacter);
        return status != 0 || quitStatus() == 0 ? status : quitStatus();
    }
    runModeLoop();
    return quitStatus(); // 0, or 128 + the signal that ended the game
}
END_OF_MAIN()
