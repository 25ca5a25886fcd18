#include "edit/DataDocument.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "content/keyValues.h"
#include "system/configText.h"
#include "system/fileAccess.h"
#include "system/textFormat.h"

namespace {

const char blanks[] = " \t\r";

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(blanks);
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

// The number of a "RoundN" section name as the game writes it, or -1.
int roundNumber(const std::string& name) {
    if (name.size() < 6 || !sameName(name.substr(0, 5), "Round")) return -1;
    std::string digits = name.substr(5);
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 6) return -1;
    int n = atoi(digits.c_str());
    return std::to_string(n) == digits ? n : -1;
}

} // namespace

// ---- Text ----

int DataDocument::load(const std::string& path) {
    std::string bytes;
    struct stat st;
    int error = stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > MOST_BYTES ? EFBIG
                : readFileBytes(path.c_str(), &bytes)                                          ? 0
                                                                                               : errno;
    setText(error ? std::string() : bytes);
    loadError = error == ENOENT ? 0 : error;
    return error;
}

std::string DataDocument::describeLoadError(const std::string& path) const {
    if (loadError == EFBIG)
        return textf("%s is larger than %ld kB, the most vorn-edit opens (far beyond any real data file): "
                     "it is left as it is.",
                     path.c_str(), MOST_BYTES / 1024);
    return textf("%s cannot be read (%s): vorn-edit leaves it as it is.", path.c_str(), strerror(loadError));
}

void DataDocument::setText(const std::string& bytes) {
    parseText(bytes);
    savedLines = lines;
    loadError = 0;
    undoStack.clear();
    redoStack.clear();
}

void DataDocument::replaceText(const std::string& bytes) {
    std::vector<Line> old = lines;
    parseText(bytes);
    if (lines == old) return;
    undoStack.push_back(old);
    redoStack.clear();
    updateRecoveryCopy();
}

void DataDocument::parseText(const std::string& bytes) {
    static const std::string mark = "\xef\xbb\xbf";
    size_t pos = bytes.compare(0, mark.size(), mark) == 0 ? mark.size() : 0;
    byteOrderMark = bytes.substr(0, pos);
    lines.clear();
    while (pos < bytes.size()) {
        size_t end = bytes.find('\n', pos);
        Line line;
        if (end == std::string::npos) {
            line.text = bytes.substr(pos);
            pos = bytes.size();
        } else {
            bool crlf = end > pos && bytes[end - 1] == '\r';
            line.text = bytes.substr(pos, end - pos - (crlf ? 1 : 0));
            line.end = crlf ? "\r\n" : "\n";
            pos = end + 1;
        }
        lines.push_back(line);
    }
}

std::string DataDocument::getText() const {
    std::string text = byteOrderMark;
    for (const Line& line : lines)
        text += line.text + line.end;
    return text;
}

int DataDocument::save(const std::string& path) {
    int error = loadError ? loadError : writeFileAtomically(path, getText());
    if (error == 0) savedLines = lines;
    updateRecoveryCopy();
    return error;
}

// ---- Recovery copy ----

std::string DataDocument::recoveryPathOf(const std::string& path) {
    size_t slash = path.rfind('/');
    size_t name = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(0, name) + "." + path.substr(name) + ".recovery";
}

void DataDocument::keepRecoveryCopyAt(const std::string& path) {
    recoveryPath = path;
}

void DataDocument::updateRecoveryCopy() {
    if (recoveryPath.empty()) return;
    if (!isModified()) {
        discardRecoveryCopy();
        return;
    }
    // A copy that cannot be written costs nothing yet: the text is still here, and Save says
    // why when the folder refuses the file itself.
    writeFileAtomically(recoveryPath, getText());
}

void DataDocument::discardRecoveryCopy() {
    if (!recoveryPath.empty()) unlink(recoveryPath.c_str());
}

// ---- Reading lines as the game does ----

DataDocument::LineView DataDocument::view(size_t index, const std::string& section) const {
    // Bytes that are no text read as one '?' each, so positions in the line stay as written.
    std::string line = trim(makePlainText(lines[index].text));
    LineView v{BLANK, section, "", ""};
    if (line.empty()) return v;
    if (line[0] == '#') {
        v.kind = COMMENT;
    } else if (line[0] == '[') {
        size_t close = line.find(']');
        v.kind = HEADER;
        v.section = trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    } else if (line.find('=') != std::string::npos) {
        size_t eq = line.find('=');
        v.kind = KEY;
        v.key = trim(line.substr(0, eq));
        v.value = trim(line.substr(eq + 1));
    } else {
        v.kind = STRAY;
    }
    return v;
}

