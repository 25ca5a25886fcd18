#include "edit/scratchData.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <unistd.h>
#include <vector>

#include "system/fileAccess.h"

namespace {

// Links every entry of from into the folder to, except those the paths (below from) name: a
// path's file is left out, to be written, and a folder on a path's way becomes a real folder of
// links in turn.
void linkEntries(const std::string& from, const std::string& to, const std::vector<std::string>& paths) {
    std::map<std::string, std::vector<std::string>> below; // first part of a path: the rests below it
    for (const std::string& path : paths) {
        size_t slash = path.find('/');
        std::vector<std::string>& rests = below[path.substr(0, slash)];
        if (slash != std::string::npos) rests.push_back(path.substr(slash + 1));
    }
    DIR* d = opendir(from.c_str());
    for (dirent* e; d && (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || below.count(name)) continue;
        if (symlink((from + "/" + name).c_str(), (to + "/" + name).c_str()) != 0) continue;
    }
    if (d) closedir(d);
    for (const auto& [first, rests] : below) {
        if (rests.empty()) continue;
        makeFolders(to + "/" + first);
        linkEntries(from + "/" + first, to + "/" + first, rests);
    }
}

void removeTree(const std::string& path) {
    DIR* d = opendir(path.c_str());
    if (!d) {
        unlink(path.c_str());
        return;
    }
    for (dirent* e; (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string child = path + "/" + name;
        if (e->d_type == DT_DIR)
            removeTree(child);
        else
            unlink(child.c_str());
    }
    closedir(d);
    rmdir(path.c_str());
}

} // namespace

bool inScratchData(const ScratchFiles& files, const std::function<void()>& work) {
    char here[PATH_MAX], scratch[] = "/tmp/vorn-edit-XXXXXX";
    if (!getcwd(here, sizeof here) || !mkdtemp(scratch)) return false;
    std::string data = std::string(scratch) + "/data";
    makeFolders(data);
    std::vector<std::string> paths;
    for (const auto& file : files)
        paths.push_back(file.first);
    linkEntries(std::string(here) + "/data", data, paths);
    bool ran = true;
    for (const auto& [path, text] : files)
        ran = ran && writeFileAtomically(data + "/" + path, text) == 0;
    ran = ran && chdir(scratch) == 0;
    if (ran) {
        work();
        if (chdir(here) != 0) ran = false;
    }
    removeTree(scratch);
    return ran;
}

bool inScratchData(const std::string& relativePath, const std::string& text,
                   const std::function<void()>& work) {
    return inScratchData(ScratchFiles{{relativePath, text}}, work);
}
