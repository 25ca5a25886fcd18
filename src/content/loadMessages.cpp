#include "content/loadMessages.h"

#include "content/fileFormat.h"
#include "system/textFormat.h"

std::string unitNotValidMessage(const std::string& unit) {
    return "Unit " + unit + " is not valid. \n";
}

std::string unitNotLoadedMessage(const std::string& what) {
    return what + ", cannot load Unit.";
}

std::string noAnimationsMessage(const std::string& unit, const std::string& datafile) {
    return "no animations found for unit " + unit + " in file " + datafile + "; cannot load unit. \n";
}

std::string missingFrameMessage(const std::string& frame, const std::string& unit) {
    return "could not find " + frame + " frame for " + unit + ", skipping it.\n";
}

std::string tooManyAddedMessage(const std::string& unit, const std::string& key, int amount) {
    return textf("Unit %s: %s adds %d units; only %d are made.\n", unit.c_str(), key.c_str(), amount,
                 maxUnitsPerOrder);
}

std::string tooManySpawnedMessage(const std::string& section, const std::string& key, int amount) {
    return textf("%s: %s asks for %d units; only %d are made.\n", section.c_str(), key.c_str(), amount,
                 maxUnitsPerOrder);
}

std::string missingPictureMessage(const std::string& object, const std::string& datafile) {
    return "Could not find picture " + object + " in datafile " + datafile + ".\n";
}

std::string campaignNotLoadedMessage(const std::string& datafile) {
    return "Campaign file " + datafile + " did not load. Now exiting.\n";
}

std::string roundNotLoadedMessage(const std::string& datafile) {
    return "Round file " + datafile + " did not load. Now exiting.\n";
}

std::string unusableArenaSizeMessage(const std::string& width, const std::string& height) {
    return "LoadRound: ArenaSize " + width + " " + height +
           " is not a usable size, keeping the previous one.\n";
}

std::string arenaTooFewMessage() {
    return "LoadRound: Arena has too few parameters";
}

std::string generalNotLoadedMessage() {
    return "General datafile did not load. Now exiting.\n";
}

std::string loadGeneralFailedMessage() {
    return "Load General failed\n";
}

std::string loadCampaignFailedMessage() {
    return "Load Campaign failed\n";
}

std::string arenaNotMadeMessage(int width, int height) {
    return textf("The arena of %d x %d pixels could not be made. Leaving the campaign.\n", width, height);
}

std::string quoted(const std::string& message) {
    return !message.empty() && message.back() == '\n' ? message.substr(0, message.size() - 1) : message;
}
