#ifndef VORN_SYSTEM_DIGEST_H
#define VORN_SYSTEM_DIGEST_H

#include <cstdint>
#include <string>

// FNV-1a, 64 bits: a digest of game state and data files that is the same on every machine.
// Whole numbers are fed as four little-endian bytes, strings with a terminating zero.
struct Digest {
    uint64_t h = 1469598103934665603ull;

    void addByte(unsigned char c) {
        h ^= c;
        h *= 1099511628211ull;
    }
    void add(uint32_t v) {
        for (int i = 0; i < 4; i++)
            addByte((v >> (8 * i)) & 0xff);
    }
    void add(const std::string& s) {
        for (unsigned char c : s)
            addByte(c);
        add(0u);
    }
};

#endif
