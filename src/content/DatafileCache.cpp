#include "content/DatafileCache.h"

namespace {

// Deepest nesting of datafiles inside datafiles accepted, and most objects in one.
const int maxNesting = 8;
const long maxObjects = 1 << 20;

// Allegro calls an empty slot of its type table for an object whose type is not four
// printable characters (0xffffffff, for one), and crashes; real types are always printable.
bool isPrintableType(long type) {
    for (int shift = 0; shift < 32; shift += 8) {
        int c = (type >> shift) & 0xff;
        if (c < 0x20 || c > 0x7e)
            return false;
    }
    return true;
}

// Walks the object headers of one datafile level as Allegro's loader reads them, loading nothing.
bool walkObjects(PACKFILE* f, int depth) {
    if (depth > maxNesting)
        return false;
    long count = pack_mgetl(f);
    if (count < 0 || count > maxObjects)
        return false;
    for (long c = 0; c < count;) {
        long type = pack_mgetl(f);
        if (pack_feof(f) || pack_ferror(f))
            return false;
        if (type == DAT_PROPERTY) {
            pack_mgetl(f); // the property's own type
            long size = pack_mgetl(f);
            if (size < 0 || pack_fseek(f, size) != 0)
                return false;
            continue;
        }
        if (!isPrintableType(type))
            return false;
        PACKFILE* chunk = pack_fopen_chunk(f, FALSE);
        if (!chunk)
            return false;
        bool nestedOk = type != DAT_FILE || walkObjects(chunk, depth + 1);
        f = pack_fclose_chunk(chunk);
        if (!nestedOk || !f)
            return false;
        c++;
    }
    return true;
}

} // namespace

bool DatafileCache::isWellFormed(const std::string& path) {
    PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED);
    if (!f)
        return false;
    bool ok = pack_mgetl(f) == DAT_MAGIC && walkObjects(f, 0);
    pack_fclose(f);
    return ok;
}

DATAFILE* DatafileCache::load(const std::string& path) {
    std::pair<std::string, int> key(path, get_color_depth());
    auto found = loaded.find(key);
    if (found != loaded.end()) return found->second;
    if (path.empty() || !isWellFormed(path)) return nullptr;
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
