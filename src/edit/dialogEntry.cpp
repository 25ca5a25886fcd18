#include "edit/dialogEntry.h"

#include <cstring>

DIALOG entry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp, intptr_t tag) {
    DIALOG d;
    setUpDialog(&d, proc, x, y, w, h, 0, 0, 0, flags, d1, 0, const_cast<void*>(dp), nullptr, (void*)tag);
    return d;
}

void copyText(char* buffer, const std::string& text, size_t size) {
    strncpy(buffer, text.c_str(), size - 1);
    buffer[size - 1] = '\0';
}

const char* listItemOf(const std::vector<std::string>& items, int index, int* size) {
    if (index < 0) *size = (int)items.size();
    return index < 0 ? nullptr : items[index].c_str();
}

void colourDialog(DIALOG* dialog) {
    set_dialog_color(
        dialog, makecol(Config::foregroundColor[0], Config::foregroundColor[1], Config::foregroundColor[2]),
        makecol(Config::backgroundColor[0], Config::backgroundColor[1], Config::backgroundColor[2]));
}
