#include "support/SoundFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>

std::vector<short> sineFrames(int rate, int channels, double seconds, double hz, double amplitude,
                              bool rightSilent) {
    long frames = std::lround(rate * seconds);
    std::vector<short> out;
    out.reserve(frames * channels);
    for (long i = 0; i < frames; ++i) {
        short value = static_cast<short>(std::lround(32767 * amplitude * std::sin(2 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c)
            out.push_back(c == 1 && rightSilent ? 0 : value);
    }
    return out;
}

namespace {
void put32(std::ofstream& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.put(static_cast<char>((v >> (8 * i)) & 0xff));
}
void put16(std::ofstream& out, uint16_t v) {
    out.put(static_cast<char>(v & 0xff));
    out.put(static_cast<char>(v >> 8));
}
} // namespace

void writeWav(const std::string& path, int rate, int channels, const std::vector<short>& samples) {
    std::ofstream out(path, std::ios::binary);
    uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, static_cast<uint16_t>(channels));
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate * channels * 2));
    put16(out, static_cast<uint16_t>(channels * 2));
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataBytes);
    for (short s : samples)
        put16(out, static_cast<uint16_t>(s));
}

bool encodeOgg(const std::string& wavPath, const std::string& oggPath) {
    std::string command = "oggenc -Q -o '" + oggPath + "' '" + wavPath + "'";
    return std::system(command.c_str()) == 0;
}

bool writeSineOgg(const std::string& oggPath, int rate, int channels, double seconds, double hz,
                  double amplitude, bool rightSilent) {
    std::string wav = oggPath + ".wav";
    writeWav(wav, rate, channels, sineFrames(rate, channels, seconds, hz, amplitude, rightSilent));
    bool ok = encodeOgg(wav, oggPath);
    std::remove(wav.c_str());
    return ok;
}

std::vector<std::string> oggPages(const std::string& file) {
    std::vector<std::string> pages;
    for (size_t at = 0, size; at + 27 <= file.size(); at += size) {
        size_t segments = static_cast<unsigned char>(file[at + 26]);
        size = 27 + segments;
        for (size_t i = 0; i < segments && at + 27 + i < file.size(); ++i)
            size += static_cast<unsigned char>(file[at + 27 + i]);
        pages.push_back(file.substr(at, size));
    }
    return pages;
}

std::vector<double> channelOf(const unsigned short* data, long frames, int channels, int channel) {
    std::vector<double> v(frames);
    for (long i = 0; i < frames; ++i)
        v[i] = static_cast<double>(data[i * channels + channel]) - 32768.0;
    return v;
}

double acRms(const std::vector<double>& v, long from, long to) {
    if (to <= from) return 0;
    double mean = 0;
    for (long i = from; i < to; ++i)
        mean += v[i];
    mean /= (to - from);
    double sum = 0;
    for (long i = from; i < to; ++i)
        sum += (v[i] - mean) * (v[i] - mean);
    return std::sqrt(sum / (to - from));
}

double cyclesPerFrame(const std::vector<double>& v, long from, long to) {
    if (to - from < 2) return 0;
    double mean = 0;
    for (long i = from; i < to; ++i)
        mean += v[i];
    mean /= (to - from);
    long first = -1, last = -1, rises = 0;
    for (long i = from + 1; i < to; ++i) {
        if (v[i - 1] - mean < 0 && v[i] - mean >= 0) {
            if (first < 0)
                first = i;
            else
                ++rises;
            last = i;
        }
    }
    return rises > 0 ? static_cast<double>(rises) / (last - first) : 0;
}

double peakOf(const std::vector<double>& v) {
    double peak = 0;
    for (double x : v)
        peak = std::max(peak, std::fabs(x));
    return peak;
}
