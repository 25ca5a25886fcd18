#include <allegro.h>
#include <gtest/gtest.h>

#include "menus/Config.h"

namespace {
int calls = 0;
int stayOpen() {
    calls++;
    return D_O_K;
}
} // namespace

// The shared button procedure: a clicked exit button asks its callback whether to close.
TEST(MenuButton, CallbackDecidesWhetherTheDialogCloses) {
    DIALOG button;
    setUpDialog(&button, Config::my_button_proc, 1, 2, 3, 4, 5, 6, 7, D_EXIT, 8, 9, (void*)"Go", nullptr,
                (void*)stayOpen);
    EXPECT_EQ(2, button.y);
    EXPECT_EQ(6, button.bg);
    EXPECT_EQ(9, button.d2);
    EXPECT_EQ((void*)stayOpen, button.dp3);
    calls = 0;
    EXPECT_EQ(D_O_K, Config::my_button_proc(MSG_KEY, &button, 0));
    EXPECT_EQ(1, calls);

    button.dp3 = (void*)Config::quitGame;
    Config::mainMsg = 0;
    EXPECT_EQ(D_CLOSE, Config::my_button_proc(MSG_KEY, &button, 0));
    EXPECT_EQ(1, Config::mainMsg);

    button.dp3 = nullptr; // no callback: the button closes as Allegro's own does
    EXPECT_EQ(D_CLOSE, Config::my_button_proc(MSG_KEY, &button, 0));
}
