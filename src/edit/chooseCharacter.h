#ifndef VORN_EDIT_CHOOSECHARACTER_H
#define VORN_EDIT_CHOOSECHARACTER_H

#include <string>
#include <vector>

// A small dialog over the workshop's screen listing names, the one called preselected marked
// (else the first): the name chosen, or empty when the author cancels, presses Esc or the
// workshop is asked to quit. A graphics mode must be set.
std::string chooseCharacter(const std::vector<std::string>& names, const std::string& preselected);

#endif
