#include "edit/UnitTypeEditor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <strings.h>

#include "content/fileFormat.h"
#include "content/formatTable.h"
#include "edit/animationLine.h"
#include "edit/checkDocument.h"
#include "edit/editorDialog.h"
#include "edit/unitFiles.h"
#include "menus/runDialog.h"
#include "system/Messages.h"
#include "system/textFormat.h"

UnitTypeEditor* UnitTypeEditor::shown = nullptr;

namespace {

enum Tag { UNITS, GROUPS, ANIMATIONS };
enum Action { NEW, PREVIOUS, NEXT, SAVE, UNDO, REDO, BACK };

// Pixels, on the 640 x 480 screen: the right column's fields and the preview box.
const int rightColumn = 172, fieldTop = 20, fieldStep = 17;
const int previewX = 292, previewY = 238, previewSize = 120;
const std::chrono::milliseconds drawnFrame(30); // the battle draws a frame after every step

std::string describeLimits(const FormatKey& row) {
    std::string out;
    const char* def = row.shown ? row.shown : row.def;
    if (def) out += std::string(" Default: ") + def + ".";
    if (hasLimits(row)) out += textf(" vorn-check warns outside %.10g to %.10g.", row.min, row.max);
    if (row.words) out += std::string(" Words: ") + row.words + ".";
    if (row.reader == KeyReader::Painter) out += " Read by the build's painter only.";
    return out;
}

// The highest number of an added-unit entry the file holds, plus one; at most a hundred are shown.
int addedEntries(const DataDocument& doc) {
    int entries = atoi(doc.get("", "addedUnits", "0").c_str());
    for (const auto& kv : doc.keysOf(""))
        if (int index = -1; isNumberedKey(kv.first, "addedUnit", &index))
            entries = std::max(entries, index + 1);
    return std::max(0, std::min(entries, 100));
}

} // namespace

UnitTypeEditor::UnitTypeEditor(DocumentShelf& shelf) : shelf(shelf), groups(unitKeyGroups()) {
    units = unitFileNames("data/unit");
    // Types made by New and not saved yet stay on the list while their document is open.
    for (const std::string& path : shelf.getModifiedPaths())
        if (path.compare(0, 5, "unit/") == 0 &&
            std::find(units.begin(), units.end(), path.substr(5)) == units.end())
            units.push_back(path.substr(5));
    std::sort(units.begin(), units.end());
    for (const UnitKeyGroup& g : groups)
        groupNames.push_back(g.name);
    memset(buffers, 0, sizeof buffers);
}

DataDocument* UnitTypeEditor::document() {
    return units.empty() ? nullptr : &shelf.open("unit/" + units[unit]);
}

