#include "system/padMenuKeys.h"

#include <allegro.h>
#include <atomic>
#include <chrono>

#include "system/GamePad.h"

namespace {
std::atomic<GamePad*> menuPad{nullptr};
}

void setMenuGamePad(GamePad* pad) {
    menuPad.store(pad);
}

int padMenuKey() {
    GamePad* pad = menuPad.load();
    if (!pad || num_joysticks < 1) return 0;
    static const auto start = std::chrono::steady_clock::now();
    auto sinceStart = std::chrono::steady_clock::now() - start;
    int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
    return pad->menuKey(PadState::fromJoystick(), ms);
}

void feedPadMenuKey() {
    if (int k = padMenuKey()) simulate_keypress(k);
}
