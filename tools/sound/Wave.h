#ifndef VORN_TOOLS_SOUND_WAVE_H
#define VORN_TOOLS_SOUND_WAVE_H

#include <string>
#include <vector>

// The mix's headroom, in sample values of -1..1 as the files hold them. The game leaves Allegro
// its ALSA default of 8 voices: one streams the music, 7 play effects. At the default volumes
// (global, music and effects 128 of 255) an effect panned hard to one side reaches that channel
// at 128/255 * 128/255 = 0.252 of its own level, the music (a centred stereo stream) at half that.
// 7 effects at their ceiling started together with the music at its peak still stay 2 dB below
// full scale: 7 * 0.252 * 0.375 + 0.126 * 0.85 = 0.77.
const float effectPeakCeiling = 0.375f; // -8.5 dBFS, decoded
const float musicPeakCeiling = 0.85f;   // -1.4 dBFS, decoded

// A sound being made: interleaved float samples, nominally in -1..1.
struct Wave {
    int rate;
    int channels;
    std::vector<float> data;

    Wave(int rate, int channels, size_t frames)
        : rate(rate), channels(channels), data(frames * channels, 0.0f) {}
    size_t frames() const { return data.size() / channels; }
    float peak() const;
    // Root mean square of the loudest stretch of the given length (the whole sound if shorter).
    float loudestRms(float seconds) const;
    // Scales the whole sound so its loudest sample reaches `peak`.
    void normalise(float peak);
    // 16-bit signed little-endian PCM in a RIFF WAVE file; false when it cannot be written.
    bool writeWav(const std::string& path) const;
};

// Writes the sound as Ogg Vorbis through oggenc (a WAV file next to it is made and removed).
// Vorbis overshoots the peaks it encodes (by up to about 1 dB on noise): the file is decoded
// again and, while its peak passes `ceiling`, encoded once more a little quieter. False when it
// cannot be written or decoded, or still passes the ceiling after four tries.
bool writeOgg(const Wave& w, const std::string& path, float ceiling);
// Makes the folders on a file's path.
void makeFoldersFor(const std::string& path);
// Whether the path ends with the given extension (".ogg").
bool hasExtension(const std::string& path, const std::string& ext);

#endif
