#include "edit/CampaignEditor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unistd.h>

#include "content/formatTable.h"
#include "edit/SelectionList.h"
#include "edit/SelectionListEditor.h"
#include "edit/SpawnTableEditor.h"
#include "edit/UnitTypeEditor.h"
#include "edit/checkDocument.h"
#include "edit/chooseCharacter.h"
#include "edit/editorDialog.h"
#include "edit/newCampaign.h"
#include "edit/playInGame.h"
#include "edit/simulateRound.h"
#include "menus/Config.h"
#include "menus/runDialog.h"
#include "system/Messages.h"
#include "system/quitRequest.h"

CampaignEditor* CampaignEditor::shown = nullptr;

namespace {

enum Tag { CAMPAIGNS, ROUNDS, SPAWNS };
enum Action { ADD, REMOVE, UP, DOWN, DUPLICATE, SIMULATE, SPAWN_ADD, SPAWN_REMOVE, SAVE, UNDO, REDO, QUIT };
// Buttons that open another screen of the workshop, or the game.
enum ScreenAction { PLAY = QUIT + 1, SPAWN_TABLE, UNIT_TYPES, LISTS, NEW };
const char* const pageLabels[] = {"[Campaign]", "[Round]"}; // the page the button shows

const char spawnHeading[] = "Spawn lines: type amount side condition delay threshold variant [x y]";
// Pixels: the screen is the game's smallest window, 640 x 480. The fields, the help box under them
// and the page button keep above y = 206.
const int fieldTop = 20, fieldStep = 17, rightColumn = 172, helpBottom = 205;

} // namespace

CampaignEditor::CampaignEditor() {
    readCampaigns();
    // Spawns counts the spawn lines, which the list below the fields keeps.
    for (const FormatKey& row : formatTable())
        if (row.file == FileKind::Campaign && !row.numbered && strcmp(row.name, "Spawns"))
            fields.push_back(Field{&row, !strcmp(row.section, "Campaign"), {}, 0});
    spawnBuffer[0] = '\0';
}

DataDocument* CampaignEditor::document() {
    return campaigns.empty() ? nullptr : &shelf.open("campaigns/" + campaigns[campaign]);
}

void CampaignEditor::readCampaigns() {
    campaigns = SelectionList(shelf.open(campaignListPath)).getNames();
    for (const std::string& name : campaigns)
        shelf.open("campaigns/" + name);
    campaign = std::max(0, std::min(campaign, (int)campaigns.size() - 1));
}

std::string CampaignEditor::roundName() const {
    return DataDocument::roundSection(round);
}

