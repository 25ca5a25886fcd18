// checkReadability: measures whether what the generators drew can be told apart in play. It
// loads every round of every campaign the way the game does (the rounds before it first), takes
// the arena picture and every unit type the round can bring in (its spawn lines, the three
// characters and every unit those add), and measures:
// - each unit's frames against the floor: the colour difference (CIEDE2000) of the frame's mean
//   colour from the floor, and the luminance contrast (WCAG ratio) of its edge;
// - that players, enemies, neutral units and each side's projectiles keep apart in colour;
// - that projectiles do not take the colour of the floor's specks;
// - that stunned frames (what a hit unit shows) differ from the idle ones;
// - that the text of the campaign pictures stands out from what lies under it.
// It prints a table and a line for every failure; exit status 1 when anything fails.
// Run from the build folder, whose data set the build made.
#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "campaignPictureText.h"
#include "content/AddUnitTemplate.h"
#include "content/UnitCreate.h"
#include "content/selectionList.h"
#include "sim/Simulation.h"
#include "system/Messages.h"

namespace {

// The thresholds. CIEDE2000 puts a just noticeable difference near 2.3; the game's sprites are
// small, move and are seen out of the corner of the eye, so each test asks for many times that.
// A unit's mean colour must differ from every patch of floor it can stand on by this much: below
// it, a figure on a floor of its own colour is found only by its outline (a green Sparrow on grass
// measured 9).
const double MIN_FLOOR_DE = 20;
// The edge of a player's or an enemy's figure (its outermost two rings of pixels, the better of
// the two) against each patch of floor, as a WCAG contrast ratio: 3:1 is WCAG's minimum for
// shapes that must be seen. Shots and neutral things glow in colours of their own and are held
// to the colour test alone.
const double MIN_EDGE_CONTRAST = 3.0;
// Player characters against enemies, and each side's projectiles against the other's: as far
// apart as a unit from its floor (Hexa and the Slimes measured 12).
const double MIN_SIDE_DE = 20;
// Neutral units against the sides, when their silhouettes do not tell them apart already.
const double MIN_NEUTRAL_DE = 15;
// Two silhouettes, laid centre on centre, differ when their overlap is at most this share of
// their joint area.
const double MAX_SAME_SHAPE = 0.6;
// Shots and neutral things against the floor, and shots against the floor's specks: they glow
// and move, and are told by that as well, so a smaller difference will do.
const double MIN_SHOT_FLOOR_DE = 15;
// Stunned frames against the first idle frame: the mean colour difference per pixel over the
// figure. The idle frames differ from each other by about 3 (breathing).
const double MIN_STUN_DE = 12;
// Text on the campaign pictures: WCAG's 4.5:1 for body text.
const double MIN_TEXT_CONTRAST = 4.5;

struct Colour {
    double r = 0, g = 0, b = 0; // sRGB, 0 to 255
};
struct Lab {
    double L, a, b;
};

double linear(double c) {
    c /= 255;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const Colour& c) {
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast(double l1, double l2) {
    return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

Lab toLab(const Colour& c) {
    double r = linear(c.r), g = linear(c.g), b = linear(c.b);
    double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// CIEDE2000 colour difference.
double deltaE(const Lab& p, const Lab& q) {
    const double deg = M_PI / 180;
    double c1 = std::hypot(p.a, p.b), c2 = std::hypot(q.a, q.b), cm = (c1 + c2) / 2;
    double g = 0.5 * (1 - std::sqrt(std::pow(cm, 7) / (std::pow(cm, 7) + std::pow(25.0, 7))));
    double a1 = p.a * (1 + g), a2 = q.a * (1 + g);
    double C1 = std::hypot(a1, p.b), C2 = std::hypot(a2, q.b);
    double h1 = std::atan2(p.b, a1), h2 = std::atan2(q.b, a2);
    if (h1 < 0) h1 += 2 * M_PI;
    if (h2 < 0) h2 += 2 * M_PI;
    double dL = q.L - p.L, dC = C2 - C1, dh = h2 - h1;
    if (C1 * C2 == 0)
        dh = 0;
    else if (dh > M_PI)
        dh -= 2 * M_PI;
    else if (dh < -M_PI)
        dh += 2 * M_PI;
    double dH = 2 * std::sqrt(C1 * C2) * std::sin(dh / 2);
    double Lm = (p.L + q.L) / 2, Cm = (C1 + C2) / 2, hm = h1 + h2;
    if (C1 * C2 != 0) {
        if (std::fabs(h1 - h2) > M_PI) hm += hm < 2 * M_PI ? 2 * M_PI : -2 * M_PI;
        hm /= 2;
    }
    double t = 1 - 0.17 * std::cos(hm - 30 * deg) + 0.24 * std::cos(2 * hm) +
               0.32 * std::cos(3 * hm + 6 * deg) - 0.20 * std::cos(4 * hm - 63 * deg);
    double sl = 1 + 0.015 * (Lm - 50) * (Lm - 50) / std::sqrt(20 + (Lm - 50) * (Lm - 50));
    double sc = 1 + 0.045 * Cm, sh = 1 + 0.015 * Cm * t;
    double rt = -2 * std::sqrt(std::pow(Cm, 7) / (std::pow(Cm, 7) + std::pow(25.0, 7))) *
                std::sin(60 * deg * std::exp(-std::pow((hm / deg - 275) / 25, 2)));
    double l = dL / sl, c = dC / sc, h = dH / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}
double deltaE(const Colour& a, const Colour& b) {
    return deltaE(toLab(a), toLab(b));
}

bool opaque(BITMAP* b, int x, int y) {
    return getpixel(b, x, y) != makecol32(255, 0, 255);
}
Colour pixel(BITMAP* b, int x, int y) {
    int p = getpixel(b, x, y);
    return {double(getr32(p)), double(getg32(p)), double(getb32(p))};
}

struct Mean {
    double r = 0, g = 0, b = 0, lum = 0, lightness = 0;
    int n = 0;
    void add(const Colour& c) {
        r += c.r, g += c.g, b += c.b, lum += luminance(c), lightness += toLab(c).L, n++;
    }
    Colour colour() const { return n ? Colour{r / n, g / n, b / n} : Colour{}; }
    double meanLuminance() const { return n ? lum / n : 0; }
    // The luminance of the mean lightness: how bright a ring of mixed pixels looks as a whole,
    // where the mean luminance would let a few bright pixels outweigh a dark line.
    double lookedLuminance() const {
        double l = n ? lightness / n : 0;
        return l > 8 ? std::pow((l + 16) / 116, 3) : l / 903.3;
    }
};

// One frame: its mean colour, its two outer rings and its silhouette.
struct Sprite {
    Colour mean;
    double ringLum[2] = {0, 0}; // looked luminance of the outermost ring and the one inside it
    std::vector<char> mask;
    int w = 0, h = 0;
};

Sprite measureSprite(BITMAP* b) {
    Sprite s;
    s.w = b->w, s.h = b->h;
    s.mask.assign(size_t(s.w * s.h), 0);
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++)
            s.mask[size_t(y * s.w + x)] = opaque(b, x, y);
    // Distance to the nearest transparent pixel (4-neighbourhood, the frame's edge counts as one).
    std::vector<int> dist(s.mask.size(), 0);
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++) {
            if (!s.mask[size_t(y * s.w + x)]) continue;
            int d = 3;
            for (int dy = -2; dy <= 2; dy++)
                for (int dx = -2; dx <= 2; dx++) {
                    int nx = x + dx, ny = y + dy, m = std::abs(dx) + std::abs(dy);
                    if (m == 0 || m > 2) continue;
                    if (nx < 0 || ny < 0 || nx >= s.w || ny >= s.h || !s.mask[size_t(ny * s.w + nx)])
                        d = std::min(d, m);
                }
            dist[size_t(y * s.w + x)] = d;
        }
    Mean all, ring[2];
    for (int y = 0; y < s.h; y++)
        for (int x = 0; x < s.w; x++) {
            if (!s.mask[size_t(y * s.w + x)]) continue;
            Colour c = pixel(b, x, y);
            all.add(c);
            int d = dist[size_t(y * s.w + x)];
            if (d <= 2) ring[d - 1].add(c);
        }
    s.mean = all.colour();
    for (int i = 0; i < 2; i++)
        s.ringLum[i] = ring[i].n ? ring[i].lookedLuminance() : -1;
    return s;
}

// Share of the joint area two silhouettes cover together, laid centre on centre.
double overlap(const Sprite& a, const Sprite& b) {
    int w = std::max(a.w, b.w), h = std::max(a.h, b.h), both = 0, either = 0;
    auto at = [](const Sprite& s, int x, int y, int w, int h) {
        x -= (w - s.w) / 2, y -= (h - s.h) / 2;
        return x >= 0 && y >= 0 && x < s.w && y < s.h && s.mask[size_t(y * s.w + x)];
    };
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            bool p = at(a, x, y, w, h), q = at(b, x, y, w, h);
            both += p && q, either += p || q;
        }
    return either ? double(both) / either : 1;
}

// The floor: the mean colour of every patch a unit can stand on and of its specks.
struct Floor {
    std::vector<Colour> patches;
    std::vector<Colour> specks; // the darker and the lighter detail, where there is any
};

const int RIM = 16;   // pixels of wall rim, not floor
const int PATCH = 40; // side of a floor patch in pixels, about a unit's size

Floor measureFloor(BITMAP* b) {
    Floor f;
    for (int py = RIM; py + PATCH <= b->h - RIM; py += PATCH)
        for (int px = RIM; px + PATCH <= b->w - RIM; px += PATCH) {
            Mean m;
            for (int y = py; y < py + PATCH; y++)
                for (int x = px; x < px + PATCH; x++)
                    m.add(pixel(b, x, y));
            f.patches.push_back(m.colour());
        }
    // Specks are pixels far from the mean of the 9x9 square around them.
    int w = b->w, h = b->h;
    std::vector<Colour> img(size_t(w * h));
    std::vector<double> sum[3];
    for (auto& s : sum)
        s.assign(size_t((w + 1) * (h + 1)), 0);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            Colour c = img[size_t(y * w + x)] = pixel(b, x, y);
            double v[3] = {c.r, c.g, c.b};
            for (int k = 0; k < 3; k++)
                sum[k][size_t((y + 1) * (w + 1) + x + 1)] = v[k] + sum[k][size_t(y * (w + 1) + x + 1)] +
                                                            sum[k][size_t((y + 1) * (w + 1) + x)] -
                                                            sum[k][size_t(y * (w + 1) + x)];
        }
    Mean dark, light;
    const int r = 4;
    for (int y = RIM; y < h - RIM; y++)
        for (int x = RIM; x < w - RIM; x++) {
            double v[3];
            int x0 = x - r, y0 = y - r, x1 = x + r + 1, y1 = y + r + 1;
            for (int k = 0; k < 3; k++)
                v[k] = (sum[k][size_t(y1 * (w + 1) + x1)] - sum[k][size_t(y0 * (w + 1) + x1)] -
                        sum[k][size_t(y1 * (w + 1) + x0)] + sum[k][size_t(y0 * (w + 1) + x0)]) /
                       ((2 * r + 1) * (2 * r + 1));
            Colour around{v[0], v[1], v[2]}, c = img[size_t(y * w + x)];
            Lab p = toLab(c), q = toLab(around);
            if (std::hypot(p.L - q.L, std::hypot(p.a - q.a, p.b - q.b)) < 12) continue;
            (p.L < q.L ? dark : light).add(c);
        }
    int enough = (w - 2 * RIM) * (h - 2 * RIM) / 1000;
    if (dark.n > enough) f.specks.push_back(dark.colour());
    if (light.n > enough) f.specks.push_back(light.colour());
    return f;
}

