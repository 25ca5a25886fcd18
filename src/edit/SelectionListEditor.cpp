#include "edit/SelectionListEditor.h"

#include <algorithm>
#include <cstring>

#include "edit/SelectionList.h"
#include "edit/checkDocument.h"
#include "edit/editorDialog.h"
#include "menus/StartGameConfig.h"
#include "menus/runDialog.h"
#include "system/Messages.h"
#include "system/fileAccess.h"
#include "system/quitRequest.h"

SelectionListEditor* SelectionListEditor::shown = nullptr;

namespace {

enum Tag { LISTS, ENTRIES, PICKS, LINES, NAME_FIELD, LINE_FIELD };
enum Action { ADD, REMOVE, UP, DOWN, LINE_ADD, LINE_REMOVE, SAVE, UNDO, REDO, BACK };

const struct {
    const char* label;
    const char* path;   // under data/
    const char* folder; // where the names it offers are files
} lists[] = {{"Campaigns", "listOfCampaigns.txt", "data/campaigns"},
             {"Characters", "listOfCharacters.txt", "data/unit"}};
const int listCount = 2;

// Pixels, on the game's smallest window (640 x 480). The preview's panel keeps the start-game
// screen's grey around the box.
const int rightColumn = 172, previewX = 180, previewY = 210, panelMargin = 8;

// The names a list can offer: campaign files, or unit files (those have no extension; the
// datafiles beside them do).
std::vector<std::string> namesIn(const char* folder) {
    std::vector<std::string> names;
    for (const std::string& name : regularFilesIn(folder))
        if (name.find('.') == std::string::npos) names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

DataDocument& SelectionListEditor::document() {
    return shelf.open(lists[list].path);
}

void SelectionListEditor::buildDialog() {
    dialog.clear();
    dialog.push_back(dialogEntry(d_clear_proc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(d_text_proc, 4, 6, 160, 10, 0, 0, "Lists"));
    dialog.push_back(dialogEntry(listProc, 4, 18, 160, 20, 0, 0, (void*)listItem, LISTS));
    dialog.push_back(dialogEntry(d_text_proc, 4, 44, 160, 10, 0, 0, "Entries"));
    dialog.push_back(dialogEntry(listProc, 4, 56, 160, 180, 0, 0, (void*)entryItem, ENTRIES));
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 7, 40, 10, 0, 0, "Name"));
    dialog.push_back(dialogEntry(fieldProc, rightColumn + 40, 4, 204, 14, D_EXIT, LINE_LENGTH - 1, nameBuffer,
                                 NAME_FIELD));
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 24, 244, 10, 0, 0, "Description lines"));
    dialog.push_back(dialogEntry(listProc, rightColumn, 36, 244, 100, 0, 0, (void*)lineItem, LINES));
    dialog.push_back(
        dialogEntry(fieldProc, rightColumn, 140, 244, 14, D_EXIT, LINE_LENGTH - 1, lineBuffer, LINE_FIELD));
    dialog.push_back(dialogEntry(d_text_proc, 424, 7, 212, 10, 0, 0, "Pick (double-click)"));
    dialog.push_back(dialogEntry(listProc, 424, 20, 212, 156, D_EXIT, 0, (void*)pickItem, PICKS));
    const struct {
        const char* label;
        int x, y, w, action;
    } buttons[] = {{"Add", 4, 240, 78, ADD},
                   {"Remove", 86, 240, 78, REMOVE},
                   {"Up", 4, 262, 78, UP},
                   {"Down", 86, 262, 78, DOWN},
                   {"Add line", rightColumn, 158, 80, LINE_ADD},
                   {"Remove line", rightColumn + 84, 158, 96, LINE_REMOVE},
                   {"Save", 4, 454, 70, SAVE},
                   {"Undo", 80, 454, 70, UNDO},
                   {"Redo", 156, 454, 70, REDO},
                   {"Back", 232, 454, 70, BACK}};
    for (auto& b : buttons)
        dialog.push_back(dialogEntry(buttonProc, b.x, b.y, b.w, 20, D_EXIT, 0, b.label, b.action));
    dialog.push_back(
        dialogEntry(d_text_proc, rightColumn, 186, 296, 10, 0, 0, "As the start-game screen shows it"));
    DIALOG box = StartGameConfig::descriptionBox(previewX, previewY, description.c_str());
    DIALOG panel = dialogEntry(d_box_proc, box.x - panelMargin, box.y - panelMargin, box.w + 2 * panelMargin,
                               box.h + 2 * panelMargin, 0, 0, nullptr);
    dialog.push_back(panel);
    previewIndex = (int)dialog.size();
    dialog.push_back(box);
    dialog.push_back(dialogEntry(d_text_proc, 4, 322, 200, 10, 0, 0, "Problems"));
    problemsIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 4, 334, 632, 114, 0, 0, problems.c_str()));
    statusIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 320, 460, 316, 10, 0, 0, status.c_str()));
    dialog.push_back(dialogEntry(editorIdleProc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(nullptr, 0, 0, 0, 0, 0, 0, nullptr));
    setEditorColours(dialog.data());
    // The preview and its panel in the start-game screen's colours, the panel without a frame.
    dialog[previewIndex].fg = box.fg;
    dialog[previewIndex].bg = box.bg;
    dialog[previewIndex - 1].fg = dialog[previewIndex - 1].bg = box.bg;
}

