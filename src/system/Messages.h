#ifndef VORN_SYSTEM_MESSAGES_H
#define VORN_SYSTEM_MESSAGES_H

#include <string>
#include <vector>

// Every message the game shows the player (allegro_message) goes through showMessage, which
// also records it, so tests can read what was shown, in order, without a window.

// printf-style; the formatted text is shown with allegro_message.
void showMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The texts shown so far, oldest first.
const std::vector<std::string>& getShownMessages();
void clearShownMessages();
// When silent, messages are only recorded, not shown (tests without a window).
void setMessagesSilent(bool silent);
// On the terminal, messages are written to stderr instead of a message window: a program started
// from a terminal to do one thing (vorn --play) says there why it cannot.
void setMessagesOnTerminal(bool onTerminal);

#endif
