#include "edit/OrderedInput.h"

#include <allegro.h>

#include <algorithm>
#include <thread>
#include <vector>

void OrderedInput::keyTyped(int key, int scancode) {
    std::lock_guard<std::mutex> hold(lock);
    if ((int)waiting.size() < MOST_WAITING) waiting.push_back({true, key, scancode, 0, 0, 0});
}

void OrderedInput::buttonsChanged(int buttons, int x, int y) {
    std::lock_guard<std::mutex> hold(lock);
    if ((int)waiting.size() < MOST_WAITING) waiting.push_back({false, 0, 0, buttons, x, y});
}

void OrderedInput::pointerMoved() {
    std::lock_guard<std::mutex> hold(lock);
    if (waiting.empty()) pointerHeld = false;
}

int OrderedInput::lookAtButtons(bool keysUnread, const std::function<void(int, int)>& feedKey) {
    std::vector<Event> keys;
    {
        std::lock_guard<std::mutex> hold(lock);
        if (looksSinceChange < HOLD_LOOKS) looksSinceChange++;
        // While a button is shown held, the dialog tracks it and reads no key until it sees the
        // release: the keys typed meanwhile wait behind the release, as Allegro's own buffer
        // would keep them, or the release would wait for them forever and the editor with it.
        bool held = shownButtons != 0;
        if (!keysUnread && !held)
            while (!waiting.empty() && waiting.front().isKey && (int)keys.size() < KEYS_AT_ONCE) {
                keys.push_back(waiting.front());
                waiting.pop_front();
            }
        // Otherwise a change waits for the keys typed before it, fed now or earlier, to be read.
        auto next = std::find_if(waiting.begin(), waiting.end(), [](const Event& e) { return !e.isKey; });
        bool keysBefore = !held && (keysUnread || !keys.empty() || next != waiting.begin());
        if (!keysBefore && next != waiting.end() && looksSinceChange >= HOLD_LOOKS) {
            shownButtons = next->buttons;
            shownX = next->x;
            shownY = next->y;
            pointerHeld = true;
            waiting.erase(next);
            looksSinceChange = 0;
        }
    }
    for (const Event& k : keys)
        feedKey(k.key, k.scancode);
    return shownButtons;
}

bool OrderedInput::getShownPointer(int* x, int* y) const {
    std::lock_guard<std::mutex> hold(lock);
    *x = shownX;
    *y = shownY;
    return pointerHeld;
}

namespace {

OrderedInput input;
std::thread::id dialogThread;
bool feeding = false; // only ever set on the dialog thread

int keyCallback(int key, int* scancode) {
    if (feeding && std::this_thread::get_id() == dialogThread) return key;
    input.keyTyped(key, *scancode);
    *scancode = 0;
    return 0; // kept back; fed to the buffer in its turn
}

void feedKey(int key, int scancode) {
    feeding = true;
    simulate_ukeypress(key, scancode);
    feeding = false;
}

void mouseCallback(int flags) {
    const int buttonFlags = MOUSE_FLAG_LEFT_DOWN | MOUSE_FLAG_LEFT_UP | MOUSE_FLAG_RIGHT_DOWN |
                            MOUSE_FLAG_RIGHT_UP | MOUSE_FLAG_MIDDLE_DOWN | MOUSE_FLAG_MIDDLE_UP;
    if (flags & buttonFlags)
        input.buttonsChanged(mouse_b, mouse_x, mouse_y);
    else if (flags & MOUSE_FLAG_MOVE)
        input.pointerMoved();
}

int guiButtons() {
    if (std::this_thread::get_id() != dialogThread) return input.getShownButtons();
    return input.lookAtButtons(keypressed(), feedKey);
}

int guiX() {
    int x, y;
    return input.getShownPointer(&x, &y) ? x : mouse_x;
}

int guiY() {
    int x, y;
    return input.getShownPointer(&x, &y) ? y : mouse_y;
}

} // namespace

void OrderedInput::install() {
    dialogThread = std::this_thread::get_id();
    keyboard_ucallback = keyCallback;
    mouse_callback = mouseCallback;
    gui_mouse_b = guiButtons;
    gui_mouse_x = guiX;
    gui_mouse_y = guiY;
}
