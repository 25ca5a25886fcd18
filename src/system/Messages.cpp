#include "system/Messages.h"

#include "system/quitRequest.h"
#include "system/textFormat.h"

#include <allegro.h>
#include <cstdarg>
#include <cstdio>

namespace {
std::vector<std::string> shown;
bool silent = false;
bool onTerminal = false;
} // namespace

void showMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vtextf(format, args);
    va_end(args);

    shown.push_back(text);
    // A quitting game opens no more message windows.
    if (silent) return;
    if (onTerminal) {
        fprintf(stderr, "vorn: %s%s", text.c_str(), !text.empty() && text.back() == '\n' ? "" : "\n");
        fflush(stderr);
    } else if (!quitRequested()) {
        allegro_message("%s", text.c_str());
    }
}

const std::vector<std::string>& getShownMessages() {
    return shown;
}
void clearShownMessages() {
    shown.clear();
}
void setMessagesSilent(bool s) {
    silent = s;
}
void setMessagesOnTerminal(bool t) {
    onTerminal = t;
}
