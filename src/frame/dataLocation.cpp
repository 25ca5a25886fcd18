#include "frame/dataLocation.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool holdsLists(const std::string& dataFolder) {
    return access((dataFolder + "/listOfCampaigns.txt").c_str(), R_OK) == 0;
}

std::string absolute(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string parentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The root for a folder given by the player, or the reason it is none.
DataLocation fromGiven(const std::string& given, const char* how) {
    DataLocation found;
    std::string folder = absolute(given);
    if (isFolder(folder + "/data"))
        found.root = folder;
    else if (!isFolder(folder))
        found.error = given + " (" + how + ") is not a folder";
    else if (!holdsLists(folder))
        found.error =
            given + " (" + how + ") is not a data folder: it holds neither data/ nor listOfCampaigns.txt";
    else if (folder.substr(folder.find_last_of('/') + 1) != "data")
        found.error = given + " (" + how + ") must be called data: its files name each other as data/...";
    else
        found.root = parentOf(folder);
    return found;
}

} // namespace

DataLocation locateData(const std::string& given, const char* fromEnvironment,
                        const std::string& executable) {
    if (!given.empty()) return fromGiven(given, "given with --data");
    if (isFolder("data")) return DataLocation{".", "", ""};
    std::string searched = absolute(".") + "/data (the working folder)";
    if (fromEnvironment && fromEnvironment[0]) {
        DataLocation found = fromGiven(fromEnvironment, "VORN_DATA");
        if (!found.root.empty()) return found;
        searched += ", " + found.error;
    } else {
        searched += ", VORN_DATA (not set)";
    }
    std::string installed = parentOf(parentOf(absolute(executable))) + "/share/vorn";
    if (holdsLists(installed + "/data")) return DataLocation{installed, "", "", true};
    return DataLocation{"", searched + ", " + installed + "/data (installed with the game)", ""};
}

std::string enterDataFolder(const std::string& given, const std::string& howToGive, bool* installed) {
    char executable[PATH_MAX] = {0};
    ssize_t n = readlink("/proc/self/exe", executable, sizeof executable - 1);
    DataLocation found = locateData(given, getenv("VORN_DATA"), n > 0 ? executable : "");
    if (!found.error.empty()) return found.error;
    if (found.root.empty())
        return "no data to play with: it looked in " + found.searched +
               ".\nStart it from the folder that holds its data folder, or give one with " + howToGive + ".";
    if (chdir(found.root.c_str()) != 0) return "cannot work in " + found.root + ": " + strerror(errno);
    if (installed) *installed = found.installed;
    return "";
}
