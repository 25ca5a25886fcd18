#ifndef VORN_SYSTEM_PADSTATE_H
#define VORN_SYSTEM_PADSTATE_H

enum { PAD_AXIS_COUNT = 16, PAD_BUTTON_COUNT = 32 };

// One gamepad as it is at one poll, as plain data: the input layer reads only this, so a test can
// fill one where the game reads Allegro's first joystick.
struct PadState {
    bool present = false;
    int axis[PAD_AXIS_COUNT] = {}; // -128 (left, up) to 128 (right, down); a trigger rests at -128
    bool button[PAD_BUTTON_COUNT] = {};

    // The first joystick after a poll, its sticks' axes numbered in order; absent without one.
    static PadState fromJoystick();
};

#endif
