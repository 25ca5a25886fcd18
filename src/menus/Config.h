#ifndef VORN_MENUS_CONFIG_H
#define VORN_MENUS_CONFIG_H

#include <allegro.h>

class GameSettings;
class InputObj;
class MusicSound;
class Loader;
class StartGameConfig;
class ControlConfig;
class GfxSoundConfig;
class ReplaysScreen;
class Battle;

// What a menu button's dp3 holds: run when the button is clicked; D_O_K keeps the dialog open,
// D_CLOSE closes it.
typedef int (*MenuCallback)();

// Sets the graphics mode at start-up and runs the main menu.
class Config {
  public:
    Config() {}
    ~Config() {}

    // 0 on success, -1 when no graphics mode could be set.
    int initialize(GameSettings* gs, InputObj* io, MusicSound* ms, Loader* l, Battle* battle);
    // 0 when a mode is set, 1 when none could be.
    int initGfx();
    int initControls() { return 0; }
    // Runs the main menu once; 0 start a battle, 1 quit.
    static int configLoop();
    static void ConfigResetMenu();
    // Readable colours for Allegro's own alert and mode selector; again after every mode switch.
    static void setGuiColors();

    // The button procedure of every menu: a clicked D_EXIT button runs its dp3 callback, whose
    // result decides whether the dialog closes.
    static int my_button_proc(int msg, DIALOG* d, int c);

    static int startGame();
    static int startControl();
    static int startGFX();
    static int startReplays();
    static int quitGame();

    static DIALOG mainMenuDialog[];
    static int mainMsg; // 0 start a battle, 1 quit, 2 back from the start-game screen
    static ControlConfig* cc;
    static GfxSoundConfig* gsc;
    static StartGameConfig* sgc;
    static ReplaysScreen* rs;
    static const int backgroundColor[3];
    static const int foregroundColor[3];

  private:
    GameSettings* gameSettings = nullptr;
};

typedef int (*DialogProc)(int, DIALOG*, int);

// Fills the fourteen fields of one dialog entry, in the order of the DIALOG structure.
void setUpDialog(DIALOG* d, DialogProc proc, int x, int y, int w, int h, int fg, int bg, int key, int flags,
                 int d1, int d2, void* dp, void* dp2, void* dp3);

#endif
