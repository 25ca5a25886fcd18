// paintIcon: draws the game's desktop icon, a lunging blade over a juice orb, as pixel art on a
// 16 x 16 grid, and writes it as PNG files at the usual icon sizes, each pixel a square block.
//   paintIcon OUTPUT_FOLDER   writes OUTPUT_FOLDER/SIZExSIZE/vorn.png for every size
#include <png.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// One letter a pixel: . clear, k outline, n night blue, o/O orb dark/light, y glow, w/s blade
// light/shade, h hilt.
const char* const picture[16] = {
    "...kkkkkkkkkk...", "..knnnnnnnnnnk..", ".knnnnnnnnnnkwk.", "knnnnnnnnnnkwsk.",
    "knnnnkkkknkwskn.", "knnnkooookwskknk", "knnkooOOkwsknnnk", "knnkoOyykskonnnk",
    "knnkoOyhhkoonnnk", "knnkooyhhhoonnnk", "knnkoookhhkonnnk", "knnnkoooookknnnk",
    ".knnnkkkkknnnnk.", ".knnnnnnnnnnnnk.", "..knnnnnnnnnnk..", "...kkkkkkkkkk...",
};

struct Colour {
    char key;
    unsigned char r, g, b, a;
};

const Colour palette[] = {
    {'.', 0, 0, 0, 0},         {'k', 12, 10, 24, 255},    {'n', 34, 40, 86, 255},
    {'o', 196, 78, 18, 255},   {'O', 250, 150, 40, 255},  {'y', 255, 230, 120, 255},
    {'w', 240, 244, 255, 255}, {'s', 150, 160, 190, 255}, {'h', 120, 70, 30, 255},
};

const Colour& colourOf(char key) {
    for (const Colour& c : palette)
        if (c.key == key) return c;
    return palette[0];
}

bool writePng(const std::string& path, int size) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && !setjmp(png_jmpbuf(png));
    if (ok) {
        png_init_io(png, f);
        png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<unsigned char> row(size * 4);
        for (int y = 0; y < size; y++) {
            for (int x = 0; x < size; x++) {
                const Colour& c = colourOf(picture[y * 16 / size][x * 16 / size]);
                unsigned char* p = &row[x * 4];
                p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = c.a;
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: paintIcon OUTPUT_FOLDER\n");
        return 2;
    }
    std::string out = argv[1];
    mkdir(out.c_str(), 0777);
    for (int size : {16, 32, 48, 64, 128, 256}) {
        std::string folder = out + "/" + std::to_string(size) + "x" + std::to_string(size);
        mkdir(folder.c_str(), 0777);
        if (!writePng(folder + "/vorn.png", size)) {
            std::fprintf(stderr, "paintIcon: %s/vorn.png could not be written\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
