#ifndef VORN_SYSTEM_GAMEPATHS_H
#define VORN_SYSTEM_GAMEPATHS_H

#include <string>

// Where the game's own files are. The game reads its data as data/... from the folder it works
// in; what it writes goes beside that data when the data folder may be written (a checkout, as
// always), otherwise to the player's configuration folder (an installed game).
struct GamePaths {
    std::string dataFolder = "data";                // for messages: where the data was found
    std::string settingsFile = "data/gameSettings"; // read at start, replaced by every save
    std::string startingSettings;                   // read while settingsFile does not exist yet
    std::string replayFolder = "data/replays";
};

// The paths of this run; the defaults above until the start-up chooses others.
GamePaths& gamePaths();

// Settings and replays for a data folder (dataFolder, as the game reads it) that can or cannot be
// written: beside it, or in $XDG_CONFIG_HOME/vorn (default ~/.config/vorn), starting there from
// the data folder's own settings file when it has one. shownDataFolder names it in messages.
GamePaths placeGameFiles(const std::string& dataFolder, const std::string& shownDataFolder, bool writable,
                         const char* xdgConfigHome, const char* home);

#endif
