#ifndef VORN_EDIT_UNITFILES_H
#define VORN_EDIT_UNITFILES_H

#include <string>
#include <vector>

// The unit files of a data folder's unit/ folder, sorted: its regular files but the datafiles
// (.dat), hidden files and a save's leftover (.new).
std::vector<std::string> unitFileNames(const std::string& folder);

// Why name cannot be a new unit type's file name, in the author's words, or "" when it can. A
// type is named by one word in campaigns and added units, so the name is a plain file name
// without spaces; taken: the types there are already.
std::string newUnitNameProblem(const std::string& name, const std::vector<std::string>& taken);

#endif
