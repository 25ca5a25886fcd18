#ifndef VORN_EDIT_CHECKDOCUMENT_H
#define VORN_EDIT_CHECKDOCUMENT_H

#include <string>
#include <vector>

#include "edit/DocumentShelf.h"

// Runs the data checker over the data set under the working directory as it would be with the
// file data/relativePath holding text, without writing that file: the set is seen through a
// scratch folder of links in which only that file is new. The problems found in that file, one a
// line in the checker's words ("line 12: error: [Round3] Spawn2: ..."), and the counts last. A
// campaign is checked with the selection lists and the characters only, not the whole set.
std::vector<std::string> checkDocument(const std::string& relativePath, const std::string& text);
// The same for the document of the shelf at relativePath, with every unsaved document of the shelf
// in place of its file: a campaign made and listed but not saved yet is checked as listed.
std::vector<std::string> checkDocument(const std::string& relativePath, DocumentShelf& shelf);

#endif
