#include "system/GamePad.h"

#include <cstdlib>

namespace {

const int MENU_REPEAT_DELAY = 400; // msec a held direction waits before it repeats
const int MENU_REPEAT_RATE = 120;  // msec between repeats
const int MENU_PUSH = 64;          // of 128: a direction counts for a menu past half way

int axisOf(const PadState& s, int axis) {
    return axis >= 0 && axis < PAD_AXIS_COUNT ? s.axis[axis] : 0;
}

// The eight directions of a push (x, y) outside deadZone, as the keys give them: a push within
// 22.5 degrees of an axis is along it alone.
void directionsOf(int x, int y, int deadZone, bool moves[4]) {
    if (x * x + y * y <= deadZone * deadZone) return;
    const int tan225 = 414; // thousandths
    int ax = abs(x), ay = abs(y);
    if (ax * 1000 > ay * tan225) moves[x > 0 ? 3 : 2] = true;
    if (ay * 1000 > ax * tan225) moves[y > 0 ? 1 : 0] = true;
}

} // namespace

GamePad::GamePad() {
    restoreDefaults();
}

void GamePad::setSetting(int index, int value) {
    if (index >= 0 && index < PAD_SETTING_COUNT) settings[index] = padSettingFromFile(index, value);
}

void GamePad::restoreDefaults() {
    for (int i = 0; i < PAD_SETTING_COUNT; i++)
        settings[i] = padSettingRows[i].defaultValue;
}

void GamePad::getMoves(const PadState& s, bool moves[4]) const {
    for (int i = 0; i < 4; i++)
        moves[i] = false;
    if (!s.present) return;
    int deadZone = settings[PAD_DEAD_ZONE];
    directionsOf(axisOf(s, settings[PAD_MOVE_X]), axisOf(s, settings[PAD_MOVE_Y]), deadZone, moves);
    directionsOf(axisOf(s, settings[PAD_DPAD_X]), axisOf(s, settings[PAD_DPAD_Y]), deadZone, moves);
}

bool GamePad::getFacing(const PadState& s, fixed& facing) const {
    if (!s.present) return false;
    int x = axisOf(s, settings[PAD_AIM_X]), y = axisOf(s, settings[PAD_AIM_Y]);
    int deadZone = settings[PAD_DEAD_ZONE];
    if (x * x + y * y <= deadZone * deadZone) return false;
    // Angle 0 faces up the screen and 64 right, as the mouse's aiming has it.
    facing = fixatan2(itofix(x), itofix(-y));
    return true;
}

bool GamePad::isHeld(const PadState& s, int padInput) const {
    return s.present && padInputHeld(s, settings[padInput], settings[PAD_DEAD_ZONE]);
}

unsigned GamePad::stickAxes() const {
    unsigned bits = 0;
    for (int i = PAD_MOVE_X; i <= PAD_DPAD_Y; i++)
        bits |= 1u << settings[i];
    return bits;
}

int GamePad::menuKey(const PadState& s, int msNow) {
    bool select = isHeld(s, PAD_SELECT), back = isHeld(s, PAD_BACK);
    bool selectPressed = select && !menuSelectHeld, backPressed = back && !menuBackHeld;
    menuSelectHeld = select;
    menuBackHeld = back;
    if (selectPressed) return KEY_ENTER << 8 | '\r';
    if (backPressed) return KEY_ESC << 8 | 27;

    bool moves[4] = {};
    if (s.present) {
        directionsOf(axisOf(s, settings[PAD_MOVE_X]), axisOf(s, settings[PAD_MOVE_Y]), MENU_PUSH, moves);
        directionsOf(axisOf(s, settings[PAD_DPAD_X]), axisOf(s, settings[PAD_DPAD_Y]), MENU_PUSH, moves);
    }
    // A diagonal push is read as its vertical part: menus are columns more often than rows.
    const int arrows[4] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
    int direction = 0;
    for (int i = 3; i >= 0; i--)
        if (moves[i]) direction = arrows[i];
    if (direction == 0 || direction != menuDirection) {
        menuDirection = direction;
        menuRepeatAt = msNow + MENU_REPEAT_DELAY;
        return direction ? direction << 8 : 0;
    }
    if (msNow - menuRepeatAt < 0) return 0;
    menuRepeatAt = msNow + MENU_REPEAT_RATE;
    return direction << 8;
}
