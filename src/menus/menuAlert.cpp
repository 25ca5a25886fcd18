#include "menus/menuAlert.h"

#include <allegro.h>
#include <set>

#include "system/GameSettings.h"
#include "system/quitRequest.h"

namespace {
std::vector<std::string> shownAlerts;
std::set<int> toldSaveResults;
} // namespace

int showAlert(const char* s1, const char* s2, const char* s3, const char* b1, const char* b2, int c1,
              int c2) {
    std::string text;
    for (const char* line : {s1, s2, s3}) {
        if (!line) continue;
        if (!text.empty()) text += '\n';
        text += line;
    }
    shownAlerts.push_back(text);
    if (!screen) return 1;
    if (quitRequested()) return 1;
    setWaitingForKey(true);
    int chosen = alert(s1, s2, s3, b1, b2, c1, c2);
    setWaitingForKey(false);
    return chosen;
}

void alertSettingsNotSaved(int saveResult) {
    if (saveResult == GameSettings::SAVED || !toldSaveResults.insert(saveResult).second) return;
    showAlert("Your settings could not be saved.", GameSettings::getSaveFailure().c_str(),
              "The settings file keeps what it held before.", "&OK", nullptr, 'o', 0);
}

const std::vector<std::string>& getShownAlerts() {
    return shownAlerts;
}
void clearShownAlerts() {
    shownAlerts.clear();
    toldSaveResults.clear();
}

void drawPressPrompt(const char* text) {
    if (!screen) return;
    int w = SCREEN_W / 2, h = SCREEN_H / 2;
    int white = makecol(255, 255, 255), black = makecol(0, 0, 0);
    scare_mouse();
    rectfill(screen, w - 60, h - 10, w + 60, h + 10, white);
    rect(screen, w - 60, h - 10, w + 60, h + 10, black);
    textout_centre_ex(screen, font, text, w, h - 5, black, white);
    unscare_mouse();
}
