#ifndef VORN_TESTS_SUPPORT_DATABUILDER_H
#define VORN_TESTS_SUPPORT_DATABUILDER_H

#include <string>
#include <vector>

// Test data made by code: pictures, WAV files and Allegro datafiles packed with Allegro's `dat`
// tool. Paths are relative to the working directory (a TempDir's folder); parent folders are made.
// Unit, campaign and list files are plain text: write them with TempDir::write.

// A picture object of a datafile, filled with one colour (0xRRGGBB), stored at 32 bits.
struct PictureSpec {
    std::string name; // object name as unit and campaign files write it (lookups ignore case)
    int w = 8;        // pixels
    int h = 8;
    int colour = 0xff0000;
};

// Any file packed as a datafile object: "SAMP" for a WAV sample, "DATA" for raw bytes (an Ogg
// file, or an object that is not a picture).
struct FileObjectSpec {
    std::string name;
    std::string file; // path of the file to pack
    std::string type = "DATA";
};

// Makes the datafile at path holding the pictures, then the file objects. True on success.
bool makeDatafile(const std::string& path, const std::vector<PictureSpec>& pictures,
                  const std::vector<FileObjectSpec>& files = {});

// Writes a one-colour picture; the extension (.bmp, .tga, .pcx) picks the format.
bool writePicture(const std::string& path, int w, int h, int colour);

// Writes a 16-bit PCM WAV file of frames sample frames of a quiet square wave.
bool writeWav(const std::string& path, int frames, bool stereo = false, int frequency = 22050);

#endif
