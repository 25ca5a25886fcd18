#include "edit/SpawnTableEditor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <dirent.h>

#include "content/UnitCreate.h"
#include "content/fileFormat.h"
#include "content/formatTable.h"
#include "content/keyValues.h"
#include "edit/ArenaBox.h"
#include "edit/SpawnList.h"
#include "edit/checkDocument.h"
#include "edit/editorDialog.h"
#include "menus/runDialog.h"
#include "system/quitRequest.h"
#include "system/textFormat.h"

SpawnTableEditor* SpawnTableEditor::shown = nullptr;

namespace {

enum Tag { TABLE, TYPES };
enum Action { ADD, DUPLICATE, REMOVE, UP, DOWN, UNDO, REDO, BACK };

// Pixels: the screen is the game's smallest window, 640 x 480. The arena box keeps its top line
// for the caption.
const int fieldTop = 166, fieldStep = 17, arenaX = 320, arenaY = 166, arenaW = 316, arenaH = 282,
          captionHeight = 12;
// Characters of the table's columns, in the default 8-pixel font.
const char rowFormat[] = "%3s %-13.13s %5.5s %3.3s %-14.14s %-11.11s %5.5s %4.4s %9.9s";
// The fields, in the table's order of columns.
const SpawnLine::Column fieldColumns[] = {SpawnLine::TYPE,  SpawnLine::AMOUNT,    SpawnLine::VARIANT,
                                          SpawnLine::SIDE,  SpawnLine::X,         SpawnLine::Y,
                                          SpawnLine::DELAY, SpawnLine::CONDITION, SpawnLine::THRESHOLD};
const char* const fieldLabels[] = {"Unit type", "Count", "Variant",   "Side",     "X",
                                   "Y",         "Delay", "Condition", "Threshold"};
const int fieldCount = sizeof fieldColumns / sizeof fieldColumns[0];

bool isNumber(const std::string& word) {
    char* end = nullptr;
    strtol(word.c_str(), &end, 10);
    return !word.empty() && *end == '\0';
}

// The unit files of data/unit/: names without a dot (the datafiles beside them have one).
std::vector<std::string> unitFiles() {
    std::vector<std::string> out;
    DIR* d = opendir("data/unit");
    for (dirent* e; d && (e = readdir(d));)
        if (e->d_type != DT_DIR && !strchr(e->d_name, '.')) out.push_back(e->d_name);
    if (d) closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

SpawnTableEditor::SpawnTableEditor(DocumentShelf& shelf, const std::string& campaign, int round)
    : shelf(shelf), campaign(campaign), round(round), unitTypes(unitFiles()) {
    for (SpawnLine::Column c : fieldColumns)
        fields.push_back(Field{c, {}});
}

DataDocument& SpawnTableEditor::document() {
    return shelf.open("campaigns/" + campaign);
}

std::string SpawnTableEditor::section() const {
    return DataDocument::roundSection(round);
}

void SpawnTableEditor::buildDialog() {
    dialog.clear();
    dialog.push_back(dialogEntry(d_clear_proc, 0, 0, 0, 0, 0, 0, nullptr));
    titleIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 4, 4, 632, 10, 0, 0, title.c_str()));
    header =
        textf(rowFormat, "#", "Unit type", "Count", "Var", "Side", "Position", "Delay", "Cond", "Threshold");
    dialog.push_back(dialogEntry(d_text_proc, 14, 18, 622, 10, 0, 0, header.c_str()));
    tableIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(listProc, 4, 28, 632, 108, 0, 0, (void*)rowItem, TABLE));
    const struct {
        const char* label;
        int x, y, w, action;
    } buttons[] = {{"Add line", 4, 140, 76, ADD},         {"Duplicate line", 84, 140, 116, DUPLICATE},
                   {"Remove line", 204, 140, 96, REMOVE}, {"Up", 304, 140, 40, UP},
                   {"Down", 348, 140, 48, DOWN},          {"Undo", 4, 454, 70, UNDO},
                   {"Redo", 80, 454, 70, REDO},           {"Back", 156, 454, 70, BACK}};
    for (auto& b : buttons)
        dialog.push_back(dialogEntry(buttonProc, b.x, b.y, b.w, 20, D_EXIT, 0, b.label, b.action));
    for (int i = 0; i < fieldCount; i++) {
        int y = fieldTop + i * fieldStep;
        dialog.push_back(dialogEntry(d_text_proc, 4, y + 4, 74, 10, 0, 0, fieldLabels[i]));
        dialog.push_back(
            dialogEntry(fieldProc, 80, y, 104, 14, D_EXIT, sizeof fields[i].buffer - 1, fields[i].buffer, i));
    }
    dialog.push_back(dialogEntry(listProc, 188, fieldTop, 128, 152, 0, 0, (void*)typeItem, TYPES));
    dialog.push_back(dialogEntry(arenaProc, arenaX, arenaY, arenaW, arenaH, 0, 0, nullptr));
    helpIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 4, 322, 312, 56, 0, 0, help.c_str()));
    problemsIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 4, 382, 312, 66, 0, 0, problems.c_str()));
    statusIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 236, 460, 400, 10, 0, 0, status.c_str()));
    finishDialog(dialog);
}

