#include "units/PlayerCommand.h"

PlayerCommand PlayerCommand::fromInput(InputObj& input) {
    PlayerCommand c;
    for (int i = 0; i < ACTION_COUNT; i++) {
        c.actionHeld[i] = input.getKeyPressed()[i];
        c.actionClicked[i] = input.getKeyClicked()[i];
    }
    for (int i = 0; i < MOUSE_BUTTON_COUNT; i++) {
        c.buttonHeld[i] = input.getMousePressed()[i];
        c.buttonClicked[i] = input.getMouseClicked()[i];
    }
    input.getMouseMickeys(c.mickeyX, c.mickeyY);
    c.mouseThreshold = input.getMouseControlThreshold();
    c.faceGiven = input.isPadAiming();
    if (c.faceGiven) c.facing = input.getPadFacing();
    return c;
}
