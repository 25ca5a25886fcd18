#include "menus/ReplaysScreen.h"

#include "battle/Battle.h"
#include "menus/Config.h"
#include "menus/runDialog.h"
#include "system/Messages.h"
#include "system/quitRequest.h"

Battle* ReplaysScreen::battle = nullptr;
Loader* ReplaysScreen::l = nullptr;
std::string ReplaysScreen::folder;
std::vector<ReplayShelf::Entry> ReplaysScreen::entries;
std::vector<std::string> ReplaysScreen::rows;
const int ReplaysScreen::backgroundColor[3] = {200, 200, 232};

namespace {

const char* resultWord(ReplayResult result) {
    switch (result) {
    case ReplayResult::WON:
        return "won";
    case ReplayResult::LOST:
        return "lost";
    case ReplayResult::LEFT:
        return "left";
    case ReplayResult::RESTARTED:
        return "restarted";
    default:
        return "unfinished";
    }
}

// The font is 8 pixels a character: fixed columns line the rows up under the heading, and a
// longer name is cut to its column.
std::string column(const std::string& text, size_t width) {
    std::string cut = text.substr(0, width);
    return cut + std::string(width + 1 - cut.size(), ' ');
}

std::string row(const std::string& date, const std::string& campaign, const std::string& round,
                const std::string& character, const std::string& result, const std::string& best) {
    return column(date, 19) + column(campaign, 14) + column(round, 5) + column(character, 12) +
           column(result, 10) + best;
}

std::string heading = row("Date", "Campaign", "Round", "Character", "Result", "Best");

} // namespace

DIALOG ReplaysScreen::dlog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_box_proc, 0, 0, 600, 420, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_ctext_proc, 300, 12, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Replays", nullptr, nullptr},
    {d_text_proc, 14, 32, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {my_list_proc, 10, 44, 580, 300, 0, 0, 0, D_EXIT, 0, 0, (void*)getRows, nullptr, nullptr},
    {d_text_proc, 14, 60, 0, 0, 0, 0, 0, D_HIDDEN, 0, 0, (void*)"There are no replays yet.", nullptr,
     nullptr},
    {d_text_proc, 14, 76, 0, 0, 0, 0, 0, D_HIDDEN, 0, 0,
     (void*)"Every round played is kept here: start a game and play one.", nullptr, nullptr},
    {my_button_proc, 140, 360, 140, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Watch", nullptr, (void*)watchSelected},
    {my_button_proc, 320, 360, 140, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Back", nullptr, (void*)toMain},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};

ReplaysScreen::ReplaysScreen(Battle* b, Loader* loader, const std::string& replayFolder) {
    battle = b;
    l = loader;
    folder = replayFolder;
}

void ReplaysScreen::go() {
    refresh();
    redrawMenu();
    show_mouse(screen);
    runDialog(dlog, entries.empty() ? BACK_BUTTON : LIST);
}

void ReplaysScreen::refresh() {
    entries = ReplayShelf(folder).list();
    rows.clear();
    for (const ReplayShelf::Entry& entry : entries)
        rows.push_back(describe(entry));
    dlog[HEADING].dp = (void*)heading.c_str();
    dlog[LIST].d1 = 0;
    dlog[LIST].d2 = 0;
    bool empty = entries.empty();
    for (int i : {HEADING, LIST, WATCH_BUTTON})
        dlog[i].flags = empty ? dlog[i].flags | D_HIDDEN : dlog[i].flags & ~D_HIDDEN;
    for (int i : {EMPTY_LINE, EMPTY_HINT})
        dlog[i].flags = empty ? dlog[i].flags & ~D_HIDDEN : dlog[i].flags | D_HIDDEN;
}

std::string ReplaysScreen::describe(const ReplayShelf::Entry& entry) {
    const Replay& r = entry.summary.replay;
    // Rounds are counted from 1 for people, from 0 in the file.
    return row(r.date, r.campaign, std::to_string(r.round + 1), r.character, resultWord(r.result),
               entry.best ? "best" : "");
}

const char* ReplaysScreen::getRows(int index, int* listSize) {
    if (index < 0) {
        *listSize = (int)rows.size();
        return nullptr;
    }
    return index < (int)rows.size() ? rows[index].c_str() : nullptr;
}

int ReplaysScreen::watchSelected() {
    int i = dlog[LIST].d1;
    if (i < 0 || i >= (int)entries.size()) return D_O_K;
    // A double click comes while the button is still down; the playback would take its release
    // for the player's input.
    while (mouse_b && !quitRequested())
        rest(10);
    Replay replay;
    std::string why;
    if (!readReplay(entries[i].path, replay, &why))
        showMessage("The replay cannot be watched. %s.\n", why.c_str());
    else if (battle)
        battle->watchReplay(replay, l, entries[i].path);
    // Esc that left the playback is still down or waiting in the key buffer, and would close
    // this screen too.
    while (key[KEY_ESC] && !quitRequested())
        rest(10);
    clear_keybuf();
    if (screen) {
        show_mouse(NULL);
        redrawMenu();
        show_mouse(screen);
    }
    return D_O_K;
}

int ReplaysScreen::toMain() {
    return D_CLOSE;
}

void ReplaysScreen::redrawMenu() {
    set_dialog_color(dlog, makecol(0, 0, 0),
                     makecol(backgroundColor[0], backgroundColor[1], backgroundColor[2]));
    centre_dialog(dlog);
    dialog_message(dlog, MSG_DRAW, 0, nullptr);
}

int ReplaysScreen::my_button_proc(int msg, DIALOG* d, int c) {
    return Config::my_button_proc(msg, d, c);
}

int ReplaysScreen::my_list_proc(int msg, DIALOG* d, int c) {
    int result = d_list_proc(msg, d, c);
    if (result & D_CLOSE) return (result & ~D_CLOSE) | watchSelected();
    return result;
}
