#ifndef VORN_CONTENT_SELECTIONLIST_H
#define VORN_CONTENT_SELECTIONLIST_H

#include <string>
#include <vector>

// One entry of data/listOfCampaigns.txt or data/listOfCharacters.txt: a name line, the lines of
// its description, and "[End]".
struct SelectionEntry {
    std::string name;
    std::string description;
    // The lines (from 0) of the name and of its "[End]"; a line cut into pieces counts once.
    int nameLine = 0, endLine = 0;
};

// The entries of a selection list as the start-game screen offers them; none when the file
// cannot be read. The names are read as the campaign and unit files are, so every name is text
// and the same one the data checker and the tools read.
std::vector<SelectionEntry> readSelectionList(const char* path);
// The same from the list's text, already made plain (system/configText.h).
std::vector<SelectionEntry> readSelectionText(const std::string& text);

// Just the names, for the tools that play every campaign or character.
std::vector<std::string> selectionListNames(const char* path);

#endif
