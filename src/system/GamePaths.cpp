#include "system/GamePaths.h"

#include <unistd.h>

GamePaths& gamePaths() {
    static GamePaths paths;
    return paths;
}

GamePaths placeGameFiles(const std::string& dataFolder, const std::string& shownDataFolder, bool writable,
                         const char* xdgConfigHome, const char* home) {
    GamePaths p;
    p.dataFolder = shownDataFolder;
    p.settingsFile = dataFolder + "/gameSettings";
    p.replayFolder = dataFolder + "/replays";
    if (writable) return p;
    std::string config = xdgConfigHome && xdgConfigHome[0] == '/' ? xdgConfigHome
                         : home && home[0] == '/'                 ? std::string(home) + "/.config"
                                                                  : std::string();
    if (config.empty()) return p; // nowhere else to go: a save says why it cannot be made
    if (access(p.settingsFile.c_str(), R_OK) == 0) p.startingSettings = p.settingsFile;
    p.settingsFile = config + "/vorn/gameSettings";
    p.replayFolder = config + "/vorn/replays";
    return p;
}
