#include "edit/unitKeyGroups.h"

#include <cstring>

#include "content/formatTable.h"

std::vector<UnitKeyGroup> unitKeyGroups() {
    std::vector<UnitKeyGroup> groups;
    UnitKeyGroup added{"Added units", "", {}}, look{"Look", "Look", {}};
    for (const std::string& section : formatSections(FileKind::Unit)) {
        UnitKeyGroup group{section.empty() ? "Global" : section, section, {}};
        for (const FormatKey& row : formatTable()) {
            if (row.file != FileKind::Unit || section != row.section) continue;
            bool addedKey = section.empty() && !strncmp(row.name, "addedUnit", 9);
            (addedKey ? added : section == look.section ? look : group).rows.push_back(&row);
        }
        if (!group.rows.empty()) groups.push_back(group);
    }
    // The guide describes the added units after [damage], and the painter's keys apart from play.
    groups.push_back(added);
    groups.push_back(look);
    return groups;
}

std::vector<UnitField> unitFields(const UnitKeyGroup& group, int entries) {
    std::vector<UnitField> fields;
    for (const FormatKey* row : group.rows) {
        if (!row->numbered) fields.push_back({row, row->name});
        for (int i = 0; row->numbered && i < entries; i++)
            fields.push_back({row, row->name + std::to_string(i)});
    }
    return fields;
}
