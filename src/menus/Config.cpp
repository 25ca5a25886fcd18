#include "menus/Config.h"

#include "menus/ControlConfig.h"
#include "menus/GfxSoundConfig.h"
#include "menus/ReplaysScreen.h"
#include "menus/StartGameConfig.h"
#include "menus/runDialog.h"
#include "system/GamePaths.h"
#include "system/GameSettings.h"
#include "system/Messages.h"
#include "system/gameWindow.h"

int Config::mainMsg = 1;
ControlConfig* Config::cc = nullptr;
GfxSoundConfig* Config::gsc = nullptr;
StartGameConfig* Config::sgc = nullptr;
ReplaysScreen* Config::rs = nullptr;
const int Config::backgroundColor[3] = {192, 192, 192};
const int Config::foregroundColor[3] = {0, 0, 0};

static char helpText[] =
    "ESC = exit, TAB = pause, F10 = restart round.\n\n"
    "WASD = move, Mouse Buttons & Spacebar = attacks.\n\n"
    "Attacks use up your juice. Hit enemies and bump them into each other to get juice back.";

DIALOG Config::mainMenuDialog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {my_button_proc, 100, 20, 100, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Start", nullptr, (void*)startGame},
    {my_button_proc, 10, 90, 80, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Controls", nullptr, (void*)startControl},
    {my_button_proc, 210, 90, 80, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Vid/Aud", nullptr, (void*)startGFX},
    {my_button_proc, 100, 70, 100, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Quit", nullptr, (void*)quitGame},
    // In free space above Controls, so every other entry keeps its place.
    {my_button_proc, 10, 60, 80, 20, 0, 0, 0, D_EXIT, 0, 0, (void*)"Replays", nullptr, (void*)startReplays},
    {d_text_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"VORN demo v034...", nullptr, nullptr},
    {d_textbox_proc, 0, 130, 300, 100, 0, 0, 0, 0, 0, 0, helpText, nullptr, nullptr},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};

int Config::initialize(GameSettings* gs, InputObj* io, MusicSound* ms, Loader* l, Battle* battle) {
    cc = new ControlConfig(io, gs);
    gsc = new GfxSoundConfig(gs, ms);
    sgc = new StartGameConfig(gs, l);
    rs = new ReplaysScreen(battle, l, gamePaths().replayFolder);
    gameSettings = gs;
    if (initGfx() != 0) return -1;
    if (initControls() != 0) return -1;
    return 0;
}

int Config::initGfx() {
    set_color_depth(gameSettings->getColorDepth());
    if (set_gfx_mode(gameSettings->getGfxDriver(), gameSettings->getResX(), gameSettings->getResY(), 0, 0) ==
            0 ||
        set_gfx_mode(GFX_SAFE, 640, 480, 0, 0) == 0) {
        setGuiColors();
        watchGameWindow();
        return 0;
    }
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    showMessage("Unable to set any graphic mode\n%s\n", allegro_error);
    return 1;
}

// Allegro's own alert and mode selector draw in gui_fg_color on gui_bg_color; their defaults are
// palette indexes, which read as blue on black in a true-colour mode.
void Config::setGuiColors() {
    gui_fg_color = makecol(0, 0, 0);
    gui_bg_color = makecol(255, 255, 255);
    gui_mg_color = makecol(128, 128, 128);
}

int Config::configLoop() {
    ConfigResetMenu();
    clear_keybuf();
    int closedBy = runDialog(mainMenuDialog, 1);
    // Esc always quits, however briefly it was held; otherwise a stale result (0 after a
    // battle) would start a battle instead.
    if (closedBy < 0 || key[KEY_ESC]) mainMsg = 1;
    return mainMsg;
}

void Config::ConfigResetMenu() {
    set_dialog_color(mainMenuDialog, makecol(foregroundColor[0], foregroundColor[1], foregroundColor[2]),
                     makecol(backgroundColor[0], backgroundColor[1], backgroundColor[2]));
    centre_dialog(mainMenuDialog);
    dialog_message(mainMenuDialog, MSG_DRAW, 0, nullptr);
}

int Config::my_button_proc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (result == D_CLOSE && d->dp3) return ((MenuCallback)d->dp3)();
    return result;
}

int Config::startGame() {
    // Only the screen's own buttons say start (0) or back (2); Esc there means back as well,
    // never a battle left over from the last visit.
    mainMsg = 2;
    sgc->go(8, &mainMsg);
    if (mainMsg == 0) return D_CLOSE;
    ConfigResetMenu();
    show_mouse(screen);
    return D_O_K;
}

int Config::startControl() {
    cc->go(1);
    ConfigResetMenu();
    show_mouse(screen);
    return D_O_K;
}

int Config::startGFX() {
    gsc->go(1);
    ConfigResetMenu();
    show_mouse(screen);
    return D_O_K;
}

int Config::startReplays() {
    rs->go();
    ConfigResetMenu();
    show_mouse(screen);
    return D_O_K;
}

int Config::quitGame() {
    mainMsg = 1;
    return D_CLOSE;
}

void setUpDialog(DIALOG* d, DialogProc proc, int x, int y, int w, int h, int fg, int bg, int key, int flags,
                 int d1, int d2, void* dp, void* dp2, void* dp3) {
    d->proc = proc;
    d->x = x;
    d->y = y;
    d->w = w;
    d->h = h;
    d->fg = fg;
    d->bg = bg;
    d->key = key;
    d->flags = flags;
    d->d1 = d1;
    d->d2 = d2;
    d->dp = dp;
    d->dp2 = dp2;
    d->dp3 = dp3;
}