std::string SpawnTableEditor::shownValue(int column) const {
    if (rows.empty() || ((column == SpawnLine::X || column == SpawnLine::Y) && !picked.hasPosition()))
        return "";
    std::string value = picked.getValue(column);
    std::string word = spawnValueWord(spawnLineValues()[column], picked.getWhole(column));
    return isNumber(value) && !word.empty() ? value + " " + word : value;
}

void SpawnTableEditor::refresh(bool check) {
    DataDocument& doc = document();
    SpawnList list(doc, section());
    rows.clear();
    for (int i = 0; i < list.getCount(); i++) {
        SpawnLine line(list.getLine(i));
        std::string side = line.getValue(SpawnLine::SIDE);
        std::string word = spawnValueWord(spawnLineValues()[SpawnLine::SIDE], line.getWhole(SpawnLine::SIDE));
        std::string position = line.hasPosition()
                                   ? line.getValue(SpawnLine::X) + " " + line.getValue(SpawnLine::Y)
                               : line.getValueCount() > SpawnLine::X ? "(skipped)"
                                                                     : "";
        rows.push_back(
            textf(rowFormat, std::to_string(i).c_str(), line.getValue(SpawnLine::TYPE).c_str(),
                  line.getValue(SpawnLine::AMOUNT).c_str(), line.getValue(SpawnLine::VARIANT).c_str(),
                  (side + " " + word).c_str(), position.c_str(), line.getValue(SpawnLine::DELAY).c_str(),
                  line.getValue(SpawnLine::CONDITION).c_str(), line.getValue(SpawnLine::THRESHOLD).c_str()));
    }
    row = std::max(0, std::min(row, (int)rows.size() - 1));
    picked = SpawnLine(rows.empty() ? "" : list.getLine(row));
    for (Field& f : fields) {
        copyFieldText(f.buffer, shownValue(f.column), sizeof f.buffer);
    }
    readArena();
    title = "Spawn lines of " + campaign + ", round " + std::to_string(round) + ": " +
            doc.get(section(), "name", "No Name");
    if (check) {
        problems = problemText(checkDocument("campaigns/" + campaign, doc.getText()), "[" + section() + "] ");
    }
    status = shelf.isModified() ? "Unsaved changes" : "Everything is saved";
    if (dialog.empty()) return;
    for (DIALOG* d = dialog.data(); d->proc; d++) {
        if (d->proc == fieldProc) d->d2 = (int)strlen((const char*)d->dp);
        if (d->proc != listProc) continue;
        int count = (int)((intptr_t)d->dp3 == TABLE ? rows.size() : unitTypes.size());
        if ((intptr_t)d->dp3 == TABLE) {
            d->d1 = row;
        } else {
            auto at = std::find(unitTypes.begin(), unitTypes.end(), picked.getValue(SpawnLine::TYPE));
            if (at != unitTypes.end()) d->d1 = (int)(at - unitTypes.begin());
        }
        // The picked item stays in view.
        int visible = std::max(1, (d->h - 4) / text_height(font));
        d->d2 = std::max(0, std::min({d->d2, d->d1, count - visible}));
        if (d->d1 >= d->d2 + visible) d->d2 = d->d1 - visible + 1;
    }
    dialog[titleIndex].dp = (void*)title.c_str();
    dialog[problemsIndex].dp = (void*)problems.c_str();
    dialog[problemsIndex].d2 = 0;
    dialog[statusIndex].dp = (void*)status.c_str();
}

