#ifndef VORN_SYSTEM_INPUTOBJ_H
#define VORN_SYSTEM_INPUTOBJ_H

#include <vector>

// Action indices of the key mapping.
enum {
    ACTION_UP = 0,
    ACTION_DOWN,
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_HYPER,
    ACTION_RESTART,
    ACTION_PAUSE,
    ACTION_MENU,
    ACTION_TAUNT, // mapped and saved with the settings; nothing in play answers it
    ACTION_COUNT
};
enum { MOUSE_BUTTON_COUNT = 3 };

// The battle's view of keyboard and mouse: nine mapped actions and three buttons, sampled once
// per poll into pressed (held now) and clicked (let go at this poll) flags.
class InputObj {
  public:
    InputObj();

    void processInput(bool keepClicks);
    std::vector<bool>& getKeyPressed() { return keyPressed; }
    std::vector<bool>& getKeyClicked() { return keyClicked; }
    std::vector<bool>& getMousePressed() { return mousePressed; }
    std::vector<bool>& getMouseClicked() { return mouseClicked; }
    void getMouseMickeys(int& x, int& y) const {
        x = mickeyX;
        y = mickeyY;
    }
    int getMouseControlThreshold() const { return mouseControlThreshold; }
    void setMouseControlThreshold(int t) { mouseControlThreshold = t; }
    std::vector<int>& getKeyMappings() { return keyMappings; }
    void setKeyMapping(int index, int scancode);
    void clear();
    // Every key and button let go, in Allegro's key array as well, without a click: keys let go
    // while another window had the focus never reach the game, and would stay held.
    void letGoOfEverything();
    bool anyClicked() const;

    static const int defaultKeyMappings[ACTION_COUNT];

  private:
    std::vector<int> keyMappings; // scancode per action
    std::vector<bool> keyPressed;
    std::vector<bool> keyClicked;
    std::vector<bool> mousePressed;
    std::vector<bool> mouseClicked;
    int mouseControlThreshold; // mickeys per poll
    int mickeyX, mickeyY;      // movement at the last poll, mickeys
};

#endif
