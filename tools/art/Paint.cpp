#include "Paint.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sys/stat.h>

namespace paint {

int col(int r, int g, int b) {
    r = std::clamp(r, 0, 255), g = std::clamp(g, 0, 255), b = std::clamp(b, 0, 255);
    if (r == 255 && g == 0 && b == 255) r = 254; // never paint the transparent colour by accident
    return makecol32(r, g, b);
}
int col(const Rgb& c) {
    return col(c.r, c.g, c.b);
}

Rgb shade(const Rgb& c, float f) {
    return {std::clamp(int(c.r * f), 0, 255), std::clamp(int(c.g * f), 0, 255),
            std::clamp(int(c.b * f), 0, 255)};
}

Rgb mix(const Rgb& a, const Rgb& b, float t) {
    return {int(a.r + (b.r - a.r) * t), int(a.g + (b.g - a.g) * t), int(a.b + (b.b - a.b) * t)};
}

int pink() {
    return makecol32(255, 0, 255);
}
bool isPink(int p) {
    return p == pink();
}

void startAllegro() {
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
}

Canvas::Canvas(int w, int h, int s) : big(create_bitmap_ex(32, w * s, h * s)), ss(s) {
    clear_to_color(big, pink());
}
Canvas::~Canvas() {
    destroy_bitmap(big);
}

void Canvas::disc(float x, float y, float r, const Rgb& c) {
    circlefill(big, int(x * ss), int(y * ss), std::max(0, int(r * ss)), col(c));
}

void Canvas::shadedDisc(float x, float y, float r, const Rgb& c) {
    // Concentric discs moving towards the light: dark rim, bright spot up and to the left.
    const int steps = 8;
    for (int i = 0; i < steps; i++) {
        float t = float(i) / steps;
        float rr = r * (1.0f - 0.75f * t);
        disc(x - r * 0.3f * t, y - r * 0.3f * t, rr, shade(c, 0.65f + 0.6f * t));
    }
}

void Canvas::ellipse(float x, float y, float rx, float ry, const Rgb& c) {
    ellipsefill(big, int(x * ss), int(y * ss), std::max(0, int(rx * ss)), std::max(0, int(ry * ss)), col(c));
}

void Canvas::ring(float x, float y, float r, float thickness, const Rgb& c) {
    for (float t = 0; t < thickness * ss; t += 1.0f)
        circle(big, int(x * ss), int(y * ss), std::max(0, int(r * ss - t)), col(c));
}

void Canvas::rect(float x1, float y1, float x2, float y2, const Rgb& c) {
    rectfill(big, int(x1 * ss), int(y1 * ss), int(x2 * ss) - 1, int(y2 * ss) - 1, col(c));
}

void Canvas::line(float x1, float y1, float x2, float y2, float th, const Rgb& c) {
    float dx = x2 - x1, dy = y2 - y1, len = std::sqrt(dx * dx + dy * dy);
    if (len < 0.001f) return disc(x1, y1, th / 2, c);
    float nx = -dy / len * th / 2, ny = dx / len * th / 2;
    polygon({x1 + nx, y1 + ny, x2 + nx, y2 + ny, x2 - nx, y2 - ny, x1 - nx, y1 - ny}, c);
    disc(x1, y1, th / 2, c);
    disc(x2, y2, th / 2, c);
}

void Canvas::polygon(const std::vector<float>& xy, const Rgb& c) {
    std::vector<int> pts;
    for (float v : xy)
        pts.push_back(int(v * ss));
    ::polygon(big, int(pts.size() / 2), pts.data(), col(c));
}

void Canvas::text(const std::string& s, float x, float y, float scale, const Rgb& c) {
    int w = text_length(font, s.c_str()), h = text_height(font);
    if (w <= 0) return;
    BITMAP* t = create_bitmap_ex(32, w, h);
    clear_to_color(t, pink());
    textout_ex(t, font, s.c_str(), 0, 0, col(c), -1);
    int sw = int(w * scale * ss), sh = int(h * scale * ss);
    stretch_sprite(big, t, int(x * ss) - sw / 2, int(y * ss), sw, sh);
    destroy_bitmap(t);
}

void Canvas::dim(float x1, float y1, float x2, float y2, float factor) {
    int left = std::max(0, int(x1 * ss)), right = std::min(big->w, int(x2 * ss));
    int top = std::max(0, int(y1 * ss)), bottom = std::min(big->h, int(y2 * ss));
    for (int y = top; y < bottom; y++)
        for (int x = left; x < right; x++) {
            int p = getpixel(big, x, y);
            if (!isPink(p)) putpixel(big, x, y, col(shade(Rgb{getr32(p), getg32(p), getb32(p)}, factor)));
        }
}

void Canvas::textShadowed(const std::string& s, float x, float y, float scale, const Rgb& c,
                          const Rgb& shadow) {
    float d = std::max(1.0f, scale * 0.5f);
    for (int dx = -1; dx <= 1; dx++)
        for (int dy = -1; dy <= 1; dy++)
            text(s, x + dx * d * 0.6f, y + dy * d * 0.6f, scale, shadow);
    text(s, x + d, y + d, scale, shadow);
    text(s, x, y, scale, c);
}

BITMAP* Canvas::shrink() const {
    int w = big->w / ss, h = big->h / ss;
    BITMAP* out = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            int n = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < ss; sy++)
                for (int sx = 0; sx < ss; sx++) {
                    int p = getpixel(big, x * ss + sx, y * ss + sy);
                    if (isPink(p)) continue;
                    n++, r += getr32(p), g += getg32(p), b += getb32(p);
                }
            putpixel(out, x, y, 2 * n >= ss * ss ? col(r / n, g / n, b / n) : pink());
        }
    return out;
}

