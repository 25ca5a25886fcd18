#ifndef VORN_CHECK_CHECKMEMORY_H
#define VORN_CHECK_CHECKMEMORY_H

#include <map>
#include <string>
#include <sys/types.h>
#include <tuple>

#include "content/DatafileCache.h"

// What the data checker reads that no text file of the data set decides: the datafiles as they
// loaded and whether each sound decodes. One memory kept across checks of the same data set
// spares reading them again (the workshop checks after each edit); it forgets everything once a
// file it read has changed on disk. Paths are relative to the working directory (data/...).
class CheckMemory {
  public:
    DatafileCache& getDatafiles() { return datafiles; }
    std::map<std::string, bool>& getDecodedSounds() { return decodedSounds; }
    // Forgets everything read when a file read earlier changed since, then notes how each file
    // read stands now. Called before and after each check.
    void forgetChangedFiles();

  private:
    using Stamp = std::tuple<long, long, off_t, ino_t>; // seconds, nanoseconds, size, file number
    static Stamp stampOf(const std::string& path);

    DatafileCache datafiles;
    std::map<std::string, bool> decodedSounds; // by path
    std::map<std::string, Stamp> stamps;       // by path, of every file read
};

#endif
