#include "system/InputObj.h"

#include <allegro.h>

#include "system/Messages.h"

const int InputObj::defaultKeyMappings[ACTION_COUNT] = {KEY_W,   KEY_S,   KEY_A,   KEY_D, KEY_SPACE,
                                                        KEY_F10, KEY_TAB, KEY_ESC, KEY_Z};

namespace {

// Scancodes come from the settings file unchecked; one outside Allegro's range is a key that is
// never held rather than a read outside the key array.
bool keyHeld(int scancode) {
    return scancode >= 1 && scancode < KEY_MAX && key[scancode] != 0;
}

// One poll of one key or button: let go after being held is a click.
void sample(bool heldNow, bool keepClicks, std::vector<bool>::reference pressed,
            std::vector<bool>::reference clicked) {
    bool letGo = pressed && !heldNow;
    if (letGo)
        clicked = true;
    else if (!keepClicks)
        clicked = false;
    pressed = heldNow;
}

} // namespace

InputObj::InputObj()
    : keyMappings(defaultKeyMappings, defaultKeyMappings + ACTION_COUNT), keyPressed(ACTION_COUNT, false),
      keyClicked(ACTION_COUNT, false), mousePressed(MOUSE_BUTTON_COUNT, false),
      mouseClicked(MOUSE_BUTTON_COUNT, false), mouseControlThreshold(30), mickeyX(0), mickeyY(0) {}

void InputObj::processInput(bool keepClicks) {
    for (int i = 0; i < ACTION_COUNT; ++i)
        sample(keyHeld(keyMappings[i]), keepClicks, keyPressed[i], keyClicked[i]);
    get_mouse_mickeys(&mickeyX, &mickeyY);
    for (int j = 0; j < MOUSE_BUTTON_COUNT; ++j)
        sample((mouse_b & (1 << j)) != 0, keepClicks, mousePressed[j], mouseClicked[j]);
}

void InputObj::setKeyMapping(int index, int scancode) {
    if (index < 0 || index >= static_cast<int>(keyMappings.size())) {
        showMessage("Set Key Mapping: Illegal index %d, \n", index);
        return;
    }
    keyMappings[index] = scancode;
}

void InputObj::clear() {
    for (int i = 0; i < ACTION_COUNT; ++i) {
        keyPressed[i] = false;
        keyClicked[i] = false;
    }
}

void InputObj::letGoOfEverything() {
    for (int k = 0; k < KEY_MAX; ++k)
        key[k] = 0;
    clear();
    for (int j = 0; j < MOUSE_BUTTON_COUNT; ++j) {
        mousePressed[j] = false;
        mouseClicked[j] = false;
    }
}

bool InputObj::anyClicked() const {
    for (bool clicked : keyClicked)
        if (clicked) return true;
    for (bool clicked : mouseClicked)
        if (clicked) return true;
    return false;
}
