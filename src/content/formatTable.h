#ifndef VORN_CONTENT_FORMATTABLE_H
#define VORN_CONTENT_FORMATTABLE_H

#include <string>
#include <vector>

// Every key of the unit and campaign files, declared once: the loader takes its defaults from
// here, the data checker its known keys, kinds and limits, the unit painter its [Look] words and
// defaults, and the content guide's key tables are generated from it (tools/formatGuide).
//
// To add a key: add its row below, read it in the loader (or painter) through formatKey(), run
// `build/tools/formatGuide --write docs/CONTENT.md`, and let vorn-check's layout checks pick it
// up from the table.

enum class FileKind { Unit, Campaign };

// How a value is written; the checker checks each kind the same way wherever it stands.
enum class KeyKind {
    Whole,     // a whole number, read as C's strtol reads it and pinned to a million either way
    Real,      // a real number, finite and within what fixed holds (see fileFormat.h)
    TrueFalse, // "true"; anything else reads as false
    Side,      // one of the affiliation words
    Word,      // one of the words of FormatKey::words
    Text,      // any text
    Path,      // a file, from the game's folder (a unit's datafile: from data/unit/)
    Names,     // a list of names (unit types, property names)
    Frames,    // an animation list: repeat, loop end, loop start, then frame and hold pairs
    Ailments,  // four whole numbers of steps, one per ailment
    AddedUnit, // the fifteen values of an added-unit entry
    SpawnLine, // the seven (or nine) values of a spawn line
    Size,      // two whole numbers: width and height in pixels
    Pictures,  // a datafile, then picture objects in it
    Colour,    // three whole numbers from 0 to 255: red, green, blue
};

// Who reads a key: the game, or only the build's painters (the game ignores those lines).
enum class KeyReader { Game, Painter };

struct FormatKey {
    FileKind file;
    const char* section; // "" for the keys before the first section; "Round" stands for Round0, Round1...
    const char* name;    // as written; for numbered keys the stem ("addedUnit" for addedUnit0...)
    bool numbered;       // the key is the name followed by 0, 1, 2...
    KeyKind kind;
    const char* def;   // the value the game uses when the key is missing, as written; null: none
    const char* shown; // the default as the guide shows it, when not def itself
    double min, max;   // values that make sense in play; both 0 for no limits (Whole and Real)
    const char* words; // Word and Side: the words accepted, separated by spaces
    KeyReader reader;
    const char* play;  // what the key does in play, as the guide says it
    const char* wrong; // what the game does with a value beyond min and max
};

const std::vector<FormatKey>& formatTable();
// The row of a key; section and name as in the table ("Round" for a round's keys, the stem of a
// numbered key). A key missing from the table is a fault of the program: it stops with a message.
const FormatKey& formatKey(FileKind file, const std::string& section, const std::string& name);
// The row that a key as written in a file stands for (any case, numbered keys with their number,
// any RoundN section), or null when the reader reads no such key there.
const FormatKey* findFormatKey(FileKind file, const std::string& section, const std::string& key);
// The table's name of the section a file's section stands for ("Round" for Round7), or "" when the
// file kind has no such section; *known tells the two "" apart.
std::string tableSection(FileKind file, const std::string& section, bool* known);
// The sections of a file kind, in the order the guide gives them ("" first for a unit file).
std::vector<std::string> formatSections(FileKind file);
// Every key name of a section as written, numbered keys as their stem followed by "0".
std::vector<std::string> formatKeyNames(FileKind file, const std::string& section);

// Whether key is stem followed by digits (Spawn3, Round12), as the game asks for numbered keys and
// sections; *index, when given, receives the number.
bool isNumberedKey(const std::string& key, const std::string& stem, int* index = nullptr);

// Default values of a row as the loader reads them.
int defaultWhole(const FormatKey& k);
double defaultReal(const FormatKey& k);
// The words of a Word or Side row.
std::vector<std::string> formatWords(const FormatKey& k);
bool hasLimits(const FormatKey& k);

// The values of a spawn line (KeyKind::SpawnLine) in the order they are written, as the guide's
// table of them describes them; the editor's spawn table takes its fields and help from here.
struct SpawnValue {
    const char* name;  // as the guide names it
    const char* def;   // what a new line holds; null: chosen by the editor
    double min, max;   // values that make sense in play; both 0 for no limits
    const char* words; // what each number from min on means, separated by commas; null: none
    const char* play;
};
const std::vector<SpawnValue>& spawnLineValues();
// The number a spawn value's word stands for (any case), or min - 1 when it is none of them.
int spawnValueFromWord(const SpawnValue& v, const std::string& word);
// The word of a number of a spawn value, or "" when it has none.
std::string spawnValueWord(const SpawnValue& v, int number);

#endif
