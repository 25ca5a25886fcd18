#include "edit/DocumentShelf.h"

#include "system/fileAccess.h"

DataDocument& DocumentShelf::open(const std::string& relativePath) {
    auto found = documents.find(relativePath);
    if (found != documents.end()) return found->second;
    DataDocument& doc = documents[relativePath];
    doc.load("data/" + relativePath);
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