void SpawnTableEditor::readArena() {
    DataDocument& doc = document();
    arenaWidth = arenaHeight = 0;
    // A round without a usable size keeps the one before it, as the game does.
    for (int r = round; r >= 0 && arenaWidth == 0; r--) {
        std::vector<std::string> size = splitWords(doc.get(DataDocument::roundSection(r), "ArenaSize"));
        int w = 0, h = 0;
        if (size.size() >= 2 && readArenaSide(size[0], &w) && readArenaSide(size[1], &h)) {
            arenaWidth = w;
            arenaHeight = h;
        }
    }
    std::string key = doc.get(section(), "ArenaPic");
    if (key == pictureKey) return;
    pictureKey = key;
    std::vector<std::string> pic = splitWords(key);
    arenaPicture = pic.size() >= 2 ? DatafileCache::findPicture(pictures.load(pic[0]), pic[1]) : nullptr;
}

ArenaBox SpawnTableEditor::arenaBox() const {
    // Without a size anywhere the arena is drawn as the game's smallest screen.
    return ArenaBox(arenaX, arenaY + captionHeight, arenaW, arenaH - captionHeight,
                    arenaWidth ? arenaWidth : 640, arenaHeight ? arenaHeight : 480);
}

void SpawnTableEditor::writeLine(const SpawnLine& line) {
    DataDocument& doc = document();
    SpawnList list(doc, section());
    if (rows.empty() || line.getText() == list.getLine(row)) return;
    list.setLine(row, line.getText());
    refresh(true);
}

void SpawnTableEditor::commitField(int index) {
    if (rows.empty() || index < 0 || index >= fieldCount) return;
    const Field& f = fields[index];
    if (shownValue(f.column) == f.buffer) return;
    std::vector<std::string> words = splitWords(f.buffer);
    if (words.empty()) return;
    std::string value = words[0];
    const SpawnValue& v = spawnLineValues()[f.column];
    // A word of the format's ("top", "after delay") stands for its number.
    int number = spawnValueFromWord(v, f.buffer);
    if (!isNumber(value) && number >= v.min) value = std::to_string(number);
    SpawnLine line = picked;
    bool position = f.column == SpawnLine::SIDE ? listWhole(value) == SIDE_AT_POSITION
                                                : f.column == SpawnLine::X || f.column == SpawnLine::Y;
    if (position && !line.hasPosition()) {
        // A new position starts in the middle of the arena.
        ArenaBox box = arenaBox();
        int x = 0, y = 0;
        box.toArena(box.getLeft() + box.getWidth() / 2, box.getTop() + box.getHeight() / 2, &x, &y);
        line.setValue(SpawnLine::X, std::to_string(x));
        line.setValue(SpawnLine::Y, std::to_string(y));
    }
    line.setValue(f.column, value);
    writeLine(line);
}

void SpawnTableEditor::placeAt(int x, int y) {
    SpawnLine line = picked;
    line.setValue(SpawnLine::X, std::to_string(x));
    line.setValue(SpawnLine::Y, std::to_string(y));
    writeLine(line);
}

