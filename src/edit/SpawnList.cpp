#include "edit/SpawnList.h"

#include <algorithm>

#include "content/keyValues.h"
#include "edit/DataDocument.h"

namespace {

// More lines than this are not listed; no round of the game comes near it.
const int mostLines = 1000;

} // namespace

std::string SpawnList::key(int index) {
    return "Spawn" + std::to_string(index);
}

void SpawnList::copyLine(int from, int to) {
    if (doc.has(section, key(from)))
        doc.set(section, key(to), getLine(from));
    else
        doc.remove(section, key(to));
}

int SpawnList::getCount() const {
    return std::clamp(pinnedWhole(doc.get(section, "Spawns", "0").c_str(), 0), 0, mostLines);
}

std::string SpawnList::getLine(int index) const {
    return doc.get(section, key(index));
}

void SpawnList::setLine(int index, const std::string& text) {
    if (index < 0 || index >= getCount() || (getLine(index) == text && doc.has(section, key(index)))) return;
    doc.set(section, key(index), text);
}

void SpawnList::insert(int index, const std::string& text) {
    int count = getCount();
    if (index < 0 || index > count || count >= mostLines) return;
    doc.beginEdit();
    for (int i = count; i > index; i--)
        copyLine(i - 1, i);
    doc.set(section, key(index), text);
    doc.set(section, "Spawns", std::to_string(count + 1));
    doc.finishEdit();
}

void SpawnList::remove(int index) {
    int count = getCount();
    if (index < 0 || index >= count) return;
    doc.beginEdit();
    for (int i = index; i + 1 < count; i++)
        copyLine(i + 1, i);
    doc.remove(section, key(count - 1));
    doc.set(section, "Spawns", std::to_string(count - 1));
    doc.finishEdit();
}

void SpawnList::move(int index, int direction) {
    int other = index + direction;
    if (direction == 0 || index < 0 || other < 0 || index >= getCount() || other >= getCount()) return;
    bool written = doc.has(section, key(index));
    std::string text = getLine(index);
    doc.beginEdit();
    copyLine(other, index);
    if (written)
        doc.set(section, key(other), text);
    else
        doc.remove(section, key(other));
    doc.finishEdit();
}
