#ifndef VORN_CONTENT_KEYVALUES_H
#define VORN_CONTENT_KEYVALUES_H

#include <allegro.h>
#include <string>
#include <vector>

#include "content/formatTable.h"

// The values of unit and campaign files as the game reads them, from Allegro's current
// configuration (useConfigText), each key by its row of the format table, which gives its name,
// section and default. section names the file's section where it is not the row's own (a round's
// keys: "Round3"). The data checker reads values through the same functions.

// Whole numbers are pinned to a million either way: hit points, damage, durations and counts
// beyond it mean nothing in a round, and sums of them (the damage a unit takes in one step, a
// score) must not overflow. Keys read text as C's strtol with base 0 (010 is eight), list values
// with base 10.
const long maxWholeMagnitude = 1000000;
int pinnedWhole(const char* text, int base);
int listWhole(const std::string& value);

int readWhole(const FormatKey& k, const std::string& section);
int readWhole(const FormatKey& k);
// A real number as fixed; no text, or empty text, gives the default. One that fixed cannot hold is
// refused with a message naming file, key and value, and the default used: converting NaN to
// fixed is undefined, and a speed of infinity sends a unit off the arena.
fixed readFixed(const std::string& file, const FormatKey& k, const std::string& section);
fixed readFixed(const std::string& file, const FormatKey& k);
// The same for a real number written in a list (value index from 0 of the key named key), whose
// default is 0, which text that is no number has always read as.
fixed listFixed(const std::string& file, const std::string& key, int index, const std::string& value);
bool readTrue(const FormatKey& k, const std::string& section);
bool readTrue(const FormatKey& k);
std::string readText(const FormatKey& k, const std::string& section);
std::string readText(const FormatKey& k);
// A list, at most maxListValues values (later ones are not seen, whatever Allegro returns).
std::vector<std::string> readList(const FormatKey& k, const std::string& section);
std::vector<std::string> readList(const FormatKey& k);
std::vector<std::string> readList(const std::string& section, const std::string& key);

#endif
