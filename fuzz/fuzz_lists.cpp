// Fuzzed selection lists: both list files hold the input; every record handed to the start-game
// screen must have a name of at most 255 characters without a line end, and a description.
#include <cstdlib>

#include "FuzzSupport.h"
#include "content/Loader.h"
#include "menus/StartGameConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    writeFuzzFile("data/listOfCampaigns.txt", data, size);
    writeFuzzFile("data/listOfCharacters.txt", data, size);
    StartGameConfig::campNames.clear();
    StartGameConfig::campDesc.clear();
    StartGameConfig::charNames.clear();
    StartGameConfig::charDesc.clear();
    {
        Loader loader;
        StartGameConfig screen(nullptr, &loader);
        loader.loadCharAndCamp(&screen);
    }
    if (StartGameConfig::campNames.size() != StartGameConfig::campDesc.size() ||
        StartGameConfig::campNames != StartGameConfig::charNames || StartGameConfig::campDesc != StartGameConfig::charDesc)
        abort();
    for (const std::string& name : StartGameConfig::campNames)
        if (name.size() > 255 || name.find('\n') != std::string::npos)
            abort();
    return 0;
}
