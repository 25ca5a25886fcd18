#ifndef VORN_EDIT_SCRATCHDATA_H
#define VORN_EDIT_SCRATCHDATA_H

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Runs work with the working directory in a scratch folder whose data/ shows the data set under
// the working directory as it would be with the file data/relativePath holding text: every other
// entry is a link, so nothing of the real set is written. The working directory is restored and
// the scratch folder removed after. False when the scratch folder could not be made or left.
bool inScratchData(const std::string& relativePath, const std::string& text,
                   const std::function<void()>& work);
// The same with several files replaced, each a path under data/ and its text.
bool inScratchData(const std::vector<std::pair<std::string, std::string>>& files,
                   const std::function<void()>& work);

#endif
