#ifndef VORN_MENUS_GAMEPADCONFIG_H
#define VORN_MENUS_GAMEPADCONFIG_H

#include <allegro.h>

class GamePad;
class GameSettings;
class InputObj;

// The gamepad screen, reached from the controls screen: maps each pad action to a button or a
// trigger ("Press a button"), sets the sticks' dead zone, and restores the gamepad's defaults.
// Leaving it saves the controls. All state is in statics.
class GamePadConfig {
  public:
    GamePadConfig(InputObj* io, GameSettings* gs);

    void go(int focus);
    static void redraw();
    // Sets the pad action's input and its label.
    static void assignInput(int index, int input);
    static int defaultGamePad();
    static int back();
    // Allegro's slider callback; dp3 is unused.
    static int updateDeadZone(void* dp3, int position);

    static DIALOG dialog[];
    static const int ROW_INDEX = 3;                    // the first action's button; its label follows
    static const int DEAD_ZONE_INDEX = ROW_INDEX + 21; // the slider; its value follows
    static char labels[][24];
    static char deadZoneText[8];

  private:
    static int rowProc(int msg, DIALOG* d, int c);
    static int changeInput(int index);
    static void setLabels();
    static GamePad* pad;
    static InputObj* input;
    static GameSettings* settings;
};

#endif
