// A fuzzed settings file: read at start-up, every group saved, then read again by a fresh set of
// objects, which must find exactly what was saved.
#include <cstdlib>

#include "FuzzSupport.h"
#include "menus/StartGameConfig.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"

namespace {

struct Snapshot {
    int gfx[4];
    std::vector<int> keys;
    int threshold, volumes[3], camp, pc;
};

Snapshot load() {
    GameSettings settings;
    InputObj input;
    MusicSound sound;
    settings.init(&input, &sound, nullptr);
    GameSettings::loadStartSettings();
    return {{settings.getResX(), settings.getResY(), settings.getColorDepth(), settings.getGfxDriver()},
            input.getKeyMappings(),
            input.getMouseControlThreshold(),
            {sound.getVolumeGlobal(), sound.getVolumeMusic(), sound.getVolumeSfx()},
            StartGameConfig::settingsIndexCamp,
            StartGameConfig::settingsIndexChar};
}

bool operator==(const Snapshot& a, const Snapshot& b) {
    for (int i = 0; i < 4; i++)
        if (a.gfx[i] != b.gfx[i])
            return false;
    for (int i = 0; i < 3; i++)
        if (a.volumes[i] != b.volumes[i])
            return false;
    return a.keys == b.keys && a.threshold == b.threshold && a.camp == b.camp && a.pc == b.pc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    set_config_file("data/other"); // the settings file is read afresh below
    writeFuzzFile("data/gameSettings", data, size);
    Snapshot before;
    {
        GameSettings settings;
        InputObj input;
        MusicSound sound;
        settings.init(&input, &sound, nullptr);
        GameSettings::loadStartSettings();
        settings.saveGraphicsSettings();
        settings.saveVolume(&sound);
        settings.saveControls(&input);
        GameSettings::saveStartSettings();
        before = {{settings.getResX(), settings.getResY(), settings.getColorDepth(), settings.getGfxDriver()},
                  input.getKeyMappings(),
                  input.getMouseControlThreshold(),
                  {sound.getVolumeGlobal(), sound.getVolumeMusic(), sound.getVolumeSfx()},
                  StartGameConfig::settingsIndexCamp,
                  StartGameConfig::settingsIndexChar};
    }
    set_config_file("data/other");
    if (!(load() == before))
        abort(); // a saved value was lost or changed on the way
    forgetMessages();
    return 0;
}
