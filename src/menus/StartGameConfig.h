#ifndef VORN_MENUS_STARTGAMECONFIG_H
#define VORN_MENUS_STARTGAMECONFIG_H

#include <string>
#include <vector>

class GameSettings;
class Loader;

// The screen where the player chooses a campaign and a character. All state is in statics.
class StartGameConfig {
  public:
    StartGameConfig(GameSettings* gs, Loader* l);
    ~StartGameConfig() {}

    void addCampName(std::string name, std::string description);
    void addCharName(std::string name, std::string description);
    static std::string getCampName();
    static std::string getCharName();

    static GameSettings* gs;
    static Loader* l;
    static std::vector<std::string> campNames, campDesc;
    static std::vector<std::string> charNames, charDesc;
    static int settingsIndexCamp;
    static int settingsIndexChar;
};

#endif