void UnitTypeEditor::buildDialog() {
    dialog.clear();
    dialog.push_back(dialogEntry(d_clear_proc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(d_text_proc, 4, 6, 160, 10, 0, 0, "Unit types"));
    dialog.push_back(dialogEntry(listProc, 4, 18, 160, 180, 0, 0, (void*)unitItem, UNITS));
    dialog.push_back(dialogEntry(d_text_proc, 4, 228, 160, 10, 0, 0, "Groups"));
    dialog.push_back(dialogEntry(listProc, 4, 240, 160, 90, 0, 0, (void*)groupItem, GROUPS));
    const struct {
        const char* label;
        int x, y, w, h, action;
    } buttons[] = {{"New", 4, 202, 76, 20, NEW},    {"Prev", 544, 2, 44, 14, PREVIOUS},
                   {"Next", 592, 2, 44, 14, NEXT},  {"Save", 4, 454, 70, 20, SAVE},
                   {"Undo", 80, 454, 70, 20, UNDO}, {"Redo", 156, 454, 70, 20, REDO},
                   {"Back", 232, 454, 70, 20, BACK}};
    for (auto& b : buttons)
        dialog.push_back(dialogEntry(buttonProc, b.x, b.y, b.w, b.h, D_EXIT, 0, b.label, b.action));
    // Enter in the key box closes the dialog; run() opens it again with the key's field in focus.
    dialog.push_back(dialogEntry(d_text_proc, 86, 208, 24, 10, 0, 0, "Key"));
    keyIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_edit_proc, 112, 205, 52, 14, D_EXIT, 64, keyBuffer));
    // Ctrl+K puts the cursor in the key box from anywhere, so a unit can be typed in without the mouse.
    shortcutIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_keyboard_proc, 0, 0, 0, 0, 0, 'K' - '@', (void*)closeForKeyBox));
    headingIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 5, 360, 10, 0, 0, heading.c_str()));
    int labelWidth = text_length(font, "addedUnit99");
    for (const UnitKeyGroup& g : groups)
        for (const FormatKey* row : g.rows)
            labelWidth = std::max(labelWidth, text_length(font, row->name));
    fieldIndex = (int)dialog.size();
    for (int i = 0; i < PAGE_FIELDS; i++) {
        int y = fieldTop + i * fieldStep;
        dialog.push_back(
            dialogEntry(d_text_proc, rightColumn, y + 4, labelWidth, 10, 0, 0, labels[i].c_str()));
        dialog.push_back(dialogEntry(fieldProc, rightColumn + labelWidth + 4, y, 464 - labelWidth - 4, 14,
                                     D_EXIT, VALUE_CHARS, buffers[i], i));
    }
    helpIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, rightColumn, 192, 464, 42, 0, 0, help.c_str()));
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 238, 116, 10, 0, 0, "Animation"));
    dialog.push_back(
        dialogEntry(listProc, rightColumn, 250, 116, 108, 0, 0, (void*)animationItem, ANIMATIONS));
    dialog.push_back(dialogEntry(previewProc, previewX, previewY, previewSize, previewSize, 0, 0, nullptr));
    framesIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 416, previewY, 220, previewSize, 0, 0, framesText.c_str()));
    dialog.push_back(dialogEntry(d_text_proc, 4, 352, 160, 10, 0, 0, "Problems"));
    problemsIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 4, 364, 632, 86, 0, 0, problems.c_str()));
    statusIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 320, 460, 316, 10, 0, 0, status.c_str()));
    dialog.push_back(dialogEntry(editorIdleProc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(nullptr, 0, 0, 0, 0, 0, 0, nullptr));
    setEditorColours(dialog.data());
}

void UnitTypeEditor::refresh(bool check) {
    unit = std::max(0, std::min(unit, (int)units.size() - 1));
    DataDocument* doc = document();
    const UnitKeyGroup& g = groups[group];
    fields = unitFields(g, doc ? addedEntries(*doc) + 1 : 0); // one entry more, to add one
    int pages = std::max(1, ((int)fields.size() + PAGE_FIELDS - 1) / PAGE_FIELDS);
    page = std::max(0, std::min(page, pages - 1));
    heading = units.empty()
                  ? "No unit files in data/unit"
                  : textf("%s: %s, page %d of %d", units[unit].c_str(), g.name.c_str(), page + 1, pages);
    for (int i = 0; i < PAGE_FIELDS; i++) {
        int f = page * PAGE_FIELDS + i;
        bool used = doc && f < (int)fields.size();
        labels[i] = used ? fields[f].key : "";
        copyFieldText(buffers[i], used ? doc->get(g.section, fields[f].key) : "", sizeof buffers[i]);
    }
    animations.clear();
    for (const char* key : animationKeys)
        if (doc && doc->has("Animation", key)) animations.push_back(key);
    animation = std::max(0, std::min(animation, (int)animations.size() - 1));
    loadPreview();
    if (check) {
        problems = doc ? problemText(checkDocument("unit/" + units[unit], doc->getText())) : "";
    }
    status = shelf.isModified() ? "Unsaved changes" : "Everything is saved";
    if (dialog.empty()) return;
    for (DIALOG* d = dialog.data(); d->proc; d++) {
        if (d->proc == fieldProc) {
            d->d2 = (int)strlen((const char*)d->dp);
            // A slot past the group's last key takes no typing.
            int f = page * PAGE_FIELDS + (int)(intptr_t)d->dp3;
            d->flags = f < (int)fields.size() ? (d->flags & ~D_DISABLED) : (d->flags | D_DISABLED);
        }
        if (d->proc == listProc) {
            intptr_t tag = (intptr_t)d->dp3;
            d->d1 = tag == UNITS ? unit : tag == GROUPS ? group : animation;
        }
    }
    for (int i = 0; i < PAGE_FIELDS; i++)
        dialog[fieldIndex + 2 * i].dp = (void*)labels[i].c_str();
    dialog[headingIndex].dp = (void*)heading.c_str();
    dialog[helpIndex].dp = (void*)help.c_str();
    dialog[framesIndex].dp = (void*)framesText.c_str();
    dialog[framesIndex].d2 = 0;
    dialog[problemsIndex].dp = (void*)problems.c_str();
    dialog[problemsIndex].d2 = 0;
    dialog[statusIndex].dp = (void*)status.c_str();
}

