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
    processInput(keepClicks, PadState::fromJoystick());
}

void InputObj::processInput(bool keepClicks, const PadState& pad) {
    // The pad inputs of the actions past the four walking ones, by action index.
    static const int padInputs[ACTION_COUNT] = {PAD_NO_INPUT, PAD_NO_INPUT, PAD_NO_INPUT,
                                                PAD_NO_INPUT, PAD_HYPER,    PAD_RESTART,
                                                PAD_PAUSE,    PAD_MENU,     PAD_TAUNT};
    static const int padAttacks[MOUSE_BUTTON_COUNT] = {PAD_ATTACK1, PAD_ATTACK2, PAD_ATTACK3};
    bool padHeld[ACTION_COUNT] = {};
    gamePad.getMoves(pad, padHeld);
    for (int i = ACTION_HYPER; i < ACTION_COUNT; ++i)
        padHeld[i] = gamePad.isHeld(pad, padInputs[i]);
    for (int i = 0; i < ACTION_COUNT; ++i)
        sample(keyHeld(keyMappings[i]) || padHeld[i], keepClicks, keyPressed[i], keyClicked[i]);
    get_mouse_mickeys(&mickeyX, &mickeyY);
    for (int j = 0; j < MOUSE_BUTTON_COUNT; ++j)
        sample((mouse_b & (1 << j)) != 0 || gamePad.isHeld(pad, padAttacks[j]), keepClicks, mousePressed[j],
               mouseClicked[j]);
    // Whichever was used last aims: a mouse that moves takes the aim back from a held stick.
    bool mouseMoved = mickeyX * mickeyX + mickeyY * mickeyY > 1;
    padAiming = gamePad.getFacing(pad, padFacing) && !mouseMoved;
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
