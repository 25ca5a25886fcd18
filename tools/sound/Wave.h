#ifndef VORN_TOOLS_SOUND_WAVE_H
#define VORN_TOOLS_SOUND_WAVE_H

#include <string>
#include <vector>

// A sound being made: interleaved float samples, nominally in -1..1.
struct Wave {
    int rate;
    int channels;
    std::vector<float> data;

    Wave(int rate, int channels, size_t frames) : rate(rate), channels(channels), data(frames * channels, 0.0f) {}
    size_t frames() const { return data.size() / channels; }
    // Scales the whole sound so its loudest sample reaches `peak`.
    void normalise(float peak);
    // 16-bit signed little-endian PCM in a RIFF WAVE file; false when it cannot be written.
    bool writeWav(const std::string& path) const;
};

// Writes the sound as Ogg Vorbis through oggenc (a WAV file next to it is made and removed).
bool writeOgg(const Wave& w, const std::string& path);
// Makes the folders on a file's path.
void makeFoldersFor(const std::string& path);
// Whether the path ends with the given extension (".ogg").
bool hasExtension(const std::string& path, const std::string& ext);

#endif