void UnitTypeEditor::showHelp(int slot) {
    DataDocument* doc = document();
    int f = page * PAGE_FIELDS + slot;
    if (!doc || f >= (int)fields.size()) return;
    const UnitField& field = fields[f];
    help.clear();
    for (const std::string& line :
         checkTypedValue("unit/" + units[unit], *doc, groups[group].section, field.key, buffers[slot]))
        help += line + "\n";
    help += textf("%s (line %d): %s.", field.key.c_str(), doc->lineOf(groups[group].section, field.key),
                  field.row->play) +
            describeLimits(*field.row);
    dialog[helpIndex].dp = (void*)help.c_str();
    dialog[helpIndex].d2 = 0;
}

void UnitTypeEditor::commitField(int slot) {
    DataDocument* doc = document();
    int f = page * PAGE_FIELDS + slot;
    if (!doc || f >= (int)fields.size()) return;
    const std::string& section = groups[group].section;
    const std::string& key = fields[f].key;
    std::string value = buffers[slot];
    if (fieldKeepsValue(value, doc->get(section, key), sizeof buffers[slot]) &&
        (value.empty() || doc->has(section, key)))
        return;
    doc->beginEdit();
    // An empty field is a key left out, which the game reads as its default.
    if (value.empty())
        doc->remove(section, key);
    else
        doc->set(section, key, value);
    // The game reads only as many added units as addedUnits says: a new last entry counts itself in.
    int index = -1, count = atoi(doc->get("", "addedUnits", "0").c_str());
    if (fields[f].row->numbered && isNumberedKey(key, "addedUnit", &index) && !value.empty() &&
        index >= count)
        doc->set("", "addedUnits", std::to_string(index + 1));
    doc->finishEdit();
    refresh(true);
}

void UnitTypeEditor::turnPage(int step) {
    page += step;
    help.clear();
    refresh(false);
}

int UnitTypeEditor::showKey() {
    DataDocument* doc = document();
    if (!doc) return keyIndex;
    for (const bool exact : {true, false})
        for (int g = 0; g < (int)groups.size(); g++) {
            std::vector<UnitField> inGroup = unitFields(groups[g], addedEntries(*doc) + 1);
            for (int f = 0; f < (int)inGroup.size(); f++) {
                const char* key = inGroup[f].key.c_str();
                if (exact ? strcmp(key, keyBuffer) : strcasecmp(key, keyBuffer)) continue;
                group = g;
                page = f / PAGE_FIELDS;
                keyBuffer[0] = '\0'; // ready for the next key; the field's label names this one
                refresh(false);
                showHelp(f % PAGE_FIELDS);
                return fieldIndex + 2 * (f % PAGE_FIELDS) + 1;
            }
        }
    showMessage("A unit file has no key \"%s\": the key box takes a key as the guide names it, such "
                "as maxHP or addedUnit0.\n",
                keyBuffer);
    return keyIndex;
}

void UnitTypeEditor::addUnit() {
    char name[64 * 6 + 1] = ""; // 64 characters of Allegro's UTF-8
    std::vector<DIALOG> ask;
    ask.push_back(dialogEntry(d_shadow_box_proc, 170, 190, 300, 92, 0, 0, nullptr));
    ask.push_back(dialogEntry(d_text_proc, 180, 200, 280, 10, 0, 0, "Name of the new unit type:"));
    ask.push_back(dialogEntry(d_edit_proc, 180, 216, 280, 14, D_EXIT, 64, name));
    ask.push_back(dialogEntry(d_button_proc, 180, 244, 130, 20, D_EXIT, 0, "Make it"));
    ask.push_back(dialogEntry(d_button_proc, 330, 244, 130, 20, D_EXIT, 0, "Cancel"));
    ask.push_back(dialogEntry(editorIdleProc, 0, 0, 0, 0, 0, 0, nullptr));
    ask.push_back(dialogEntry(nullptr, 0, 0, 0, 0, 0, 0, nullptr));
    setEditorColours(ask.data());
    int closedBy = runDialog(ask.data(), 2);
    if (closedBy != 2 && closedBy != 3) return;
    std::string why = newUnitNameProblem(name, units);
    if (!why.empty()) {
        showMessage("No unit type was made: \"%s\" cannot name a file in data/unit, because %s.\n", name,
                    why.c_str());
        return;
    }
    units.push_back(name);
    std::sort(units.begin(), units.end());
    unit = (int)(std::find(units.begin(), units.end(), name) - units.begin());
    // The game finds nothing of a type without its datafile; the painter makes one of this name.
    std::string lower = name;
    for (char& c : lower)
        c = (char)tolower((unsigned char)c);
    shelf.open("unit/" + units[unit]).set("", "datafile", "gfx/" + lower + ".dat");
    group = page = animation = 0;
    refresh(true);
}