// A unit type as the check sees it.
struct Type {
    std::string name;
    int affiliation = 0;
    std::vector<Sprite> shown; // idle and walking frames
    std::vector<Sprite> stunned;
};

const char* sideName(int aff) {
    switch (aff) {
    case AFF_PLAYER:
        return "player";
    case AFF_ENEMY:
        return "enemy";
    case AFF_NEUTRAL:
        return "neutral";
    case AFF_PLAYER_PROJECTILE:
        return "player shot";
    case AFF_ENEMY_PROJECTILE:
        return "enemy shot";
    }
    return "?";
}

Type measureType(UnitTemplate* t) {
    Type type;
    type.name = t->unitName;
    type.affiliation = t->affiliation;
    for (int anim : {ANIM_IDLE, ANIM_RUN})
        for (BITMAP* pic : t->vecPics[size_t(anim)])
            if (pic) type.shown.push_back(measureSprite(pic));
    for (BITMAP* pic : t->vecPics[ANIM_STUN])
        if (pic) type.stunned.push_back(measureSprite(pic));
    return type;
}

int failures = 0;
void fail(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void fail(const char* fmt, ...) {
    failures++;
    std::printf("FAIL ");
    va_list args;
    va_start(args, fmt);
    std::vprintf(fmt, args);
    va_end(args);
    std::printf("\n");
}

// Every unit type the round can show: its spawn lines, the characters, and what they all add.
std::vector<UnitTemplate*> typesOfRound(Loader& loader, Round& round,
                                        const std::vector<std::string>& characters) {
    std::vector<std::string> toVisit(characters);
    for (UnitCreate* order : *round.getUnitsToAppear())
        toVisit.push_back(order->unitName);
    std::set<std::string> seen;
    std::vector<UnitTemplate*> out;
    while (!toVisit.empty()) {
        std::string name = toVisit.back();
        toVisit.pop_back();
        if (!seen.insert(name).second) continue;
        UnitTemplate* t = loader.getUnitTemplate(name);
        if (!t) continue;
        out.push_back(t);
        for (AddUnitTemplate* a : t->addedUnits)
            toVisit.push_back(a->unitName);
    }
    std::sort(out.begin(), out.end(),
              [](UnitTemplate* a, UnitTemplate* b) { return a->unitName < b->unitName; });
    return out;
}

// Each unit against the floor; projectiles against the specks.
void checkAgainstFloor(const std::string& arena, const Floor& floor, const std::vector<Type>& types) {
    for (const Type& t : types) {
        double worstDE = 1e9, worstEdge = 1e9, worstSpeck = 1e9;
        for (const Sprite& s : t.shown)
            for (const Colour& patch : floor.patches) {
                worstDE = std::min(worstDE, deltaE(s.mean, patch));
                double lp = luminance(patch), edge = 0;
                for (double ring : s.ringLum)
                    if (ring >= 0) edge = std::max(edge, contrast(ring, lp));
                worstEdge = std::min(worstEdge, edge);
            }
        bool shot = t.affiliation == AFF_PLAYER_PROJECTILE || t.affiliation == AFF_ENEMY_PROJECTILE;
        if (shot)
            for (const Sprite& s : t.shown)
                for (const Colour& speck : floor.specks)
                    worstSpeck = std::min(worstSpeck, deltaE(s.mean, speck));
        // Brightness: the mean luminance of the first idle frame, in percent.
        std::printf("%-22s %-14s %-11s %6.1f %6.2f %6s %6.0f\n", arena.c_str(), t.name.c_str(),
                    sideName(t.affiliation), worstDE, worstEdge,
                    shot && worstSpeck < 1e9 ? std::to_string(int(worstSpeck)).c_str() : "-",
                    t.shown.empty() ? 0.0 : 100 * luminance(t.shown.front().mean));
        std::string where = t.name + " on " + arena;
        bool figure = t.affiliation == AFF_PLAYER || t.affiliation == AFF_ENEMY;
        double floorLimit = figure ? MIN_FLOOR_DE : MIN_SHOT_FLOOR_DE;
        if (worstDE < floorLimit)
            fail("%s: colour differs from the floor by %.1f (CIEDE2000), needs %.0f", where.c_str(), worstDE,
                 floorLimit);
        if (figure && worstEdge < MIN_EDGE_CONTRAST)
            fail("%s: edge contrast against the floor %.2f, needs %.1f (a dark outline or a lighter edge)",
                 where.c_str(), worstEdge, MIN_EDGE_CONTRAST);
        if (worstSpeck < MIN_SHOT_FLOOR_DE)
            fail("%s: colour differs from the floor's specks by %.1f, needs %.0f", where.c_str(), worstSpeck,
                 MIN_SHOT_FLOOR_DE);
    }
}

// Sides keep apart. The player finds their own figure among enemies by colour, so those two
// differ in colour; shots and neutral things (orbs, pillars) are told by their shape as well, so
// for them a different silhouette will do.
void checkSides(const std::string& arena, const std::vector<Type>& types) {
    for (const Type& a : types)
        for (const Type& b : types) {
            if (a.shown.empty() || b.shown.empty()) continue;
            bool figures = a.affiliation == AFF_PLAYER && b.affiliation == AFF_ENEMY;
            bool shots = a.affiliation == AFF_PLAYER_PROJECTILE && b.affiliation == AFF_ENEMY_PROJECTILE;
            bool neutral =
                a.affiliation == AFF_NEUTRAL && (b.affiliation == AFF_PLAYER || b.affiliation == AFF_ENEMY);
            if (!figures && !shots && !neutral) continue;
            const Sprite &p = a.shown.front(), &q = b.shown.front();
            double de = deltaE(p.mean, q.mean), limit = neutral ? MIN_NEUTRAL_DE : MIN_SIDE_DE;
            if (de >= limit || (!figures && overlap(p, q) <= MAX_SAME_SHAPE)) continue;
            fail("%s (%s) and %s (%s) on %s: colours differ by %.1f, needs %.0f%s", a.name.c_str(),
                 sideName(a.affiliation), b.name.c_str(), sideName(b.affiliation), arena.c_str(), de, limit,
                 figures ? "" : " or another silhouette");
        }
}

// Mean colour difference per pixel of the figure between two frames of one size; a transparent
// pixel counts as mid grey, a floor of no colour.
double frameDifference(BITMAP* a, BITMAP* b) {
    double total = 0;
    int n = 0;
    for (int y = 0; y < a->h; y++)
        for (int x = 0; x < a->w; x++) {
            bool p = opaque(a, x, y), q = opaque(b, x, y);
            if (!p && !q) continue;
            Colour grey{128, 128, 128};
            total += deltaE(p ? pixel(a, x, y) : grey, q ? pixel(b, x, y) : grey), n++;
        }
    return n ? total / n : 0;
}

void checkStun(UnitTemplate* t) {
    const std::vector<BITMAP*>& idle = t->vecPics[ANIM_IDLE];
    if (idle.empty() || !idle[0]) return;
    double worst = 1e9;
    for (BITMAP* pic : t->vecPics[ANIM_STUN])
        if (pic && pic->w == idle[0]->w && pic->h == idle[0]->h)
            worst = std::min(worst, frameDifference(pic, idle[0]));
    if (worst == 1e9) return;
    std::printf("%-22s %-14s stunned frames differ from idle by %.1f\n", "", t->unitName.c_str(), worst);
    if (worst < MIN_STUN_DE)
        fail("%s: stunned frames differ from the idle frame by %.1f, needs %.0f", t->unitName.c_str(), worst,
             MIN_STUN_DE);
}

// The ink of one line of text against the pixels within two pixels of it.
void checkText(const std::string& picture, BITMAP* b, const paint::TextLine& line) {
    Colour ink{double(line.ink.r), double(line.ink.g), double(line.ink.b)};
    int top = std::max(0, int(line.y) - 2), bottom = std::min(b->h, int(line.y + 8 * line.scale) + 3);
    std::vector<char> isInk(size_t(b->w * (bottom - top)), 0);
    int inkPixels = 0;
    for (int y = top; y < bottom; y++)
        for (int x = 0; x < b->w; x++)
            if (deltaE(pixel(b, x, y), ink) < 3) isInk[size_t((y - top) * b->w + x)] = 1, inkPixels++;
    Mean around;
    for (int y = top; y < bottom; y++)
        for (int x = 0; x < b->w; x++) {
            if (isInk[size_t((y - top) * b->w + x)]) continue;
            bool near = false;
            for (int dy = -2; dy <= 2 && !near; dy++)
                for (int dx = -2; dx <= 2 && !near; dx++) {
                    int nx = x + dx, ny = y + dy - top;
                    near =
                        nx >= 0 && ny >= 0 && nx < b->w && ny < bottom - top && isInk[size_t(ny * b->w + nx)];
                }
            if (near) around.add(pixel(b, x, y));
        }
    std::string what = picture + ", text at y " + std::to_string(int(line.y));
    if (inkPixels < 20) {
        fail("%s: no text found in its ink (%d pixels)", what.c_str(), inkPixels);
        return;
    }
    double c = contrast(luminance(ink), around.meanLuminance());
    std::printf("%-37s text contrast %.2f\n", what.c_str(), c);
    if (c < MIN_TEXT_CONTRAST)
        fail("%s: text contrast %.2f against what lies under it, needs %.1f", what.c_str(), c,
             MIN_TEXT_CONTRAST);
}

void checkCampaignPictures(const std::string& name, Campaign& campaign) {
    struct {
        const char* object;
        BITMAP* pic;
    } pictures[] = {{"splashScreen", campaign.getBeginPic()}, {"victoryScreen", campaign.getEndPic()}};
    for (auto& p : pictures) {
        std::string what = name + " " + p.object;
        if (!p.pic) {
            fail("%s: missing", what.c_str());
            continue;
        }
        for (const paint::TextLine& line :
             {paint::CAMPAIGN_TITLE, paint::CAMPAIGN_SUBTITLE, paint::CAMPAIGN_PROMPT})
            checkText(what, p.pic, line);
    }
}

} // namespace

