#include "edit/SelectionList.h"

#include "system/configText.h"

std::vector<SelectionEntry> SelectionList::getEntries() const {
    return readSelectionText(makePlainText(doc.getText()));
}

std::vector<std::string> SelectionList::getNames() const {
    std::vector<std::string> names;
    for (const SelectionEntry& e : getEntries())
        names.push_back(e.name);
    return names;
}

std::vector<std::string> SelectionList::getDescriptionLines(int entry) const {
    std::vector<SelectionEntry> entries = getEntries();
    std::vector<std::string> out;
    if (entry < 0 || entry >= (int)entries.size()) return out;
    for (int i = entries[entry].nameLine + 1; i < entries[entry].endLine; i++)
        out.push_back(doc.getLine(i));
    return out;
}

void SelectionList::addEntry(int at, const std::string& name, const std::vector<std::string>& description) {
    std::vector<SelectionEntry> entries = getEntries();
    if (at < 0 || at > (int)entries.size()) return;
    size_t line = at < (int)entries.size() ? entries[at].nameLine
                  : entries.empty()        ? 0
                                           : entries.back().endLine + 1;
    std::vector<std::string> lines{name};
    lines.insert(lines.end(), description.begin(), description.end());
    lines.push_back("[End]");
    doc.replaceLines(line, 0, lines);
}

void SelectionList::removeEntry(int entry) {
    std::vector<SelectionEntry> entries = getEntries();
    if (entry < 0 || entry >= (int)entries.size()) return;
    const SelectionEntry& e = entries[entry];
    doc.replaceLines(e.nameLine, e.endLine - e.nameLine + 1, {});
}

void SelectionList::moveEntry(int entry, int direction) {
    std::vector<SelectionEntry> entries = getEntries();
    int upper = direction < 0 ? entry - 1 : entry;
    if (direction == 0 || upper < 0 || upper + 1 >= (int)entries.size()) return;
    const SelectionEntry &a = entries[upper], &b = entries[upper + 1];
    doc.moveLinesUp(b.nameLine, b.endLine - b.nameLine + 1, a.nameLine);
}

void SelectionList::setName(int entry, const std::string& name) {
    std::vector<SelectionEntry> entries = getEntries();
    if (entry < 0 || entry >= (int)entries.size() || doc.getLine(entries[entry].nameLine) == name) return;
    doc.replaceLines(entries[entry].nameLine, 1, {name});
}

void SelectionList::setDescriptionLines(int entry, const std::vector<std::string>& description) {
    std::vector<SelectionEntry> entries = getEntries();
    if (entry < 0 || entry >= (int)entries.size() || getDescriptionLines(entry) == description) return;
    const SelectionEntry& e = entries[entry];
    doc.replaceLines(e.nameLine + 1, e.endLine - e.nameLine - 1, description);
}
