#ifndef VORN_CHECK_CONFIGFILE_H
#define VORN_CHECK_CONFIGFILE_H

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "system/textFormat.h"

// One line of a configuration file that sets a key.
struct ConfigEntry {
    std::string section; // as written; empty for the keys before the first section
    std::string key;     // as written
    std::string value;   // as written, trimmed
    int line;            // from 1
};

// A unit or campaign file read twice, both times as the text the game reads (system/configText.h):
// line by line, to say where each key stands, and through Allegro's own configuration reader, so
// every value is the one the game gets. Section and key
// names match as Allegro matches them: case does not matter, and the first of two equal keys
// in a section counts (a section written twice is one section).
class ConfigFile {
  public:
    // False when the file cannot be read (the game then reads every key as missing).
    bool load(const std::string& path);
    // The file at path as if it held bytes.
    void setText(const std::string& path, const std::string& bytes);
    const std::string& getPath() const { return path; }
    bool exists() const { return found; }

    // The entry the game reads for section and key, or null when it has none.
    const ConfigEntry* find(const std::string& section, const std::string& key) const;
    int lineOf(const std::string& section, const std::string& key) const;
    // Every entry of a section, in file order, later duplicates included.
    std::vector<const ConfigEntry*> entriesOf(const std::string& section) const;
    // Entries whose key already stood earlier in the same section: the game never sees them.
    std::vector<const ConfigEntry*> shadowedEntries() const;
    // Section names as first written, with the line of their header.
    const std::vector<std::pair<std::string, int>>& getSections() const { return sections; }
    // Lines that are neither a section, a key = value line, a comment nor blank.
    const std::vector<int>& getStrayLines() const { return strayLines; }
    // Lines other than comments that hold bytes which are not text (no UTF-8): the game reads
    // each such byte as '?'.
    const std::vector<int>& getNonTextLines() const { return nonTextLines; }

    // Values as the game reads them. A key without a value counts as missing; a real number the
    // game refuses (fileFormat.h) reads as def.
    bool has(const std::string& section, const std::string& key) const;
    std::string getString(const std::string& section, const std::string& key, const std::string& def) const;
    int getInt(const std::string& section, const std::string& key, int def) const;
    double getFloat(const std::string& section, const std::string& key, double def) const;
    // A list as the game sees it (at most 16 values); total, when given, receives the count
    // of all values written.
    std::vector<std::string> getList(const std::string& section, const std::string& key,
                                     int* total = nullptr) const;

  private:
    void use() const;

    std::string path;
    bool found = false;
    std::string text;
    unsigned long textNumber = 0; // of the texts set, in order from 1
    std::vector<ConfigEntry> entries;
    // Entries by their names folded as Allegro compares them, so a file of thousands of sections
    // is looked up without a scan for every key: the first of each section and key, and each
    // section's in file order (indexes into entries).
    std::unordered_map<std::string, size_t> firstEntries;
    std::unordered_map<std::string, std::vector<size_t>> sectionEntries;
    std::unordered_set<std::string> sectionNames;
    std::vector<std::pair<std::string, int>> sections;
    std::vector<int> strayLines;
    std::vector<int> nonTextLines;
};

#endif
