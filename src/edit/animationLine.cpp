#include "edit/animationLine.h"

#include <cctype>

#include "content/fileFormat.h"
#include "content/keyValues.h"

std::vector<std::string> splitListValues(const std::string& value) {
    std::vector<std::string> out;
    size_t i = 0;
    while (out.size() < (size_t)maxListValues) {
        while (i < value.size() && isspace((unsigned char)value[i]))
            i++;
        if (i >= value.size()) break;
        char quote = value[i] == '"' || value[i] == '\'' ? value[i++] : 0;
        size_t begin = i;
        while (i < value.size() && (quote ? value[i] != quote : !isspace((unsigned char)value[i])))
            i++;
        out.push_back(value.substr(begin, i - begin));
        if (i < value.size()) i++; // past the closing quote or the space
    }
    return out;
}

AnimationLine parseAnimationLine(const std::string& value) {
    AnimationLine line;
    std::vector<std::string> v = splitListValues(value);
    if (v.size() < 4) return line;
    line.playable = true;
    line.repeat = listWhole(v[0]);
    line.loopEnd = listWhole(v[1]);
    line.loopStart = listWhole(v[2]);
    for (size_t i = 3; i + 1 < v.size(); i += 2) {
        int hold = listWhole(v[i + 1]);
        line.frames.push_back({v[i], hold < 0 ? 0 : hold});
    }
    return line;
}
