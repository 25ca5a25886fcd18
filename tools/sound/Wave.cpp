#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

#include "system/oggsnd.h"

float Wave::peak() const {
    float top = 0;
    for (float s : data)
        top = std::max(top, std::fabs(s));
    return top;
}

float Wave::loudestRms(float seconds) const {
    size_t window = std::min(std::max(size_t(seconds * rate), size_t(1)) * channels, data.size());
    double sum = 0, loudest = 0;
    for (size_t i = 0; i < data.size(); i++) {
        sum += double(data[i]) * data[i];
        if (i >= window) sum -= double(data[i - window]) * data[i - window];
        if (i + 1 >= window) loudest = std::max(loudest, sum);
    }
    return window ? float(std::sqrt(std::max(loudest, 0.0) / window)) : 0.0f;
}

void Wave::normalise(float peak) {
    float top = this->peak();
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

static bool encodeOgg(const Wave& w, const std::string& path) {
    std::string tmp = path + ".tmp.wav";
    if (!w.writeWav(tmp)) return false;
    // A fixed serial number: oggenc would pick a random one, and the same sound would make other bytes.
    std::string cmd = "oggenc -Q -q 4 -s 1 -o '" + path + "' '" + tmp + "'";
    int status = system(cmd.c_str());
    remove(tmp.c_str());
    return status == 0;
}

// The peak of the file as the game decodes it, or -1 when it does not decode.
static float decodedPeak(const std::string& path) {
    SAMPLE* s = oggsnd_load_ogg(path.c_str());
    if (!s) return -1;
    const unsigned short* values = static_cast<const unsigned short*>(s->data);
    int top = 0;
    for (unsigned long i = 0; i < s->len * (s->stereo ? 2 : 1); i++)
        top = std::max(top, std::abs(int(values[i]) - 32768));
    destroy_sample(s);
    return top / 32768.0f;
}

bool writeOgg(const Wave& w, const std::string& path, float ceiling) {
    Wave quieter = w;
    for (int pass = 0; pass < 4; pass++) {
        float peak = encodeOgg(quieter, path) ? decodedPeak(path) : -1;
        if (peak < 0) return false;
        if (peak <= ceiling) return true;
        for (float& s : quieter.data)
            s *= 0.99f * ceiling / peak;
    }
    return false;
}

void makeFoldersFor(const std::string& path) {
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        mkdir(path.substr(0, pos).c_str(), 0755);
}

bool hasExtension(const std::string& path, const std::string& ext) {
    return path.size() >= ext.size() && path.compare(path.size() - ext.size(), ext.size(), ext) == 0;
}
