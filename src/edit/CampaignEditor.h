#ifndef VORN_EDIT_CAMPAIGNEDITOR_H
#define VORN_EDIT_CAMPAIGNEDITOR_H

#include <allegro.h>
#include <string>
#include <vector>

#include "check/CheckMemory.h"
#include "edit/DocumentShelf.h"

struct FormatKey;

// vorn-edit's screen, in the look of the game's menus: the campaigns of the data set under the
// working directory, the rounds of the one picked (add, remove, move, duplicate), the chosen
// round's fields and the campaign's own from the format table with their help and the problems of
// the value as it is typed, its spawn lines, and the checker's problems with the document as it
// stands once a field is committed. Edits stay in memory until Save; Undo and Redo work
// on the campaign shown. A graphics mode must be set.
class CampaignEditor {
  public:
    CampaignEditor();
    // Runs until Quit (asking when changes are unsaved), Esc or a quit request; 0.
    int run();

  private:
    // A field: a key of the round shown, or of [Campaign] when campaignKey is set. The round's
    // keys and the campaign's each have a page of fields of their own.
    struct Field {
        const FormatKey* row;
        bool campaignKey;
        char buffer[256 * 6]; // 255 characters, each up to 6 bytes in Allegro's UTF-8
        int labelIndex;       // in the dialog; the field follows its label
    };
    enum { LINE_LENGTH = 256 };

    void buildDialog();
    // The campaigns of the list document on the shelf, each opened.
    void readCampaigns();
    DataDocument* document();
    std::string roundName() const;
    // Fills every list, field and the problems from the document.
    void refresh(bool check);
    void commitField(int index);
    // The help of the field, and the problems of its value as it stands in the field.
    void showFieldHelp(int index);
    void showPage(bool campaignKeys);
    void commitSpawnLine();
    void addSpawnLine();
    void removeSpawnLine();
    // The spawn table of the round shown, on this screen's shelf, until its Back.
    void openSpawnTable();
    void roundAction(int action);
    void save();
    // Plays the round shown headless a few seeds and lists how it went in place of the problems.
    void simulate();
    // Asks for the character, then plays the round shown in the game itself, unsaved edits and
    // all, and lists the game's word on how it went above the problems.
    void play();
    // Asks a name and makes a campaign of it, shown picked.
    void newCampaign();
    void undoOrRedo(bool undo);
    // Runs the selection lists' screen over this one.
    void openLists();

    // Allegro's callbacks reach the screen through this.
    static CampaignEditor* shown;
    static const char* campaignItem(int index, int* size);
    static const char* roundItem(int index, int* size);
    static const char* spawnItem(int index, int* size);
    static int listProc(int msg, DIALOG* d, int c);
    static int fieldProc(int msg, DIALOG* d, int c);
    static int buttonProc(int msg, DIALOG* d, int c);
    static int pageProc(int msg, DIALOG* d, int c);

    std::vector<std::string> campaigns;
    std::string unmade; // the campaign made here whose making was undone last, for Redo
    DocumentShelf shelf;
    // A campaign may say it has a hundred million rounds; the list stops here, and its heading says
    // how many there are.
    static constexpr int MOST_ROUNDS_LISTED = 1000;
    std::vector<std::string> roundItems, spawnItems;
    std::string roundsHeading = "Rounds";
    int campaign = 0, round = 0, spawn = 0;
    std::vector<Field> fields;
    CheckMemory checkMemory; // what the checks after each edit need not read again
    bool campaignPage = false;
    std::string help, problems, status, pageHeading;
    std::string playCharacter;         // the last one played with, offered first the next time
    char spawnBuffer[LINE_LENGTH * 6]; // LINE_LENGTH - 1 characters, as a field's buffer
    std::vector<DIALOG> dialog;
    int helpIndex = 0, problemsIndex = 0, statusIndex = 0, spawnEditIndex = 0, headingIndex = 0;
    int roundsHeadingIndex = 0;
    bool quit = false;
};

#endif
