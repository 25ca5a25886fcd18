#include "system/PadState.h"

#include <allegro.h>

PadState PadState::fromJoystick() {
    PadState s;
    if (num_joysticks < 1 || poll_joystick() != 0) return s;
    s.present = true;
    const JOYSTICK_INFO& pad = joy[0];
    int n = 0;
    for (int i = 0; i < pad.num_sticks; i++)
        for (int a = 0; a < pad.stick[i].num_axis && n < PAD_AXIS_COUNT; a++)
            s.axis[n++] = pad.stick[i].axis[a].pos;
    for (int b = 0; b < pad.num_buttons && b < PAD_BUTTON_COUNT; b++)
        s.button[b] = pad.button[b].b != 0;
    return s;
}