void CampaignEditor::buildDialog() {
    dialog.clear();
    dialog.push_back(dialogEntry(d_clear_proc, 0, 0, 0, 0, 0, 0, nullptr));
    dialog.push_back(dialogEntry(d_text_proc, 4, 6, 160, 10, 0, 0, "Campaigns"));
    dialog.push_back(dialogEntry(listProc, 4, 18, 160, 84, 0, 0, (void*)campaignItem, CAMPAIGNS));
    roundsHeadingIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 4, 108, 160, 10, 0, 0, roundsHeading.c_str()));
    dialog.push_back(dialogEntry(listProc, 4, 120, 160, 130, 0, 0, (void*)roundItem, ROUNDS));
    const struct {
        const char* label;
        int x, y, w, action;
    } buttons[] = {{"Add", 4, 254, 78, ADD},
                   {"Remove", 86, 254, 78, REMOVE},
                   {"Duplicate", 4, 276, 80, DUPLICATE},
                   {"Simulate", 88, 276, 76, SIMULATE},
                   {"Play", 4, 298, 84, PLAY},
                   {"Up", 92, 298, 28, UP},
                   {"Down", 124, 298, 40, DOWN},
                   {"Add line", 540, 222, 96, SPAWN_ADD},
                   {"Remove line", 540, 244, 96, SPAWN_REMOVE},
                   {"Spawn table", 540, 266, 96, SPAWN_TABLE},
                   {"Save", 4, 454, 70, SAVE},
                   {"Undo", 80, 454, 70, UNDO},
                   {"Redo", 156, 454, 70, REDO},
                   {"Quit", 232, 454, 70, QUIT},
                   {"Unit types", 308, 454, 84, UNIT_TYPES},
                   {"Lists", 396, 454, 76, LISTS}};
    for (auto& b : buttons)
        dialog.push_back(dialogEntry(buttonProc, b.x, b.y, b.w, 20, D_EXIT, 0, b.label, b.action));
    dialog.push_back(dialogEntry(buttonProc, 120, 2, 44, 14, D_EXIT, 0, "New", NEW));
    headingIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 5, 300, 10, 0, 0, pageHeading.c_str()));
    dialog.push_back(dialogEntry(pageProc, 548, 1, 88, 16, D_EXIT, 0, pageLabels[campaignPage]));
    int rows[2] = {0, 0}; // on each page
    for (size_t i = 0; i < fields.size(); i++) {
        int y = fieldTop + rows[fields[i].campaignKey]++ * fieldStep;
        int hidden = fields[i].campaignKey == campaignPage ? 0 : D_HIDDEN;
        fields[i].labelIndex = (int)dialog.size();
        dialog.push_back(
            dialogEntry(d_text_proc, rightColumn, y + 4, 104, 10, hidden, 0, fields[i].row->name));
        dialog.push_back(dialogEntry(fieldProc, rightColumn + 108, y, 356, 14, D_EXIT | hidden,
                                     sizeof fields[i].buffer - 1, fields[i].buffer, i));
    }
    int below = fieldTop + std::max(rows[0], rows[1]) * fieldStep + 2;
    helpIndex = (int)dialog.size();
    dialog.push_back(
        dialogEntry(d_textbox_proc, rightColumn, below, 464, helpBottom - below, 0, 0, help.c_str()));
    dialog.push_back(dialogEntry(d_text_proc, rightColumn, 208, 380, 10, 0, 0, spawnHeading));
    dialog.push_back(dialogEntry(listProc, rightColumn, 222, 364, 64, 0, 0, (void*)spawnItem, SPAWNS));
    spawnEditIndex = (int)dialog.size();
    dialog.push_back(
        dialogEntry(fieldProc, rightColumn, 290, 384, 14, D_EXIT, LINE_LENGTH - 1, spawnBuffer, -1));
    dialog.push_back(dialogEntry(d_text_proc, 4, 322, 200, 10, 0, 0, "Problems"));
    problemsIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_textbox_proc, 4, 334, 632, 114, 0, 0, problems.c_str()));
    statusIndex = (int)dialog.size();
    dialog.push_back(dialogEntry(d_text_proc, 476, 460, 160, 10, 0, 0, status.c_str()));
    finishDialog(dialog);
}

void CampaignEditor::refresh(bool check) {
    DataDocument* doc = document();
    roundItems.clear();
    spawnItems.clear();
    if (doc) {
        int rounds = doc->getRoundCount();
        roundsHeading = rounds > MOST_ROUNDS_LISTED ? "Rounds (first " + std::to_string(MOST_ROUNDS_LISTED) +
                                                          " of " + std::to_string(rounds) + ")"
                                                    : "Rounds";
        for (int r = 0; r < std::min(rounds, MOST_ROUNDS_LISTED); r++)
            roundItems.push_back(std::to_string(r) + ": " +
                                 doc->get(DataDocument::roundSection(r), "name", "No Name"));
        round = std::max(0, std::min(round, (int)roundItems.size() - 1));
        int spawns = atoi(doc->get(roundName(), "Spawns", "0").c_str());
        for (int i = 0; i < spawns && i < 1000; i++)
            spawnItems.push_back(doc->get(roundName(), "Spawn" + std::to_string(i)));
        spawn = std::max(0, std::min(spawn, (int)spawnItems.size() - 1));
    }
    for (Field& f : fields)
        copyFieldText(f.buffer, doc ? doc->get(f.campaignKey ? "Campaign" : roundName(), f.row->name) : "",
                      sizeof f.buffer);
    copyFieldText(spawnBuffer, spawnItems.empty() ? "" : spawnItems[spawn], sizeof spawnBuffer);
    if (check && doc) {
        problems = problemText(checkDocument("campaigns/" + campaigns[campaign], shelf, &checkMemory));
    }
    status = shelf.isModified() ? "Unsaved changes" : "Everything is saved";
    pageHeading = campaignPage                          ? "[Campaign]"
                  : doc && round < doc->getRoundCount() ? "[" + roundName() + "]"
                                                        : "";
    if (dialog.empty()) return;
    for (DIALOG* d = dialog.data(); d->proc; d++) {
        if (d->proc == fieldProc) d->d2 = (int)strlen((const char*)d->dp);
        if (d->proc == listProc)
            d->d1 = (intptr_t)d->dp3 == CAMPAIGNS ? campaign : (intptr_t)d->dp3 == ROUNDS ? round : spawn;
    }
    dialog[problemsIndex].dp = (void*)problems.c_str();
    dialog[problemsIndex].d2 = 0;
    dialog[statusIndex].dp = (void*)status.c_str();
    dialog[headingIndex].dp = (void*)pageHeading.c_str();
    dialog[roundsHeadingIndex].dp = (void*)roundsHeading.c_str();
}

