#include "content/DatafileCache.h"

namespace {

// Deepest nesting of datafiles inside datafiles accepted, and most objects in one.
const int maxNesting = 8;
const long maxObjects = 1 << 20;
const long maxUnpackedBytes = 1L << 30;

// Allegro calls an empty slot of its type table for an object whose type is not four
// printable characters (0xffffffff, for one), and crashes; real types of objects and of
// properties are always printable.
bool isPrintableType(long type) {
    for (int shift = 0; shift < 32; shift += 8) {
        int c = (type >> shift) & 0xff;
        if (c < 0x20 || c > 0x7e) return false;
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
        if (bytes < 0 || bytes > left) return false;
        left -= bytes;
        return pack_fseek(f, bytes) == 0;
    }

    short readShort() {
        left -= 2;
        return static_cast<short>(pack_mgetw(f));
    }

    // Pictures and samples are checked against their chunk: Allegro makes a picture or sample
    // of the size the header claims, reads beyond the chunk for the rest, and frees twice on
    // a depth it cannot make. Types the game never uses, whose loaders Allegro does not guard
    // either, are refused.
    bool walkObject(long type, long stored, int depth) {
        if (type == DAT_FILE) return walk(depth + 1);
        if (type == DAT_RLE_SPRITE || type == DAT_C_SPRITE || type == DAT_XC_SPRITE || type == DAT_FONT ||
            type == DAT_MIDI)
            return false;
        if (type == DAT_BITMAP) {
            if (stored < 6) return false;
            int bits = readShort(), w = static_cast<unsigned short>(readShort()),
                h = static_cast<unsigned short>(readShort());
            int bytes = bits == 8                  ? 1
                        : bits == 15 || bits == 16 ? 2
                        : bits == 24 || bits == 32 ? 3
                        : bits == -32              ? 4
                                                   : 0;
            return bytes > 0 && static_cast<long long>(w) * h * bytes <= stored - 6 && skip(stored - 6);
        }
        if (type == DAT_SAMPLE) {
            if (stored < 8) return false;
            int bits = readShort();
            readShort(); // frequency
            long length = readLong();
            int bytes = bits == 8 || bits == -8 ? 1 : bits == 16 || bits == -16 ? 2 : 0;
            int channels = bits < 0 ? 2 : 1;
            return bytes > 0 && length >= 0 &&
                   static_cast<long long>(length) * bytes * channels <= stored - 8 && skip(stored - 8);
        }
        return skip(stored);
    }

    bool walk(int depth) {
        if (depth > maxNesting) return false;
        long count = readLong();
        if (count < 0 || count > maxObjects || left < 0) return false;
        for (long c = 0; c < count;) {
            long type = readLong();
            if (left < 0 || pack_feof(f) || pack_ferror(f)) return false;
            if (type == DAT_PROPERTY) {
                // A property typed as Allegro's end-of-list mark cuts its list short, and the
                // properties after it are never freed.
                if (!isPrintableType(readLong())) return false;
                if (!skip(readLong())) return false;
                continue;
            }
            if (!isPrintableType(type)) return false;
            // The object's data: its stored size (negative when compressed on its own) and its size.
            long stored = readLong();
            long size = readLong();
            // Allegro's decompressor overruns on damaged data inside a datafile; objects compressed
            // on their own are refused (the game's datafiles compress the whole file instead).
            if (stored < 0 || size != stored || left < 0) return false;
            if (!walkObject(type, stored, depth)) return false;
            c++;
        }
        return true;
    }
};

} // namespace

bool DatafileCache::isWellFormed(const std::string& path) {
    PACKFILE* raw = pack_fopen(path.c_str(), F_READ);
    if (!raw) return false;
    bool packed = pack_mgetl(raw) == F_PACK_MAGIC;
    pack_fclose(raw);
    PACKFILE* f = pack_fopen(path.c_str(), F_READ_PACKED);
    if (!f) return false;
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
