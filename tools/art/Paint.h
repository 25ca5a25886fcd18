#ifndef VORN_TOOLS_ART_PAINT_H
#define VORN_TOOLS_ART_PAINT_H

#include <allegro.h>
#include <string>
#include <vector>

// Drawing helpers shared by the picture generators. Every canvas is a 32-bit memory bitmap;
// transparent pixels are Allegro's magic pink, so masked sprites and masked_blit skip them.

namespace paint {

struct Rgb {
    int r, g, b;
};

int col(const Rgb& c);
int col(int r, int g, int b);
Rgb shade(const Rgb& c, float factor); // factor 1 keeps the colour, 0 is black, 2 doubles it
Rgb mix(const Rgb& a, const Rgb& b, float t);
int pink();
bool isPink(int pixel);

// Starts Allegro without a display, with a 32-bit depth, for the generators.
void startAllegro();

// A canvas drawn at `ss` times the final size, so edges come out smooth when it is shrunk.
struct Canvas {
    BITMAP* big;
    int ss;
    Canvas(int w, int h, int ss = 3); // filled with pink
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    // All coordinates are in final pixels and may be fractions.
    void disc(float x, float y, float r, const Rgb& c);
    void shadedDisc(float x, float y, float r, const Rgb& c); // lit from the upper left
    void ellipse(float x, float y, float rx, float ry, const Rgb& c);
    void ring(float x, float y, float r, float thickness, const Rgb& c);
    void rect(float x1, float y1, float x2, float y2, const Rgb& c);
    void line(float x1, float y1, float x2, float y2, float thickness, const Rgb& c);
    void polygon(const std::vector<float>& xy, const Rgb& c);
    // Text in Allegro's 8x8 font, `scale` final pixels per font pixel, centred on x.
    void text(const std::string& s, float x, float y, float scale, const Rgb& c);
    // Darkens what is drawn in the rectangle to `factor` of its brightness: a plate under text.
    void dim(float x1, float y1, float x2, float y2, float factor);
    void textShadowed(const std::string& s, float x, float y, float scale, const Rgb& c, const Rgb& shadow);
    // The final picture: each pixel averages its opaque subpixels and stays transparent
    // unless at least half of them are opaque. The caller owns the result.
    BITMAP* shrink() const;
};

// Lightens the outermost opaque pixels by `amount` (0 to 1) towards a warm white.
void rimLight(BITMAP* bmp, float amount);
// Surrounds every opaque area with a one-pixel line of the given colour.
void outline(BITMAP* bmp, const Rgb& c);
// Smooth value noise in 0..1 over a lattice of one unit.
float noise(float x, float y, int seed);
// Writes a bitmap file, making the folders on its path.
bool save(BITMAP* bmp, const std::string& path);
void makeFolders(const std::string& filePath);

} // namespace paint

#endif
