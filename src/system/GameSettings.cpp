#include "system/GameSettings.h"

#include <allegro.h>
#include <cstdio>
#include <string>

#include "menus/StartGameConfig.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"

namespace {

const char* const settingsPath = "data/gameSettings";

// Key names of the Controls section, by action index.
const char* const controlKeys[ACTION_COUNT] = {"Up",   "Down",  "Left", "Right", "Hyper",
                                               "Restart", "Pause", "Menu", "Taunt"};

void openSettings() { set_config_file(settingsPath); }

// Allegro adds a new key to a section at the first blank line after the section's header, so in
// a file whose sections are not separated by blank lines the key would land in the next section
// and be lost to its own. Separate them before a save.
void separateSections() {
    FILE* file = fopen(settingsPath, "rb");
    if (!file)
        return;
    std::string text, fixed;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, file)) > 0;)
        text.append(chunk, n);
    fclose(file);
    bool previousBlank = true;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string line = text.substr(start, end - start);
        size_t first = line.find_first_not_of(" \t\r\n");
        if (first != std::string::npos && line[first] == '[' && !previousBlank)
            fixed += "\n";
        if (line.back() != '\n')
            line += "\n";
        fixed += line;
        previousBlank = first == std::string::npos;
        start = end;
    }
    if (fixed == text)
        return;
    file = fopen(settingsPath, "wb");
    if (!file)
        return;
    fwrite(fixed.data(), 1, fixed.size(), file);
    fclose(file);
}

void openSettingsForSave() {
    separateSections();
    openSettings();
}

// Writes the file now, so a saved group survives a crash or a kill later in the run.
void closeSettings() { flush_config_file(); }

} // namespace

GameSettings::GameSettings() : resX(640), resY(480), colorDepth(16), gfxDriver(2) {}

int GameSettings::init(InputObj* input, MusicSound* sound, StartGameConfig*) {
    if (loadGraphicsSettings() != 0)
        return 0;
    if (loadControls(input) != 0)
        return 0;
    loadVolume(sound);
    return 0;
}

int GameSettings::loadGraphicsSettings() {
    openSettings();
    resX = get_config_int("Gfx", "ResX", 640);
    resY = get_config_int("Gfx", "ResY", 480);
    colorDepth = get_config_int("Gfx", "Depth", 24);
    gfxDriver = get_config_int("Gfx", "Driver", GFX_AUTODETECT_WINDOWED);
    return 0;
}

int GameSettings::saveGraphicsSettings() {
    openSettingsForSave();
    set_config_int("Gfx", "ResX", resX);
    set_config_int("Gfx", "ResY", resY);
    set_config_int("Gfx", "Depth", colorDepth);
    set_config_int("Gfx", "Driver", gfxDriver);
    closeSettings();
    return 0;
}

int GameSettings::loadControls(InputObj* input) {
    openSettings();
    for (int i = 0; i < ACTION_COUNT; ++i)
        input->setKeyMapping(i, get_config_int("Controls", controlKeys[i], InputObj::defaultKeyMappings[i]));
    input->setMouseControlThreshold(get_config_int("Controls", "MouseThreshold", 30));
    return 0;
}

int GameSettings::saveControls(InputObj* input) {
    openSettingsForSave();
    const std::vector<int>& mapping = input->getKeyMappings();
    for (int i = 0; i < ACTION_COUNT; ++i)
        set_config_int("Controls", controlKeys[i], mapping[i]);
    set_config_int("Controls", "MouseThreshold", input->getMouseControlThreshold());
    closeSettings();
    return 0;
}

int GameSettings::loadVolume(MusicSound* sound) {
    openSettings();
    sound->setVolumeGlobal(get_config_int("Sound", "Global", 128));
    sound->setVolumeMusic(get_config_int("Sound", "Music", 128));
    sound->setVolumeSfx(get_config_int("Sound", "Sfx", 128));
    return 0;
}

int GameSettings::saveVolume(MusicSound* sound) {
    openSettingsForSave();
    set_config_int("Sound", "Global", sound->getVolumeGlobal());
    set_config_int("Sound", "Music", sound->getVolumeMusic());
    set_config_int("Sound", "Sfx", sound->getVolumeSfx());
    closeSettings();
    return 0;
}

int GameSettings::loadStartSettings() {
    openSettings();
    StartGameConfig::settingsIndexChar = get_config_int("StartGame", "pc", 0);
    StartGameConfig::settingsIndexCamp = get_config_int("StartGame", "camp", 0);
    return 0;
}

int GameSettings::saveStartSettings() {
    openSettingsForSave();
    set_config_int("StartGame", "pc", StartGameConfig::settingsIndexChar);
    set_config_int("StartGame", "camp", StartGameConfig::settingsIndexCamp);
    closeSettings();
    return 0;
}

void GameSettings::setGfxSettings(int depth, int driver, int x, int y) {
    colorDepth = depth;
    gfxDriver = driver;
    resX = x;
    resY = y;
}
