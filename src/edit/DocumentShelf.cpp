#include "edit/DocumentShelf.h"

#include <algorithm>
#include <dirent.h>
#include <unistd.h>

#include "system/Messages.h"
#include "system/fileAccess.h"

DataDocument& DocumentShelf::open(const std::string& relativePath) {
    auto found = documents.find(relativePath);
    if (found != documents.end()) return found->second;
    DataDocument& doc = documents[relativePath];
    doc.load("data/" + relativePath);
    if (doc.getLoadError()) showMessage("%s\n", doc.describeLoadError("data/" + relativePath).c_str());
    doc.keepRecoveryCopyAt(DataDocument::recoveryPathOf("data/" + relativePath));
    return doc;
}

bool DocumentShelf::isModified() const {
    for (auto& d : documents)
        if (d.second.isModified()) return true;
    return false;
}

std::vector<std::string> DocumentShelf::getModifiedPaths() const {
    std::vector<std::string> paths;
    for (auto& d : documents)
        if (d.second.isModified()) paths.push_back(d.first);
    return paths;
}

std::map<std::string, std::string> DocumentShelf::getUnsavedTexts() const {
    std::map<std::string, std::string> texts;
    for (auto& d : documents)
        if (d.second.isModified()) texts[d.first] = d.second.getText();
    return texts;
}

std::vector<std::string> DocumentShelf::saveAll() {
    std::vector<std::string> failed;
    for (auto& d : documents) {
        if (!d.second.isModified()) continue;
        std::string path = "data/" + d.first;
        if (int error = d.second.save(path)) failed.push_back(path + ": " + plainReason(error));
    }
    return failed;
}

namespace {

const char* const documentFolders[] = {"", "campaigns/", "unit/"}; // under data/
const std::string copyEnd = ".recovery";

} // namespace

std::vector<std::string> DocumentShelf::findRecoveryCopies() {
    std::vector<std::string> found;
    for (const std::string folder : documentFolders) {
        DIR* dir = opendir(("data/" + folder).c_str());
        for (dirent* e; dir && (e = readdir(dir));) {
            std::string name = e->d_name;
            if (name.size() > copyEnd.size() + 1 && name[0] == '.' &&
                name.compare(name.size() - copyEnd.size(), copyEnd.size(), copyEnd) == 0)
                found.push_back(folder + name.substr(1, name.size() - copyEnd.size() - 1));
        }
        if (dir) closedir(dir);
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool DocumentShelf::restoreRecoveryCopy(const std::string& relativePath) {
    DataDocument copy;
    if (copy.load(DataDocument::recoveryPathOf("data/" + relativePath)) != 0) return false;
    DataDocument& doc = open(relativePath);
    doc.replaceText(copy.getText());
    if (doc.isModified()) return true;
    discardRecoveryCopy(relativePath);
    return false;
}

void DocumentShelf::discardRecoveryCopy(const std::string& relativePath) {
    unlink(DataDocument::recoveryPathOf("data/" + relativePath).c_str());
}

void DocumentShelf::discardRecoveryCopies() {
    for (auto& d : documents)
        d.second.discardRecoveryCopy();
}