void CampaignEditor::commitField(int index) {
    DataDocument* doc = document();
    if (!doc || index < 0 || index >= (int)fields.size()) return;
    const Field& f = fields[index];
    std::string section = f.campaignKey ? "Campaign" : roundName();
    if (!f.campaignKey && round >= doc->getRoundCount()) return;
    std::string value = f.buffer;
    if (fieldKeepsValue(value, doc->get(section, f.row->name), sizeof f.buffer) &&
        (value.empty() || doc->has(section, f.row->name)))
        return;
    // An empty field is a key left out, which the game reads as its default.
    if (value.empty())
        doc->remove(section, f.row->name);
    else
        doc->set(section, f.row->name, value);
    refresh(true);
}

void CampaignEditor::showFieldHelp(int index) {
    const Field& f = fields[index];
    help.clear();
    DataDocument* doc = document();
    if (doc && (f.campaignKey || round < doc->getRoundCount()))
        for (const std::string& line :
             checkTypedValue("campaigns/" + campaigns[campaign], *doc,
                             f.campaignKey ? "Campaign" : roundName(), f.row->name, f.buffer))
            help += line + "\n";
    help += std::string(f.row->name) + ": " + f.row->play;
    if (f.row->def) help += std::string(" (default: ") + f.row->def + ")";
    dialog[helpIndex].dp = (void*)help.c_str();
    dialog[helpIndex].d2 = 0;
}

void CampaignEditor::showPage(bool campaignKeys) {
    campaignPage = campaignKeys;
    for (const Field& f : fields)
        for (int i : {f.labelIndex, f.labelIndex + 1})
            dialog[i].flags =
                f.campaignKey == campaignPage ? dialog[i].flags & ~D_HIDDEN : dialog[i].flags | D_HIDDEN;
    dialog[headingIndex + 1].dp = (void*)pageLabels[campaignPage];
    refresh(false);
}

void CampaignEditor::commitSpawnLine() {
    DataDocument* doc = document();
    if (!doc || spawnItems.empty() || fieldKeepsValue(spawnBuffer, spawnItems[spawn], sizeof spawnBuffer))
        return;
    doc->set(roundName(), "Spawn" + std::to_string(spawn), spawnBuffer);
    refresh(true);
}

void CampaignEditor::addSpawnLine() {
    DataDocument* doc = document();
    if (!doc || round >= doc->getRoundCount()) return;
    int count = (int)spawnItems.size();
    doc->beginEdit();
    doc->set(roundName(), "Spawn" + std::to_string(count), count ? spawnItems.back() : "Grub 1 1 0 0 0 0");
    doc->set(roundName(), "Spawns", std::to_string(count + 1));
    doc->finishEdit();
    spawn = count;
    refresh(true);
}

