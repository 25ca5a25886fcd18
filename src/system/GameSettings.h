#ifndef VORN_SYSTEM_GAMESETTINGS_H
#define VORN_SYSTEM_GAMESETTINGS_H

#include <string>

class InputObj;
class MusicSound;
class StartGameConfig;

// The player's settings in data/gameSettings (or where system/GamePaths puts them): graphics mode, key
// mapping and mouse threshold, the gamepad's mapping, volumes, and the last chosen campaign and character. A
// file that exists but cannot be read is told once at start-up, played with defaults and never saved over.
class GameSettings {
  public:
    // What a save returns: SAVED, or why the file on disk was left as it was.
    enum SaveResult { SAVED = 0, SAVE_UNREADABLE, SAVE_FOLDER_NOT_WRITABLE, SAVE_WRITE_FAILED };

    GameSettings();

    // Reads graphics, controls and volumes, telling the player once when the file cannot be read;
    // always 0. The start screen is kept for callers: the screen reads its own choices when it opens
    // (loadStartSettings).
    int init(InputObj* input, MusicSound* sound, StartGameConfig* unused);
    int loadGraphicsSettings();
    int saveGraphicsSettings();
    int loadControls(InputObj* input);
    int saveControls(InputObj* input);
    int loadVolume(MusicSound* sound);
    int saveVolume(MusicSound* sound);
    static int loadStartSettings();
    static int saveStartSettings();
    // The reason of the last failed save, one line in the player's words, naming the file.
    static const std::string& getSaveFailure();

    int getResX() const { return resX; }
    int getResY() const { return resY; }
    int getColorDepth() const { return colorDepth; }
    int getGfxDriver() const { return gfxDriver; }
    // Note the order: depth first.
    void setGfxSettings(int depth, int driver, int resX, int resY);
    // A window mode for this run only (--windowed, --fullscreen): used in place of the file's,
    // which saves keep.
    void setDriverThisRun(int driver) { driverThisRun = gfxDriver = driver; }

  private:
    int resX;
    int resY;
    int colorDepth; // bits
    int gfxDriver;  // Allegro driver id
    int driverInFile = -1;
    int driverThisRun = -1; // none
};

#endif
