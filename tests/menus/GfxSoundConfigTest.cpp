#include <gtest/gtest.h>
#include <string>

#include "menus/GfxSoundConfig.h"
#include "support/TestEnv.h"
#include "system/GameSettings.h"
#include "system/MusicSound.h"

TEST(GfxSoundConfig, VolumeLabelsKeepThreeDigitsWide) {
    char label[96];
    struct {
        int value;
        const char* expected;
    } cases[] = {{0, "Global:   0"},   {5, "Global:   5"},   {9, "Global:   9"},
                 {10, "Global:  10"},  {50, "Global:  50"},  {99, "Global:  99"},
                 {100, "Global: 100"}, {200, "Global: 200"}, {255, "Global: 255"}};
    for (const auto& c : cases) {
        GfxSoundConfig::formatVolumeLabel(label, "Global:", c.value);
        EXPECT_STREQ(c.expected, label);
    }
}

// Before a slider moves, the labels come from the loaded volumes; moving one changes its label
// and the volume together.
TEST(GfxSoundConfig, LabelsAndSlidersFollowTheVolumes) {
    TempDir dir;
    dir.write("data/gameSettings", "");
    GameSettings settings;
    settings.setGfxSettings(16, 2, 800, 600);
    MusicSound sound;
    sound.setVolumeGlobal(5);
    sound.setVolumeMusic(150);
    sound.setVolumeSfx(64);
    GfxSoundConfig screenObject(&settings, &sound);

    EXPECT_STREQ("800x600 at 16-bit color", GfxSoundConfig::gfxDescription);
    EXPECT_STREQ("Global:  5", GfxSoundConfig::gfxgvoldesc);
    EXPECT_STREQ("Music : 150", GfxSoundConfig::gfxmvoldesc);
    EXPECT_STREQ("Sound :  64", GfxSoundConfig::gfxsvoldesc);
    EXPECT_EQ(5, GfxSoundConfig::gfxConfigDialog[8].d2);
    EXPECT_EQ(150, GfxSoundConfig::gfxConfigDialog[10].d2);
    EXPECT_EQ(64, GfxSoundConfig::gfxConfigDialog[12].d2);
    EXPECT_EQ(255, GfxSoundConfig::gfxConfigDialog[8].d1);

    GfxSoundConfig::updateGVolSlider(nullptr, 7);
    GfxSoundConfig::updateMVolSlider(nullptr, 42);
    GfxSoundConfig::updateSVolSlider(nullptr, 255);
    EXPECT_STREQ("Global:   7", GfxSoundConfig::gfxgvoldesc);
    EXPECT_STREQ("Music :  42", GfxSoundConfig::gfxmvoldesc);
    EXPECT_STREQ("Sound : 255", GfxSoundConfig::gfxsvoldesc);
    EXPECT_EQ(7, sound.getVolumeGlobal());
    EXPECT_EQ(42, sound.getVolumeMusic());
    EXPECT_EQ(255, sound.getVolumeSfx());

    GfxSoundConfig::gfxToMain();
    std::string saved = dir.read("data/gameSettings");
    for (const char* line :
         {"ResX = 800", "ResY = 600", "Depth = 16", "Global = 7", "Music = 42", "Sfx = 255"})
        EXPECT_NE(std::string::npos, saved.find(line)) << line << " in\n" << saved;
}

TEST(GfxSoundConfig, SelectorOffersNoEightBitOrSmallModes) {
    EXPECT_NE(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT, 640, 480, 8));
    EXPECT_NE(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT, 639, 480, 32));
    EXPECT_NE(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT, 640, 479, 32));
    EXPECT_NE(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT, 320, 200, 16));
    EXPECT_EQ(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT, 640, 480, 15));
    EXPECT_EQ(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT_WINDOWED, 800, 600, 16));
    EXPECT_EQ(0, GfxSoundConfig::screenModeFilter(GFX_AUTODETECT_FULLSCREEN, 1024, 768, 32));
}