int main() {
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    set_color_depth(32);
    set_color_conversion(COLORCONV_NONE);
    setMessagesSilent(true);
    std::vector<std::string> characters = selectionListNames("data/listOfCharacters.txt");
    std::vector<std::string> campaigns = selectionListNames("data/listOfCampaigns.txt");
    if (characters.empty() || campaigns.empty()) {
        std::fprintf(stderr, "checkReadability: run it from the build folder after the build\n");
        return 2;
    }
    std::printf("%-22s %-14s %-11s %6s %6s %6s %6s\n", "arena", "unit", "side", "dE", "edge", "speck",
                "bright");
    std::set<std::string> stunChecked;
    for (const std::string& campaignName : campaigns) {
        int rounds = 1;
        for (int r = 0; r < rounds; r++) {
            Simulation sim;
            if (sim.loadCampaignRound(campaignName, r, characters[0]) != 0) {
                fail("%s: round %d does not load", campaignName.c_str(), r);
                break;
            }
            Loader& loader = sim.getLoader();
            for (const std::string& c : characters)
                loader.addPC(c);
            if (r == 0) {
                Campaign campaign;
                std::string n = campaignName;
                campaign.setName(&n);
                if (loader.loadCampaign(campaign) == 0) {
                    rounds = campaign.getTotalRounds();
                    checkCampaignPictures(campaignName, campaign);
                }
            }
            BITMAP* arenaPic = sim.getRound().getArenaPic();
            std::string arena = campaignName + " " + std::to_string(r) + " " + *sim.getRound().getName();
            if (!arenaPic) {
                fail("%s: no arena picture", arena.c_str());
                continue;
            }
            Floor floor = measureFloor(arenaPic);
            std::vector<Type> types;
            for (UnitTemplate* t : typesOfRound(loader, sim.getRound(), characters)) {
                types.push_back(measureType(t));
                if (stunChecked.insert(t->unitName).second) checkStun(t);
            }
            checkAgainstFloor(arena.substr(0, 22), floor, types);
            checkSides(arena, types);
        }
    }
    std::printf("%d failures\n", failures);
    return failures ? 1 : 0;
}