void SpawnTableEditor::lineAction(int action) {
    DataDocument& doc = document();
    SpawnList list(doc, section());
    int count = list.getCount();
    if (action == ADD) {
        std::string text;
        for (const SpawnValue& v : spawnLineValues())
            if (v.def) text += std::string(" ") + v.def;
        // A type the campaign loads, so the new line creates units as it stands.
        std::vector<std::string> listed = splitWords(doc.get("Campaign", "UnitsToAppear"));
        text = (listed.empty() ? std::string("Grub") : listed[0]) + text;
        list.insert(count, text);
        row = count;
    } else if (action == DUPLICATE && count > 0) {
        list.insert(row + 1, list.getLine(row));
        row++;
    } else if (action == REMOVE) {
        list.remove(row);
    } else if ((action == UP || action == DOWN) && count > 0) {
        int step = action == UP ? -1 : 1;
        if (row + step >= 0 && row + step < count) {
            list.move(row, step);
            row += step;
        }
    } else if (action == UNDO) {
        doc.undo();
    } else if (action == REDO) {
        doc.redo();
    }
    refresh(true);
}

void SpawnTableEditor::showHelp(int field) {
    int column = fieldColumns[field];
    const SpawnValue& v = spawnLineValues()[column];
    help = std::string(fieldLabels[field]) + ": " + v.play;
    if (v.min < v.max) help += textf(" (%g to %g)", v.min, v.max);
    if (column == SpawnLine::X || column == SpawnLine::Y)
        help += textf(" (0 to %d); or click in the arena", column == SpawnLine::X ? arenaWidth : arenaHeight);
    for (int n = (int)v.min; v.words && n <= (int)v.max; n++)
        help += textf("%s %d %s", n == (int)v.min ? "\n" : ",", n, spawnValueWord(v, n).c_str());
    if (column == SpawnLine::TYPE) help += "; pick one from the list beside it, or type it";
    dialog[helpIndex].dp = (void*)help.c_str();
    dialog[helpIndex].d2 = 0;
}

void SpawnTableEditor::drawArena(DIALOG* d) {
    if (!canvas) canvas = create_bitmap(d->w, d->h);
    if (!canvas) return;
    BITMAP* b = canvas;
    clear_to_color(b, d->bg);
    ArenaBox box = arenaBox();
    int left = box.getLeft() - d->x, top = box.getTop() - d->y;
    textprintf_ex(b, font, 0, 2, d->fg, -1, "%s: click to place a line",
                  arenaWidth ? textf("Arena %d x %d", arenaWidth, arenaHeight).c_str() : "No arena size");
    if (arenaPicture)
        stretch_blit(arenaPicture, b, 0, 0, arenaPicture->w, arenaPicture->h, left, top, box.getWidth(),
                     box.getHeight());
    else
        rectfill(b, left, top, left + box.getWidth() - 1, top + box.getHeight() - 1, makecol(70, 96, 64));
    rect(b, left - 1, top - 1, left + box.getWidth(), top + box.getHeight(), d->fg);
    SpawnList list(document(), section());
    for (int i = 0; i < (int)rows.size(); i++) {
        SpawnLine line(list.getLine(i));
        int side = line.getWhole(SpawnLine::SIDE);
        bool at = line.hasPosition() || (i == row && dragging);
        int x = 0, y = 0, w = arenaWidth ? arenaWidth : 640, h = arenaHeight ? arenaHeight : 480;
        if (i == row && dragging) {
            x = dragX, y = dragY;
        } else if (at) {
            x = line.getWhole(SpawnLine::X), y = line.getWhole(SpawnLine::Y);
        } else if (side >= SIDE_TOP_LEFT && side <= SIDE_CENTRE) {
            // The edges clockwise from the top-left corner, then the centre.
            static const int across[] = {0, 1, 2, 2, 2, 1, 0, 0, 1}, down[] = {0, 0, 0, 1, 2, 2, 2, 1, 1};
            x = across[side - 1] * w / 2, y = down[side - 1] * h / 2;
        } else {
            continue;
        }
        box.toScreen(x, y, &x, &y);
        x -= d->x, y -= d->y;
        int colour = i == row ? makecol(255, 40, 40) : makecol(255, 230, 60);
        if (at)
            circlefill(b, x, y, i == row ? 5 : 3, colour);
        else
            rect(b, x - 3, y - 3, x + 3, y + 3, colour);
        if (at) circle(b, x, y, i == row ? 5 : 3, makecol(0, 0, 0));
        textprintf_ex(b, font, x + 6, y - 3, colour, -1, "%d", i);
    }
    scare_mouse_area(d->x, d->y, d->w, d->h);
    blit(b, screen, 0, 0, d->x, d->y, d->w, d->h);
    unscare_mouse();
}

