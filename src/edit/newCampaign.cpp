#include "edit/newCampaign.h"

#include "edit/SelectionList.h"
#include "edit/editorDialog.h"
#include "menus/runDialog.h"
#include "system/Messages.h"
#include "system/configText.h"
#include "system/fileAccess.h"
#include "system/textFormat.h"

const char* const campaignListPath = "listOfCampaigns.txt";

namespace {

bool listed(DocumentShelf& shelf, const std::string& name) {
    for (const std::string& n : SelectionList(shelf.open(campaignListPath)).getNames())
        if (n == name) return true;
    return false;
}

} // namespace

std::string newCampaignNameProblem(DocumentShelf& shelf, const std::string& name) {
    if (name.empty()) return "The new campaign needs a name.";
    bool plain = name.find_first_of("/\\") == std::string::npos && name[0] != '.' &&
                 name.find_first_not_of(" \t") == 0 && name.find_last_not_of(" \t") == name.size() - 1 &&
                 makePlainText(name) == name && name.find_first_of("\t\r\n") == std::string::npos &&
                 name.find("[End]") == std::string::npos;
    if (!plain)
        return "\"" + name +
               "\" cannot be a campaign's file name: no / or \\, no dot first, no blanks around it.";
    std::vector<std::string> taken = SelectionList(shelf.open(campaignListPath)).getNames();
    for (const std::string& file : regularFilesIn("data/campaigns"))
        taken.push_back(file);
    bool opened = shelf.isOpen("campaigns/" + name) && shelf.open("campaigns/" + name).getLineCount() > 0;
    for (const std::string& t : taken)
        opened = opened || sameName(t, name);
    return opened ? "There is a campaign named \"" + name + "\" already: choose another name." : "";
}

void makeCampaign(DocumentShelf& shelf, const std::string& name, const std::string& datafile) {
    DataDocument& doc = shelf.open("campaigns/" + name);
    doc.beginEdit();
    doc.replaceLines(0, doc.getLineCount(), {});
    doc.addSection("Campaign", {{"Datafile", datafile}, {"TotalRounds", "0"}});
    doc.finishEdit();
    SelectionList list(shelf.open(campaignListPath));
    list.addEntry((int)list.getEntries().size(), name, {});
}

bool unmakeCampaign(DocumentShelf& shelf, const std::string& name) {
    std::string path = "campaigns/" + name;
    if (!shelf.isOpen(path) || !listed(shelf, name)) return false;
    DataDocument &doc = shelf.open(path), &list = shelf.open(campaignListPath);
    // The making is the document's only edit left, and the list's last.
    if (!doc.undo()) return false;
    if (doc.getLineCount() > 0 || doc.canUndo() || !list.undo()) {
        doc.redo();
        return false;
    }
    if (listed(shelf, name)) {
        list.redo();
        doc.redo();
        return false;
    }
    return true;
}

bool remakeCampaign(DocumentShelf& shelf, const std::string& name) {
    std::string path = "campaigns/" + name;
    if (!shelf.isOpen(path) || listed(shelf, name)) return false;
    DataDocument &doc = shelf.open(path), &list = shelf.open(campaignListPath);
    if (!doc.canRedo() || !list.redo()) return false;
    if (!listed(shelf, name)) {
        list.undo();
        return false;
    }
    doc.redo();
    return true;
}

std::string askNewCampaignName(DocumentShelf& shelf) {
    char buffer[64] = "";
    enum { FIELD = 2, OK = 3 };
    DIALOG ask[] = {
        dialogEntry(d_shadow_box_proc, 160, 180, 320, 84, 0, 0, nullptr),
        dialogEntry(d_text_proc, 172, 192, 296, 10, 0, 0, "Name of the new campaign (its file name):"),
        dialogEntry(d_edit_proc, 172, 208, 296, 14, D_EXIT, sizeof buffer - 1, buffer),
        dialogEntry(d_button_proc, 172, 234, 80, 20, D_EXIT, 0, "OK"),
        dialogEntry(d_button_proc, 388, 234, 80, 20, D_EXIT, 0, "Cancel"),
        dialogEntry(editorIdleProc, 0, 0, 0, 0, 0, 0, nullptr),
        dialogEntry(nullptr, 0, 0, 0, 0, 0, 0, nullptr)};
    setEditorColours(ask);
    for (;;) {
        int closedBy = runDialog(ask, FIELD);
        if (closedBy != FIELD && closedBy != OK) return "";
        std::string problem = newCampaignNameProblem(shelf, buffer);
        if (problem.empty()) return buffer;
        showMessage("%s\n", problem.c_str());
    }
}
