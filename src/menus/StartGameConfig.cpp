#include "menus/StartGameConfig.h"

GameSettings* StartGameConfig::gs = nullptr;
Loader* StartGameConfig::l = nullptr;
std::vector<std::string> StartGameConfig::campNames, StartGameConfig::campDesc;
std::vector<std::string> StartGameConfig::charNames, StartGameConfig::charDesc;
int StartGameConfig::settingsIndexCamp = 0;
int StartGameConfig::settingsIndexChar = 0;

StartGameConfig::StartGameConfig(GameSettings* g, Loader* loader) {
    gs = g;
    l = loader;
}

void StartGameConfig::addCampName(std::string name, std::string description) {
    campNames.push_back(name);
    campDesc.push_back(description);
}

void StartGameConfig::addCharName(std::string name, std::string description) {
    charNames.push_back(name);
    charDesc.push_back(description);
}

// Placeholder selection until the screen is built: the saved index, when it names an entry.
std::string StartGameConfig::getCampName() {
    int i = settingsIndexCamp;
    return i >= 0 && i < (int)campNames.size() ? campNames[i] : std::string();
}

std::string StartGameConfig::getCharName() {
    int i = settingsIndexChar;
    return i >= 0 && i < (int)charNames.size() ? charNames[i] : std::string();
}
