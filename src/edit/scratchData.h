#ifndef VORN_EDIT_SCRATCHDATA_H
#define VORN_EDIT_SCRATCHDATA_H

#include <functional>
#include <map>
#include <string>

// Texts by their paths under data/ ("campaigns/Tutorial", "unit/Grub").
using ScratchFiles = std::map<std::string, std::string>;

// Runs work with the working directory in a scratch folder whose data/ shows the data set under
// the working directory as it would be with each file of files holding its text: every other
// entry is a link, so nothing of the real set is written. The working directory is restored and
// the scratch folder removed after. False when the scratch folder could not be made or left.
bool inScratchData(const ScratchFiles& files, const std::function<void()>& work);
// The same with the one file data/relativePath holding text.
bool inScratchData(const std::string& relativePath, const std::string& text,
                   const std::function<void()>& work);

#endif
