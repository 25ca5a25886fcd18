#include "menus/ControlConfig.h"

#include <cstdio>
#include <cstring>

#include "menus/Config.h"
#include "menus/GamePadConfig.h"
#include "menus/keyNames.h"
#include "menus/menuAlert.h"
#include "menus/runDialog.h"
#include "system/GameSettings.h"
#include "system/InputObj.h"
#include "system/padMenuKeys.h"
#include "system/quitRequest.h"
#include "units/vornMath.h"

InputObj* ControlConfig::controlConfigIO = nullptr;
GameSettings* ControlConfig::controlGS = nullptr;
GamePadConfig* ControlConfig::padScreen = nullptr;
char ControlConfig::keyLabels[ACTION_COUNT][24];
char ControlConfig::mouseThresholdDesc[16];
char ControlConfig::mouseThresholdDesc2[24] = "Move Mouse";
BITMAP* ControlConfig::thresholdTemp = nullptr;
fixed ControlConfig::drawAngle = 0;
int ControlConfig::thresholdColor = 0;
int ControlConfig::thresholdTimer = 0;
std::atomic<int> ControlConfig::tickPassed{0};
const int ControlConfig::backgroundColor[3] = {183, 249, 179};

static const int previewSize = 150; // pixels, both sides
static const char fastText[] = "FAST: Direct Aiming";
static const char slowText[] = "SLOW: Turn Aiming  ";

#define KEY_ROW(y, name, callback, label)                                                                    \
    {ControlConfig::my_button_proc,                                                                          \
     10,                                                                                                     \
     y,                                                                                                      \
     80,                                                                                                     \
     20,                                                                                                     \
     0,                                                                                                      \
     0,                                                                                                      \
     0,                                                                                                      \
     D_EXIT,                                                                                                 \
     0,                                                                                                      \
     0,                                                                                                      \
     (void*)name,                                                                                            \
     nullptr,                                                                                                \
     (void*)callback},                                                                                       \
    {                                                                                                        \
        d_text_proc, 115, y + 5, 0, 0, 0, 0, 0, 0, 0, 0, ControlConfig::keyLabels[label], nullptr, nullptr   \
    }

