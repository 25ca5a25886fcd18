#ifndef VORN_EDIT_SELECTIONLIST_H
#define VORN_EDIT_SELECTIONLIST_H

#include <string>
#include <vector>

#include "content/selectionList.h"
#include "edit/DataDocument.h"

// A selection list (data/listOfCampaigns.txt, data/listOfCharacters.txt) seen through the
// document that holds its lines: its entries read as the start-game screen reads them, and edits
// of whole entries, names and description lines. Lines outside the edited entry stay as written;
// each edit undoes as one in the document.
class SelectionList {
  public:
    explicit SelectionList(DataDocument& doc) : doc(doc) {}

    // The entries the start-game screen offers, in order; an entry without its [End] is none.
    std::vector<SelectionEntry> getEntries() const;
    std::vector<std::string> getNames() const;
    // The description of the entry as written, a line each.
    std::vector<std::string> getDescriptionLines(int entry) const;

    // Inserts an entry before entry at; at the end (after the last [End]) when at is the count.
    void addEntry(int at, const std::string& name, const std::vector<std::string>& description);
    void removeEntry(int entry);
    // Moves an entry one place up (-1) or down (+1).
    void moveEntry(int entry, int direction);
    void setName(int entry, const std::string& name);
    void setDescriptionLines(int entry, const std::vector<std::string>& description);

  private:
    DataDocument& doc;
};

#endif
