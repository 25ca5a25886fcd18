#ifndef VORN_EDIT_ORDEREDINPUT_H
#define VORN_EDIT_ORDEREDINPUT_H

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>

// Keeps the author's clicks and keys in the order they were made while the workshop is busy.
// Allegro's dialogs read the mouse buttons as they stand when they look, so a click made while a
// check holds the editor (pressed and released within it) went unseen, and the keys typed after
// it went to the field that had the focus before. Installed, every button change and every key
// goes into one queue as it happens, and the dialogs are handed them in order: keys through
// Allegro's key buffer, button changes through its GUI mouse hooks, a change only once the keys
// typed before it have been read, and each change shown long enough for a button to see itself
// pressed before it sees the release.
class OrderedInput {
  public:
    // Main-thread looks a handed-out change stays shown while another waits: the dialog's own
    // look, then the button's tracking loop at least once.
    static constexpr int HOLD_LOOKS = 3;
    // Beyond this many waiting events, new ones are dropped, as a full key buffer drops keys.
    static constexpr int MOST_WAITING = 4096;
    // Keys put into Allegro's buffer (64 places) at one look.
    static constexpr int KEYS_AT_ONCE = 32;

    // Input thread: what happened.
    void keyTyped(int key, int scancode);
    void buttonsChanged(int buttons, int x, int y);
    void pointerMoved();

    // Main thread, at each look at the buttons: the keys at the front of the queue go to feedKey
    // (when keysUnread is false, so the buffer never overflows), then the next button change is
    // handed out once the keys before it are read. Returns the buttons the dialog is to see.
    int lookAtButtons(bool keysUnread, const std::function<void(int key, int scancode)>& feedKey);
    // Any other thread (Allegro's double-click timer): the buttons last handed out.
    int getShownButtons() const { return shownButtons; }
    // Where the pointer is to be seen: at the last change handed out, until the pointer moves
    // with nothing left waiting; false means wherever it really is.
    bool getShownPointer(int* x, int* y) const;

    // Routes Allegro's keyboard, mouse and GUI mouse hooks through one OrderedInput. Call once,
    // after install_keyboard() and install_mouse(), from the thread that runs the dialogs.
    static void install();

  private:
    struct Event {
        bool isKey;
        int key, scancode; // a key as Allegro would buffer it
        int buttons, x, y; // the buttons after a change, and where the pointer stood
    };
    mutable std::mutex lock;
    std::deque<Event> waiting;
    std::atomic<int> shownButtons{0};
    int shownX = 0, shownY = 0;
    bool pointerHeld = false; // shownX, shownY stand for the pointer
    int looksSinceChange = HOLD_LOOKS;
};

#endif