void CampaignEditor::removeSpawnLine() {
    DataDocument* doc = document();
    if (!doc || spawnItems.empty()) return;
    int count = (int)spawnItems.size();
    doc->beginEdit();
    for (int i = spawn; i + 1 < count; i++)
        doc->set(roundName(), "Spawn" + std::to_string(i), spawnItems[i + 1]);
    doc->remove(roundName(), "Spawn" + std::to_string(count - 1));
    doc->set(roundName(), "Spawns", std::to_string(count - 1));
    doc->finishEdit();
    refresh(true);
}

void CampaignEditor::openSpawnTable() {
    DataDocument* doc = document();
    if (!doc || round >= doc->getRoundCount()) return;
    SpawnTableEditor(shelf, campaigns[campaign], round).run();
    refresh(true);
}

void CampaignEditor::roundAction(int action) {
    DataDocument* doc = document();
    if (!doc) return;
    int count = doc->getRoundCount();
    if (action == ADD) {
        doc->addRound(doc->getNewRoundKeys());
        round = count;
    } else if (action == REMOVE) {
        doc->removeRound(round);
    } else if (action == DUPLICATE) {
        doc->duplicateRound(round);
        round++;
    } else if (action == UP || action == DOWN) {
        int step = action == UP ? -1 : 1;
        if (round + step >= 0 && round + step < count) {
            doc->moveRound(round, step);
            round += step;
        }
    }
    refresh(true);
}

void CampaignEditor::save() {
    saveShelf(shelf);
    refresh(false);
}

void CampaignEditor::simulate() {
    DataDocument* doc = document();
    if (!doc || round >= doc->getRoundCount()) return;
    refresh(false);
    status = "Simulating...          "; // over the longest status
    dialog[statusIndex].dp = (void*)status.c_str();
    object_message(&dialog[statusIndex], MSG_DRAW, 0); // the runs hold the window for seconds
    problems.clear();
    for (const std::string& line : simulateRound(campaigns[campaign], doc->getText(), round))
        problems += line + "\n";
    refresh(false);
}

void CampaignEditor::play() {
    DataDocument* doc = document();
    if (!doc || round >= doc->getRoundCount()) return;
    std::string who = chooseCharacter(selectionListNames("data/listOfCharacters.txt"), playCharacter);
    if (who.empty()) return;
    playCharacter = who;
    refresh(true);
    status = "Playing round " + std::to_string(round) + "...      "; // over the longest status
    dialog[statusIndex].dp = (void*)status.c_str();
    object_message(&dialog[statusIndex], MSG_DRAW, 0); // the game holds the screen for the round
    ScratchFiles unsaved = shelf.getUnsavedTexts();
    char self[4096];
    ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
    std::string line = playInGame(findGameProgram(length > 0 ? std::string(self, length) : ""), unsaved,
                                  campaigns[campaign], round, who);
    problems = "Played with " + who + ": " + line + "\n\n" + problems;
    refresh(false);
}

void CampaignEditor::newCampaign() {
    std::string name = askNewCampaignName(shelf);
    if (name.empty()) return;
    // The campaign shown lends its pictures until the new one has its own; without one, the
    // pictures are those the next build paints.
    DataDocument* doc = document();
    std::string datafile = doc ? doc->get("Campaign", "Datafile") : "";
    makeCampaign(shelf, name, datafile.empty() ? "data/gfx/" + name + ".dat" : datafile);
    readCampaigns();
    campaign = (int)campaigns.size() - 1;
    round = spawn = 0;
    refresh(true);
}

void CampaignEditor::undoOrRedo(bool undo) {
    DataDocument* doc = document();
    std::string name = doc ? campaigns[campaign] : "";
    if (undo && doc) {
        // A campaign made here is unmade as a whole, list entry and all.
        if (unmakeCampaign(shelf, name))
            unmade = name;
        else
            doc->undo();
    } else if (!undo && !(doc && doc->redo()) && !unmade.empty() && remakeCampaign(shelf, unmade)) {
        name = unmade;
        unmade.clear();
    }
    readCampaigns();
    auto shownNow = std::find(campaigns.begin(), campaigns.end(), name);
    if (shownNow != campaigns.end()) campaign = (int)(shownNow - campaigns.begin());
    refresh(true);
}

