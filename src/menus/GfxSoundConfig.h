#ifndef VORN_MENUS_GFXSOUNDCONFIG_H
#define VORN_MENUS_GFXSOUNDCONFIG_H

#include <allegro.h>

class GameSettings;
class MusicSound;

// The graphics and sound screen: the screen mode (Allegro's mode selector or a fixed default)
// and the three volumes. All state is in statics.
class GfxSoundConfig {
  public:
    GfxSoundConfig(GameSettings* gs, MusicSound* ms);
    ~GfxSoundConfig() {}

    void go(int focus);
    static void gfxRedrawMenu();
    static int gfx_my_button_proc(int msg, DIALOG* d, int c);
    static int gfxToMain();
    static int pickScreenMode();
    static int pickDefaultScreenMode();
    static int tryToSwitchMode(int depth, int driver, int width, int height);
    // Non-zero leaves a mode out of the selector: 8-bit, or smaller than 640x480. The driver, part
    // of Allegro's filter signature, is not looked at.
    static int screenModeFilter(int driver, int width, int height, int depth);
    // Allegro's slider callbacks; dp3 is unused.
    static int updateGVolSlider(void* dp3, int value);
    static int updateMVolSlider(void* dp3, int value);
    static int updateSVolSlider(void* dp3, int value);

    // "<name> <value>" with the blanks after the colon keeping 0 to 255 as wide as three digits.
    static void formatVolumeLabel(char* out, const char* name, int value);
    static void describeMode(int width, int height, int depth);

    static DIALOG gfxConfigDialog[];
    static const int gfxSoundIndex = 7;
    static GameSettings* gfxgs;
    static MusicSound* gfxms;
    static char gfxDescription[64];
    static char gfxgvoldesc[96], gfxmvoldesc[96], gfxsvoldesc[96];
    static const int backgroundColor[3];
};

#endif
