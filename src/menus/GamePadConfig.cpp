#include "menus/GamePadConfig.h"

#include <cstdio>

#include "menus/Config.h"
#include "menus/ControlConfig.h"
#include "menus/menuAlert.h"
#include "menus/runDialog.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/quitRequest.h"

GamePad* GamePadConfig::pad = nullptr;
InputObj* GamePadConfig::input = nullptr;
GameSettings* GamePadConfig::settings = nullptr;
char GamePadConfig::labels[PAD_INPUT_COUNT][24];
char GamePadConfig::deadZoneText[8];

#define PAD_ROW(i)                                                                                           \
    {GamePadConfig::rowProc, 10, 20 + 24 * i, 80, 20, 0, 0, 0, D_EXIT, i, 0, nullptr, nullptr, nullptr}, {   \
        d_text_proc, 100, 25 + 24 * i, 0, 0, 0, 0, 0, 0, 0, 0, GamePadConfig::labels[i], nullptr, nullptr    \
    }

DIALOG GamePadConfig::dialog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_box_proc, 0, 0, 400, 265, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_text_proc, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Gamepad", nullptr, nullptr},
    PAD_ROW(0),
    PAD_ROW(1),
    PAD_ROW(2),
    PAD_ROW(3),
    PAD_ROW(4),
    PAD_ROW(5),
    PAD_ROW(6),
    PAD_ROW(7),
    PAD_ROW(8),
    PAD_ROW(9),
    {d_text_proc, 205, 25, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Dead Zone", nullptr, nullptr},
    {d_slider_proc, 205, 40, 150, 20, 0, 0, 0, 0, 120, 0, nullptr, (void*)updateDeadZone, nullptr},
    {d_rtext_proc, 395, 45, 0, 0, 0, 0, 0, 0, 0, 0, deadZoneText, nullptr, nullptr},
    {d_text_proc, 205, 80, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Left stick, d-pad: move", nullptr, nullptr},
    {d_text_proc, 205, 95, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Right stick: aim", nullptr, nullptr},
    {d_text_proc, 205, 120, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Pick an action, then press", nullptr, nullptr},
    {d_text_proc, 205, 135, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"its button or trigger;", nullptr, nullptr},
    {d_text_proc, 205, 150, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Esc keeps the old one.", nullptr, nullptr},
    {Config::my_button_proc, 100, 270, 200, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Default Gamepad", nullptr,
     (void*)defaultGamePad},
    {Config::my_button_proc, 100, 295, 200, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Controls", nullptr,
     (void*)back},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};
#undef PAD_ROW

GamePadConfig::GamePadConfig(InputObj* io, GameSettings* gs) {
    input = io;
    pad = &io->getGamePad();
    settings = gs;
    for (int i = 0; i < PAD_INPUT_COUNT; i++)
        dialog[ROW_INDEX + 2 * i].dp = (void*)padSettingRows[i].label;
    setLabels();
}

void GamePadConfig::setLabels() {
    for (int i = 0; i < PAD_INPUT_COUNT; i++)
        snprintf(labels[i], sizeof labels[i], "%s", padInputLabel(pad->getSetting(i)).c_str());
    int deadZone = pad->getSetting(PAD_DEAD_ZONE);
    dialog[DEAD_ZONE_INDEX].d2 = deadZone;
    snprintf(deadZoneText, sizeof deadZoneText, deadZone <= 99 ? " %d" : "%d", deadZone);
}

void GamePadConfig::go(int focus) {
    setLabels();
    redraw();
    show_mouse(screen);
    runDialog(dialog, focus);
}

void GamePadConfig::redraw() {
    set_dialog_color(dialog, makecol(0, 0, 0),
                     makecol(ControlConfig::backgroundColor[0], ControlConfig::backgroundColor[1],
                             ControlConfig::backgroundColor[2]));
    centre_dialog(dialog);
    dialog_message(dialog, MSG_DRAW, 0, nullptr);
}

int GamePadConfig::rowProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    return result == D_CLOSE ? changeInput(d->d1) : result;
}

int GamePadConfig::changeInput(int index) {
    drawPressPrompt("Press a button");
    clear_keybuf();
    // The button that chose the row may still be held: only a press that starts here counts.
    PadState before = PadState::fromJoystick();
    int chosen = PAD_NO_INPUT;
    while (chosen == PAD_NO_INPUT && !quitRequested() && !(keypressed() && (readkey() >> 8) == KEY_ESC)) {
        rest(10);
        PadState now = PadState::fromJoystick();
        chosen = padInputPressed(before, now, pad->getSetting(PAD_DEAD_ZONE), pad->stickAxes());
        before = now;
    }
    if (chosen != PAD_NO_INPUT) assignInput(index, chosen);
    // Held on, the new button would also act in the menu (as Back, it would leave the screen).
    while (chosen != PAD_NO_INPUT && !quitRequested() &&
           padInputHeld(PadState::fromJoystick(), chosen, pad->getSetting(PAD_DEAD_ZONE)))
        rest(10);
    clear_keybuf();
    if (screen) dialog_message(dialog, MSG_DRAW, 0, nullptr);
    return quitRequested() ? D_CLOSE : D_O_K;
}

void GamePadConfig::assignInput(int index, int input) {
    pad->setSetting(index, input);
    setLabels();
}

int GamePadConfig::defaultGamePad() {
    pad->restoreDefaults();
    setLabels();
    if (screen) dialog_message(dialog, MSG_DRAW, 0, nullptr);
    return D_O_K;
}

int GamePadConfig::updateDeadZone(void*, int position) {
    pad->setSetting(PAD_DEAD_ZONE, position);
    snprintf(deadZoneText, sizeof deadZoneText, position <= 99 ? " %d" : "%d", position);
    if (screen) object_message(&dialog[DEAD_ZONE_INDEX + 1], MSG_DRAW, 0);
    return D_O_K;
}

int GamePadConfig::back() {
    alertSettingsNotSaved(settings->saveControls(input));
    return D_CLOSE;
}