void CampaignEditor::openLists() {
    SelectionListEditor(shelf).run();
    readCampaigns();
    refresh(true);
}

int CampaignEditor::run() {
    shown = this;
    refresh(false);
    buildDialog();
    refresh(false);
    show_mouse(screen);
    // The question about what an earlier session left unsaved stands over the screen it concerns.
    drawDialog(dialog.data());
    if (offerRecoveryCopies(shelf)) readCampaigns();
    refresh(true);
    watchCloseButton(&shelf);
    while (!quit) {
        int closedBy = runDialog(dialog.data(), 2);
        if (quitRequested() || ((closedBy < 0 || quit) && confirmQuit(shelf))) break;
        quit = false;
    }
    watchCloseButton(nullptr);
    show_mouse(nullptr);
    shown = nullptr;
    return 0;
}

// ---- Allegro's callbacks ----

int CampaignEditor::pageProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (!(result & D_CLOSE)) return result;
    shown->showPage(!shown->campaignPage);
    return (result & ~D_CLOSE) | D_REDRAW;
}

const char* CampaignEditor::campaignItem(int index, int* size) {
    return listItem(shown->campaigns, index, size);
}

const char* CampaignEditor::roundItem(int index, int* size) {
    return listItem(shown->roundItems, index, size);
}

const char* CampaignEditor::spawnItem(int index, int* size) {
    return listItem(shown->spawnItems, index, size);
}

int CampaignEditor::listProc(int msg, DIALOG* d, int c) {
    int result = 0;
    if (!listChoiceMoved(msg, d, c, &result)) return result;
    intptr_t tag = (intptr_t)d->dp3;
    if (tag == CAMPAIGNS) {
        shown->campaign = d->d1;
        shown->round = shown->spawn = 0;
    } else if (tag == ROUNDS) {
        shown->round = d->d1;
        shown->spawn = 0;
    } else {
        shown->spawn = d->d1;
    }
    shown->refresh(tag != SPAWNS);
    return result;
}

int CampaignEditor::fieldProc(int msg, DIALOG* d, int c) {
    int index = (int)(intptr_t)d->dp3;
    if (msg == MSG_GOTFOCUS && index >= 0) {
        shown->showFieldHelp(index);
        return d_edit_proc(msg, d, c) | D_REDRAW;
    }
    int result = 0;
    bool typed = false, taken = fieldTaken(msg, d, c, &result, &typed);
    // Each keystroke checks the value against its row alone; the whole check waits for the commit.
    if (typed && index >= 0) {
        shown->showFieldHelp(index);
        object_message(&shown->dialog[shown->helpIndex], MSG_DRAW, 0);
    }
    if (taken) index >= 0 ? shown->commitField(index) : shown->commitSpawnLine();
    return result;
}

int CampaignEditor::buttonProc(int msg, DIALOG* d, int c) {
    int result = d_button_proc(msg, d, c);
    if (!(result & D_CLOSE)) return result;
    int action = (int)(intptr_t)d->dp3;
    switch (action) {
    case SPAWN_ADD:
        shown->addSpawnLine();
        break;
    case SPAWN_REMOVE:
        shown->removeSpawnLine();
        break;
    case SPAWN_TABLE:
        shown->openSpawnTable();
        break;
    case SAVE:
        shown->save();
        break;
    case SIMULATE:
        shown->simulate();
        break;
    case PLAY:
        shown->play();
        break;
    case UNDO:
    case REDO:
        shown->undoOrRedo(action == UNDO);
        break;
    case NEW:
        shown->newCampaign();
        break;
    case LISTS:
        shown->openLists();
        break;
    case QUIT:
        shown->quit = true;
        return D_CLOSE;
    case UNIT_TYPES:
        UnitTypeEditor(shown->shelf).run();
        // The campaign's problems may have come from a unit type just edited.
        shown->refresh(true);
        break;
    default:
        shown->roundAction(action);
    }
    return (result & ~D_CLOSE) | D_REDRAW;
}