const std::vector<DataDocument::LineView>& DataDocument::views() const {
    if (viewedLines == lines && viewsKept.size() == lines.size()) return viewsKept;
    viewsKept.clear();
    std::string section;
    for (size_t i = 0; i < lines.size(); i++) {
        viewsKept.push_back(view(i, section));
        section = viewsKept.back().section;
    }
    viewedLines = lines;
    return viewsKept;
}

size_t DataDocument::findKey(const std::string& section, const std::string& key) const {
    const std::vector<LineView>& v = views();
    for (size_t i = 0; i < v.size(); i++)
        if (v[i].kind == KEY && sameName(v[i].section, section) && sameName(v[i].key, key)) return i;
    return std::string::npos;
}

bool DataDocument::has(const std::string& section, const std::string& key) const {
    return findKey(section, key) != std::string::npos;
}

std::string DataDocument::get(const std::string& section, const std::string& key,
                              const std::string& def) const {
    size_t i = findKey(section, key);
    return i == std::string::npos ? def : views()[i].value;
}

int DataDocument::lineOf(const std::string& section, const std::string& key) const {
    size_t i = findKey(section, key);
    if (i != std::string::npos) return (int)i + 1;
    const std::vector<LineView>& v = views();
    size_t after = std::string::npos;
    for (size_t k = 0; k < v.size(); k++)
        if ((v[k].kind == KEY || v[k].kind == HEADER) && sameName(v[k].section, section)) after = k;
    if (after != std::string::npos) return (int)after + 2;
    if (section.empty()) return 1;
    // A new section goes at the end, after a blank line.
    bool parted = lines.empty() || trim(lines.back().text).empty();
    return (int)lines.size() + (parted ? 2 : 3);
}

DataDocument::KeyValues DataDocument::keysOf(const std::string& section) const {
    KeyValues out;
    for (const LineView& v : views()) {
        if (v.kind != KEY || !sameName(v.section, section)) continue;
        bool seen = false;
        for (auto& kv : out)
            seen = seen || sameName(kv.first, v.key);
        if (!seen) out.push_back({v.key, v.value});
    }
    return out;
}

std::vector<std::string> DataDocument::getSections() const {
    std::vector<std::string> out;
    for (const LineView& v : views())
        if (v.kind == HEADER && std::none_of(out.begin(), out.end(),
                                             [&](const std::string& s) { return sameName(s, v.section); }))
            out.push_back(v.section);
    return out;
}

std::vector<DataDocument::Block> DataDocument::blocksOf(const std::string& name) const {
    const std::vector<LineView>& v = views();
    std::vector<Block> out;
    for (size_t h = 0; h < v.size(); h++) {
        if (v[h].kind != HEADER || !sameName(v[h].section, name)) continue;
        size_t begin = h;
        while (begin > 0 && v[begin - 1].kind == COMMENT)
            begin--;
        size_t end = h + 1;
        while (end < v.size() && v[end].kind != HEADER)
            end++;
        while (end > h + 1 && v[end - 1].kind == COMMENT && end < v.size())
            end--;
        while (end > h + 1 && v[end - 1].kind == BLANK)
            end--;
        out.push_back({begin, end});
    }
    return out;
}

// ---- Edits ----

std::string DataDocument::newLineEnd() const {
    return !lines.empty() && lines[0].end == "\r\n" ? "\r\n" : "\n";
}

void DataDocument::beginEdit() {
    if (editDepth++ > 0) return;
    before = lines;
    lastLineEnded = lines.empty() || !lines.back().end.empty();
    if (!lastLineEnded) lines.back().end = newLineEnd();
}

void DataDocument::finishEdit() {
    if (--editDepth > 0) return;
    if (!lastLineEnded && !lines.empty()) lines.back().end.clear();
    if (lines == before) return;
    undoStack.push_back(before);
    redoStack.clear();
    updateRecoveryCopy();
}

