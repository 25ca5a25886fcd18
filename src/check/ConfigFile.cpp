#include "check/ConfigFile.h"

#include <algorithm>
#include <allegro.h>

#include "content/fileFormat.h"
#include "content/keyValues.h"
#include "system/configText.h"

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

// A section no data file has (its name in brackets reads as another name).
const char* const markSection = "]ConfigFile[";
unsigned long textsMade = 0;

const char* sectionArg(const std::string& section) {
    return section.empty() ? nullptr : section.c_str();
}

// A name as sameName compares it: without regard to the case of ASCII letters.
std::string folded(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = (char)(c - 'A' + 'a');
    return out;
}

std::string entryName(const std::string& section, const std::string& key) {
    return folded(section) + '\n' + folded(key);
}

} // namespace

bool ConfigFile::load(const std::string& p) {
    std::string bytes;
    bool read = readFileBytes(p.c_str(), &bytes);
    setText(p, read ? bytes : "");
    found = read;
    return found;
}

void ConfigFile::setText(const std::string& p, const std::string& bytes) {
    path = p;
    found = true;
    entries.clear();
    firstEntries.clear();
    sectionEntries.clear();
    sectionNames.clear();
    sections.clear();
    strayLines.clear();
    nonTextLines.clear();
    textNumber = ++textsMade;
    // The text the game reads: raw bytes would send Allegro's reader past the end of the text.
    text = makeConfigText(bytes);
    std::vector<int> faulty = linesNotText(bytes);

    std::string section;
    int number = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = trim(text.substr(pos, end - pos));
        pos = end + 1;
        number++;
        if (line.empty() || line[0] == '#') continue;
        if (std::find(faulty.begin(), faulty.end(), number) != faulty.end()) nonTextLines.push_back(number);
        if (line[0] == '[') {
            size_t close = line.find(']');
            section = line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            if (sectionNames.insert(folded(section)).second) sections.push_back({section, number});
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            strayLines.push_back(number);
            continue;
        }
        entries.push_back({section, trim(line.substr(0, eq)), trim(line.substr(eq + 1)), number});
        firstEntries.insert({entryName(section, entries.back().key), entries.size() - 1});
        sectionEntries[folded(section)].push_back(entries.size() - 1);
    }
}

const ConfigEntry* ConfigFile::find(const std::string& section, const std::string& key) const {
    auto found = firstEntries.find(entryName(section, key));
    return found == firstEntries.end() ? nullptr : &entries[found->second];
}

int ConfigFile::lineOf(const std::string& section, const std::string& key) const {
    const ConfigEntry* e = find(section, key);
    return e ? e->line : 0;
}

std::vector<const ConfigEntry*> ConfigFile::entriesOf(const std::string& section) const {
    std::vector<const ConfigEntry*> out;
    auto found = sectionEntries.find(folded(section));
    if (found != sectionEntries.end())
        for (size_t i : found->second)
            out.push_back(&entries[i]);
    return out;
}

std::vector<const ConfigEntry*> ConfigFile::shadowedEntries() const {
    std::vector<const ConfigEntry*> out;
    for (const ConfigEntry& e : entries)
        if (find(e.section, e.key) != &e) out.push_back(&e);
    return out;
}

void ConfigFile::use() const {
    // Allegro reads the whole text again on each set_config_data, which is most of a check's time
    // when every key of every file is looked up. A mark of this text in the configuration tells
    // that it is still the current one: whatever sets another removes the mark with the rest.
    std::string mark = std::to_string(textNumber);
    const char* current = get_config_string(markSection, "text", nullptr);
    if (current && mark == current) return;
    set_config_data(text.data(), (int)text.size());
    set_config_string(markSection, "text", mark.c_str());
}

bool ConfigFile::has(const std::string& section, const std::string& key) const {
    use();
    return get_config_string(sectionArg(section), key.c_str(), nullptr) != nullptr;
}

std::string ConfigFile::getString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
    use();
    return get_config_string(sectionArg(section), key.c_str(), def.c_str());
}

int ConfigFile::getInt(const std::string& section, const std::string& key, int def) const {
    use();
    const char* value = get_config_string(sectionArg(section), key.c_str(), nullptr);
    return value ? pinnedWhole(value, 0) : def;
}

double ConfigFile::getFloat(const std::string& section, const std::string& key, double def) const {
    use();
    const char* value = get_config_string(sectionArg(section), key.c_str(), nullptr);
    double n = def;
    if (value && *value) readReal(value, &n); // a refused value leaves def
    return (float)n;
}

std::vector<std::string> ConfigFile::getList(const std::string& section, const std::string& key,
                                             int* total) const {
    use();
    if (total) {
        *total = 0;
        get_config_argv(sectionArg(section), key.c_str(), total);
    }
    return readList(section, key);
}
