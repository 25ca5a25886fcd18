#include <allegro.h>
#include <gtest/gtest.h>

#include "menus/keyNames.h"

// The table must line up with Allegro's own scancodes: one entry out of place shifts every
// label after it.
TEST(KeyNames, MatchAllegroScancodes) {
    struct {
        int code;
        const char* name;
    } keys[] = {{0, "(none)"},
                {KEY_A, "A"},
                {KEY_W, "W"},
                {KEY_Z, "Z"},
                {KEY_0, "0"},
                {KEY_9, "9"},
                {KEY_0_PAD, "0_PAD"},
                {KEY_9_PAD, "9_PAD"},
                {KEY_F1, "F1"},
                {KEY_F10, "F10"},
                {KEY_F12, "F12"},
                {KEY_ESC, "ESC"},
                {KEY_TILDE, "TILDE"},
                {KEY_TAB, "TAB"},
                {KEY_ENTER, "ENTER"},
                {KEY_BACKSLASH2, "BACKSLASH2"},
                {KEY_SPACE, "SPACE"},
                {KEY_INSERT, "INSERT"},
                {KEY_PGDN, "PGDN"},
                {KEY_LEFT, "LEFT"},
                {KEY_UP, "UP"},
                {KEY_DOWN, "DOWN"},
                {KEY_ENTER_PAD, "ENTER_PAD"},
                {KEY_PAUSE, "PAUSE"},
                {KEY_ABNT_C1, "ABNT_C1"},
                {KEY_AT, "AT"},
                {KEY_KANJI, "KANJI"},
                {KEY_EQUALS_PAD, "EQUALS_PAD"},
                {KEY_BACKQUOTE, "BACKQUOTE"},
                {KEY_SEMICOLON, "SEMICOLON"},
                {KEY_COMMAND, "COMMAND"},
                {KEY_UNKNOWN1, "UNKNOWN1"},
                {KEY_UNKNOWN8, "UNKNOWN8"},
                {KEY_LSHIFT, "LSHIFT"},
                {KEY_ALTGR, "ALTGR"},
                {KEY_MENU, "MENU"},
                {KEY_CAPSLOCK, "CAPSLOCK"},
                {KEY_MAX, "MAX"}};
    for (const auto& k : keys)
        EXPECT_STREQ(k.name, key_names[k.code]) << "scancode " << k.code;
    EXPECT_EQ(84, KEY_UP);
    EXPECT_EQ(127, KEY_MAX);
}

TEST(KeyNames, EveryEntryIsNamed) {
    for (int i = 0; i < KEY_NAME_COUNT; i++) {
        ASSERT_NE(nullptr, key_names[i]) << i;
        EXPECT_GT(strlen(key_names[i]), 0u) << i;
    }
}

// The settings file may hold any number: codes outside the table get a label of their own.
TEST(KeyNames, LabelOfCodesOutsideTheTable) {
    EXPECT_EQ("UP", keyLabel(84));
    EXPECT_EQ("(none)", keyLabel(0));
    EXPECT_EQ("MAX", keyLabel(127));
    EXPECT_EQ("CODE 128", keyLabel(128));
    EXPECT_EQ("CODE -1", keyLabel(-1));
    EXPECT_EQ("CODE 300", keyLabel(300));
}