DIALOG ControlConfig::controlConfigDialog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {my_button_proc, 100, 285, 200, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Main Menu", nullptr, (void*)toMain},
    {d_box_proc, 0, 0, 200, 245, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    KEY_ROW(20, "Up", changeButtonUp, 0),
    KEY_ROW(45, "Down", changeButtonDown, 1),
    KEY_ROW(70, "Left", changeButtonLeft, 2),
    KEY_ROW(95, "Right", changeButtonRight, 3),
    KEY_ROW(120, "Hyper", changeButtonHyper, 4),
    KEY_ROW(145, "Restart", changeButtonRestart, 5),
    KEY_ROW(170, "Pause", changeButtonPause, 6),
    KEY_ROW(195, "Menu", changeButtonMenu, 7),
    KEY_ROW(220, "Taunt", changeButtonTaunt, 8),
    {my_button_proc, 100, 260, 200, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Default Controls", nullptr,
     (void*)defaultControls},
    {d_text_proc, 5, 5, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Keyboard", nullptr, nullptr},
    {d_box_proc, 200, 0, 200, 245, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_text_proc, 205, 5, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Mouse", nullptr, nullptr},
    {d_text_proc, 205, 25, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Sensitivity", nullptr, nullptr},
    {d_slider_proc, 205, 40, 160, 20, 0, 0, 0, 0, 100, 0, nullptr, (void*)updateThresholdSlider, nullptr},
    {d_rtext_proc, 395, 45, 0, 0, 0, 0, 0, 0, 0, 0, mouseThresholdDesc, nullptr, nullptr},
    {mouse_proc, 225, 60, previewSize, previewSize, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_text_proc, 220, 220, 0, 0, 0, 0, 0, 0, 0, 0, mouseThresholdDesc2, nullptr, nullptr},
    // In free space right of Default Controls, so every other entry keeps its place.
    {my_button_proc, 305, 260, 90, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Gamepad", nullptr, (void*)toGamePad},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};
#undef KEY_ROW

static void setLabel(int index, int scancode) {
    snprintf(ControlConfig::keyLabels[index], sizeof ControlConfig::keyLabels[index], "%s",
             keyLabel(scancode).c_str());
}

static void setLabelsFromMapping() {
    for (int i = 0; i < ACTION_COUNT; i++)
        setLabel(i, ControlConfig::controlConfigIO->getKeyMappings()[i]);
}

ControlConfig::ControlConfig(InputObj* io, GameSettings* gs) {
    // Allegro started without a system driver (tools, unit tests) cannot install timers.
    if (system_driver && system_driver->id != SYSTEM_NONE) install_int_ex(incTick, MSEC_TO_TIMER(30));
    thresholdTemp = create_bitmap(previewSize, previewSize);
    thresholdColor = makecol(0, 0, 0);
    controlConfigIO = io;
    setLabelsFromMapping();
    controlGS = gs;
    delete padScreen;
    padScreen = new GamePadConfig(io, gs);
    int threshold = io->getMouseControlThreshold();
    snprintf(mouseThresholdDesc, sizeof mouseThresholdDesc, "%d", threshold);
    controlConfigDialog[mouseRefIndex].d2 = threshold;
    strcpy(mouseThresholdDesc2, "Move Mouse");
}

ControlConfig::~ControlConfig() {
    delete padScreen;
    padScreen = nullptr;
    destroy_bitmap(thresholdTemp);
    thresholdTemp = nullptr;
}

void ControlConfig::go(int focus) {
    setLabelsFromMapping();
    fitPreviewBitmap();
    int mx, my;
    get_mouse_mickeys(&mx, &my); // the walk to the "Controls" button is no aiming movement
    ControlRedrawMenu();
    show_mouse(screen);
    runDialog(controlConfigDialog, focus);
}

void ControlConfig::fitPreviewBitmap() {
    int depth = screen ? bitmap_color_depth(screen) : get_color_depth();
    if (thresholdTemp && bitmap_color_depth(thresholdTemp) == depth) return;
    bool white = false;
    if (thresholdTemp) {
        white = thresholdColor == makecol_depth(bitmap_color_depth(thresholdTemp), 255, 255, 255);
        destroy_bitmap(thresholdTemp);
    }
    thresholdTemp = create_bitmap_ex(depth, previewSize, previewSize);
    thresholdColor = white ? makecol_depth(depth, 255, 255, 255) : makecol_depth(depth, 0, 0, 0);
}

void ControlConfig::ControlRedrawMenu() {
    set_dialog_color(controlConfigDialog, makecol(0, 0, 0),
                     makecol(backgroundColor[0], backgroundColor[1], backgroundColor[2]));
    centre_dialog(controlConfigDialog);
    dialog_message(controlConfigDialog, MSG_DRAW, 0, nullptr);
}

int ControlConfig::my_button_proc(int msg, DIALOG* d, int c) {
    return Config::my_button_proc(msg, d, c);
}

int ControlConfig::toMain() {
    alertSettingsNotSaved(controlGS->saveControls(controlConfigIO));
    return D_CLOSE;
}

int ControlConfig::toGamePad() {
    padScreen->go(GamePadConfig::ROW_INDEX);
    ControlRedrawMenu();
    show_mouse(screen);
    return D_O_K;
}

void ControlConfig::incTick() {
    tickPassed++;
}

int ControlConfig::changeButtonUp() {
    return changeButton(ACTION_UP);
}
int ControlConfig::changeButtonDown() {
    return changeButton(ACTION_DOWN);
}
int ControlConfig::changeButtonLeft() {
    return changeButton(ACTION_LEFT);
}
int ControlConfig::changeButtonRight() {
    return changeButton(ACTION_RIGHT);
}
int ControlConfig::changeButtonHyper() {
    return changeButton(ACTION_HYPER);
}
int ControlConfig::changeButtonRestart() {
    return changeButton(ACTION_RESTART);
}
int ControlConfig::changeButtonPause() {
    return changeButton(ACTION_PAUSE);
}
int ControlConfig::changeButtonMenu() {
    return changeButton(ACTION_MENU);
}
int ControlConfig::changeButtonTaunt() {
    return changeButton(ACTION_TAUNT);
}

int ControlConfig::changeButton(int index) {
    drawPressPrompt("Press any key");
    setWaitingForKey(true);
    // The gamepad cannot give a key: any of its presses leaves the key as it was.
    bool padPressed = false;
    while (!keypressed() && !quitRequested() && !(padPressed = padMenuKey() != 0))
        rest(5);
    int scancode = keypressed() ? readkey() >> 8 : 0;
    setWaitingForKey(false);
    if (quitRequested()) return D_CLOSE; // the Esc pressed for a quitting game is no key for the action
    if (padPressed) return D_O_K;
    assignKey(index, scancode);
    if (screen) dialog_message(controlConfigDialog, MSG_DRAW, 0, nullptr);
    return D_O_K;
}

void ControlConfig::assignKey(int index, int scancode) {
    setLabel(index, scancode);
    controlConfigIO->setKeyMapping(index, scancode);
}

int ControlConfig::defaultControls() {
    for (int i = 0; i < ACTION_COUNT; i++)
        assignKey(i, InputObj::defaultKeyMappings[i]);
    controlConfigIO->setMouseControlThreshold(10);
    controlConfigDialog[mouseRefIndex].d2 = 10;
    updateThresholdSlider(nullptr, 10);
    if (screen) dialog_message(controlConfigDialog, MSG_DRAW, 0, nullptr);
    return D_O_K;
}

int ControlConfig::updateThresholdSlider(void*, int position) {
    // The leading blank keeps the right-aligned number as wide as "100", so a redraw of the label
    // alone leaves no digit of a longer number behind.
    snprintf(mouseThresholdDesc, sizeof mouseThresholdDesc, position <= 99 ? " %d" : "%d", position);
    if (screen) {
        object_message(&controlConfigDialog[mouseRefIndex + 1], MSG_DRAW, 0);
        show_mouse(screen);
    }
    controlConfigIO->setMouseControlThreshold(position);
    return D_O_K;
}

static void redrawAimText() {
    if (screen)
        object_message(&ControlConfig::controlConfigDialog[ControlConfig::mouseRefIndex + 3], MSG_DRAW, 0);
}

void ControlConfig::aimPreview(int mx, int my) {
    fixed fx = itofix(-mx), fy = itofix(my);
    fixed length = fixhypot(fx, fy);
    if (length <= itofix(1)) return;
    fixed direction;
    if (my == 0)
        direction = itofix(mx < 0 ? -64 : 64);
    else {
        direction = fixatan(fixdiv(fx, fy));
        if (fy > 0) direction -= itofix(128);
    }
    int threshold = controlConfigDialog[mouseRefIndex].d2;
    if (length > itofix(threshold)) {
        drawAngle = direction;
        thresholdColor = makecol_depth(bitmap_color_depth(thresholdTemp), 255, 255, 255);
        thresholdTimer = 5;
        strcpy(mouseThresholdDesc2, fastText);
        redrawAimText();
    } else {
        drawAngle += angleDist(direction, drawAngle) / 10;
        if (thresholdTimer <= 0) {
            thresholdColor = makecol_depth(bitmap_color_depth(thresholdTemp), 0, 0, 0);
            strcpy(mouseThresholdDesc2, slowText);
            redrawAimText();
        }
    }
}

int ControlConfig::mouse_proc(int msg, DIALOG* d, int) {
    if (msg == MSG_DRAW) {
        fitPreviewBitmap();
        clear_to_color(thresholdTemp, makecol_depth(bitmap_color_depth(thresholdTemp), 192, 192, 192));
        int cx = d->w / 2, cy = d->h / 2;
        fixed radius = itofix(d->w / 3);
        int ex = cx + fixtoi(fixmul(radius, fixsin(drawAngle)));
        int ey = cy - fixtoi(fixmul(radius, fixcos(drawAngle)));
        line(thresholdTemp, cx, cy, ex, ey, thresholdColor);
        blit(thresholdTemp, gui_get_screen(), 0, 0, d->x, d->y, d->w, d->h);
    } else if (msg == MSG_IDLE && tickPassed > 0) {
        tickPassed = 0;
        thresholdTimer--;
        int mx, my;
        get_mouse_mickeys(&mx, &my);
        aimPreview(mx, my);
        object_message(d, MSG_DRAW, 0);
    }
    return D_O_K;
}
