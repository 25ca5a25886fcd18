#ifndef VORN_EDIT_SPAWNLIST_H
#define VORN_EDIT_SPAWNLIST_H

#include <string>

class DataDocument;

// The spawn lines of one round of a campaign document: the keys Spawn0 to SpawnN-1, N being the
// round's Spawns. Each change undoes as one step and keeps the lines numbered from 0, with Spawns
// their count; a line keeps its place in the file, only the values move between keys.
class SpawnList {
  public:
    SpawnList(DataDocument& document, const std::string& section) : doc(document), section(section) {}

    // Spawns as the game reads it, up to a thousand lines.
    int getCount() const;
    // The line's value, "" when it is not written.
    std::string getLine(int index) const;
    void setLine(int index, const std::string& text);
    // Puts text in as line index (from 0 to the count); the lines from there on move one down.
    void insert(int index, const std::string& text);
    void remove(int index);
    // Swaps the line with the one above (-1) or below (+1).
    void move(int index, int direction);

  private:
    static std::string key(int index);
    // A line not written stays unwritten where it goes.
    void copyLine(int from, int to);

    DataDocument& doc;
    std::string section;
};

#endif
