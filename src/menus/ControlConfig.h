#ifndef VORN_MENUS_CONTROLCONFIG_H
#define VORN_MENUS_CONTROLCONFIG_H

#include <allegro.h>
#include <atomic>

class InputObj;
class GameSettings;
class GamePadConfig;

// The controls screen: remaps the nine actions by key press, restores the default keys, sets the
// mouse-aiming threshold beside a live preview of the aiming rule, and opens the gamepad screen. All state is
// in statics.
class ControlConfig {
  public:
    // Installs the screen's own 30 ms timer, which runs for the rest of the program.
    ControlConfig(InputObj* io, GameSettings* gs);
    ~ControlConfig();

    void go(int focus);
    static void ControlRedrawMenu();
    static int my_button_proc(int msg, DIALOG* d, int c);
    static int toMain();
    static int toGamePad();
    static void incTick();

    static int changeButtonUp();
    static int changeButtonDown();
    static int changeButtonLeft();
    static int changeButtonRight();
    static int changeButtonHyper();
    static int changeButtonRestart();
    static int changeButtonPause();
    static int changeButtonMenu();
    static int changeButtonTaunt();
    static int changeButton(int index);
    // Sets action index's label and mapping to scancode.
    static void assignKey(int index, int scancode);
    static int defaultControls();
    // Allegro's slider callback and dialog procedure signatures: dp3 and c are unused.
    static int updateThresholdSlider(void* dp3, int position);
    static int mouse_proc(int msg, DIALOG* d, int c);
    // Makes the preview bitmap again when the screen's colour depth is not its own.
    static void fitPreviewBitmap();
    // One tick of the preview: the aiming rule applied to a mouse movement in mickeys.
    static void aimPreview(int mx, int my);

    static DIALOG controlConfigDialog[];
    static const int keyRefIndex = 3;
    static const int mouseRefIndex = 26;
    static InputObj* controlConfigIO;
    static GameSettings* controlGS;
    static GamePadConfig* padScreen;
    static char keyLabels[][24];
    static char mouseThresholdDesc[16];
    static char mouseThresholdDesc2[24];
    static BITMAP* thresholdTemp;
    static fixed drawAngle;
    static int thresholdColor;
    static int thresholdTimer; // ticks before the preview calms to black
    static std::atomic<int> tickPassed;
    static const int backgroundColor[3];
};

#endif
