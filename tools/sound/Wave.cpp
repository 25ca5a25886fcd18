#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

void Wave::normalise(float peak) {
    float top = 0;
    for (float s : data)
        top = std::max(top, std::fabs(s));
    if (top > 0)
        for (float& s : data)
            s *= peak / top;
}

static void put16(FILE* f, int v) {
    fputc(v & 0xff, f);
    fputc((v >> 8) & 0xff, f);
}
static void put32(FILE* f, uint32_t v) {
    put16(f, int(v & 0xffff));
    put16(f, int(v >> 16));
}

bool Wave::writeWav(const std::string& path) const {
    makeFoldersFor(path);
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) return false;
    uint32_t bytes = uint32_t(data.size() * 2);
    fwrite("RIFF", 1, 4, f);
    put32(f, 36 + bytes);
    fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1); // plain PCM
    put16(f, channels);
    put32(f, uint32_t(rate));
    put32(f, uint32_t(rate * channels * 2));
    put16(f, channels * 2);
    put16(f, 16);
    fwrite("data", 1, 4, f);
    put32(f, bytes);
    for (float s : data)
        put16(f, int(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f)));
    return fclose(f) == 0;
}

bool writeOgg(const Wave& w, const std::string& path) {
    std::string tmp = path + ".tmp.wav";
    if (!w.writeWav(tmp)) return false;
    // A fixed serial number: oggenc would pick a random one, and the same sound would make other bytes.
    std::string cmd = "oggenc -Q -q 4 -s 1 -o '" + path + "' '" + tmp + "'";
    int status = system(cmd.c_str());
    remove(tmp.c_str());
    return status == 0;
}

void makeFoldersFor(const std::string& path) {
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        mkdir(path.substr(0, pos).c_str(), 0755);
}

bool hasExtension(const std::string& path, const std::string& ext) {
    return path.size() >= ext.size() && path.compare(path.size() - ext.size(), ext.size(), ext) == 0;
}