void UnitTypeEditor::save() {
    saveShelf(shelf);
    refresh(false);
}

// ---- The animation preview ----

void UnitTypeEditor::loadPreview() {
    pictures.clear();
    pictureNames.clear();
    std::vector<int> holds;
    DataDocument* doc = document();
    if (!doc || animations.empty()) {
        framesText = doc ? "The unit has no animation." : "";
        player.start(holds, 0, -1, 0);
        return;
    }
    AnimationLine line = parseAnimationLine(doc->get("Animation", animations[animation]));
    std::string file = doc->get("", "datafile");
    std::string path = "data/unit/" + file;
    set_color_conversion(COLORCONV_TOTAL);
    DATAFILE* dat = file.empty() ? nullptr : datafiles.load(path);
    framesText = textf("repeat %d, loop end %d, loop start %d\n", line.repeat, line.loopEnd, line.loopStart);
    if (!line.playable) framesText += "The line needs three numbers and a frame: the game shows nothing.\n";
    if (file.empty())
        framesText += "The unit file names no datafile: frames are drawn as boxes.\n";
    else if (!dat)
        framesText += path + " " + DatafileCache::whyNotLoaded(path) + ": frames are drawn as boxes.\n";
    for (const AnimationFrame& frame : line.frames) {
        BITMAP* pic = dat ? DatafileCache::findPicture(dat, frame.name) : nullptr;
        if (dat && !pic) {
            // The game leaves a frame it cannot find out of the animation.
            framesText += frame.name + ": missing from " + path + ", left out\n";
            continue;
        }
        framesText += textf("%s  hold %d (%d frames)\n", frame.name.c_str(), frame.hold, frame.hold + 1);
        pictures.push_back(pic);
        pictureNames.push_back(frame.name);
        holds.push_back(frame.hold);
    }
    player.start(holds, line.repeat, line.loopEnd, line.loopStart);
    lastAdvance = std::chrono::steady_clock::now();
}

bool UnitTypeEditor::advancePreview() {
    auto now = std::chrono::steady_clock::now();
    int due = (int)((now - lastAdvance) / drawnFrame);
    if (due <= 0) return false;
    lastAdvance += due * drawnFrame;
    // After a long stall (a check, a dialog) the preview goes on from where it was.
    if (due > 10) {
        due = 1;
        lastAdvance = now;
    }
    int before = player.getFrame();
    bool wasFinished = player.isFinished();
    for (int i = 0; i < due; i++)
        player.advance();
    return player.getFrame() != before || player.isFinished() != wasFinished;
}

void UnitTypeEditor::drawPreview(BITMAP* bmp, const DIALOG* d) {
    int x2 = d->x + d->w - 1, y2 = d->y + d->h - 1;
    rectfill(bmp, d->x, d->y, x2, y2, d->bg);
    rect(bmp, d->x, d->y, x2, y2, d->fg);
    int frame = player.getFrame();
    if (frame < 0) return;
    BITMAP* pic = pictures[frame];
    int room = d->w - 8, bottom = y2 - 12;
    if (pic) {
        // Small frames are shown up to three times their size and big ones shrunk to the box; the
        // game turns and scales them as the unit moves.
        double fit = std::min((double)room / pic->w, (double)(bottom - d->y - 4) / pic->h);
        double scale = fit >= 1 ? std::min(3, (int)fit) : fit;
        int w = std::max(1, (int)(pic->w * scale)), h = std::max(1, (int)(pic->h * scale));
        stretch_sprite(bmp, pic, d->x + (d->w - w) / 2, d->y + 4 + (bottom - d->y - 4 - h) / 2, w, h);
    } else {
        int x = d->x + d->w / 2 - 20, y = d->y + (bottom - d->y) / 2 - 20;
        rect(bmp, x, y, x + 40, y + 40, d->fg);
        line(bmp, x, y, x + 40, y + 40, d->fg);
        line(bmp, x, y + 40, x + 40, y, d->fg);
    }
    textprintf_centre_ex(bmp, font, d->x + d->w / 2, bottom + 2, d->fg, -1, "%s",
                         pictureNames[frame].c_str());
}

