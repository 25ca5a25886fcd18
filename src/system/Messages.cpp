#include "system/Messages.h"

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
    va_list copy;
    va_copy(copy, args);
    int length = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(length > 0 ? length : 0, '\0');
    if (length > 0)
        vsnprintf(&text[0], text.size() + 1, format, args);
    va_end(args);

    shown.push_back(text);
    if (!silent)
        allegro_message("%s", text.c_str());
}

const std::vector<std::string>& getShownMessages() { return shown; }
void clearShownMessages() { shown.clear(); }
void setMessagesSilent(bool s) { silent = s; }
