#ifndef VORN_EDIT_SELECTIONLISTEDITOR_H
#define VORN_EDIT_SELECTIONLISTEDITOR_H

#include <allegro.h>
#include <string>
#include <vector>

#include "check/CheckMemory.h"
#include "edit/DocumentShelf.h"

// vorn-edit's screen for the two selection lists: the entries of the one picked (add, remove,
// move), each entry's name (typed, or taken from the campaign or unit files there are) and its
// description a line at a time, previewed in the start-game screen's own description box, and the
// checker's problems with the list as it stands. It edits the documents of the shelf it is given;
// Save writes the whole shelf. A graphics mode must be set.
class SelectionListEditor {
  public:
    explicit SelectionListEditor(DocumentShelf& shelf) : shelf(shelf) {}
    // Runs until Back, Esc or a quit request.
    void run();

  private:
    enum { LINE_LENGTH = 256 };

    DataDocument& document();
    void buildDialog();
    // Fills the lists, fields, preview and (when check is set) the problems from the document.
    void refresh(bool check);
    // False, with the reason shown, for text that cannot stand on a line of a list.
    bool lineUsable(const std::string& text);
    void commitName(const std::string& name);
    void commitLine();
    void entryAction(int action);
    void lineAction(int action);
    void save();

    // Allegro's callbacks reach the screen through this.
    static SelectionListEditor* shown;
    static const char* listItem(int index, int* size);
    static const char* entryItem(int index, int* size);
    static const char* pickItem(int index, int* size);
    static const char* lineItem(int index, int* size);
    static int listProc(int msg, DIALOG* d, int c);
    static int fieldProc(int msg, DIALOG* d, int c);
    static int buttonProc(int msg, DIALOG* d, int c);

    DocumentShelf& shelf;
    int list = 0, current = 0, line = 0;
    std::vector<std::string> entryItems, pickItems, lineItems;
    std::string description, problems, status;
    CheckMemory checkMemory; // what the check after each edit need not read again
    char nameBuffer[LINE_LENGTH] = "", lineBuffer[LINE_LENGTH] = "";
    std::vector<DIALOG> dialog;
    int previewIndex = 0, problemsIndex = 0, statusIndex = 0;
    bool back = false;
};

#endif