void SelectionListEditor::refresh(bool check) {
    DataDocument& doc = document();
    SelectionList selection(doc);
    std::vector<SelectionEntry> entries = selection.getEntries();
    entryItems.clear();
    for (const SelectionEntry& e : entries)
        entryItems.push_back(e.name);
    current = std::max(0, std::min(current, (int)entries.size() - 1));
    lineItems = selection.getDescriptionLines(current);
    line = std::max(0, std::min(line, (int)lineItems.size() - 1));
    pickItems = namesIn(lists[list].folder);
    description = entries.empty() ? "" : entries[current].description;
    copyFieldText(nameBuffer, entries.empty() ? "" : entries[current].name, sizeof nameBuffer);
    copyFieldText(lineBuffer, lineItems.empty() ? "" : lineItems[line], sizeof lineBuffer);
    if (check) {
        problems = problemText(checkDocument(lists[list].path, shelf, &checkMemory));
    }
    status = shelf.isModified() ? "Unsaved changes" : "Everything is saved";
    if (dialog.empty()) return;
    for (DIALOG* d = dialog.data(); d->proc; d++) {
        if (d->proc == fieldProc) d->d2 = (int)strlen((const char*)d->dp);
        intptr_t tag = (intptr_t)d->dp3;
        if (d->proc == listProc && tag != PICKS)
            d->d1 = tag == LISTS ? list : tag == ENTRIES ? current : line;
    }
    dialog[previewIndex].dp = (void*)description.c_str();
    dialog[previewIndex].d2 = 0;
    dialog[problemsIndex].dp = (void*)problems.c_str();
    dialog[problemsIndex].d2 = 0;
    dialog[statusIndex].dp = (void*)status.c_str();
}

bool SelectionListEditor::lineUsable(const std::string& text) {
    if (text.find("[End]") == std::string::npos) return true;
    showMessage("A line of %s may not hold [End]: the game would end the entry there.\n", lists[list].path);
    return false;
}

void SelectionListEditor::commitName(const std::string& name) {
    if (entryItems.empty() || !lineUsable(name)) return refresh(false);
    SelectionList(document()).setName(current, name);
    refresh(true);
}

void SelectionListEditor::commitLine() {
    if (lineItems.empty() || lineItems[line] == lineBuffer) return;
    if (!lineUsable(lineBuffer)) return refresh(false);
    std::vector<std::string> lines = lineItems;
    lines[line] = lineBuffer;
    SelectionList(document()).setDescriptionLines(current, lines);
    refresh(true);
}

