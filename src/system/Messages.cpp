#include "system/Messages.h"

#include "system/quitRequest.h"
#include "system/textFormat.h"

#include <allegro.h>
#include <cstdarg>
#include <cstdio>

namespace {
std::vector<std::string> shown;
bool silent = false;
} // namespace

void showMessage(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vtextf(format, args);
    va_end(args);

    shown.push_back(text);
    // A quitting game opens no more message windows.
    if (!silent && !quitRequested()) allegro_message("%s", text.c_str());
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
