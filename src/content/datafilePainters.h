#ifndef VORN_CONTENT_DATAFILEPAINTERS_H
#define VORN_CONTENT_DATAFILEPAINTERS_H

#include <map>
#include <string>
#include <vector>

// The build paints each datafile from one unit or campaign file only, so a type or campaign that
// borrows another's datafile never repaints the pictures the other shows.

// Of the names (not empty), the one the datafile is named after: the longest its file name starts
// with, in any case (gfx/warden.dat is the Warden's, data/gfx/tutorial2.dat the Tutorial's), or
// else the first by name.
std::string namedAfter(const std::string& datafile, const std::vector<std::string>& names);

struct PaintedType {
    std::string name, datafile; // datafile as the unit file writes it, under data/unit/
    bool hasLook = false;
};

// Every unit file in the folder (data/unit) that names a datafile.
std::vector<PaintedType> paintedTypesIn(const std::string& unitFolder);
// For each datafile, the type that paints it: of the types naming it, those with a [Look]
// section decide (any when none has one), by namedAfter.
std::map<std::string, std::string> datafilePainters(const std::vector<PaintedType>& types);

#endif
