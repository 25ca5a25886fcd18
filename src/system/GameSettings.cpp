#include "system/GameSettings.h"

#include <allegro.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "menus/StartGameConfig.h"
#include "system/GamePaths.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/configText.h"
#include "system/fileAccess.h"
#include "system/padSettings.h"

namespace {

// Key names of the Controls section, by action index.
const char* const controlKeys[ACTION_COUNT] = {"Up",      "Down",  "Left", "Right", "Hyper",
                                               "Restart", "Pause", "Menu", "Taunt"};

// The settings file of this run, and the next one until it is complete.
std::string settingsPath() {
    return gamePaths().settingsFile;
}
std::string savingPath() {
    return gamePaths().settingsFile + ".new";
}
std::string settingsFolder() {
    size_t slash = settingsPath().find_last_of('/');
    return slash == std::string::npos ? "." : settingsPath().substr(0, slash);
}

// The file the settings are read from: the settings file, or before the first save the data's own
// settings an installed game starts from.
std::string readingPath() {
    const GamePaths& p = gamePaths();
    return access(p.settingsFile.c_str(), F_OK) != 0 && !p.startingSettings.empty() ? p.startingSettings
                                                                                    : p.settingsFile;
}

// errno of the last read of the settings file that failed, 0 when it was read or is missing.
int readFailure = 0;
// What kept the last failed save from being kept, in the player's words.
std::string saveFailure;

void openSettings() {
    readFailure = useConfigText(readingPath().c_str());
}

// A number of the settings file, which the game writes in decimal: digits with an optional sign,
// blanks around them. Anything else (no key, an empty value, a word, "12abc", hexadecimal, a
// number an int cannot hold) is the default: Allegro's get_config_int reads a word as 0, which
// maps an action to no key or gives a stick no dead zone.
int readNumber(const char* section, const char* key, int defaultValue) {
    const char* text = get_config_string(section, key, nullptr);
    if (!text) return defaultValue;
    const char* start = text + strspn(text, " \t\r");
    const char* digits = start + (*start == '-' || *start == '+');
    if (!isdigit(static_cast<unsigned char>(*digits))) return defaultValue;
    char* end = nullptr;
    errno = 0;
    long long value = strtoll(start, &end, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX || end[strspn(end, " \t\r")] != '\0')
        return defaultValue;
    return static_cast<int>(value);
}

// One key a save sets.
struct Setting {
    const char* section;
    const char* key;
    int value;
};

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
        if (first != std::string::npos && line[first] == '[' && !previousBlank) fixed += "\n";
        if (line.back() != '\n') line += "\n";
        fixed += line;
        previousBlank = first == std::string::npos;
        start = end;
    }
    return fixed;
}

// The settings file's next text: the old text with the settings set, as Allegro writes it. Allegro
// writes a configuration only to a named file and drops its write errors, so it writes to a file
// in memory, and the keys are read back from the result to know it is whole. 0, or an errno.
int composeSettings(const std::string& oldText, const std::vector<Setting>& settings, std::string& text) {
    int fd = memfd_create("gameSettings", MFD_CLOEXEC);
    if (fd < 0) return errno;
    int error = writeAll(fd, separateSections(oldText));
    if (error == 0) {
        std::string path = "/proc/self/fd/" + std::to_string(fd);
        set_config_file(path.c_str());
        for (const Setting& s : settings)
            set_config_int(s.section, s.key, s.value);
        flush_config_file();
        text = readConfigText(path.c_str(), &error);
    }
    close(fd);
    set_config_data(text.data(), static_cast<int>(text.size())); // also lets go of the file in memory
    for (const Setting& s : settings)
        if (error == 0 && get_config_int(s.section, s.key, ~s.value) != s.value) error = ENOMEM;
    return error;
}

// Writes the whole text to the new file and makes sure it is on the disk. 0, or an errno.
int writeSavingFile(int fd, const std::string& text) {
    if (int error = writeAll(fd, text)) return error;
    struct stat st;
    if (fstat(fd, &st) != 0) return errno;
    if (st.st_size != static_cast<off_t>(text.size())) return EIO;
    return fsync(fd) == 0 ? 0 : errno;
}

int failSave(int result, const std::string& what, int error) {
    saveFailure = what + ": " + plainReason(error) + ".";
    return result;
}

