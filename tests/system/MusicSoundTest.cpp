#include <allegro.h>
#include <gtest/gtest.h>

#include "support/SoundFiles.h"
#include "support/TestEnv.h"
#include "system/Messages.h"
#include "system/MusicSound.h"

// The unit tests have no sound device; the real sound is heard by tests/sound through a
// recording ALSA device.

TEST(SilentMusicSound, WithoutASoundDeviceStartUpSaysSoAndEverythingElseIsHarmless) {
    TempDir dir;
    ASSERT_TRUE(writeSineOgg("music.ogg", 22050, 1, 0.2, 440));
    SAMPLE* effect = create_sample(16, 0, 22050, 100);
    clearShownMessages();
    {
        MusicSound sound;
        sound.initAudio();
        ASSERT_EQ(getShownMessages().size(), 1u);
        std::string text = getShownMessages()[0];
        EXPECT_EQ(
            text,
            "Music/Sound Error: no sound device could be opened (no sound driver: no device answered)\n");
        EXPECT_FALSE(sound.isSoundInstalled());

        sound.setVolumeGlobal(17);
        EXPECT_EQ(sound.getVolumeGlobal(), 17);

        std::string path = "music.ogg";
        sound.playMusic(&path);
        for (int i = 0; i < 10; ++i)
            sound.updateMusic();
        sound.fadeMusic();
        sound.pauseMusic();
        sound.restartMusic();
        sound.playMusic(&path); // again, as the next campaign does
        sound.playSfx(effect, 128, 1000);
        std::string missing = "none.ogg";
        sound.playMusic(&missing);
        sound.updateMusic();
        sound.stopMusic();
    } // the sanitizer build reports anything left behind
    destroy_sample(effect);
    EXPECT_EQ(getShownMessages().size(), 1u);
    clearShownMessages();
}
