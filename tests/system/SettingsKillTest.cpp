// The game killed at any moment while it saves its settings again and again: the file is always
// whole, and it holds at least everything that was saved before the kill.
#include <allegro.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestEnv.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"
#include "system/configText.h"

namespace {

// Saves the volumes (Global = i) and the controls (MouseThreshold = i) for i = 1, 2, ... and
// reports each finished pair on the pipe, until it is killed.
[[noreturn]] void saveForever(int reportFd) {
    GameSettings settings;
    InputObj input;
    MusicSound sound;
    settings.init(&input, &sound, nullptr);
    for (int i = 1;; i++) {
        sound.setVolumeGlobal(i);
        input.setMouseControlThreshold(i);
        settings.saveVolume(&sound);
        settings.saveControls(&input);
        if (write(reportFd, &i, sizeof i) != sizeof i) _exit(1);
    }
}

int readKey(const char* section, const char* key) {
    std::string text = readConfigText("data/gameSettings");
    set_config_data(text.data(), static_cast<int>(text.size()));
    return get_config_int(section, key, -1);
}

} // namespace

TEST(SettingsFile, AKillAtAnyMomentKeepsAWholeFileWithEverySavedValue) {
    TempDir dir;
    dir.write("data/gameSettings", "[Gfx]\nResX = 800\nResY = 600\nDepth = 32\nDriver = 2\n");
    srand(7);
    for (int trial = 0; trial < 12; trial++) {
        SCOPED_TRACE(trial);
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            saveForever(fds[1]);
        }
        close(fds[1]);
        // The kill comes 0 to 150 ms after the first save, however long a save takes on a busy
        // machine (a sync under load can take tens of milliseconds).
        int lastSaved = 0;
        ASSERT_EQ(read(fds[0], &lastSaved, sizeof lastSaved), (ssize_t)sizeof lastSaved)
            << "no save finished";
        usleep(rand() % 150000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (int i; read(fds[0], &i, sizeof i) == sizeof i;)
            lastSaved = i;
        close(fds[0]);
        ASSERT_GT(lastSaved, 0) << "nothing was saved before the kill";

        int global = readKey("Sound", "Global"), threshold = readKey("Controls", "MouseThreshold");
        // The pair after the last reported one may have been finished, or half of it.
        EXPECT_GE(global, lastSaved);
        EXPECT_LE(global, lastSaved + 1);
        EXPECT_GE(threshold, lastSaved);
        EXPECT_LE(threshold, global);
        EXPECT_EQ(readKey("Gfx", "ResX"), 800) << "a group that was never saved again was lost";
        EXPECT_EQ(readKey("Controls", "Taunt"), KEY_Z);
        EXPECT_EQ(readKey("Sound", "Sfx"), 128);
    }
}
