#include "menus/StartGameConfig.h"

#include "content/Loader.h"
#include "menus/Config.h"
#include "menus/menuAlert.h"
#include "menus/runDialog.h"
#include "system/GamePaths.h"
#include "system/GameSettings.h"

GameSettings* StartGameConfig::gs = nullptr;
Loader* StartGameConfig::l = nullptr;
int* StartGameConfig::mainMsg = nullptr;
std::vector<std::string> StartGameConfig::campNames, StartGameConfig::campDesc;
std::vector<std::string> StartGameConfig::charNames, StartGameConfig::charDesc;
int StartGameConfig::settingsIndexCamp = 0;
int StartGameConfig::settingsIndexChar = 0;
const char* const StartGameConfig::blankDescription = "Intentionally Left Blank.";
const int StartGameConfig::backgroundColor[3] = {160, 160, 160};

DIALOG StartGameConfig::dlog[] = {
    {d_clear_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_box_proc, 0, 0, 600, 420, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {d_ctext_proc, 120, 15, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Campaign", nullptr, nullptr},
    {my_list_proc, 10, 30, 220, 260, 0, 0, 0, 0, 0, 0, (void*)getCampNames, nullptr, (void*)buttonChooseCamp},
    {d_textbox_proc, 10, 300, 280, 100, 0, 0, 0, 0, 0, 0, (void*)blankDescription, nullptr, nullptr},
    {d_ctext_proc, 480, 15, 0, 0, 0, 0, 0, 0, 0, 0, (void*)"Character", nullptr, nullptr},
    {my_list_proc, 370, 30, 220, 260, 0, 0, 0, 0, 0, 0, (void*)getCharNames, nullptr,
     (void*)buttonChooseChar},
    {d_textbox_proc, 310, 300, 280, 100, 0, 0, 0, 0, 0, 0, (void*)blankDescription, nullptr, nullptr},
    {my_button_proc, 250, 40, 100, 140, 0, 0, 0, D_EXIT, 0, 0, (void*)"Start", nullptr, (void*)startGame},
    {my_button_proc, 250, 250, 100, 40, 0, 0, 0, D_EXIT, 0, 0, (void*)"Back to main", nullptr, (void*)toMain},
    {d_yield_proc, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
    {nullptr, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr},
};

// A saved selection further down than the list box shows is scrolled into view (d2 is the
// list's first shown row).
static void scrollToSelection(DIALOG& list) {
    int rows = (list.h - 4) / text_height(font);
    list.d2 = rows > 0 && list.d1 >= rows ? list.d1 - rows + 1 : 0;
}

StartGameConfig::StartGameConfig(GameSettings* g, Loader* loader) {
    gs = g;
    l = loader;
}

void StartGameConfig::go(int focus, int* result) {
    mainMsg = result;
    clearLists();
    l->loadCharAndCamp(this);
    GameSettings::loadStartSettings();
    dlog[CAMP_LIST].d1 = settingsIndexCamp;
    chooseCamp(false);
    scrollToSelection(dlog[CAMP_LIST]);
    dlog[CHAR_LIST].d1 = settingsIndexChar;
    chooseChar(false);
    scrollToSelection(dlog[CHAR_LIST]);
    redrawMenu();
    show_mouse(screen);
    runDialog(dlog, focus);
}

void StartGameConfig::addCampName(std::string name, std::string description) {
    campNames.push_back(name);
    campDesc.push_back(description);
}

void StartGameConfig::addCharName(std::string name, std::string description) {
    charNames.push_back(name);
    charDesc.push_back(description);
}

void StartGameConfig::clearLists() {
    campNames.clear();
    campDesc.clear();
    charNames.clear();
    charDesc.clear();
    // The boxes pointed into the descriptions just freed.
    dlog[CAMP_DESC].dp = (void*)blankDescription;
    dlog[CHAR_DESC].dp = (void*)blankDescription;
}

static const char* listEntry(const std::vector<std::string>& names, int index, int* listSize) {
    if (index < 0) {
        *listSize = (int)names.size();
        return nullptr;
    }
    return index < (int)names.size() ? names[index].c_str() : nullptr;
}

const char* StartGameConfig::getCampNames(int index, int* listSize) {
    return listEntry(campNames, index, listSize);
}
const char* StartGameConfig::getCharNames(int index, int* listSize) {
    return listEntry(charNames, index, listSize);
}

// Takes a list's selection: an index outside the list selects the first entry; an empty list
// leaves its description box blank.
static void choose(DIALOG& list, DIALOG& box, const std::vector<std::string>& descriptions, int& savedIndex,
                   bool redraw) {
    int i = list.d1;
    if (i < 0 || i >= (int)descriptions.size()) {
        list.d1 = 0;
        i = 0;
    }
    savedIndex = i;
    box.dp = descriptions.empty() ? (void*)StartGameConfig::blankDescription : (void*)descriptions[i].c_str();
    box.d2 = 0; // a new text starts unscrolled
    if (redraw) object_message(&box, MSG_DRAW, 0);
}

void StartGameConfig::chooseCamp(bool redraw) {
    choose(dlog[CAMP_LIST], dlog[CAMP_DESC], campDesc, settingsIndexCamp, redraw);
}

void StartGameConfig::chooseChar(bool redraw) {
    choose(dlog[CHAR_LIST], dlog[CHAR_DESC], charDesc, settingsIndexChar, redraw);
}

int StartGameConfig::buttonChooseCamp() {
    chooseCamp(true);
    return D_O_K;
}

int StartGameConfig::buttonChooseChar() {
    chooseChar(true);
    return D_O_K;
}

int StartGameConfig::startGame() {
    // A battle needs a campaign and a character to name: stay and say which is missing.
    if (campNames.empty() || charNames.empty()) {
        // The list named with its whole path: a game started elsewhere says where it looked.
        std::string list =
            gamePaths().dataFolder + (campNames.empty() ? "/listOfCampaigns.txt" : "/listOfCharacters.txt");
        std::string none = list + " lists none.";
        showAlert(campNames.empty() ? "There is no campaign to play." : "There is no character to play.",
                  none.c_str(), nullptr, "&OK", nullptr, 'o', 0);
        if (screen) {
            redrawMenu();
            show_mouse(screen);
        }
        return D_O_K;
    }
    *mainMsg = 0;
    alertSettingsNotSaved(GameSettings::saveStartSettings());
    return D_CLOSE;
}

int StartGameConfig::toMain() {
    *mainMsg = 2;
    alertSettingsNotSaved(GameSettings::saveStartSettings());
    return D_CLOSE;
}

static std::string selectedName(const DIALOG& list, const std::vector<std::string>& names) {
    int i = list.d1;
    return i >= 0 && i < (int)names.size() ? names[i] : std::string();
}

std::string StartGameConfig::getCampName() {
    return selectedName(dlog[CAMP_LIST], campNames);
}
std::string StartGameConfig::getCharName() {
    return selectedName(dlog[CHAR_LIST], charNames);
}

void StartGameConfig::redrawMenu() {
    set_dialog_color(dlog, textColour(), backColour());
    centre_dialog(dlog);
    dialog_message(dlog, MSG_DRAW, 0, nullptr);
}

DIALOG StartGameConfig::descriptionBox(int x, int y, const char* text) {
    DIALOG box = dlog[CHAR_DESC];
    box.x = x;
    box.y = y;
    box.fg = textColour();
    box.bg = backColour();
    box.flags = 0;
    box.d1 = box.d2 = 0;
    box.dp = (void*)text;
    return box;
}

int StartGameConfig::my_button_proc(int msg, DIALOG* d, int c) {
    return Config::my_button_proc(msg, d, c);
}

int StartGameConfig::my_list_proc(int msg, DIALOG* d, int c) {
    int result = d_list_proc(msg, d, c);
    if ((msg == MSG_CLICK || msg == MSG_CHAR) && d->dp3) {
        // Keep the list's claim on a key it used, so an arrow key moves the selection and not
        // also the focus to the next object.
        return ((MenuCallback)d->dp3)() | (result & D_USED_CHAR);
    }
    return result;
}