void SpawnTableEditor::run() {
    SpawnTableEditor* before = shown;
    shown = this;
    refresh(false);
    buildDialog();
    refresh(false);
    showHelp(0);
    drawDialog(dialog.data());
    refresh(true);
    back = false;
    while (!back) {
        int closedBy = runDialog(dialog.data(), tableIndex);
        if (closedBy < 0 || quitRequested()) break;
    }
    // A value typed but not yet entered is kept, as leaving its field would keep it.
    for (int i = 0; i < fieldCount && !quitRequested(); i++)
        commitField(i);
    if (canvas) destroy_bitmap(canvas);
    canvas = nullptr;
    shown = before;
}

// ---- Allegro's callbacks ----

const char* SpawnTableEditor::rowItem(int index, int* size) {
    return listItem(shown->rows, index, size);
}

const char* SpawnTableEditor::typeItem(int index, int* size) {
    return listItem(shown->unitTypes, index, size);
}

int SpawnTableEditor::listProc(int msg, DIALOG* d, int c) {
    int before = d->d1;
    int result = d_list_proc(msg, d, c);
    if (d->d1 == before) return result;
    if ((intptr_t)d->dp3 == TABLE) {
        shown->row = d->d1;
        shown->refresh(false);
    } else {
        SpawnLine line = shown->picked;
        line.setValue(SpawnLine::TYPE, shown->unitTypes[d->d1]);
        shown->writeLine(line);
    }
    return (result & ~D_CLOSE) | D_REDRAW;
}

int SpawnTableEditor::fieldProc(int msg, DIALOG* d, int c) {
    int index = (int)(intptr_t)d->dp3;
    if (msg == MSG_GOTFOCUS) {
        shown->showHelp(index);
        return d_edit_proc(msg, d, c) | D_REDRAW;
    }
    int result = d_edit_proc(msg, d, c);
    if (msg == MSG_LOSTFOCUS || (result & D_CLOSE)) {
        shown->commitField(index);
        result = (result & ~D_CLOSE) | D_REDRAW;
    }
    return result;
}

int SpawnTableEditor::buttonProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (!(result & D_CLOSE)) return result;
    int action = (int)(intptr_t)d->dp3;
    if (action == BACK) {
        shown->back = true;
        return D_CLOSE;
    }
    shown->lineAction(action);
    return (result & ~D_CLOSE) | D_REDRAW;
}

int SpawnTableEditor::arenaProc(int msg, DIALOG* d, int) {
    if (msg == MSG_DRAW) shown->drawArena(d);
    if (msg != MSG_CLICK || shown->rows.empty()) return D_O_K;
    ArenaBox box = shown->arenaBox();
    if (!box.contains(gui_mouse_x(), gui_mouse_y())) return D_O_K;
    // The line follows the pointer while the button is held and is written where it is let go.
    shown->dragging = true;
    box.toArena(gui_mouse_x(), gui_mouse_y(), &shown->dragX, &shown->dragY);
    shown->drawArena(d);
    while (gui_mouse_b() && !quitRequested()) {
        int x = 0, y = 0;
        box.toArena(gui_mouse_x(), gui_mouse_y(), &x, &y);
        if (x != shown->dragX || y != shown->dragY) {
            shown->dragX = x, shown->dragY = y;
            shown->drawArena(d);
        }
        rest(10);
    }
    shown->dragging = false;
    shown->placeAt(shown->dragX, shown->dragY);
    return D_REDRAW;
}