void DataDocument::set(const std::string& section, const std::string& key, const std::string& value) {
    beginEdit();
    size_t i = findKey(section, key);
    if (i != std::string::npos) {
        std::string& text = lines[i].text;
        size_t valueStart = text.find_first_not_of(" \t", text.find('=') + 1);
        size_t tail = text.find_last_not_of(blanks);
        std::string ending =
            valueStart == std::string::npos || tail < valueStart ? "" : text.substr(tail + 1);
        text = text.substr(0, valueStart == std::string::npos ? text.size() : valueStart) + value + ending;
    } else if (section.empty() || !blocksOf(section).empty()) {
        const std::vector<LineView>& v = views();
        size_t at = 0;
        for (size_t k = 0; k < v.size(); k++)
            if ((v[k].kind == KEY || v[k].kind == HEADER) && sameName(v[k].section, section)) at = k + 1;
        lines.insert(lines.begin() + at, Line{key + " = " + value, newLineEnd()});
    } else {
        addSection(section, {{key, value}});
    }
    finishEdit();
}

void DataDocument::remove(const std::string& section, const std::string& key) {
    beginEdit();
    for (size_t i; (i = findKey(section, key)) != std::string::npos;)
        lines.erase(lines.begin() + i);
    finishEdit();
}

void DataDocument::addSection(const std::string& name, const KeyValues& keys) {
    beginEdit();
    if (!lines.empty() && !trim(lines.back().text).empty()) lines.push_back(Line{"", newLineEnd()});
    lines.push_back(Line{"[" + name + "]", newLineEnd()});
    for (auto& kv : keys)
        lines.push_back(Line{kv.first + " = " + kv.second, newLineEnd()});
    finishEdit();
}

void DataDocument::removeSection(const std::string& name) {
    beginEdit();
    for (std::vector<Block> blocks; !(blocks = blocksOf(name)).empty();) {
        Block b = blocks.back();
        // The blank lines that parted it from what stands before go with it, or those after it
        // when nothing stands before.
        while (b.begin > 0 && trim(lines[b.begin - 1].text).empty())
            b.begin--;
        if (b.begin == 0)
            while (b.end < lines.size() && trim(lines[b.end].text).empty())
                b.end++;
        lines.erase(lines.begin() + b.begin, lines.begin() + b.end);
    }
    finishEdit();
}

void DataDocument::renameHeader(size_t index, const std::string& name) {
    std::string& text = lines[index].text;
    size_t open = text.find('['), close = text.find(']', open);
    text = text.substr(0, open + 1) + name + (close == std::string::npos ? "]" : text.substr(close));
}

void DataDocument::renameSection(const std::string& from, const std::string& to) {
    beginEdit();
    const std::vector<LineView>& v = views();
    for (size_t i = 0; i < v.size(); i++)
        if (v[i].kind == HEADER && sameName(v[i].section, from)) renameHeader(i, to);
    finishEdit();
}

// ---- Lines ----

void DataDocument::replaceLines(size_t begin, size_t count, const std::vector<std::string>& texts) {
    begin = std::min(begin, lines.size());
    count = std::min(count, lines.size() - begin);
    beginEdit();
    std::vector<Line> added;
    for (const std::string& text : texts)
        added.push_back(Line{text, newLineEnd()});
    lines.erase(lines.begin() + begin, lines.begin() + begin + count);
    lines.insert(lines.begin() + begin, added.begin(), added.end());
    finishEdit();
}

void DataDocument::moveLinesUp(size_t begin, size_t count, size_t to) {
    if (to > begin || begin + count > lines.size()) return;
    beginEdit();
    std::rotate(lines.begin() + to, lines.begin() + begin, lines.begin() + begin + count);
    finishEdit();
}

// ---- Rounds ----

std::string DataDocument::roundSection(int round) {
    return "Round" + std::to_string(round);
}

int DataDocument::getRoundCount() const {
    return std::max(0, pinnedWhole(get("Campaign", "TotalRounds", "0").c_str(), 0));
}

DataDocument::KeyValues DataDocument::getNewRoundKeys() const {
    KeyValues keys = {{"name", "New round"}};
    int count = getRoundCount();
    std::vector<std::string> pic =
        splitWords(count ? get(roundSection(count - 1), "ArenaPic") : std::string());
    if (pic.size() >= 2) keys.push_back({"ArenaPic", pic[0] + " " + pic[1]});
    keys.push_back({"Spawns", "0"});
    return keys;
}

