#include "edit/scratchData.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <unistd.h>

#include "system/fileAccess.h"

namespace {

// Links every entry of from into the folder to, except the first folder or file name of each of
// paths: a folder a path goes on below becomes a real folder of links in turn.
void linkEntries(const std::string& from, const std::string& to, const std::vector<std::string>& paths) {
    std::map<std::string, std::vector<std::string>> below; // by first name, what follows it
    for (const std::string& p : paths) {
        size_t slash = p.find('/');
        std::vector<std::string>& rest = below[p.substr(0, slash)];
        if (slash != std::string::npos) rest.push_back(p.substr(slash + 1));
    }
    DIR* d = opendir(from.c_str());
    for (dirent* e; d && (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || below.count(name)) continue;
        if (symlink((from + "/" + name).c_str(), (to + "/" + name).c_str()) != 0) continue;
    }
    if (d) closedir(d);
    for (auto& [first, rest] : below) {
        if (rest.empty()) continue;
        makeFolders(to + "/" + first);
        linkEntries(from + "/" + first, to + "/" + first, rest);
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

bool inScratchData(const std::string& relativePath, const std::string& text,
                   const std::function<void()>& work) {
    return inScratchData({{relativePath, text}}, work);
}

bool inScratchData(const std::vector<std::pair<std::string, std::string>>& files,
                   const std::function<void()>& work) {
    char here[PATH_MAX], scratch[] = "/tmp/vorn-edit-XXXXXX";
    if (!getcwd(here, sizeof here) || !mkdtemp(scratch)) return false;
    std::string data = std::string(scratch) + "/data";
    makeFolders(data);
    std::vector<std::string> paths;
    for (auto& f : files)
        paths.push_back(f.first);
    linkEntries(std::string(here) + "/data", data, paths);
    bool ran = true;
    for (auto& f : files)
        ran = ran && writeFileAtomically(data + "/" + f.first, f.second) == 0;
    ran = ran && chdir(scratch) == 0;
    if (ran) {
        work();
        if (chdir(here) != 0) ran = false;
    }
    removeTree(scratch);
    return ran;
}
