#include "content/DatafileCache.h"

#include "content/DatafileReader.h"
#include "system/fileAccess.h"
#include "units/SpriteCache.h"

namespace {

// Deepest nesting of datafiles inside datafiles accepted, and most objects in one.
const int maxNesting = 8;
const long maxObjects = 1 << 20;
const long maxUnpackedBytes = 1L << 30; // by all packed data of one datafile together

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
// reads each object's data as a chunk of its own and goes on after it, and on damaged sizes it
// skips past the end of the file and reads from before its own buffer; here each object's data
// is read through a reader of its own (see DatafileReader), checked against the bytes there are.
struct HeaderWalker {
    long unpackBudget; // bytes all packed data of the datafile may still unpack to

    // Pictures and samples are checked against their chunk: Allegro makes a picture or sample
    // of the size the header claims, reads beyond the chunk for the rest, and frees twice on
    // a depth it cannot make. Object types the game never uses are skipped by the loader (see
    // DatafileCache::load), every other type is kept as raw bytes.
    bool walkObject(DatafileReader& in, long type, long size, int depth) {
        if (type == DAT_FILE) return walk(in, depth + 1);
        if (type == DAT_BITMAP) {
            if (size < 6) return false;
            int bits = in.readShort(), w = static_cast<unsigned short>(in.readShort()),
                h = static_cast<unsigned short>(in.readShort());
            int bytes = bits == 8                  ? 1
                        : bits == 15 || bits == 16 ? 2
                        : bits == 24 || bits == 32 ? 3
                        : bits == -32              ? 4
                                                   : 0;
            return bytes > 0 && static_cast<long long>(w) * h * bytes <= size - 6;
        }
        if (type == DAT_SAMPLE) {
            if (size < 8) return false;
            int bits = in.readShort();
            in.readShort(); // frequency
            long length = in.readLong();
            int bytes = bits == 8 || bits == -8 ? 1 : bits == 16 || bits == -16 ? 2 : 0;
            int channels = bits < 0 ? 2 : 1;
            return bytes > 0 && length >= 0 && static_cast<long long>(length) * bytes * channels <= size - 8;
        }
        return true;
    }

    bool walk(DatafileReader& in, int depth) {
        if (depth > maxNesting) return false;
        long count = in.readLong();
        if (in.isFailed() || count < 0 || count > maxObjects) return false;
        for (long c = 0; c < count;) {
            long type = in.readLong();
            if (in.isFailed()) return false;
            if (type == DAT_PROPERTY) {
                // A property typed as Allegro's end-of-list mark cuts its list short, and the
                // properties after it are never freed.
                if (!isPrintableType(in.readLong())) return false;
                if (!in.skip(in.readLong())) return false;
                continue;
            }
            if (!isPrintableType(type)) return false;
            // The stored size, which Allegro never reads, then the size: the data's bytes, or when
            // it is negative (an object compressed on its own) the packed bytes that follow,
            // unpacked to -size bytes; Allegro goes on where the unpacking ended.
            in.readLong();
            long size = in.readLong();
            if (in.isFailed()) return false;
            bool packed = size < 0;
            DatafileReader data(&in, packed ? -size : size, packed, in.getLeft(), &unpackBudget);
            if (!walkObject(data, type, data.getLeft(), depth) || !data.finish()) return false;
            c++;
        }
        return true;
    }
};

// The loader of the object types the game never takes from a datafile: Allegro's own loaders
// of fonts, MIDI music and RLE and compiled sprites do not guard against damaged data, so such
// objects are skipped (Allegro passes over the rest of their chunk) and hold nothing.
char skippedObject;
void* skipObject(PACKFILE*, long) {
    return &skippedObject;
}
void keepSkippedObject(void*) {}

} // namespace

bool DatafileCache::isWellFormed(const std::string& path) {
    PACKFILE* f = mayOpenByPath(path) ? pack_fopen(path.c_str(), F_READ) : nullptr;
    if (!f) return false;
    DatafileReader file(f, static_cast<long>(file_size_ex(path.c_str())));
    HeaderWalker walker = {maxUnpackedBytes};
    bool ok = false;
    long magic = file.readLong();
    if (magic == F_PACK_MAGIC) {
        // The whole file packed: the rest unpacks to the datafile, of a size not stored anywhere.
        DatafileReader unpacked(&file, maxUnpackedBytes, true, file.getLeft(), &walker.unpackBudget);
        ok = unpacked.readLong() == DAT_MAGIC && walker.walk(unpacked, 0);
    } else if (magic == F_NOPACK_MAGIC) {
        ok = file.readLong() == DAT_MAGIC && walker.walk(file, 0);
    }
    pack_fclose(f);
    return ok;
}

std::string DatafileCache::whyNotLoaded(const std::string& path) {
    std::string reason = whyUnreadable(path);
    return reason.empty() ? "is damaged" : reason;
}

DATAFILE* DatafileCache::load(const std::string& path) {
    std::pair<std::string, int> key(path, get_color_depth());
    auto found = loaded.find(key);
    if (found != loaded.end()) return found->second;
    if (path.empty() || !isWellFormed(path)) return nullptr;
    for (int type : {DAT_FONT, DAT_MIDI, DAT_RLE_SPRITE, DAT_C_SPRITE, DAT_XC_SPRITE})
        register_datafile_object(type, skipObject, keepSkippedObject);
    DATAFILE* dat = load_datafile(path.c_str());
    if (dat) loaded[key] = dat;
    return dat;
}

std::vector<std::string> DatafileCache::getPaths() const {
    std::vector<std::string> out;
    for (const auto& entry : loaded)
        if (out.empty() || out.back() != entry.first.first) out.push_back(entry.first.first);
    return out;
}

void DatafileCache::releaseAll() {
    // Pictures drawn from frames of these datafiles must not outlive them, nor stand for a new
    // frame that Allegro puts at a freed frame's address.
    if (!loaded.empty()) SpriteCache::drawing().clear();
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
