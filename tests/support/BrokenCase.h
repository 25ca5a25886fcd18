#ifndef VORN_TESTS_SUPPORT_BROKENCASE_H
#define VORN_TESTS_SUPPORT_BROKENCASE_H

#include <string>
#include <vector>

// A broken data set of tests/broken-data: a folder named for what is broken, laid over the trial
// campaign (support/TrialCampaign.h). Its parts:
//   files/   text files copied over the data set (files/data/unit/drifter replaces the drifter);
//   make     binary pieces made by code, one per line:
//              remove PATH                   deletes a file of the data set
//              datafile PATH NAME[:WxH] ...  a datafile of one-colour pictures
//              empty PATH                    a file of no bytes
//              fifo PATH                     a named pipe in place of the file
//              link PATH TARGET              a symbolic link in place of the file
//              ogg PATH SECONDS              an Ogg Vorbis tone
//              ogg-cut PATH BYTES            a one-second Ogg Vorbis tone cut after BYTES bytes
//              rounds PATH COUNT SPAWNLINE   a campaign of COUNT rounds, each with the spawn line
//   expect   what the game does with it, one per line:
//              message TEXT    a message shown, in order; \n in TEXT stands for a line end
//              outcome TEXT    the documented fallback, in words
//              check NAME INT  a figure the loaders must arrive at (see BrokenDataTest)

struct BrokenCaseExpectation {
    std::vector<std::string> messages;
    std::vector<std::pair<std::string, long>> checks;
    std::string outcome;
};

// Lays the case folder over the data set in the working directory; false with a reason in
// *error when a line cannot be carried out.
bool applyBrokenCase(const std::string& caseFolder, std::string* error);
BrokenCaseExpectation readBrokenCaseExpectation(const std::string& caseFolder);
// The case folders under folder, sorted by name.
std::vector<std::string> listBrokenCases(const std::string& folder);

#endif
