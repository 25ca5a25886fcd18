#include "content/selectionList.h"

#include "content/fileFormat.h"
#include "system/configText.h"

std::vector<SelectionEntry> readSelectionText(const std::string& text) {
    std::vector<SelectionEntry> entries;
    std::string line;
    SelectionEntry entry;
    bool inName = true;
    int lineNumber = 0;
    for (size_t pos = 0; nextListPiece(text, &pos, &line);) {
        if (inName) {
            entry.name = line;
            while (!entry.name.empty() && (entry.name.back() == '\n' || entry.name.back() == '\r'))
                entry.name.pop_back();
            entry.nameLine = lineNumber;
            inName = false;
        } else if (line.find("[End]") != std::string::npos) {
            entry.endLine = lineNumber;
            entries.push_back(entry);
            entry = SelectionEntry();
            inName = true;
        } else {
            entry.description += line;
        }
        // A piece cut from a longer line leaves the rest of that line to come.
        if (line.back() == '\n') lineNumber++;
    }
    return entries;
}

std::vector<SelectionEntry> readSelectionList(const char* path) {
    std::string bytes;
    if (!readFileBytes(path, &bytes)) return {};
    return readSelectionText(makePlainText(bytes));
}

std::vector<std::string> selectionListNames(const char* path) {
    std::vector<std::string> names;
    for (const SelectionEntry& e : readSelectionList(path))
        names.push_back(e.name);
    return names;
}
