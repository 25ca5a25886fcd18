#ifndef VORN_EDIT_SPAWNTABLEEDITOR_H
#define VORN_EDIT_SPAWNTABLEEDITOR_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/DatafileCache.h"
#include "edit/DocumentShelf.h"
#include "edit/SpawnLine.h"

class ArenaBox;

// vorn-edit's screen for the spawn lines of one round: the lines as a table, the picked line's
// values as fields with the format's help, Add/Duplicate/Remove/Up/Down, and the arena drawn to
// scale with the lines placed at a position, a click in it placing the picked line there. It
// edits the campaign's document on the shared shelf; Undo and Redo act on that document. A
// graphics mode must be set.
class SpawnTableEditor {
  public:
    // campaign: the name of a file under data/campaigns/; round from 0.
    SpawnTableEditor(DocumentShelf& shelf, const std::string& campaign, int round);
    // Runs until Back, Esc or a quit request.
    void run();

  private:
    struct Field {
        int column; // SpawnLine::Column
        char buffer[64];
    };

    DataDocument& document();
    std::string section() const;
    void buildDialog();
    // Fills the table, the fields and the arena from the document; check also runs the checker.
    void refresh(bool check);
    void readArena();
    // The field's text for the picked line: the value as written, and its word where it has one.
    std::string shownValue(int column) const;
    void commitField(int index);
    // Writes the picked line; keeps one undo step for the whole change.
    void writeLine(const SpawnLine& line);
    void placeAt(int arenaX, int arenaY);
    void lineAction(int action);
    void showHelp(int field);
    ArenaBox arenaBox() const;
    void drawArena(DIALOG* d);

    static SpawnTableEditor* shown;
    static const char* rowItem(int index, int* size);
    static const char* typeItem(int index, int* size);
    static int listProc(int msg, DIALOG* d, int c);
    static int fieldProc(int msg, DIALOG* d, int c);
    static int buttonProc(int msg, DIALOG* d, int c);
    static int arenaProc(int msg, DIALOG* d, int c);

    DocumentShelf& shelf;
    std::string campaign;
    int round;
    int row = 0;
    std::vector<std::string> rows, unitTypes;
    std::vector<Field> fields;
    SpawnLine picked;
    std::string title, header, help, problems, status;
    std::vector<DIALOG> dialog;
    int helpIndex = 0, problemsIndex = 0, statusIndex = 0, titleIndex = 0, tableIndex = 0;
    bool back = false;

    int arenaWidth = 0, arenaHeight = 0; // pixels; 0 when no round up to this one gives a size
    DatafileCache pictures;
    std::string pictureKey; // the ArenaPic value the picture was taken from
    BITMAP* arenaPicture = nullptr;
    BITMAP* canvas = nullptr;
    bool dragging = false;
    int dragX = 0, dragY = 0; // arena pixels, while the mouse is held in the arena
};

#endif