void UnitTypeEditor::run() {
    UnitTypeEditor* before = shown;
    shown = this;
    refresh(false);
    buildDialog();
    refresh(false);
    show_mouse(screen);
    drawDialog(dialog.data());
    refresh(true);
    // Only Back, Esc, a quit request, the key box and Ctrl+K close it.
    for (int focus = 2;;) {
        int closedBy = runDialog(dialog.data(), focus);
        if (closedBy == keyIndex)
            focus = showKey();
        else if (closedBy == shortcutIndex)
            focus = keyIndex;
        else
            break;
    }
    shown = before;
}

// ---- Allegro's callbacks ----

int UnitTypeEditor::closeForKeyBox() {
    return D_CLOSE;
}

const char* UnitTypeEditor::unitItem(int index, int* size) {
    return listItem(shown->units, index, size);
}

const char* UnitTypeEditor::groupItem(int index, int* size) {
    return listItem(shown->groupNames, index, size);
}

const char* UnitTypeEditor::animationItem(int index, int* size) {
    return listItem(shown->animations, index, size);
}

int UnitTypeEditor::listProc(int msg, DIALOG* d, int c) {
    int result = 0;
    if (!listChoiceMoved(msg, d, c, &result)) return result;
    intptr_t tag = (intptr_t)d->dp3;
    if (tag == UNITS) {
        shown->unit = d->d1;
        shown->page = shown->animation = 0;
    } else if (tag == GROUPS) {
        shown->group = d->d1;
        shown->page = 0;
    } else {
        shown->animation = d->d1;
    }
    if (tag != ANIMATIONS) shown->help.clear(); // it spoke of a field no longer shown
    shown->refresh(tag == UNITS);
    return result;
}

int UnitTypeEditor::fieldProc(int msg, DIALOG* d, int c) {
    int slot = (int)(intptr_t)d->dp3;
    if (msg == MSG_GOTFOCUS) {
        shown->showHelp(slot);
        return d_edit_proc(msg, d, c) | D_REDRAW;
    }
    int result = 0;
    bool typed = false, taken = fieldTaken(msg, d, c, &result, &typed);
    // Each keystroke checks the value against its row alone; the whole check waits for the commit.
    if (typed) {
        shown->showHelp(slot);
        object_message(&shown->dialog[shown->helpIndex], MSG_DRAW, 0);
    }
    if (taken) shown->commitField(slot);
    return result;
}

int UnitTypeEditor::buttonProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (!(result & D_CLOSE)) return result;
    int action = (int)(intptr_t)d->dp3;
    switch (action) {
    case NEW:
        shown->addUnit();
        break;
    case PREVIOUS:
    case NEXT:
        shown->turnPage(action == NEXT ? 1 : -1);
        break;
    case SAVE:
        shown->save();
        break;
    case UNDO:
    case REDO:
        if (DataDocument* doc = shown->document()) action == UNDO ? doc->undo() : doc->redo();
        shown->refresh(true);
        break;
    case BACK:
        return D_CLOSE;
    }
    return (result & ~D_CLOSE) | D_REDRAW;
}

int UnitTypeEditor::previewProc(int msg, DIALOG* d, int c) {
    (void)c;
    if (msg == MSG_DRAW) shown->drawPreview(gui_get_screen(), d);
    if (msg == MSG_IDLE && shown->advancePreview()) {
        scare_mouse_area(d->x, d->y, d->w, d->h);
        shown->drawPreview(gui_get_screen(), d);
        unscare_mouse();
    }
    return D_O_K;
}
