#include "content/DatafileCache.h"

DATAFILE* DatafileCache::load(const std::string& path) {
    std::pair<std::string, int> key(path, get_color_depth());
    auto found = loaded.find(key);
    if (found != loaded.end()) return found->second;
    if (path.empty()) return nullptr;
    DATAFILE* dat = load_datafile(path.c_str());
    if (dat) loaded[key] = dat;
    return dat;
}

void DatafileCache::releaseAll() {
    for (auto& entry : loaded)
        unload_datafile(entry.second);
    loaded.clear();
}

BITMAP* DatafileCache::findPicture(DATAFILE* dat, const std::string& name) {
    if (!dat) return nullptr;
    DATAFILE* object = find_datafile_object(dat, name.c_str());
    if (!object || object->type != DAT_BITMAP || !object->dat) return nullptr;
    return (BITMAP*)object->dat;
}
