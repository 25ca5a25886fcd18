#ifndef VORN_MENUS_MENUALERT_H
#define VORN_MENUS_MENUALERT_H

#include <string>
#include <vector>

// The menus' alert boxes. Every alert is recorded (its non-null lines joined by '\n') so tests can
// read what the player was told; without a screen it is only recorded and reports button 1.
int showAlert(const char* s1, const char* s2, const char* s3, const char* b1, const char* b2, int c1, int c2);

// Tells the player that a settings save failed (a GameSettings save's result; SAVED says nothing),
// once a run for each kind of failure: a menu saves on every exit, and one alert is enough.
void alertSettingsNotSaved(int saveResult);

// A white box in the middle of the screen asking the player to press something ("Press any key"),
// drawn straight on the screen while a prompt waits; nothing without a screen.
void drawPressPrompt(const char* text);

const std::vector<std::string>& getShownAlerts();
// Also forgets which settings failures were told.
void clearShownAlerts();

#endif
