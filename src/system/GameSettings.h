#ifndef VORN_SYSTEM_GAMESETTINGS_H
#define VORN_SYSTEM_GAMESETTINGS_H

class InputObj;
class MusicSound;
class StartGameConfig;

// The player's settings in data/gameSettings: graphics mode, key mapping and mouse threshold,
// volumes, and the last chosen campaign and character.
class GameSettings {
  public:
    GameSettings();

    int init(InputObj* input, MusicSound* sound, StartGameConfig* unused);
    int loadGraphicsSettings();
    int saveGraphicsSettings();
    int loadControls(InputObj* input);
    int saveControls(InputObj* input);
    int loadVolume(MusicSound* sound);
    int saveVolume(MusicSound* sound);
    static int loadStartSettings();
    static int saveStartSettings();

    int getResX() const { return resX; }
    int getResY() const { return resY; }
    int getColorDepth() const { return colorDepth; }
    int getGfxDriver() const { return gfxDriver; }
    // Note the order: depth first.
    void setGfxSettings(int depth, int driver, int resX, int resY);

  private:
    int resX;
    int resY;
    int colorDepth; // bits
    int gfxDriver;  // Allegro driver id
};

#endif