// A save goes to a new file that replaces the old one only once it is complete, so the game
// stopped at any moment, or a write that fails, leaves either the previous settings or the new
// ones, never a part. A file that exists but cannot be read is never written over: its other
// groups would be lost.
int saveSettings(const std::vector<Setting>& settings) {
    int error = 0;
    std::string oldText = readConfigText(readingPath().c_str(), &error);
    if (error) return failSave(GameSettings::SAVE_UNREADABLE, readingPath() + " cannot be read", error);
    // A configuration folder is made on the first save.
    if (int made = makeFolders(settingsFolder()))
        return failSave(GameSettings::SAVE_FOLDER_NOT_WRITABLE,
                        "The folder " + settingsFolder() + " cannot be made", made);
    // Non-blocking: a fifo left at the new file's name would hold the save until something read it.
    int fd = open(savingPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0)
        return failSave(GameSettings::SAVE_FOLDER_NOT_WRITABLE,
                        "The folder " + settingsFolder() + " cannot be written to", errno);
    std::string text;
    error = composeSettings(oldText, settings, text);
    if (error == 0) error = writeSavingFile(fd, text);
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(savingPath().c_str(), settingsPath().c_str()) != 0) error = errno;
    if (error) {
        remove(savingPath().c_str());
        return failSave(GameSettings::SAVE_WRITE_FAILED, settingsPath() + " could not be written", error);
    }
    return GameSettings::SAVED;
}

} // namespace

GameSettings::GameSettings() : resX(640), resY(480), colorDepth(16), gfxDriver(2) {}

int GameSettings::init(InputObj* input, MusicSound* sound, StartGameConfig*) {
    loadGraphicsSettings();
    loadControls(input);
    loadVolume(sound);
    if (readFailure != 0)
        showMessage(
            "The settings file %s cannot be read: %s.\nThe game starts with the default settings and will "
            "not save over that file.\n",
            readingPath().c_str(), plainReason(readFailure).c_str());
    return 0;
}

int GameSettings::loadGraphicsSettings() {
    openSettings();
    resX = readNumber("Gfx", "ResX", 640);
    resY = readNumber("Gfx", "ResY", 480);
    colorDepth = readNumber("Gfx", "Depth", 24);
    driverInFile = readNumber("Gfx", "Driver", GFX_AUTODETECT_WINDOWED);
    gfxDriver = driverThisRun >= 0 ? driverThisRun : driverInFile;
    return 0;
}

int GameSettings::saveGraphicsSettings() {
    return saveSettings({{"Gfx", "ResX", resX},
                         {"Gfx", "ResY", resY},
                         {"Gfx", "Depth", colorDepth},
                         {"Gfx", "Driver", gfxDriver == driverThisRun ? driverInFile : gfxDriver}});
}

int GameSettings::loadControls(InputObj* input) {
    openSettings();
    for (int i = 0; i < ACTION_COUNT; ++i)
        input->setKeyMapping(i, readNumber("Controls", controlKeys[i], InputObj::defaultKeyMappings[i]));
    input->setMouseControlThreshold(readNumber("Controls", "MouseThreshold", 30));
    // The gamepad's own section, which a game that knows no gamepad passes over.
    for (int i = 0; i < PAD_SETTING_COUNT; ++i)
        input->getGamePad().setSetting(
            i, readNumber(PAD_SECTION, padSettingRows[i].key, padSettingRows[i].defaultValue));
    return 0;
}

int GameSettings::saveControls(InputObj* input) {
    std::vector<Setting> settings;
    const std::vector<int>& mapping = input->getKeyMappings();
    for (int i = 0; i < ACTION_COUNT; ++i)
        settings.push_back({"Controls", controlKeys[i], mapping[i]});
    settings.push_back({"Controls", "MouseThreshold", input->getMouseControlThreshold()});
    for (int i = 0; i < PAD_SETTING_COUNT; ++i)
        settings.push_back({PAD_SECTION, padSettingRows[i].key, input->getGamePad().getSetting(i)});
    return saveSettings(settings);
}

int GameSettings::loadVolume(MusicSound* sound) {
    openSettings();
    sound->setVolumeGlobal(readNumber("Sound", "Global", 128));
    sound->setVolumeMusic(readNumber("Sound", "Music", 128));
    sound->setVolumeSfx(readNumber("Sound", "Sfx", 128));
    return 0;
}

int GameSettings::saveVolume(MusicSound* sound) {
    return saveSettings({{"Sound", "Global", sound->getVolumeGlobal()},
                         {"Sound", "Music", sound->getVolumeMusic()},
                         {"Sound", "Sfx", sound->getVolumeSfx()}});
}

int GameSettings::loadStartSettings() {
    openSettings();
    StartGameConfig::settingsIndexChar = readNumber("StartGame", "pc", 0);
    StartGameConfig::settingsIndexCamp = readNumber("StartGame", "camp", 0);
    return 0;
}

int GameSettings::saveStartSettings() {
    return saveSettings({{"StartGame", "pc", StartGameConfig::settingsIndexChar},
                         {"StartGame", "camp", StartGameConfig::settingsIndexCamp}});
}

const std::string& GameSettings::getSaveFailure() {
    return saveFailure;
}

void GameSettings::setGfxSettings(int depth, int driver, int x, int y) {
    colorDepth = depth;
    gfxDriver = driver;
    resX = x;
    resY = y;
}
