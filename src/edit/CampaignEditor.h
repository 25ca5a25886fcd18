#ifndef VORN_EDIT_CAMPAIGNEDITOR_H
#define VORN_EDIT_CAMPAIGNEDITOR_H

#include <allegro.h>
#include <string>
#include <vector>

#include "edit/DocumentShelf.h"

struct FormatKey;

// vorn-edit's screen, in the look of the game's menus: the campaigns of the data set under the
// working directory, the rounds of the one picked (add, remove, move, duplicate), the chosen
// round's fields from the format table with their help, its spawn lines, and the checker's
// problems with the document as it stands. Edits stay in memory until Save; Undo and Redo work
// on the campaign shown. A graphics mode must be set.
class CampaignEditor {
  public:
    CampaignEditor();
    // Runs until Quit (asking when changes are unsaved), Esc or a quit request; 0.
    int run();

  private:
    // A field: a key of the round shown, or of [Campaign] when campaignKey is set.
    struct Field {
        const FormatKey* row;
        bool campaignKey;
        char buffer[256];
    };
    enum { MAX_FIELDS = 10, LINE_LENGTH = 256 };

    void buildDialog();
    // The campaigns of the list document on the shelf, each opened.
    void readCampaigns();
    DataDocument* document();
    std::string roundName() const;
    // Fills every list, field and the problems from the document.
    void refresh(bool check);
    void commitField(int index);
    void commitSpawnLine();
    void addSpawnLine();
    void removeSpawnLine();
    void roundAction(int action);
    void save();
    // Plays the round shown headless a few seeds and lists how it went in place of the problems.
    void simulate();
    // Asks a name and makes a campaign of it, shown picked.
    void newCampaign();
    void undoOrRedo(bool undo);
    // Runs the selection lists' screen over this one.
    void openLists();
    bool confirmQuit();

    // Allegro's callbacks reach the screen through this.
    static CampaignEditor* shown;
    static const char* campaignItem(int index, int* size);
    static const char* roundItem(int index, int* size);
    static const char* spawnItem(int index, int* size);
    static int listProc(int msg, DIALOG* d, int c);
    static int fieldProc(int msg, DIALOG* d, int c);
    static int buttonProc(int msg, DIALOG* d, int c);

    std::vector<std::string> campaigns;
    std::string unmade; // the campaign made here whose making was undone last, for Redo
    DocumentShelf shelf;
    std::vector<std::string> roundItems, spawnItems;
    int campaign = 0, round = 0, spawn = 0;
    std::vector<Field> fields;
    std::string help, problems, status;
    char spawnBuffer[LINE_LENGTH];
    std::vector<DIALOG> dialog;
    int helpIndex = 0, problemsIndex = 0, statusIndex = 0, spawnEditIndex = 0;
    bool quit = false;
};

#endif
