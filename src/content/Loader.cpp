#include "content/Loader.h"

// Placeholder bodies until the content loaders are built; they load nothing.

Loader::Loader()
    : campaignDatafile(nullptr), roundDatafile(nullptr), goodStatusPics(4, nullptr), badStatusPics(4, nullptr),
      generalDatafile(nullptr), mouseCursor(nullptr), youWinPic(nullptr), youLosePic(nullptr),
      configArgv(nullptr) {}

Loader::~Loader() { unloadAll(); }

int Loader::addUnit(const std::string&) { return 0; }
int Loader::addPC(const std::string& name) {
    addUnit(name);
    return 0;
}
std::string* Loader::dontExist(const std::string&) { return nullptr; }
UnitTemplate* Loader::getUnitTemplate(std::string& name) {
    for (UnitTemplate* t : unitTemplates)
        if (t->unitName == name)
            return t;
    return nullptr;
}
void Loader::addTemplate(UnitTemplate* t) {
    unitNames.push_back(new std::string(t->unitName));
    unitTemplates.push_back(t);
}
int Loader::setUpUnitTemplate(const std::string&) { return 0; }
bool Loader::loadAnimation(UnitTemplate*, const std::string&) { return false; }
void Loader::loadUnitProperties(UnitTemplate*) {}
void Loader::get_argv(std::vector<std::string>* out, std::string*, std::string*, int* count) {
    out->clear();
    *count = 0;
}
int Loader::loadCampaign(Campaign&) { return 1; }
int Loader::loadAllUnitsFromCampaign(Campaign&) { return 0; }
int Loader::loadRound(Campaign&, int, Round*, const std::string&, MusicSound*) { return 1; }
int Loader::loadGeneralData() { return 1; }
int Loader::loadCharAndCamp(StartGameConfig*) { return 0; }
void Loader::unloadAll() {}
