#ifndef VORN_EDIT_UNITTYPEEDITOR_H
#define VORN_EDIT_UNITTYPEEDITOR_H

#include <allegro.h>
#include <chrono>
#include <string>
#include <vector>

#include "content/DatafileCache.h"
#include "edit/AnimationPlayer.h"
#include "edit/DocumentShelf.h"
#include "edit/unitKeyGroups.h"

// vorn-edit's screen for unit types, opened from the campaign screen: the unit files of the data
// set, the keys of the one picked in the groups of the content guide as fields from the format
// table, the checker's problems with the file as it stands, and an animation of it played as the
// game plays it. It edits the documents "unit/NAME" of the shelf it is given; nothing is written
// before Save. A graphics mode must be set.
class UnitTypeEditor {
  public:
    explicit UnitTypeEditor(DocumentShelf& shelf);
    // Runs until Back, Esc or a quit request.
    void run();

  private:
    // A value takes VALUE_CHARS characters, each up to 6 bytes in Allegro's UTF-8.
    enum { PAGE_FIELDS = 10, VALUE_CHARS = 255, VALUE_BYTES = VALUE_CHARS * 6 + 1 };

    void buildDialog();
    DataDocument* document();
    // Fills the lists, the fields of the page shown, the preview and, when check is set, the
    // problems from the document.
    void refresh(bool check);
    void showHelp(int slot);
    void commitField(int slot);
    void turnPage(int step);
    // Shows the field of the key typed in the key box, in its group and on its page, and returns
    // the dialog index to give the focus: the field, or the key box again for no such key.
    int showKey();
    static int closeForKeyBox();
    void addUnit();
    void save();
    // Reads the animation picked from the document and the unit's datafile, and starts it.
    void loadPreview();
    void drawPreview(BITMAP* bmp, const DIALOG* d);
    // Advances the preview by the drawn frames due since the last call; true when it changed.
    bool advancePreview();

    static UnitTypeEditor* shown;
    static const char* unitItem(int index, int* size);
    static const char* groupItem(int index, int* size);
    static const char* animationItem(int index, int* size);
    static int listProc(int msg, DIALOG* d, int c);
    static int fieldProc(int msg, DIALOG* d, int c);
    static int buttonProc(int msg, DIALOG* d, int c);
    static int previewProc(int msg, DIALOG* d, int c);

    DocumentShelf& shelf;
    std::vector<std::string> units;
    std::vector<UnitKeyGroup> groups;
    std::vector<std::string> groupNames;
    std::vector<UnitField> fields; // of the group shown, every page
    int unit = 0, group = 0, page = 0;
    char buffers[PAGE_FIELDS][VALUE_BYTES];
    char keyBuffer[64 * 6 + 1] = ""; // the key box: 64 characters of Allegro's UTF-8
    std::string labels[PAGE_FIELDS];
    std::string heading, help, problems, status;
    std::vector<DIALOG> dialog;
    int fieldIndex = 0, headingIndex = 0, helpIndex = 0, problemsIndex = 0, statusIndex = 0, framesIndex = 0,
        keyIndex = 0, shortcutIndex = 0;

    // The preview: the animation keys the unit has, the one picked, its frames' pictures (null:
    // a placeholder) and what is missing.
    std::vector<std::string> animations;
    int animation = 0;
    std::vector<BITMAP*> pictures;
    std::vector<std::string> pictureNames;
    std::string framesText;
    AnimationPlayer player;
    DatafileCache datafiles;
    std::chrono::steady_clock::time_point lastAdvance;
};

#endif
