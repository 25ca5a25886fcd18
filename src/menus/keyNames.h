#ifndef VORN_MENUS_KEYNAMES_H
#define VORN_MENUS_KEYNAMES_H

#include <string>

enum { KEY_NAME_COUNT = 128 };

// Names of Allegro's scancodes (the KEY_* constant without its prefix), indexed by scancode.
extern const char* const key_names[KEY_NAME_COUNT];

// The label of a scancode on the controls screen. A code the table does not cover (the settings
// file can hold any number) is shown as "CODE <number>".
std::string keyLabel(int scancode);

#endif
