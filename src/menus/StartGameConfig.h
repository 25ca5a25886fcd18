#ifndef VORN_MENUS_STARTGAMECONFIG_H
#define VORN_MENUS_STARTGAMECONFIG_H

#include <allegro.h>
#include <string>
#include <vector>

class GameSettings;
class Loader;

// The screen where the player chooses a campaign and a character. All state is in statics.
class StartGameConfig {
  public:
    StartGameConfig(GameSettings* gs, Loader* l);
    ~StartGameConfig() {}

    // Opens the screen and runs it until it closes; *result becomes 0 (start) or 2 (back).
    void go(int focus, int* result);
    void addCampName(std::string name, std::string description);
    void addCharName(std::string name, std::string description);
    static void clearLists();

    static const char* getCampNames(int index, int* listSize);
    static const char* getCharNames(int index, int* listSize);
    static void chooseCamp(bool redraw);
    static void chooseChar(bool redraw);
    static int buttonChooseCamp();
    static int buttonChooseChar();
    static int startGame();
    static int toMain();
    static std::string getCampName();
    static std::string getCharName();
    static void redrawMenu();
    // This screen's description box (its size, colours and wrapping) at x, y showing text, for
    // the workshop's preview.
    static DIALOG descriptionBox(int x, int y, const char* text);
    static int my_button_proc(int msg, DIALOG* d, int c);
    static int my_list_proc(int msg, DIALOG* d, int c);

    enum { CAMP_LIST = 3, CAMP_DESC = 4, CHAR_LIST = 6, CHAR_DESC = 7, START_BUTTON = 8 };
    static const char* const blankDescription;

    static GameSettings* gs;
    static Loader* l;
    static int* mainMsg;
    static std::vector<std::string> campNames, campDesc;
    static std::vector<std::string> charNames, charDesc;
    static int settingsIndexCamp;
    static int settingsIndexChar;
    static DIALOG dlog[];
    static const int backgroundColor[3];

  private:
    static int textColour() { return makecol(0, 0, 0); }
    static int backColour() { return makecol(backgroundColor[0], backgroundColor[1], backgroundColor[2]); }
};

#endif
