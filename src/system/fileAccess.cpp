#include "system/fileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {
const char* const missing = "does not exist";
}

std::string whyUnreadable(const std::string& path) {
    struct stat st;
    if (path.empty()) return missing;
    if (stat(path.c_str(), &st) != 0)
        return errno == EACCES ? std::string("cannot be read (") + strerror(errno) + ")" : missing;
    if (S_ISDIR(st.st_mode)) return "is a folder, not a file";
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return std::string("cannot be read (") + strerror(errno) + ")";
    fclose(file);
    return "";
}

std::string describeUnusableFile(const std::string& path, const std::string& reason) {
    return reason == missing ? "Could not find " + path : path + " " + reason;
}
