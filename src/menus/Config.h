#ifndef VORN_MENUS_CONFIG_H
#define VORN_MENUS_CONFIG_H

class GameSettings;
class InputObj;
class MusicSound;
class Loader;
class StartGameConfig;

// Sets the graphics mode at start-up and runs the main menu.
class Config {
  public:
    Config() {}
    ~Config() {}

    // 0 on success, -1 when no graphics mode could be set.
    int initialize(GameSettings* gs, InputObj* io, MusicSound* ms, Loader* l);
    // 0 when a mode is set, 1 when none could be.
    int initGfx();
    int initControls() { return 0; }
    // Runs the main menu once; 0 start a battle, 1 quit.
    static int configLoop();

    static int mainMsg;
    static StartGameConfig* sgc;

  private:
    GameSettings* gameSettings = nullptr;
};

#endif
