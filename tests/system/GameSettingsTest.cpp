#include <allegro.h>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "menus/ControlConfig.h"
#include "menus/StartGameConfig.h"
#include "menus/menuAlert.h"
#include "support/TestEnv.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/padSettings.h"

namespace {

const std::vector<int> defaultMapping(InputObj::defaultKeyMappings,
                                      InputObj::defaultKeyMappings + ACTION_COUNT);

// One run of the game as far as its settings go.
struct GameRun {
    InputObj input;
    MusicSound sound;
    GameSettings settings;
    GameRun() { settings.init(&input, &sound, nullptr); }
};

// Every "key = value" line of one section of a settings file, in order.
std::vector<std::string> sectionLines(const std::string& text, const std::string& section) {
    std::vector<std::string> lines;
    bool inside = false;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line[0] == '[')
            inside = line == "[" + section + "]";
        else if (inside && line.find('=') != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

// What a case does to the disk or the player, undone at the end of the case: a file size limit
// cuts writes as a disk with that much room left does, and a player who owns neither the file
// nor the folder (nobody, when root runs the tests) meets their permissions.
struct Hindrance {
    rlimit oldLimit{};
    bool limited = false, otherUser = false;
    bool limitFileSize(rlim_t bytes) {
        if (!limited) getrlimit(RLIMIT_FSIZE, &oldLimit);
        rlimit limit = {bytes, oldLimit.rlim_max};
        signal(SIGXFSZ, SIG_IGN); // a write past the limit fails with EFBIG instead of a kill
        return limited = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    bool playAsAnotherUser(const char* path, mode_t mode) {
        for (auto [file, fileMode] :
             {std::pair<const char*, mode_t>{".", 0755}, {"data", 0777}, {path, mode}})
            chmod(file, fileMode); // fails as nobody: the first call did it
        return geteuid() != 0 || (otherUser = seteuid(65534) == 0);
    }
    ~Hindrance() {
        if (limited) setrlimit(RLIMIT_FSIZE, &oldLimit);
        if (otherUser) seteuid(0);
        chmod("data", 0755);
        chmod("data/gameSettings", 0644);
    }
};

} // namespace

TEST(SettingsFile, NoFileGivesEveryDefaultAndWritesNothing) {
    TempDir dir;
    dir.write("data/keep", "");
    GameRun run;
    EXPECT_EQ(run.settings.getResX(), 640);
    EXPECT_EQ(run.settings.getResY(), 480);
    EXPECT_EQ(run.settings.getColorDepth(), 24);
    EXPECT_EQ(run.settings.getGfxDriver(), GFX_AUTODETECT_WINDOWED);
    EXPECT_EQ(run.input.getKeyMappings(), defaultMapping);
    EXPECT_EQ(run.input.getMouseControlThreshold(), 30);
    EXPECT_EQ(run.sound.getVolumeGlobal(), 128);
    EXPECT_EQ(run.sound.getVolumeMusic(), 128);
    EXPECT_EQ(run.sound.getVolumeSfx(), 128);
    EXPECT_FALSE(dir.exists("data/gameSettings"));
}

TEST(SettingsFile, AFileWithOneKeyChangesOnlyThatValue) {
    TempDir dir;
    dir.write("data/gameSettings", "[Controls]\nUp = 84\n");
    GameRun run;
    std::vector<int> expected = defaultMapping;
    expected[ACTION_UP] = KEY_UP;
    EXPECT_EQ(run.input.getKeyMappings(), expected);
    EXPECT_EQ(run.input.getMouseControlThreshold(), 30);
    EXPECT_EQ(run.settings.getResX(), 640);
    EXPECT_EQ(run.settings.getColorDepth(), 24);
    EXPECT_EQ(run.sound.getVolumeSfx(), 128);
}

TEST(SettingsFile, SavingAGroupWritesAllItsKeysAtOnceAndKeepsTheOtherGroups) {
    TempDir dir;
    dir.write("data/gameSettings", "[Gfx]\nResX = 1024\nResY = 768\n[Sound]\nMusic = 40\n[StartGame]\n"
                                   "camp = 2\n[Controls]\nUp = 84\n");
    GameRun run;
    run.input.setKeyMapping(ACTION_TAUNT, KEY_T);
    run.settings.saveControls(&run.input);

    // On disk now, without any later configuration call: a kill here keeps the save.
    std::string text = dir.read("data/gameSettings");
    EXPECT_EQ(sectionLines(text, "Controls"),
              (std::vector<std::string>{"Up = 84", "Down = 19", "Left = 1", "Right = 4", "Hyper = 75",
                                        "Restart = 56", "Pause = 64", "Menu = 59", "Taunt = 20",
                                        "MouseThreshold = 30"}));
    EXPECT_EQ(sectionLines(text, "Gfx"), (std::vector<std::string>{"ResX = 1024", "ResY = 768"}));
    EXPECT_EQ(sectionLines(text, "Sound"), (std::vector<std::string>{"Music = 40"}));
    EXPECT_EQ(sectionLines(text, "StartGame"), (std::vector<std::string>{"camp = 2"}));

    run.sound.setVolumeSfx(200);
    run.settings.saveVolume(&run.sound);
    text = dir.read("data/gameSettings");
    EXPECT_EQ(sectionLines(text, "Sound"),
              (std::vector<std::string>{"Music = 40", "Global = 128", "Sfx = 200"}));
    EXPECT_EQ(sectionLines(text, "Controls").size(), 10u);
}

TEST(SettingsFile, ValuesWrittenByOneRunAreReadByTheNext) {
    TempDir dir;
    dir.write("data/keep", "");
    {
        GameRun first;
        first.settings.setGfxSettings(16, GFX_AUTODETECT_FULLSCREEN, 800, 600);
        first.settings.saveGraphicsSettings();
        first.input.setKeyMapping(ACTION_LEFT, KEY_LEFT);
        first.input.setMouseControlThreshold(12);
        first.settings.saveControls(&first.input);
        first.sound.setVolumeGlobal(255);
        first.sound.setVolumeMusic(0);
        first.sound.setVolumeSfx(64);
        first.settings.saveVolume(&first.sound);
    }
    EXPECT_TRUE(dir.exists("data/gameSettings"));
    GameRun second;
    EXPECT_EQ(second.settings.getColorDepth(), 16);
    EXPECT_EQ(second.settings.getGfxDriver(), GFX_AUTODETECT_FULLSCREEN);
    EXPECT_EQ(second.settings.getResX(), 800);
    EXPECT_EQ(second.settings.getResY(), 600);
    EXPECT_EQ(second.input.getKeyMappings()[ACTION_LEFT], KEY_LEFT);
    EXPECT_EQ(second.input.getMouseControlThreshold(), 12);
    EXPECT_EQ(second.sound.getVolumeGlobal(), 255);
    EXPECT_EQ(second.sound.getVolumeMusic(), 0);
    EXPECT_EQ(second.sound.getVolumeSfx(), 64);
}

TEST(SettingsFile, StartSettingsTravelThroughTheStartScreenStatics) {
    TempDir dir;
    dir.write("data/gameSettings", "[StartGame]\npc = 3\n[Gfx]\nDepth = 32\n");
    GameSettings::loadStartSettings();
    EXPECT_EQ(StartGameConfig::settingsIndexChar, 3);
    EXPECT_EQ(StartGameConfig::settingsIndexCamp, 0);

    StartGameConfig::settingsIndexCamp = 5;
    GameSettings::saveStartSettings();
    std::string text = dir.read("data/gameSettings");
    EXPECT_EQ(sectionLines(text, "StartGame"), (std::vector<std::string>{"pc = 3", "camp = 5"}));
    EXPECT_EQ(sectionLines(text, "Gfx"), (std::vector<std::string>{"Depth = 32"}));
    StartGameConfig::settingsIndexChar = StartGameConfig::settingsIndexCamp = 0;
}

TEST(SettingsFile, ASectionHeaderHoldingAControlCharacterDoesNotShadowTheSavedSection) {
    TempDir dir;
    // A hand-edited file with a form feed in a header: read as any other section name, so the
    // save's own [Gfx] section is the one read back, not this one.
    dir.write("data/gameSettings", "[\fGfx]\nResX = 0\n\n[\vSound]\nMusic = 3\n");
    {
        GameRun first;
        EXPECT_EQ(first.settings.getResX(), 640);
        EXPECT_EQ(first.sound.getVolumeMusic(), 128);
        first.settings.saveGraphicsSettings();
        first.settings.saveVolume(&first.sound);
    }
    GameRun second;
    EXPECT_EQ(second.settings.getResX(), 640);
    EXPECT_EQ(second.sound.getVolumeMusic(), 128);
}

TEST(SettingsFile, ASectionHeaderWithBlanksInsideItsBracketsIsReadAndSavedAsTheSameSection) {
    for (const char* header :
         {"[Gfx ]", "[ Gfx]", "[ Gfx ]", "[Gfx\t]", "[Gfx                                    ]"}) {
        SCOPED_TRACE(header);
        TempDir dir;
        dir.write("data/gameSettings", std::string(header) + "\nResX = 800\n");
        {
            GameRun first;
            EXPECT_EQ(first.settings.getResX(), 800);
            first.settings.setGfxSettings(16, GFX_AUTODETECT_WINDOWED, 1024, 768);
            first.settings.saveGraphicsSettings();
        }
        GameRun second;
        EXPECT_EQ(second.settings.getResX(), 1024);
    }
}

// The old file a failed save leaves behind is the one that was there, byte for byte: no save cut
// short, no empty file written over one that could not be read, no .new left, one menu alert.
TEST(SettingsFile, AFailedSaveKeepsTheOldFileAndIsToldOnce) {
    std::string old = "[Gfx]\nResX = 800\n\n";
    for (int i = 0; i < 120; i++)
        old += "# a note of the player's, kept as written\n";
    old += "\n[Sound]\nGlobal = 77\n"; // past the first 4096 bytes
    struct {
        bool (*spoil)(Hindrance&);
        int result;
        std::string reason;
    } cases[] = {
        {[](Hindrance& h) { return h.limitFileSize(4096); }, GameSettings::SAVE_WRITE_FAILED,
         "data/gameSettings could not be written: the file grew too large."},
        {[](Hindrance&) { return symlink("/dev/full", "data/gameSettings.new") == 0; },
         GameSettings::SAVE_WRITE_FAILED, "data/gameSettings could not be written: the disk is full."},
        {[](Hindrance& h) { return h.playAsAnotherUser("data", 0555); },
         GameSettings::SAVE_FOLDER_NOT_WRITABLE, "The folder data cannot be written to: no permission."},
        {[](Hindrance& h) { return h.playAsAnotherUser("data/gameSettings", 0); },
         GameSettings::SAVE_UNREADABLE, "data/gameSettings cannot be read: no permission."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        TempDir dir;
        dir.write("data/gameSettings", old);
        clearShownAlerts();
        clearShownMessages();
        {
            Hindrance hindrance;
            ASSERT_TRUE(c.spoil(hindrance));
            GameRun run;
            bool unreadable = c.result == GameSettings::SAVE_UNREADABLE;
            EXPECT_EQ(run.sound.getVolumeGlobal(), unreadable ? 128 : 77);
            EXPECT_EQ(getShownMessages().size(), unreadable ? 1u : 0u);
            for (const std::string& message : getShownMessages())
                EXPECT_NE(message.find(c.reason), std::string::npos) << message;
            ControlConfig menu(&run.input, &run.settings);
            ControlConfig::toMain(); // every exit from the menu saves
            c.spoil(hindrance);      // again: a failed save removes a .new that links to /dev/full
            ControlConfig::toMain();
            c.spoil(hindrance);
            EXPECT_EQ(GameSettings::saveStartSettings(), c.result);
        }
        EXPECT_EQ(getShownAlerts(),
                  std::vector<std::string>{"Your settings could not be saved.\n" + c.reason +
                                           "\nThe settings file keeps what it held before."});
        EXPECT_EQ(dir.read("data/gameSettings"), old);
        EXPECT_FALSE(dir.exists("data/gameSettings.new"));
    }
}

TEST(SettingsFile, TheGamepadKeepsItsOwnSectionWhereValuesOutOfLimitsOrNoNumbersAreTheDefaults) {
    TempDir dir;
    dir.write("data/gameSettings", "[Controls]\nUp = 84\n");
    {
        GameRun first; // without the section: the pad's defaults
        EXPECT_EQ(first.input.getGamePad().getSetting(PAD_ATTACK1), PAD_AXIS_INPUT + 5);
        first.input.getGamePad().setSetting(PAD_DEAD_ZONE, 50);
        first.settings.saveControls(&first.input);
    }
    std::vector<std::string> pad = sectionLines(dir.read("data/gameSettings"), "gamepad");
    ASSERT_EQ(pad.size(), size_t(PAD_SETTING_COUNT));
    EXPECT_EQ(pad[0] + pad[PAD_DEAD_ZONE], "Attack1 = 105DeadZone = 50");
    dir.write(
        "data/gameSettings",
        "[Controls]\nUp = 84\n[gamepad]\nAttack2 = 3\nHyper = 99\nDeadZone = -4\nAttack1 = RT\nAttack3 =\n"
        "Taunt = 0x10\nPause = 99999999999\nRestart = 5abc\nMenu = 010\nSelect = +9\n");
    GameRun second;
    GamePad& read = second.input.getGamePad();
    EXPECT_EQ(read.getSetting(PAD_ATTACK2), 3);
    EXPECT_EQ(read.getSetting(PAD_HYPER), 4);
    EXPECT_EQ(read.getSetting(PAD_DEAD_ZONE), 32);
    // What is no decimal number is the default too, never the 0 that is button A.
    for (int i : {PAD_ATTACK1, PAD_ATTACK3, PAD_TAUNT, PAD_PAUSE, PAD_RESTART})
        EXPECT_EQ(read.getSetting(i), padSettingRows[i].defaultValue) << padSettingRows[i].key;
    EXPECT_EQ(read.getSetting(PAD_MENU), 10); // decimal, not octal
    EXPECT_EQ(read.getSetting(PAD_SELECT), 9);
    EXPECT_EQ(second.input.getKeyMappings()[ACTION_UP], KEY_UP);
}
