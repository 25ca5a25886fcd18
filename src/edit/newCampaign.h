#ifndef VORN_EDIT_NEWCAMPAIGN_H
#define VORN_EDIT_NEWCAMPAIGN_H

#include <string>

#include "edit/DocumentShelf.h"

// Making a campaign in the workshop: a file with the least the game loads (the [Campaign] section
// with a datafile of pictures and no rounds) and its name added to the campaigns list, both on
// the shelf, unsaved until Save.

// The path of the campaigns list on the shelf.
extern const char* const campaignListPath;

// Why name cannot be a new campaign's, in the author's words; empty when it can: a plain file name
// (no folder, not hidden, text without [End]) that no campaign file, open document or list entry
// has, whatever the case of its letters.
std::string newCampaignNameProblem(DocumentShelf& shelf, const std::string& name);
// Opens the document of the new campaign, its [Campaign] naming datafile, and lists it last.
void makeCampaign(DocumentShelf& shelf, const std::string& name, const std::string& datafile);
// Undoes the making of the campaign name when its document has nothing left to undo but that:
// the document empties and the list forgets the name. False, with nothing changed, otherwise.
bool unmakeCampaign(DocumentShelf& shelf, const std::string& name);
// Redoes what unmakeCampaign undid; false, with nothing changed, when the list has other edits since.
bool remakeCampaign(DocumentShelf& shelf, const std::string& name);
// Asks the author for a new campaign's name until it is usable (saying why one is not); empty
// when cancelled. A graphics mode must be set.
std::string askNewCampaignName(DocumentShelf& shelf);

#endif
