#include "edit/chooseCharacter.h"

#include <algorithm>
#include <allegro.h>

#include "edit/editorDialog.h"
#include "menus/Config.h"
#include "menus/runDialog.h"

namespace {

const std::vector<std::string>* listed = nullptr; // the names while the dialog is open

const char* nameItem(int index, int* size) {
    if (index < 0) *size = (int)listed->size();
    return index < 0 ? nullptr : (*listed)[index].c_str();
}

} // namespace

std::string chooseCharacter(const std::vector<std::string>& names, const std::string& preselected) {
    if (names.empty()) return "";
    listed = &names;
    int chosen = (int)(std::find(names.begin(), names.end(), preselected) - names.begin());
    if (chosen >= (int)names.size()) chosen = 0;
    enum { BOX, LABEL, LIST, PLAY, CANCEL, YIELD, END };
    DIALOG dialog[END + 1];
    // Pixels, centred on the 640 x 480 screen below.
    setUpDialog(&dialog[BOX], d_shadow_box_proc, 220, 130, 200, 220, 0, 0, 0, 0, 0, 0, nullptr, nullptr,
                nullptr);
    setUpDialog(&dialog[LABEL], d_text_proc, 230, 140, 180, 10, 0, 0, 0, 0, 0, 0, (void*)"Play with", nullptr,
                nullptr);
    // D_EXIT: a double click on a name plays with it.
    setUpDialog(&dialog[LIST], d_list_proc, 230, 156, 180, 156, 0, 0, 0, D_EXIT, chosen, 0, (void*)nameItem,
                nullptr, nullptr);
    setUpDialog(&dialog[PLAY], d_button_proc, 230, 320, 86, 20, 0, 0, 'p', D_EXIT, 0, 0, (void*)"&Play",
                nullptr, nullptr);
    setUpDialog(&dialog[CANCEL], d_button_proc, 324, 320, 86, 20, 0, 0, 'c', D_EXIT, 0, 0, (void*)"&Cancel",
                nullptr, nullptr);
    setUpDialog(&dialog[YIELD], editorIdleProc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr);
    setUpDialog(&dialog[END], nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr);
    set_dialog_color(
        dialog, makecol(Config::foregroundColor[0], Config::foregroundColor[1], Config::foregroundColor[2]),
        makecol(Config::backgroundColor[0], Config::backgroundColor[1], Config::backgroundColor[2]));
    int closedBy = runDialog(dialog, LIST);
    listed = nullptr;
    if (closedBy != PLAY && closedBy != LIST) return "";
    return names[std::max(0, std::min(dialog[LIST].d1, (int)names.size() - 1))];
}
