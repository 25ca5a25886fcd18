#include "content/DatafileCache.h"

namespace {

// Deepest nesting of datafiles inside datafiles accepted, and most objects in one.
const int maxNesting = 8;
const long maxObjects = 1 << 20;
const long maxUnpackedBytes = 1L << 30;

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

// Walks a datafile's object headers as Allegro's loader reads them, loading nothing. Allegro
// skips data by moving its file position without a bound, and then reads from before its own
// buffer, so every skip is checked against the bytes the file still holds.
struct HeaderWalker {
    PACKFILE* f;
    long left; // bytes of the (unpacked) file not yet read or skipped

    long readLong() {
        left -= 4;
        return pack_mgetl(f);
    }
    bool skip(long bytes) {
        if (bytes < 0 || bytes > left)
            return false;
        left -= bytes;
        return pack_fseek(f, bytes) == 0;
    }

    bool walk(int depth) {
        if (depth > maxNesting)
            return false;
        long count = readLong();
        if (count < 0 || count > maxObjects || left < 0)
            return false;
        for (long c = 0; c < count;) {
            long type = readLong();
            if (left < 0 || pack_feof(f) || pack_ferror(f))
                return false;
            if (type == DAT_PROPERTY) {
                readLong(); // the property's own type
                if (!skip(readLong()))
                    return false;
                continue;
            }
            if (!isPrintableType(type))
                return false;
            // The object's data: its stored size (negative when compressed on its own) and its size.
            long stored = readLong();
            long size = readLong();
            // Allegro's decompressor overruns on damaged data inside a datafile; objects compressed
            // on their own are refused (the game's datafiles compress the whole file instead).
            if (stored < 0 || size != stored || left < 0)
                return false;
            if (type == DAT_FILE ? !walk(depth + 1) : !skip(stored))
                return false;
            c++;
        }
        return true;
    }
};

} // namespace

bool DatafileCache::isWellFormed(const std::string& path) {
    PACKFILE* raw = pack_fopen(path.c_str(), F_READ);
    if (!raw)
        return false;
    bool packed = pack_mgetl(raw) == F_PACK_MAGIC;
    pack_fclose(raw);
    PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED);
    if (!f)
        return false;
    // An unpacked file holds its magic and then its objects; a packed one unpacks to at most
    // maxUnpackedBytes, beyond which a skip reads to the end and fails there.
    HeaderWalker walker = {f, packed ? maxUnpackedBytes : static_cast<long>(file_size_ex(path.c_str())) - 4};
    bool ok = walker.readLong() == DAT_MAGIC && walker.walk(0);
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
