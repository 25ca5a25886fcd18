#include "support/DataBuilder.h"

#include <allegro.h>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "support/TestEnv.h"

namespace {

std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char cwd[4096];
    return std::string(getcwd(cwd, sizeof cwd) ? cwd : ".") + "/" + path;
}

void makeParentsOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0) runCommand("mkdir -p '" + path.substr(0, slash) + "'");
}

std::string quote(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void putLE(std::ofstream& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++)
        out.put((char)((value >> (8 * i)) & 0xff));
}

// dat names an object after its file: upper case, the dot as an underscore.
std::string datName(const std::string& file) {
    std::string out;
    for (char c : file)
        out += c == '.' ? '_' : (char)toupper((unsigned char)c);
    return out;
}

} // namespace

bool writePicture(const std::string& path, int w, int h, int colour) {
    makeParentsOf(absolute(path));
    BITMAP* pic = create_bitmap_ex(32, w, h);
    if (!pic) return false;
    clear_to_color(pic, makecol32((colour >> 16) & 0xff, (colour >> 8) & 0xff, colour & 0xff));
    PALETTE pal;
    get_palette(pal);
    int result = save_bitmap(path.c_str(), pic, pal);
    destroy_bitmap(pic);
    return result == 0;
}

bool writeWav(const std::string& path, int frames, bool stereo, int frequency) {
    makeParentsOf(absolute(path));
    std::ofstream out(path, std::ios::binary);
    int channels = stereo ? 2 : 1;
    uint32_t dataBytes = (uint32_t)frames * channels * 2;
    out << "RIFF";
    putLE(out, 36 + dataBytes, 4);
    out << "WAVEfmt ";
    putLE(out, 16, 4);
    putLE(out, 1, 2); // PCM
    putLE(out, channels, 2);
    putLE(out, frequency, 4);
    putLE(out, frequency * channels * 2, 4);
    putLE(out, channels * 2, 2);
    putLE(out, 16, 2);
    out << "data";
    putLE(out, dataBytes, 4);
    for (int i = 0; i < frames * channels; i++)
        putLE(out, (uint16_t)((i / 20) % 2 ? 2000 : -2000), 2);
    return (bool)out;
}

bool makeDatafile(const std::string& path, const std::vector<PictureSpec>& pictures,
                  const std::vector<FileObjectSpec>& files) {
    std::string target = absolute(path);
    makeParentsOf(target);
    unlink(target.c_str());
    char pattern[] = "/tmp/vorn-dat-XXXXXX";
    if (!mkdtemp(pattern)) return false;
    std::string scratch = pattern;
    std::string dat = "cd " + quote(scratch) + " && dat -s1 -c0 ";
    bool ok = true;
    std::vector<std::pair<std::string, std::string>> renames; // dat's own name, wanted name

    std::string pictureFiles;
    for (size_t i = 0; i < pictures.size() && ok; i++) {
        std::string file = "p" + std::to_string(i) + ".bmp";
        ok = writePicture(scratch + "/" + file, pictures[i].w, pictures[i].h, pictures[i].colour);
        pictureFiles += " " + file;
        renames.push_back({datName(file), pictures[i].name});
    }
    if (ok && !pictures.empty())
        ok = runCommand(dat + "-a -t BMP -bpp 32 " + quote(target) + pictureFiles + " >/dev/null") == 0;

    for (size_t i = 0; i < files.size() && ok; i++) {
        std::string source = files[i].file;
        size_t dot = source.rfind('.');
        std::string file =
            "f" + std::to_string(i) +
            (dot != std::string::npos && source.find('/', dot) == std::string::npos ? source.substr(dot)
                                                                                    : std::string(".bin"));
        ok = runCommand("cp " + quote(absolute(source)) + " " + quote(scratch + "/" + file)) == 0 &&
             runCommand(dat + "-a -t " + quote(files[i].type) + " " + quote(target) + " " + file +
                        " >/dev/null") == 0;
        renames.push_back({datName(file), files[i].name});
    }
    for (size_t i = 0; i < renames.size() && ok; i++)
        ok = runCommand(dat + quote(target) + " " + quote(renames[i].first) + " " +
                        quote("NAME=" + renames[i].second) + " >/dev/null") == 0;
    runCommand("rm -rf " + quote(scratch));
    return ok;
}
