#include "edit/unitFiles.h"

#include <algorithm>
#include <cctype>
#include <dirent.h>
#include <sys/stat.h>

namespace {

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::vector<std::string> unitFileNames(const std::string& folder) {
    std::vector<std::string> out;
    if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            struct stat st;
            if (name[0] != '.' && !endsWith(name, ".dat") && !endsWith(name, ".new") &&
                stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode))
                out.push_back(name);
        }
        closedir(d);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string newUnitNameProblem(const std::string& name, const std::vector<std::string>& taken) {
    if (name.empty()) return "the name is empty";
    if (name[0] == '.') return "a name that starts with a dot makes a hidden file";
    if (endsWith(name, ".dat") || endsWith(name, ".new")) return "the name ends as datafiles and saves do";
    if (name.size() > 255) return "the name is too long for a file name"; // bytes, as most file systems allow
    for (unsigned char c : name) {
        if (c == '/' || c == '\\') return "a name cannot hold a slash: it would be a folder";
        if (isspace(c) || c < 32 || c == 127)
            return "a name cannot hold spaces: campaigns name a type by one word";
    }
    for (const std::string& t : taken)
        if (t == name) return "a unit type of that name exists";
    return "";
}
