#ifndef VORN_SYSTEM_PADSETTINGS_H
#define VORN_SYSTEM_PADSETTINGS_H

#include <string>

struct PadState;

// The gamepad's settings, saved in the settings file's [gamepad] section, by index into the table.
enum {
    PAD_ATTACK1 = 0,
    PAD_ATTACK2,
    PAD_ATTACK3,
    PAD_HYPER,
    PAD_TAUNT,
    PAD_PAUSE,
    PAD_RESTART,
    PAD_MENU,
    PAD_SELECT,
    PAD_BACK,
    PAD_INPUT_COUNT, // the entries above are pad inputs, mapped on the gamepad screen
    PAD_DEAD_ZONE = PAD_INPUT_COUNT,
    PAD_MOVE_X,
    PAD_MOVE_Y,
    PAD_AIM_X,
    PAD_AIM_Y,
    PAD_DPAD_X,
    PAD_DPAD_Y,
    PAD_SETTING_COUNT
};

// A pad input is a button number, or PAD_AXIS_INPUT + an axis number for an axis pushed past the
// dead zone towards its positive end (a trigger), or PAD_NO_INPUT.
enum { PAD_NO_INPUT = -1, PAD_AXIS_INPUT = 100 };

enum PadSettingKind { PAD_KIND_INPUT, PAD_KIND_AXIS, PAD_KIND_NUMBER };

struct PadSettingRow {
    const char* key; // in the [gamepad] section
    const char* label;
    PadSettingKind kind;
    int defaultValue;
    int min, max; // a value outside is the default
    const char* help;
};

extern const char* const PAD_SECTION;
extern const PadSettingRow padSettingRows[PAD_SETTING_COUNT];

// The value of setting index as read from the file, the default when it is out of its limits.
int padSettingFromFile(int index, int value);
// "Button 3", "Axis 5", or "None": what the gamepad screen shows for a pad input.
std::string padInputLabel(int input);
// Whether input is held in s; an axis counts past deadZone (of 128) towards its positive end.
bool padInputHeld(const PadState& s, int input, int deadZone);
// The first button held, or axis pushed, in now that was not in before, leaving out the axes whose
// bits are set in sticks: what "Press a button" waits for. PAD_NO_INPUT when there is none.
int padInputPressed(const PadState& before, const PadState& now, int deadZone, unsigned sticks);

#endif
