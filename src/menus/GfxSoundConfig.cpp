#include "menus/GfxSoundConfig.h"

#include <cstdio>
#include <cstdlib>

#include "menus/Config.h"
#include "menus/menuAlert.h"
#include "menus/runDialog.h"
#include "system/GameSettings.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/gameWindow.h"

GameSettings* GfxSoundConfig::gfxgs = nullptr;
MusicSound* GfxSoundConfig::gfxms = nullptr;
char GfxSoundConfig::gfxDescription[64];
char GfxSoundConfig::gfxgvoldesc[96], GfxSoundConfig::gfxmvoldesc[96], GfxSoundConfig::gfxsvoldesc[96];
const int GfxSoundConfig::backgroundColor[3] = {255, 183, 171};

static const char globalName[] = "Global:";
static const char musicName[] = "Music :";
static const char sfxName[] = "Sound :";

DIALOG GfxSoundConfig::gfxConfigDialog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_box_proc, 0, 0, 210, 150, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_box_proc, 210, 0, 265, 150, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_text_proc, 5, 30, 0, 0, 0, 0, 0, 0, 0, 0, gfxDescription, nullptr, nullptr},
    {gfx_my_button_proc, 5, 50, 200, 60, 0, 0, 0, D_EXIT, 0, 0, (void*)"Change Graphics Mode", nullptr,
     (void*)pickScreenMode},
    {gfx_my_button_proc, 5, 125, 200, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Default Graphics", nullptr,
     (void*)pickDefaultScreenMode},
    {gfx_my_button_proc, 160, 180, 200, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Main Menu", nullptr,
     (void*)gfxToMain},
    {d_text_proc, 215, 30, 0, 0, 0, 0, 0, 0, 0, 0, gfxgvoldesc, nullptr, nullptr},
    {d_slider_proc, 215, 40, 255, 20, 0, 0, 0, 0, 255, 0, nullptr, (void*)updateGVolSlider, nullptr},
    {d_text_proc, 215, 70, 0, 0, 0, 0, 0, 0, 0, 0, gfxmvoldesc, nullptr, nullptr},
    {d_slider_proc, 215, 80, 255, 20, 0, 0, 0, 0, 255, 0, nullptr, (void*)updateMVolSlider, nullptr},
    {d_text_proc, 215, 110, 0, 0, 0, 0, 0, 0, 0, 0, gfxsvoldesc, nullptr, nullptr},
    {d_slider_proc, 215, 120, 255, 20, 0, 0, 0, 0, 255, 0, nullptr, (void*)updateSVolSlider, nullptr},
    {d_ctext_proc, 105, 5, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Graphics Settings", nullptr, nullptr},
    {d_ctext_proc, 340, 5, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Sound Settings", nullptr, nullptr},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};

GfxSoundConfig::GfxSoundConfig(GameSettings* gs, MusicSound* ms) {
    gfxgs = gs;
    gfxms = ms;
    describeMode(gs->getResX(), gs->getResY(), gs->getColorDepth());
    // Until a slider moves, a value under 100 is printed with two blanks, whatever its digits.
    struct {
        char* label;
        const char* name;
        int value;
    } volumes[] = {{gfxgvoldesc, globalName, ms->getVolumeGlobal()},
                   {gfxmvoldesc, musicName, ms->getVolumeMusic()},
                   {gfxsvoldesc, sfxName, ms->getVolumeSfx()}};
    for (int i = 0; i < 3; i++) {
        snprintf(volumes[i].label, 96, volumes[i].value <= 99 ? "%s  %d" : "%s %d", volumes[i].name,
                 volumes[i].value);
        gfxConfigDialog[gfxSoundIndex + 2 * i + 1].d2 = volumes[i].value;
    }
}

void GfxSoundConfig::go(int focus) {
    gfxRedrawMenu();
    show_mouse(screen);
    runDialog(gfxConfigDialog, focus);
}

void GfxSoundConfig::gfxRedrawMenu() {
    set_dialog_color(gfxConfigDialog, makecol(0, 0, 0),
                     makecol(backgroundColor[0], backgroundColor[1], backgroundColor[2]));
    centre_dialog(gfxConfigDialog);
    dialog_message(gfxConfigDialog, MSG_DRAW, 0, nullptr);
}

int GfxSoundConfig::gfx_my_button_proc(int msg, DIALOG* d, int c) {
    return Config::my_button_proc(msg, d, c);
}

int GfxSoundConfig::gfxToMain() {
    alertSettingsNotSaved(gfxgs->saveGraphicsSettings());
    alertSettingsNotSaved(gfxgs->saveVolume(gfxms));
    return D_CLOSE;
}

void GfxSoundConfig::describeMode(int width, int height, int depth) {
    snprintf(gfxDescription, sizeof gfxDescription, "%dx%d at %d-bit color", width, height, depth);
}

int GfxSoundConfig::screenModeFilter(int, int width, int height, int depth) {
    return depth == 8 || width < 640 || height < 480;
}

int GfxSoundConfig::pickScreenMode() {
    int driver = gfxgs->getGfxDriver(), width = gfxgs->getResX(), height = gfxgs->getResY();
    int depth = gfxgs->getColorDepth();
    if (gfx_mode_select_filter(&driver, &width, &height, &depth, screenModeFilter) == 0) {
        gfxRedrawMenu(); // the selector drew over the screen
        return D_O_K;
    }
    return tryToSwitchMode(depth, driver, width, height);
}

// Puts a working mode back after a failed switch. The stored mode comes first; it may be the one
// that already failed at start-up, so then the mode that was on the screen, then the safe mode.
static void restoreMode(int driver, int width, int height, int depth) {
    GameSettings* settings = GfxSoundConfig::gfxgs;
    set_color_depth(settings->getColorDepth());
    if (set_gfx_mode(settings->getGfxDriver(), settings->getResX(), settings->getResY(), 0, 0) == 0) return;
    set_color_depth(depth);
    if (set_gfx_mode(driver, width, height, 0, 0) == 0 || set_gfx_mode(GFX_SAFE, 640, 480, 0, 0) == 0) return;
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    showMessage("Unable to set any graphic mode\n%s\n", allegro_error);
    exit(1);
}

int GfxSoundConfig::tryToSwitchMode(int depth, int driver, int width, int height) {
    int oldDriver = gfx_driver ? gfx_driver->id : GFX_SAFE;
    int oldWidth = SCREEN_W, oldHeight = SCREEN_H, oldDepth = bitmap_color_depth(screen);
    set_color_depth(depth);
    int result = set_gfx_mode(driver, width, height, 0, 0);
    if (result != 0 || depth == 8) {
        restoreMode(oldDriver, oldWidth, oldHeight, oldDepth);
        Config::setGuiColors();
        watchGameWindow();
        gfxRedrawMenu();
        if (depth == 8)
            showAlert("VORN does not support 8-bit color depth.", "Try a different color depth.", nullptr,
                      "&OK", nullptr, 'o', 0);
        else
            showAlert("These graphics settings don't work.", "Try a different set.", nullptr, "&OK", nullptr,
                      'o', 0);
        show_mouse(screen);
        return D_O_K;
    }
    Config::setGuiColors();
    watchGameWindow();
    describeMode(width, height, depth);
    showAlert("New graphics mode set!", nullptr, nullptr, "&OK", nullptr, 'o', 0);
    gfxgs->setGfxSettings(depth, driver, width, height);
    gfxRedrawMenu();
    show_mouse(screen);
    return D_O_K;
}

int GfxSoundConfig::pickDefaultScreenMode() {
    tryToSwitchMode(32, GFX_AUTODETECT_FULLSCREEN, 640, 480);
    describeMode(640, 480, 32);
    gfxgs->setGfxSettings(32, GFX_AUTODETECT_FULLSCREEN, 640, 480);
    return D_O_K;
}

void GfxSoundConfig::formatVolumeLabel(char* out, const char* name, int value) {
    const char* blanks = value <= 9 ? "   " : value <= 99 ? "  " : " ";
    snprintf(out, 96, "%s%s%d", name, blanks, value);
}

static void showVolume(char* label, const char* name, int entry, int value) {
    GfxSoundConfig::formatVolumeLabel(label, name, value);
    if (screen) {
        object_message(&GfxSoundConfig::gfxConfigDialog[entry], MSG_DRAW, 0);
        show_mouse(screen);
    }
}

int GfxSoundConfig::updateGVolSlider(void*, int value) {
    showVolume(gfxgvoldesc, globalName, gfxSoundIndex, value);
    gfxms->setVolumeGlobal(value);
    return D_O_K;
}

int GfxSoundConfig::updateMVolSlider(void*, int value) {
    showVolume(gfxmvoldesc, musicName, gfxSoundIndex + 2, value);
    gfxms->setVolumeMusic(value);
    return D_O_K;
}

int GfxSoundConfig::updateSVolSlider(void*, int value) {
    showVolume(gfxsvoldesc, sfxName, gfxSoundIndex + 4, value);
    gfxms->setVolumeSfx(value);
    return D_O_K;
}
