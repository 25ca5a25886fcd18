#ifndef VORN_BATTLE_BATTLE_H
#define VORN_BATTLE_BATTLE_H

#include <string>

class GameSettings;
class InputObj;
class Loader;
class MusicSound;

// Plays one campaign from its opening picture to its end.
class Battle {
  public:
    // Installs the frame clock.
    Battle();
    ~Battle();

    void setGameSettings(GameSettings* g) { gameSettings = g; }
    void setMusicSound(MusicSound* m) { musicSound = m; }
    void setInputObj(InputObj* i) { inputObj = i; }
    // Always 0: the mode loop goes back to the menus.
    int battleLoop(std::string campName, std::string charName, Loader* l);

  private:
    std::string charName;
    MusicSound* musicSound = nullptr;
    InputObj* inputObj = nullptr;
    GameSettings* gameSettings = nullptr;
};

#endif
