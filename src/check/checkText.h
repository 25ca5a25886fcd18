#ifndef VORN_CHECK_CHECKTEXT_H
#define VORN_CHECK_CHECKTEXT_H

#include <string>
#include <vector>

#include "system/textFormat.h"

// Small text helpers of the data checker.

// A decimal whole number as written by hand ("12", "-3"), nothing else.
bool isWholeNumber(const std::string& s);
// A decimal number ("1.5", "-2", "3e2"), nothing else.
bool isRealNumber(const std::string& s);
// The candidate the word was most likely meant to be (same letters in another case, or a
// small typing slip), or "" when none is close.
std::string closestName(const std::string& word, const std::vector<std::string>& candidates);
// " Did you mean X?" for closestName, or "".
std::string didYouMean(const std::string& word, const std::vector<std::string>& candidates);
// "a, b or c"
std::string listWords(const std::vector<std::string>& words);

#endif
