#include "content/DatafileReader.h"

#include <cstdint>
#include <cstring>

DatafileReader::DatafileReader(PACKFILE* file, long size)
    : file(file), parent(nullptr), packed(false), left(size), packedLeft(0), budget(nullptr),
      failed(size < 0), ringPos(0), unpackedCount(0), flags(0), matchFrom(0), matchLeft(0) {}

DatafileReader::DatafileReader(DatafileReader* parent, long size, bool packed, long packedSize,
                               long* unpackBudget)
    : file(nullptr), parent(parent), packed(packed), left(size), packedLeft(packed ? packedSize : 0),
      budget(unpackBudget),
      failed(size < 0 ||
             (packed ? packedSize < 0 || packedSize > parent->left || !unpackBudget : size > parent->left)),
      ringPos(ringSize - longestMatch), unpackedCount(0), flags(0), matchFrom(0), matchLeft(0) {
    if (packed) std::memset(ring, 0, sizeof ring);
}

bool DatafileReader::fail() {
    failed = true;
    return false;
}

int DatafileReader::readByte() {
    if (failed) return -1;
    if (left <= 0) return fail(), -1;
    int c = nextByte();
    if (c < 0) return fail(), -1;
    left--;
    return c;
}

int DatafileReader::nextByte() {
    if (file) {
        int c = pack_getc(file);
        return c == EOF ? -1 : c;
    }
    return packed ? unpackByte() : parent->readByte();
}

int DatafileReader::packedByte() {
    if (packedLeft <= 0) return -1;
    packedLeft--;
    return parent->readByte();
}

int DatafileReader::keep(int c) {
    if (--*budget < 0) return -1;
    ring[ringPos] = static_cast<unsigned char>(c);
    ringPos = (ringPos + 1) & (ringSize - 1);
    unpackedCount++;
    return c;
}

// Each flag byte tells, lowest bit first, whether a literal byte or a match follows; a match
// is two bytes: 12 bits of ring position and 4 of length (3 to 18 bytes).
int DatafileReader::unpackByte() {
    if (matchLeft == 0) {
        flags >>= 1;
        if (!(flags & 256)) {
            int c = packedByte();
            if (c < 0) return -1;
            flags = static_cast<unsigned>(c) | 0xff00;
        }
        if (flags & 1) {
            int c = packedByte();
            return c < 0 ? -1 : keep(c);
        }
        int low = packedByte(), high = packedByte();
        if (low < 0 || high < 0) return -1;
        matchFrom = low | ((high & 0xf0) << 4);
        matchLeft = (high & 0x0f) + 3;
    }
    int from = matchFrom;
    matchFrom = (matchFrom + 1) & (ringSize - 1);
    matchLeft--;
    // The first byte unpacked goes to ringSize - longestMatch; the ring's last longestMatch
    // bytes hold nothing defined until they were written.
    const int unwritten = ringSize - longestMatch;
    if (from >= unwritten && unpackedCount <= from - unwritten) return -1;
    return keep(ring[from]);
}

long DatafileReader::readLong() {
    uint32_t n = 0;
    for (int i = 0; i < 4; i++)
        n = (n << 8) | static_cast<uint32_t>(readByte() & 0xff);
    return failed ? 0 : static_cast<long>(static_cast<int32_t>(n));
}

int DatafileReader::readShort() {
    int high = readByte(), low = readByte();
    return failed ? 0 : static_cast<int16_t>(static_cast<uint16_t>((high << 8) | low));
}

bool DatafileReader::skip(long bytes) {
    if (failed || bytes < 0 || bytes > left) return fail();
    if (file) {
        left -= bytes;
        return pack_fseek(file, bytes) == 0 || fail();
    }
    if (!packed) {
        left -= bytes;
        return parent->skip(bytes) || fail();
    }
    while (bytes-- > 0)
        if (readByte() < 0) return false;
    return true;
}

bool DatafileReader::finish() {
    return skip(left);
}
