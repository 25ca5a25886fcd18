#include "content/datafilePainters.h"

#include <algorithm>
#include <allegro.h>
#include <strings.h>

#include "system/configText.h"
#include "system/fileAccess.h"

std::string namedAfter(const std::string& datafile, const std::vector<std::string>& names) {
    std::string file = datafile.substr(datafile.find_last_of('/') + 1);
    std::string owner = *std::min_element(names.begin(), names.end());
    size_t longest = 0;
    for (const std::string& name : names)
        if (name.size() > longest && strncasecmp(file.c_str(), name.c_str(), name.size()) == 0)
            owner = name, longest = name.size();
    return owner;
}

std::vector<PaintedType> paintedTypesIn(const std::string& unitFolder) {
    std::vector<PaintedType> out;
    push_config_state();
    for (const std::string& name : regularFilesIn(unitFolder)) {
        useConfigText((unitFolder + "/" + name).c_str());
        const char* datafile = get_config_string(nullptr, "datafile", nullptr);
        if (!datafile) continue;
        const char** keys = nullptr;
        bool hasLook = list_config_entries("Look", &keys) > 0;
        free_config_entries(&keys);
        out.push_back({name, datafile, hasLook});
    }
    pop_config_state();
    return out;
}

std::map<std::string, std::string> datafilePainters(const std::vector<PaintedType>& types) {
    std::map<std::string, std::vector<std::string>> withLook, without;
    for (const PaintedType& t : types)
        (t.hasLook ? withLook : without)[t.datafile].push_back(t.name);
    std::map<std::string, std::string> out;
    for (const auto& d : without)
        out[d.first] = namedAfter(d.first, d.second);
    for (const auto& d : withLook)
        out[d.first] = namedAfter(d.first, d.second);
    return out;
}
