#ifndef VORN_CONTENT_FILEFORMAT_H
#define VORN_CONTENT_FILEFORMAT_H

#include <string>

#include "content/UnitTemplate.h"

// The words and counts of the unit and campaign files, shared by the loader and the data checker
// so both read the files by the same rules.

// "Animation" keys by animation index.
extern const char* const animationKeys[ANIM_COUNT];
// "Sound" keys by sound slot.
extern const char* const soundKeys[SOUND_COUNT];
// The four "UnitProperties" keys; they only group the names for the reader.
enum { PROPERTY_KEY_COUNT = 4 };
extern const char* const propertyKeys[PROPERTY_KEY_COUNT];
// "ArenaWall" texts by wall mode 0 to 3.
enum { WALL_MODE_COUNT = 4 };
extern const char* const wallModes[WALL_MODE_COUNT];
// Affiliation texts; the text at index i stands for the code 1 << i.
enum { AFFILIATION_COUNT = 5 };
extern const char* const affiliationTexts[AFFILIATION_COUNT];

// Lists in unit and campaign files hold at most this many values; later ones are not seen,
// whatever the Allegro build would return.
const int maxListValues = 16;
// Values of an "addedUnit%d" line.
const int addedUnitValues = 15;
// Values of a spawn line: the short form, and the long form that adds a position for side 10.
const int spawnValues = 7;
const int spawnValuesWithPosition = 9;
// Most units one spawn line or one added-unit entry makes. Every unit is tested against every
// other one each step, so a line of a million would stall the game and exhaust its memory; 500
// take well under a step's 30 ms.
const int maxUnitsPerOrder = 500;

// The largest whole number a fixed holds.
const int largestFixedInt = 32767;
// Real numbers (speeds, distances, angles, knockback) become fixed, which holds less than 32768
// either way; a value beyond that, infinite or not a number at all ("nan") is refused.
const double largestFixedReal = 32767.0;
// Reads a real number as the game always has, like C's atof (text that is no number reads as 0);
// false for a value that is refused, as above.
bool readReal(const std::string& text, double* out);
// The game's message for a refused real: file, "[section] " when there is one, key (or which
// value of a list), the value as written and the number used instead.
std::string unusableRealMessage(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& value, double used);

// Lines of the selection lists are read this many characters at a time: a longer line reads as
// several lines.
const int listLineLength = 255;
// The next piece of a selection list's text from *pos, which it moves on: the rest of the line
// with its line end, or listLineLength characters when the line is longer. False at the end.
bool nextListPiece(const std::string& text, size_t* pos, std::string* piece);

// A usable arena side ("ArenaSize"): a whole number of pixels above 0 that fixed can hold.
bool readArenaSide(const std::string& value, int* out);

#endif