void SelectionListEditor::entryAction(int action) {
    SelectionList selection(document());
    int count = (int)entryItems.size();
    if (action == ADD) {
        // The first name the list does not offer yet is the likeliest to be wanted next.
        std::string name = "New";
        for (const std::string& p : pickItems)
            if (std::find(entryItems.begin(), entryItems.end(), p) == entryItems.end()) {
                name = p;
                break;
            }
        current = count ? current + 1 : 0;
        selection.addEntry(current, name, {});
    } else if (action == REMOVE && count) {
        selection.removeEntry(current);
    } else if ((action == UP || action == DOWN) && count) {
        int step = action == UP ? -1 : 1;
        if (current + step >= 0 && current + step < count) {
            selection.moveEntry(current, step);
            current += step;
        }
    }
    line = 0;
    refresh(true);
}

void SelectionListEditor::lineAction(int action) {
    if (entryItems.empty()) return;
    std::vector<std::string> lines = lineItems;
    if (action == LINE_ADD) {
        line = lines.empty() ? 0 : line + 1;
        lines.insert(lines.begin() + line, "");
    } else if (!lines.empty()) {
        lines.erase(lines.begin() + line);
    }
    SelectionList(document()).setDescriptionLines(current, lines);
    refresh(true);
}

void SelectionListEditor::save() {
    saveShelf(shelf);
    refresh(false);
}

void SelectionListEditor::run() {
    SelectionListEditor* outer = shown;
    shown = this;
    refresh(false);
    buildDialog();
    refresh(false);
    drawDialog(dialog.data());
    refresh(true);
    while (!back && !quitRequested())
        if (runDialog(dialog.data(), 2) < 0) break;
    shown = outer;
}

// ---- Allegro's callbacks ----

const char* SelectionListEditor::listItem(int index, int* size) {
    if (index < 0) *size = listCount;
    return index < 0 ? nullptr : lists[index].label;
}

const char* SelectionListEditor::entryItem(int index, int* size) {
    return ::listItem(shown->entryItems, index, size);
}

const char* SelectionListEditor::pickItem(int index, int* size) {
    return ::listItem(shown->pickItems, index, size);
}

const char* SelectionListEditor::lineItem(int index, int* size) {
    return ::listItem(shown->lineItems, index, size);
}

int SelectionListEditor::listProc(int msg, DIALOG* d, int c) {
    int before = d->d1;
    int result = d_list_proc(msg, d, c);
    intptr_t tag = (intptr_t)d->dp3;
    if (tag == PICKS) {
        // A double click or Enter takes the name for the current shown.
        if ((result & D_CLOSE) && d->d1 < (int)shown->pickItems.size())
            shown->commitName(shown->pickItems[d->d1]);
        return result & D_CLOSE ? (result & ~D_CLOSE) | D_REDRAW : result;
    }
    if (d->d1 == before) return result;
    if (tag == LISTS) {
        shown->list = d->d1;
        shown->current = shown->line = 0;
    } else if (tag == ENTRIES) {
        shown->current = d->d1;
        shown->line = 0;
    } else {
        shown->line = d->d1;
    }
    shown->refresh(tag == LISTS);
    return (result & ~D_CLOSE) | D_REDRAW;
}

int SelectionListEditor::fieldProc(int msg, DIALOG* d, int c) {
    int result = 0;
    if (!fieldTaken(msg, d, c, &result)) return result;
    if ((intptr_t)d->dp3 == NAME_FIELD) {
        if (!shown->entryItems.empty() && shown->entryItems[shown->current] != shown->nameBuffer)
            shown->commitName(shown->nameBuffer);
    } else {
        shown->commitLine();
    }
    return result;
}

int SelectionListEditor::buttonProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (!(result & D_CLOSE)) return result;
    int action = (int)(intptr_t)d->dp3;
    switch (action) {
    case LINE_ADD:
    case LINE_REMOVE:
        shown->lineAction(action);
        break;
    case SAVE:
        shown->save();
        break;
    case UNDO:
    case REDO:
        action == UNDO ? shown->document().undo() : shown->document().redo();
        shown->refresh(true);
        break;
    case BACK:
        shown->back = true;
        return D_CLOSE;
    default:
        shown->entryAction(action);
    }
    return (result & ~D_CLOSE) | D_REDRAW;
}
