#include <gtest/gtest.h>

#include <string>

#include "edit/OrderedInput.h"

namespace {

// A dialog reading a backlog: each look at the buttons is one entry of the trace, "b" with the
// buttons shown and the keys it reads at that look; keys are read only at the looks listed, and
// never while a button is seen held (the dialog is tracking it then).
std::string replay(OrderedInput& input, int looks, const std::string& readsAt) {
    std::string buffer, trace;
    for (int look = 0; look < looks; look++) {
        int b = input.lookAtButtons(!buffer.empty(), [&](int key, int) { buffer += (char)key; });
        trace += std::to_string(b);
        if (readsAt.find((char)('0' + look)) != std::string::npos && !buffer.empty() && b == 0) {
            trace += buffer.substr(0, 1);
            buffer.erase(0, 1);
        }
    }
    return trace;
}

} // namespace

TEST(OrderedInputTest, AClickMadeWhileBusyIsSeenInItsPlaceAmongTheKeys) {
    const struct {
        const char* made; // P press, R release, letters typed
        int looks;
        const char* readsAt; // the looks at which the dialog reads a key
        const char* seen;
    } cases[] = {
        // Pressed and released within one busy moment: held for three looks, then let go.
        {"PR", 5, "", "11100"},
        // Keys typed after the click are read after it; the keys before a click, before it.
        {"PRab", 7, "0123456", "11100a0b0"},
        {"abPR", 7, "0123456", "0a0b11100"},
        // A key left unread holds back the click after it.
        {"aPR", 10, "5", "000000a1110"},
        // A key typed while the button is held is read after its release, not waited for.
        {"PaR", 6, "012345", "11100a0"},
    };
    for (auto& c : cases) {
        OrderedInput input;
        for (const char* m = c.made; *m; m++) {
            if (*m == 'P')
                input.buttonsChanged(1, 10, 20);
            else if (*m == 'R')
                input.buttonsChanged(0, 12, 22);
            else
                input.keyTyped(*m, 0);
        }
        EXPECT_EQ(replay(input, c.looks, c.readsAt), c.seen) << c.made;
    }
}

TEST(OrderedInputTest, ThePointerIsSeenWhereTheClickWasUntilItMovesAgain) {
    OrderedInput input;
    int x, y;
    EXPECT_FALSE(input.getShownPointer(&x, &y));
    input.buttonsChanged(1, 10, 20);
    input.buttonsChanged(0, 12, 22);
    input.lookAtButtons(false, [](int, int) {});
    input.pointerMoved(); // before the release is handed out: still the click's place
    ASSERT_TRUE(input.getShownPointer(&x, &y));
    EXPECT_EQ(x * 100 + y, 1020);
    for (int look = 0; look < OrderedInput::HOLD_LOOKS; look++)
        input.lookAtButtons(false, [](int, int) {});
    ASSERT_TRUE(input.getShownPointer(&x, &y));
    EXPECT_EQ(x * 100 + y, 1222);
    EXPECT_EQ(input.getShownButtons(), 0);
    input.pointerMoved();
    EXPECT_FALSE(input.getShownPointer(&x, &y));
}
