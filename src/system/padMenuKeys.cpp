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

void feedPadMenuKey() {
    GamePad* pad = menuPad.load();
    if (!pad || num_joysticks < 1) return;
    static const auto start = std::chrono::steady_clock::now();
    auto sinceStart = std::chrono::steady_clock::now() - start;
    int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
    if (int k = pad->menuKey(PadState::fromJoystick(), ms)) simulate_keypress(k);
}
