#include "system/padSettings.h"

#include "system/PadState.h"

const char* const PAD_SECTION = "gamepad";

// The defaults follow the layout Linux gives the common twin-stick pads: axes 0 and 1 the left
// stick, 2 the left trigger, 3 and 4 the right stick, 5 the right trigger, 6 and 7 the d-pad;
// buttons 0 to 3 A, B, X, Y, 4 and 5 the shoulders, 6 Back, 7 Start.
const PadSettingRow padSettingRows[PAD_SETTING_COUNT] = {
    {"Attack1", "Attack 1", PAD_KIND_INPUT, PAD_AXIS_INPUT + 5, PAD_NO_INPUT, PAD_AXIS_INPUT + 15,
     "the first attack, as the left mouse button (right trigger)"},
    {"Attack2", "Attack 2", PAD_KIND_INPUT, PAD_AXIS_INPUT + 2, PAD_NO_INPUT, PAD_AXIS_INPUT + 15,
     "the second attack, as the right mouse button (left trigger)"},
    {"Attack3", "Attack 3", PAD_KIND_INPUT, 5, PAD_NO_INPUT, PAD_AXIS_INPUT + 15,
     "the third attack, as the middle mouse button (right shoulder)"},
    {"Hyper", "Hyper", PAD_KIND_INPUT, 4, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "Hyper (left shoulder)"},
    {"Taunt", "Taunt", PAD_KIND_INPUT, 3, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "Taunt (Y)"},
    {"Pause", "Pause", PAD_KIND_INPUT, 7, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "pauses the round (Start)"},
    {"Restart", "Restart", PAD_KIND_INPUT, 2, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "restarts the round (X)"},
    {"Menu", "Menu", PAD_KIND_INPUT, 6, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "leaves the round (Back)"},
    {"Select", "Select", PAD_KIND_INPUT, 0, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "presses a menu button (A)"},
    {"Back", "Back", PAD_KIND_INPUT, 1, PAD_NO_INPUT, PAD_AXIS_INPUT + 15, "leaves a menu screen (B)"},
    {"DeadZone", "Dead Zone", PAD_KIND_NUMBER, 32, 0, 120,
     "how far a stick moves, of 128, before it counts; also a trigger's half-way mark"},
    {"MoveAxisX", "Move X", PAD_KIND_AXIS, 0, 0, PAD_AXIS_COUNT - 1, "the axis that walks left and right"},
    {"MoveAxisY", "Move Y", PAD_KIND_AXIS, 1, 0, PAD_AXIS_COUNT - 1, "the axis that walks up and down"},
    {"AimAxisX", "Aim X", PAD_KIND_AXIS, 3, 0, PAD_AXIS_COUNT - 1, "the axis that faces left and right"},
    {"AimAxisY", "Aim Y", PAD_KIND_AXIS, 4, 0, PAD_AXIS_COUNT - 1, "the axis that faces up and down"},
    {"DpadAxisX", "D-pad X", PAD_KIND_AXIS, 6, 0, PAD_AXIS_COUNT - 1, "the d-pad's left and right"},
    {"DpadAxisY", "D-pad Y", PAD_KIND_AXIS, 7, 0, PAD_AXIS_COUNT - 1, "the d-pad's up and down"},
};

int padSettingFromFile(int index, int value) {
    const PadSettingRow& row = padSettingRows[index];
    // Between the last button and the first axis no input exists.
    bool gap = row.kind == PAD_KIND_INPUT && value >= PAD_BUTTON_COUNT && value < PAD_AXIS_INPUT;
    return value < row.min || value > row.max || gap ? row.defaultValue : value;
}

std::string padInputLabel(int input) {
    if (input >= PAD_AXIS_INPUT) return "Axis " + std::to_string(input - PAD_AXIS_INPUT);
    if (input >= 0) return "Button " + std::to_string(input);
    return "None";
}

bool padInputHeld(const PadState& s, int input, int deadZone) {
    if (input >= PAD_AXIS_INPUT && input < PAD_AXIS_INPUT + PAD_AXIS_COUNT)
        return s.axis[input - PAD_AXIS_INPUT] > deadZone;
    return input >= 0 && input < PAD_BUTTON_COUNT && s.button[input];
}

int padInputPressed(const PadState& before, const PadState& now, int deadZone, unsigned sticks) {
    for (int b = 0; b < PAD_BUTTON_COUNT; b++)
        if (now.button[b] && !before.button[b]) return b;
    for (int a = 0; a < PAD_AXIS_COUNT; a++) {
        int input = PAD_AXIS_INPUT + a;
        if (sticks & (1u << a)) continue;
        if (padInputHeld(now, input, deadZone) && !padInputHeld(before, input, deadZone)) return input;
    }
    return PAD_NO_INPUT;
}
