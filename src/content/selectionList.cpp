#include "content/selectionList.h"

#include "content/fileFormat.h"
#include "system/configText.h"

std::vector<SelectionEntry> readSelectionList(const char* path) {
    std::vector<SelectionEntry> entries;
    std::string bytes;
    if (!readFileBytes(path, &bytes)) return entries;
    std::string text = makePlainText(bytes), line;
    SelectionEntry entry;
    bool inName = true;
    for (size_t pos = 0; nextListPiece(text, &pos, &line);) {
        if (inName) {
            entry.name = line;
            while (!entry.name.empty() && (entry.name.back() == '\n' || entry.name.back() == '\r'))
                entry.name.pop_back();
            inName = false;
        } else if (line.find("[End]") != std::string::npos) {
            entries.push_back(entry);
            entry = SelectionEntry();
            inName = true;
        } else {
            entry.description += line;
        }
    }
    return entries;
}

std::vector<std::string> selectionListNames(const char* path) {
    std::vector<std::string> names;
    for (const SelectionEntry& e : readSelectionList(path))
        names.push_back(e.name);
    return names;
}
