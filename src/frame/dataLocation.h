#ifndef VORN_FRAME_DATALOCATION_H
#define VORN_FRAME_DATALOCATION_H

#include <string>

// Where the game looks for its data: the folder given with --data alone when there is one;
// otherwise data/ in the working folder (a checkout plays as it always has), then $VORN_DATA,
// then the data installed with the game, ../share/vorn/data beside its executable (its path). A folder given
// may be the data folder itself or the folder that holds it; the data folder must be called data, since its
// files name each other as data/....
struct DataLocation {
    std::string root;       // the folder that holds data/, to work in; empty when none was found
    std::string searched;   // where it looked, in words, for the message when none was found
    std::string error;      // a folder given that is not a data folder, in words; root is then empty
    bool installed = false; // the data installed with the game, never written to, even by root
};

DataLocation locateData(const std::string& given, const char* fromEnvironment, const std::string& executable);

// Locates the data for this program (given: --data, or empty) and makes the folder that holds it
// the working folder. Empty on success, else what went wrong, in words for the terminal, ending
// with how to give a data folder to this program (howToGive: "--data DIR or VORN_DATA"). With
// installed, says whether the data is the one installed with the game.
std::string enterDataFolder(const std::string& given, const std::string& howToGive = "VORN_DATA",
                            bool* installed = nullptr);

#endif
