#ifndef VORN_EDIT_UNITKEYGROUPS_H
#define VORN_EDIT_UNITKEYGROUPS_H

#include <string>
#include <vector>

struct FormatKey;

// The keys of a unit file from the format table, grouped as the content guide groups them: the
// global keys, one group per section, the added units (addedUnits and its numbered entries) on
// their own, and last the painter's [Look].
struct UnitKeyGroup {
    std::string name;    // as the editor lists it: "Global", "AI", ..., "Added units", "Look"
    std::string section; // the file's section of its keys, "" above the first header
    std::vector<const FormatKey*> rows;
};

// A key as one field of the editor: a numbered row stands once for each of its entries.
struct UnitField {
    const FormatKey* row;
    std::string key; // as written in the file: "maxHP", "addedUnit3"
};

std::vector<UnitKeyGroup> unitKeyGroups();
// The fields of a group; a numbered row gives entries 0 to entries - 1.
std::vector<UnitField> unitFields(const UnitKeyGroup& group, int entries);

#endif
