#include "system/InputObj.h"

#include <allegro.h>

// Placeholder until the input object is built: nothing is ever pressed.

const int InputObj::defaultKeyMappings[ACTION_COUNT] = {KEY_W,   KEY_S,   KEY_A,   KEY_D, KEY_SPACE,
                                                        KEY_F10, KEY_TAB, KEY_ESC, KEY_Z};

InputObj::InputObj()
    : keyMappings(defaultKeyMappings, defaultKeyMappings + ACTION_COUNT), keyPressed(ACTION_COUNT, false),
      keyClicked(ACTION_COUNT, false), mousePressed(MOUSE_BUTTON_COUNT, false),
      mouseClicked(MOUSE_BUTTON_COUNT, false), mouseControlThreshold(30), mickeyX(0), mickeyY(0) {}

void InputObj::processInput(bool) {}
void InputObj::setKeyMapping(int index, int scancode) {
    if (index >= 0 && index < ACTION_COUNT)
        keyMappings[index] = scancode;
}
void InputObj::clear() {}
bool InputObj::anyClicked() const { return false; }
