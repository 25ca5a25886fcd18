#include "edit/SpawnLine.h"

#include <algorithm>

#include "content/UnitCreate.h"
#include "content/fileFormat.h"
#include "content/keyValues.h"

namespace {

const char blanks[] = " \t";

} // namespace

std::vector<SpawnLine::Span> SpawnLine::spans() const {
    std::vector<Span> out;
    for (size_t pos = text.find_first_not_of(blanks); pos != std::string::npos;
         pos = text.find_first_not_of(blanks, pos)) {
        size_t end = std::min(text.find_first_of(blanks, pos), text.size());
        out.push_back({pos, end});
        pos = end;
    }
    return out;
}

std::string SpawnLine::getValue(int column) const {
    std::vector<Span> s = spans();
    if (column < 0 || column >= (int)s.size()) return "";
    return text.substr(s[column].begin, s[column].end - s[column].begin);
}

int SpawnLine::getWhole(int column) const {
    return listWhole(getValue(column));
}

bool SpawnLine::hasPosition() const {
    return getValueCount() == spawnValuesWithPosition && getWhole(SIDE) == SIDE_AT_POSITION;
}

void SpawnLine::setValue(int column, const std::string& value) {
    if (column < 0 || column >= COLUMN_COUNT) return;
    size_t first = value.find_first_not_of(blanks);
    if (first == std::string::npos) return;
    std::string word = value.substr(first, value.find_first_of(blanks, first) - first);
    bool position = column >= X;
    if (position && getWhole(SIDE) != SIDE_AT_POSITION) setValue(SIDE, std::to_string(SIDE_AT_POSITION));
    int needed = position ? spawnValuesWithPosition : spawnValues;
    for (int count = getValueCount(); count < needed; count++)
        text += count == 0 && text.empty() ? "0" : " 0";
    std::vector<Span> s = spans();
    text.replace(s[column].begin, s[column].end - s[column].begin, word);
    s = spans();
    if (column == SIDE && getWhole(SIDE) != SIDE_AT_POSITION && s.size() > X) {
        // The blanks before the position go with it; anything after it stays.
        size_t last = std::min(s.size() - 1, (size_t)Y);
        text.erase(s[VARIANT].end, s[last].end - s[VARIANT].end);
    }
}
