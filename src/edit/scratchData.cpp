#include "edit/scratchData.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <unistd.h>

#include "system/fileAccess.h"

namespace {

// Links every entry of from into the folder to, except the one named skip, which becomes a real
// folder of links in turn when path continues below it.
void linkEntries(const std::string& from, const std::string& to, const std::string& path) {
    size_t slash = path.find('/');
    std::string first = path.substr(0, slash);
    DIR* d = opendir(from.c_str());
    for (dirent* e; d && (e = readdir(d));) {
        std::string name = e->d_name;
        if (name == "." || name == ".." || name == first) continue;
        if (symlink((from + "/" + name).c_str(), (to + "/" + name).c_str()) != 0) continue;
    }
    if (d) closedir(d);
    if (slash == std::string::npos) return;
    makeFolders(to + "/" + first);
    linkEntries(from + "/" + first, to + "/" + first, path.substr(slash + 1));
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
    char here[PATH_MAX], scratch[] = "/tmp/vorn-edit-XXXXXX";
    if (!getcwd(here, sizeof here) || !mkdtemp(scratch)) return false;
    std::string data = std::string(scratch) + "/data";
    makeFolders(data);
    linkEntries(std::string(here) + "/data", data, relativePath);
    bool ran = writeFileAtomically(data + "/" + relativePath, text) == 0 && chdir(scratch) == 0;
    if (ran) {
        work();
        if (chdir(here) != 0) ran = false;
    }
    removeTree(scratch);
    return ran;
}
