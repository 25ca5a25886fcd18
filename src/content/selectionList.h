#ifndef VORN_CONTENT_SELECTIONLIST_H
#define VORN_CONTENT_SELECTIONLIST_H

#include <string>
#include <vector>

// One entry of data/listOfCampaigns.txt or data/listOfCharacters.txt: a name line, the lines of
// its description, and "[End]".
struct SelectionEntry {
    std::string name;
    std::string description;
};

// The entries of a selection list as the start-game screen offers them; none when the file
// cannot be read. The names are read as the campaign and unit files are, so every name is text
// and the same one the data checker and the tools read.
std::vector<SelectionEntry> readSelectionList(const char* path);

// Just the names, for the tools that play every campaign or character.
std::vector<std::string> selectionListNames(const char* path);

#endif