void rimLight(BITMAP* bmp, float amount) {
    BITMAP* copy = create_bitmap_ex(32, bmp->w, bmp->h);
    blit(bmp, copy, 0, 0, 0, 0, bmp->w, bmp->h);
    const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            int p = getpixel(copy, x, y);
            if (isPink(p)) continue;
            for (int i = 0; i < 4; i++) {
                int nx = x + dx[i], ny = y + dy[i];
                if (nx < 0 || ny < 0 || nx >= bmp->w || ny >= bmp->h || isPink(getpixel(copy, nx, ny))) {
                    putpixel(bmp, x, y,
                             col(mix(Rgb{getr32(p), getg32(p), getb32(p)}, Rgb{255, 250, 235}, amount)));
                    break;
                }
            }
        }
    destroy_bitmap(copy);
}

void outline(BITMAP* bmp, const Rgb& c) {
    BITMAP* copy = create_bitmap_ex(32, bmp->w, bmp->h);
    blit(bmp, copy, 0, 0, 0, 0, bmp->w, bmp->h);
    const int dx[] = {1, -1, 0, 0}, dy[] = {0, 0, 1, -1};
    for (int y = 0; y < bmp->h; y++)
        for (int x = 0; x < bmp->w; x++) {
            if (!isPink(getpixel(copy, x, y))) continue;
            for (int i = 0; i < 4; i++) {
                int nx = x + dx[i], ny = y + dy[i];
                if (nx < 0 || ny < 0 || nx >= bmp->w || ny >= bmp->h) continue;
                if (!isPink(getpixel(copy, nx, ny))) {
                    putpixel(bmp, x, y, col(c));
                    break;
                }
            }
        }
    destroy_bitmap(copy);
}

static float lattice(int x, int y, int seed) {
    unsigned h = unsigned(x) * 374761393u + unsigned(y) * 668265263u + unsigned(seed) * 2147483647u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xffff) / 65535.0f;
}

float noise(float x, float y, int seed) {
    int ix = int(std::floor(x)), iy = int(std::floor(y));
    float fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx), fy = fy * fy * (3 - 2 * fy);
    float a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    float c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

void makeFolders(const std::string& path) {
    for (size_t pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        mkdir(path.substr(0, pos).c_str(), 0755);
}

bool save(BITMAP* bmp, const std::string& path) {
    makeFolders(path);
    return save_bitmap(path.c_str(), bmp, nullptr) == 0;
}

} // namespace paint