void DataDocument::setRoundCount(int count) {
    set("Campaign", "TotalRounds", std::to_string(count));
}

void DataDocument::renumberRounds(const std::vector<int>& map) {
    const std::vector<LineView>& v = views();
    for (size_t i = 0; i < v.size(); i++) {
        int n = v[i].kind == HEADER ? roundNumber(v[i].section) : -1;
        if (n >= 0 && n < (int)map.size() && map[n] >= 0) renameHeader(i, roundSection(map[n]));
    }
}

void DataDocument::addRound(const KeyValues& keys) {
    beginEdit();
    int count = getRoundCount();
    std::string name = roundSection(count);
    // A section of that number the game did not read yet comes back into play, as written.
    if (blocksOf(name).empty()) {
        addSection(name, keys);
    } else {
        for (auto& kv : keys)
            if (!has(name, kv.first)) set(name, kv.first, kv.second);
    }
    setRoundCount(count + 1);
    finishEdit();
}

namespace {

// A map for renumberRounds over every round number written in doc (counted or not), shifting
// those after round by step.
std::vector<int> shiftAfter(const DataDocument& doc, int round, int step) {
    int highest = doc.getRoundCount();
    for (const std::string& s : doc.getSections())
        highest = std::max(highest, roundNumber(s));
    std::vector<int> map(highest + 1, -1);
    for (int n = round + 1; n <= highest; n++)
        map[n] = n + step;
    return map;
}

} // namespace

void DataDocument::duplicateRound(int round) {
    int count = getRoundCount();
    if (round < 0 || round >= count) return;
    beginEdit();
    renumberRounds(shiftAfter(*this, round, 1));
    std::vector<Block> blocks = blocksOf(roundSection(round));
    if (blocks.empty()) {
        addSection(roundSection(round + 1), {});
    } else {
        std::vector<Line> copy{Line{"", newLineEnd()}};
        for (const Block& b : blocks)
            copy.insert(copy.end(), lines.begin() + b.begin, lines.begin() + b.end);
        size_t at = blocks.back().end;
        lines.insert(lines.begin() + at, copy.begin(), copy.end());
        const std::vector<LineView>& v = views();
        for (size_t i = at; i < at + copy.size(); i++)
            if (v[i].kind == HEADER) renameHeader(i, roundSection(round + 1));
    }
    setRoundCount(count + 1);
    finishEdit();
}

void DataDocument::removeRound(int round) {
    int count = getRoundCount();
    if (round < 0 || round >= count) return;
    beginEdit();
    removeSection(roundSection(round));
    renumberRounds(shiftAfter(*this, round, -1));
    setRoundCount(count - 1);
    finishEdit();
}

void DataDocument::moveRound(int round, int direction) {
    int a = std::min(round, round + direction), b = a + 1;
    if (direction == 0 || a < 0 || b >= getRoundCount()) return;
    beginEdit();
    std::vector<Block> first = blocksOf(roundSection(a)), second = blocksOf(roundSection(b));
    std::vector<int> map(b + 1, -1);
    map[a] = b;
    map[b] = a;
    renumberRounds(map);
    // Sections written once each, in order, trade places too, so the file keeps the game's order.
    if (first.size() == 1 && second.size() == 1 && first[0].end <= second[0].begin) {
        Block x = first[0], y = second[0];
        std::vector<Line> out(lines.begin(), lines.begin() + x.begin);
        out.insert(out.end(), lines.begin() + y.begin, lines.begin() + y.end);
        out.insert(out.end(), lines.begin() + x.end, lines.begin() + y.begin);
        out.insert(out.end(), lines.begin() + x.begin, lines.begin() + x.end);
        out.insert(out.end(), lines.begin() + y.end, lines.end());
        lines = out;
    }
    finishEdit();
}

// ---- Undo ----

bool DataDocument::undo() {
    if (undoStack.empty()) return false;
    redoStack.push_back(lines);
    lines = undoStack.back();
    undoStack.pop_back();
    updateRecoveryCopy();
    return true;
}

bool DataDocument::redo() {
    if (redoStack.empty()) return false;
    undoStack.push_back(lines);
    lines = redoStack.back();
    redoStack.pop_back();
    updateRecoveryCopy();
    return true;
}
