#include "check/CheckMemory.h"

#include <sys/stat.h>

CheckMemory::Stamp CheckMemory::stampOf(const std::string& path) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return Stamp(-1, 0, 0, 0);
    return Stamp(st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size, st.st_ino);
}

void CheckMemory::forgetChangedFiles() {
    for (const auto& s : stamps)
        if (stampOf(s.first) != s.second) {
            datafiles.releaseAll();
            decodedSounds.clear();
            stamps.clear();
            break;
        }
    for (const std::string& path : datafiles.getPaths())
        if (!stamps.count(path)) stamps[path] = stampOf(path);
    for (const auto& s : decodedSounds)
        if (!stamps.count(s.first)) stamps[s.first] = stampOf(s.first);
}
