#include "edit/editorDialog.h"

#include <atomic>
#include <cstring>

#include "edit/DocumentShelf.h"
#include "system/Messages.h"
#include "system/quitRequest.h"

DIALOG dialogEntry(DialogProc proc, int x, int y, int w, int h, int flags, int d1, const void* dp,
                   intptr_t tag) {
    DIALOG d;
    setUpDialog(&d, proc, x, y, w, h, 0, 0, 0, flags, d1, 0, const_cast<void*>(dp), nullptr, (void*)tag);
    return d;
}

void setEditorColours(DIALOG* dialog) {
    set_dialog_color(
        dialog, makecol(Config::foregroundColor[0], Config::foregroundColor[1], Config::foregroundColor[2]),
        makecol(Config::backgroundColor[0], Config::backgroundColor[1], Config::backgroundColor[2]));
}

void finishDialog(std::vector<DIALOG>& dialog) {
    dialog.push_back(dialogEntry(editorIdleProc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(nullptr, 0, 0, 0, 0, 0, 0, nullptr));
    setEditorColours(dialog.data());
}

void drawDialog(DIALOG* dialog) {
    DIALOG_PLAYER* player = init_dialog(dialog, -1);
    int drawnLast = 0;
    scare_mouse();
    dialog_message(dialog, MSG_DRAW, 0, &drawnLast);
    unscare_mouse();
    shutdown_dialog(player);
}

const char* listItem(const std::vector<std::string>& items, int index, int* size) {
    if (index < 0) *size = (int)items.size();
    return index < 0 || index >= (int)items.size() ? nullptr : items[index].c_str();
}

void copyFieldText(char* buffer, const std::string& text, size_t size) {
    strncpy(buffer, text.c_str(), size - 1);
    buffer[size - 1] = '\0';
}

bool fieldKeepsValue(const std::string& typed, const std::string& value, size_t size) {
    return typed == value || (value.size() >= size - 1 && typed == value.substr(0, size - 1));
}

bool listChoiceMoved(int msg, DIALOG* d, int c, int* result) {
    int before = d->d1;
    *result = d_list_proc(msg, d, c);
    if (d->d1 == before) return false;
    *result = (*result & ~D_CLOSE) | D_REDRAW;
    return true;
}

bool fieldTaken(int msg, DIALOG* d, int c, int* result) {
    *result = d_edit_proc(msg, d, c);
    if (msg != MSG_LOSTFOCUS && !(*result & D_CLOSE)) return false;
    *result = (*result & ~D_CLOSE) | D_REDRAW;
    return true;
}

bool fieldTaken(int msg, DIALOG* d, int c, int* result, bool* typed) {
    bool typing = msg == MSG_CHAR || msg == MSG_UCHAR;
    std::string before = typing ? (const char*)d->dp : "";
    bool taken = fieldTaken(msg, d, c, result);
    *typed = typing && before != (const char*)d->dp;
    return taken;
}

std::string problemText(const std::vector<std::string>& lines, const std::string& mark, size_t mostShown) {
    std::string text;
    size_t shown = 0, left = 0;
    for (size_t i = 0; i + 1 < lines.size(); i++) {
        if (!mark.empty() && lines[i].find(mark) == std::string::npos) continue;
        if (shown == mostShown) {
            left++;
            continue;
        }
        text += lines[i] + "\n";
        shown++;
    }
    if (left) text += "... and " + std::to_string(left) + " more: vorn-check lists them all\n";
    if (!lines.empty()) text += lines.back() + "\n";
    return text;
}

void saveShelf(DocumentShelf& shelf) {
    for (const std::string& failure : shelf.saveAll())
        showMessage("%s could not be saved. Your changes are still open in the editor.\n", failure.c_str());
}

bool confirmQuit(DocumentShelf& shelf) {
    if (!shelf.isModified() || quitRequested()) return true;
    setWaitingForKey(true);
    int answer =
        alert("There are unsaved changes.", "Quit and lose them?", nullptr, "&Quit", "&Cancel", 'q', 'c');
    setWaitingForKey(false);
    if (quitRequested()) return true;
    if (answer != 1) return false;
    shelf.discardRecoveryCopies();
    return true;
}

bool offerRecoveryCopies(DocumentShelf& shelf) {
    bool restored = false;
    for (const std::string& path : DocumentShelf::findRecoveryCopies()) {
        std::string first = "data/" + path + " has changes that were never saved.";
        setWaitingForKey(true);
        // Without a third button, Esc answers 3 and not Discard.
        int answer = alert3(first.c_str(), "Restore them, or discard them?", nullptr, "&Restore", "&Discard",
                            nullptr, 'r', 'd', 0);
        setWaitingForKey(false);
        if (quitRequested()) break;
        if (answer == 1)
            restored = shelf.restoreRecoveryCopy(path) || restored;
        else if (answer == 2)
            DocumentShelf::discardRecoveryCopy(path);
    }
    return restored;
}

namespace {

std::atomic<bool> closePressed{false};
DocumentShelf* closeShelf = nullptr;

void noteClosePress() {
    closePressed.store(true);
}

} // namespace

void watchCloseButton(DocumentShelf* shelf) {
    closeShelf = shelf;
    set_close_button_callback(shelf ? noteClosePress : requestQuit);
}

int editorIdleProc(int msg, DIALOG* d, int c) {
    if (msg == MSG_IDLE && closePressed.exchange(false) && (!closeShelf || confirmQuit(*closeShelf)))
        requestQuit();
    return d_yield_proc(msg, d, c);
}
