#ifndef VORN_TESTS_SUPPORT_SOUNDFILES_H
#define VORN_TESTS_SUPPORT_SOUNDFILES_H

#include <string>
#include <vector>

// Sounds made by code for the tests: 16-bit WAV files and their Ogg Vorbis encodings (oggenc),
// and measurements on unsigned 16-bit PCM as Allegro mixes and stores it.

// Frames of signed 16-bit samples, channels interleaved.
std::vector<short> sineFrames(int rate, int channels, double seconds, double hz, double amplitude,
                              bool rightSilent = false);
void writeWav(const std::string& path, int rate, int channels, const std::vector<short>& samples);
// Encodes a WAV file with oggenc; true on success.
bool encodeOgg(const std::string& wavPath, const std::string& oggPath);
// Writes a sine as an Ogg Vorbis file through a temporary WAV; true on success.
bool writeSineOgg(const std::string& oggPath, int rate, int channels, double seconds, double hz,
                  double amplitude = 0.5, bool rightSilent = false);

// The pages of an Ogg file, each whole (header, segment table and body), so tests can cut,
// repeat and splice them.
std::vector<std::string> oggPages(const std::string& file);

// One channel of unsigned 16-bit interleaved PCM, as signed values around the centre.
std::vector<double> channelOf(const unsigned short* data, long frames, int channels, int channel);
// Root mean square around the mean (a held constant value counts as silence).
double acRms(const std::vector<double>& v, long from, long to);
// Pitch from the rising crossings of the mean between from and to, in cycles per frame.
double cyclesPerFrame(const std::vector<double>& v, long from, long to);
// The largest distance from the centre: 32767 or more has reached full scale.
double peakOf(const std::vector<double>& v);

#endif
