#include "system/GameSettings.h"

#include <allegro.h>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <string>

#include "menus/StartGameConfig.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"
#include "system/configText.h"

namespace {

const char* const settingsPath = "data/gameSettings";

// Key names of the Controls section, by action index.
const char* const controlKeys[ACTION_COUNT] = {"Up",   "Down",  "Left", "Right", "Hyper",
                                               "Restart", "Pause", "Menu", "Taunt"};

const char* const savingPath = "data/gameSettings.new"; // the next file, until it is complete

void openSettings() { useConfigText(settingsPath); }

// Allegro adds a new key to a section at the first blank line after the section's header, so in
// a file whose sections are not separated by blank lines the key would land in the next section
// and be lost to its own. Separate them before a save.
std::string separateSections(const std::string& text) {
    std::string fixed;
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
    return fixed;
}

bool writeWhole(const char* path, const std::string& text) {
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    return fclose(file) == 0 && written;
}

bool syncFile(const char* path) {
    int fd = open(path, O_RDONLY);
    if (fd < 0)
        return false;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

// A save goes to a new file that replaces the old one only once it is complete, so the game
// stopped at any moment leaves either the previous settings or the new ones, never a part.
template <typename WriteKeys> void saveSettings(WriteKeys writeKeys) {
    if (!writeWhole(savingPath, separateSections(readConfigText(settingsPath))))
        return;
    set_config_file(savingPath);
    writeKeys();
    flush_config_file();
    useConfigText(settingsPath); // lets go of the new file before it is renamed
    if (syncFile(savingPath))
        rename(savingPath, settingsPath);
    else
        remove(savingPath);
}

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
    saveSettings([this] {
        set_config_int("Gfx", "ResX", resX);
        set_config_int("Gfx", "ResY", resY);
        set_config_int("Gfx", "Depth", colorDepth);
        set_config_int("Gfx", "Driver", gfxDriver);
    });
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
    saveSettings([input] {
        const std::vector<int>& mapping = input->getKeyMappings();
        for (int i = 0; i < ACTION_COUNT; ++i)
            set_config_int("Controls", controlKeys[i], mapping[i]);
        set_config_int("Controls", "MouseThreshold", input->getMouseControlThreshold());
    });
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
    saveSettings([sound] {
        set_config_int("Sound", "Global", sound->getVolumeGlobal());
        set_config_int("Sound", "Music", sound->getVolumeMusic());
        set_config_int("Sound", "Sfx", sound->getVolumeSfx());
    });
    return 0;
}

int GameSettings::loadStartSettings() {
    openSettings();
    StartGameConfig::settingsIndexChar = get_config_int("StartGame", "pc", 0);
    StartGameConfig::settingsIndexCamp = get_config_int("StartGame", "camp", 0);
    return 0;
}

int GameSettings::saveStartSettings() {
    saveSettings([] {
        set_config_int("StartGame", "pc", StartGameConfig::settingsIndexChar);
        set_config_int("StartGame", "camp", StartGameConfig::settingsIndexCamp);
    });
    return 0;
}

void GameSettings::setGfxSettings(int depth, int driver, int x, int y) {
    colorDepth = depth;
    gfxDriver = driver;
    resX = x;
    resY = y;
}
