// Draws the pictures that are not units: the general datafile's cursor, ailment icons and round
// end pictures, and for every campaign under data/campaigns/ its opening and closing pictures
// and each round's arena floor and title. Sizes, names and texts come from the campaign files;
// the painter-only keys "Title" and "Subtitle" (campaign) and "Floor" and "Hint" (round) say
// what to draw. Output: <stage>/<datafile path>/<object>.bmp.
#include "Paint.h"
#include "campaignPictureText.h"
#include "content/datafilePainters.h"
#include "system/fileAccess.h"

#include <algorithm>
#include <allegro.h>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace paint;

namespace {

const float PI = 3.14159265f;
std::string stage;
std::string root; // the repository, where data/ lies
// A datafile several campaigns name is painted by one of them only (namedAfter), so a campaign
// that borrows another's pictures never repaints them.
std::map<std::string, std::string> owners;
std::string painting; // the campaign being painted

bool store(BITMAP* bmp, const std::string& datafile, const std::string& object) {
    if (owners.count(datafile) && owners[datafile] != painting) {
        destroy_bitmap(bmp);
        return true;
    }
    bool ok = save(bmp, stage + "/" + datafile + "/" + object + ".bmp");
    if (!ok) fprintf(stderr, "could not write %s/%s\n", datafile.c_str(), object.c_str());
    destroy_bitmap(bmp);
    return ok;
}

// ---- general pictures -------------------------------------------------------------------

BITMAP* paintCursor() {
    Canvas cv(17, 17);
    cv.ring(8.5f, 8.5f, 6.5f, 1.3f, Rgb{255, 255, 255});
    cv.line(8.5f, 0.5f, 8.5f, 5, 1.3f, Rgb{255, 255, 255});
    cv.line(8.5f, 12, 8.5f, 16.5f, 1.3f, Rgb{255, 255, 255});
    cv.line(0.5f, 8.5f, 5, 8.5f, 1.3f, Rgb{255, 255, 255});
    cv.line(12, 8.5f, 16.5f, 8.5f, 1.3f, Rgb{255, 255, 255});
    BITMAP* b = cv.shrink();
    outline(b, Rgb{20, 20, 20});
    return b;
}

// Ailment icons: a round badge, gold for good ailments and violet for bad ones, with a symbol.
BITMAP* paintIcon(bool good, int index) {
    Canvas cv(32, 32);
    Rgb rim = good ? Rgb{230, 190, 60} : Rgb{150, 60, 170};
    Rgb face = good ? Rgb{60, 110, 70} : Rgb{80, 30, 40};
    Rgb ink{250, 245, 230};
    cv.disc(16, 16, 15.5f, rim);
    cv.shadedDisc(16, 16, 13, face);
    switch (index * 2 + (good ? 0 : 1)) {
    case 0: // invincible: shield
        cv.polygon({8, 8, 24, 8, 23, 18, 16, 26, 9, 18}, ink);
        break;
    case 1: // stunned: three stars around a dizzy ring
        cv.ring(16, 16, 6, 1.2f, ink);
        for (int i = 0; i < 3; i++)
            cv.disc(16 + 8 * std::sin(i * 2.1f), 16 - 8 * std::cos(i * 2.1f), 2.5f, Rgb{255, 230, 80});
        break;
    case 2: // more juice: drop with a plus
    case 3: // less juice: drop with a minus
        cv.disc(14, 18, 6, Rgb{255, 160, 60});
        cv.polygon({8.5f, 16, 14, 6, 19.5f, 16}, Rgb{255, 160, 60});
        cv.rect(21, 8, 27, 10, ink);
        if (good) cv.rect(23, 6, 25, 12, ink);
        break;
    case 4: // hastened: double chevron up
    case 5: // slowed: double chevron down
        for (int i = 0; i < 2; i++) {
            float y = good ? 20 - i * 7 : 12 + i * 7, d = good ? -6 : 6;
            cv.line(9, y, 16, y + d, 2.5f, ink);
            cv.line(16, y + d, 23, y, 2.5f, ink);
        }
        break;
    case 6: // strengthened: sword up
    case 7: // weakened: broken sword
        cv.line(16, 7, 16, good ? 22 : 14, 3, ink);
        if (!good) cv.line(17, 17, 19, 22, 3, ink);
        cv.line(11, 22, 21, 22, 2.5f, Rgb{200, 160, 80});
        cv.line(16, 22, 16, 26, 2.5f, Rgb{140, 100, 60});
        break;
    }
    return cv.shrink();
}

BITMAP* paintBanner(const std::string& text, const Rgb& colour, const std::string& sub) {
    int w = 340, h = 96;
    Canvas cv(w, h);
    cv.rect(6, 10, w - 6, h - 10, shade(colour, 0.25f));
    cv.rect(10, 14, w - 10, h - 14, shade(colour, 0.45f));
    cv.textShadowed(text, w / 2.0f, 24, 4, mix(colour, Rgb{255, 255, 255}, 0.3f), Rgb{20, 15, 10});
    cv.text(sub, w / 2.0f, 64, 1, Rgb{230, 230, 230});
    return cv.shrink();
}

bool paintGeneral() {
    const std::string dat = "data/generalData.dat";
    bool ok = store(paintCursor(), dat, "cursor");
    for (int i = 0; i < 4; i++) {
        ok = store(paintIcon(true, i), dat, "goodStatus" + std::to_string(i)) && ok;
        ok = store(paintIcon(false, i), dat, "badStatus" + std::to_string(i)) && ok;
    }
    ok =
        store(paintBanner("ROUND WON", Rgb{120, 220, 110}, "onwards to the next round"), dat, "youWin") && ok;
    ok = store(paintBanner("ROUND LOST", Rgb{230, 80, 70}, "the round starts over"), dat, "youLose") && ok;
    return ok;
}

// ---- arenas -----------------------------------------------------------------------------

struct Floor {
    Rgb base, spot;
    float grain; // noise scale in pixels
    std::string detail;
};

Floor floorFor(const std::string& name) {
    if (name == "grass") return {{65, 118, 58}, {98, 148, 72}, 40, "tufts"};
    if (name == "dirt") return {{130, 105, 80}, {155, 130, 100}, 30, "pebbles"};
    if (name == "swamp") return {{32, 48, 38}, {48, 68, 62}, 50, "pools"};
    if (name == "ice") return {{120, 170, 210}, {170, 210, 235}, 70, "cracks"};
    if (name == "stone") return {{150, 128, 100}, {178, 154, 122}, 24, "tiles"};
    if (name == "sand") return {{170, 110, 80}, {195, 135, 100}, 36, "ripples"};
    if (name == "metal") return {{165, 165, 160}, {190, 188, 182}, 60, "plates"};
    if (name == "void") return {{35, 25, 55}, {70, 50, 100}, 45, "stars"};
    if (name == "throne") return {{46, 38, 52}, {66, 56, 72}, 40, "carpet"};
    return {{90, 90, 90}, {120, 120, 120}, 30, "none"};
}

void floorDetail(BITMAP* b, const Floor& f, int seed) {
    int w = b->w, h = b->h;
    srand(seed);
    auto dark = col(shade(f.base, 0.7f)), light = col(shade(f.spot, 1.15f));
    if (f.detail == "tiles" || f.detail == "plates" || f.detail == "carpet") {
        int step = f.detail == "tiles" ? 40 : f.detail == "plates" ? 64 : 0;
        for (int x = step; step && x < w; x += step)
            vline(b, x, 0, h, dark);
        for (int y = step; step && y < h; y += step)
            hline(b, 0, y, w, dark);
        if (f.detail == "plates")
            for (int x = 8; x < w; x += 64)
                for (int y = 8; y < h; y += 64)
                    circlefill(b, x, y, 2, light);
        if (f.detail == "carpet") {
            rectfill(b, w / 2 - w / 8, 0, w / 2 + w / 8, h, col(110, 24, 36));
            rect(b, w / 2 - w / 8 + 4, 0, w / 2 + w / 8 - 4, h, col(200, 160, 60));
        }
    }
    int count = w * h / 900;
    for (int i = 0; i < count; i++) {
        int x = rand() % w, y = rand() % h;
        if (f.detail == "tufts") line(b, x, y, x + rand() % 5 - 2, y - 4, light);
        if (f.detail == "pebbles") circlefill(b, x, y, 1 + rand() % 2, dark);
        if (f.detail == "stars" && i % 3 == 0) putpixel(b, x, y, col(230, 220, 255));
        if (f.detail == "ripples" && i % 2 == 0) arc(b, x, y, itofix(20), itofix(108), 6 + rand() % 6, dark);
        if (f.detail == "pools" && i % 12 == 0)
            ellipsefill(b, x, y, 10 + rand() % 20, 6 + rand() % 10, col(26, 50, 55));
        if (f.detail == "cracks" && i % 8 == 0) {
            int cx = x, cy = y;
            for (int s = 0; s < 5; s++) {
                int nx = cx + rand() % 21 - 10, ny = cy + rand() % 21 - 10;
                line(b, cx, cy, nx, ny, col(245, 250, 255));
                cx = nx, cy = ny;
            }
        }
    }
}

// The rim shows what the walls do: a solid rim stops, a rubbery one bounces, arrows push
// back in, and a fading edge lets units fall out.
void wallRim(BITMAP* b, const std::string& wall) {
    int w = b->w, h = b->h;
    if (wall == "Ignore") {
        for (int i = 0; i < 14; i++) {
            float t = 1 - i / 14.0f;
            set_trans_blender(0, 0, 0, int(200 * t));
            drawing_mode(DRAW_MODE_TRANS, nullptr, 0, 0);
            rect(b, i, i, w - 1 - i, h - 1 - i, col(0, 0, 0));
            solid_mode();
        }
        return;
    }
    Rgb c = wall == "Bounce" ? Rgb{60, 170, 160} : wall == "Push" ? Rgb{200, 140, 40} : Rgb{70, 65, 60};
    for (int i = 0; i < 6; i++)
        rect(b, i, i, w - 1 - i, h - 1 - i, col(shade(c, 0.6f + i * 0.1f)));
    if (wall == "Push")
        for (int x = 24; x < w - 24; x += 48) {
            triangle(b, x - 5, 8, x + 5, 8, x, 16, col(240, 200, 80));
            triangle(b, x - 5, h - 9, x + 5, h - 9, x, h - 17, col(240, 200, 80));
        }
}

BITMAP* paintArena(int w, int h, const std::string& floorName, const std::string& wall, int seed) {
    Floor f = floorFor(floorName);
    BITMAP* b = create_bitmap_ex(32, w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            float n =
                0.65f * noise(x / f.grain, y / f.grain, seed) + 0.35f * noise(x / 7.0f, y / 7.0f, seed + 1);
            putpixel(b, x, y, col(mix(f.base, f.spot, n)));
        }
    floorDetail(b, f, seed);
    wallRim(b, wall);
    return b;
}

std::vector<std::string> wrap(const std::string& text, size_t width) {
    std::vector<std::string> lines;
    std::string line, word;
    auto flush = [&] {
        if (word.empty()) return;
        if (!line.empty() && line.size() + 1 + word.size() > width) lines.push_back(line), line.clear();
        line += (line.empty() ? "" : " ") + word;
        word.clear();
    };
    for (char ch : text) {
        if (ch == ' ')
            flush();
        else
            word += ch;
    }
    flush();
    if (!line.empty()) lines.push_back(line);
    return lines;
}

BITMAP* paintTitle(int number, const std::string& name, const std::string& hint) {
    std::vector<std::string> lines = wrap(hint, 44);
    int w = std::max(int(name.size()) * 16 + 40, 380), h = 78 + 12 * int(lines.size());
    Canvas cv(w, h);
    cv.rect(0, 0, w, h, Rgb{20, 18, 26});
    cv.rect(3, 3, w - 3, h - 3, Rgb{44, 40, 58});
    cv.text("ROUND " + std::to_string(number + 1), w / 2.0f, 10, 1, Rgb{200, 190, 150});
    cv.textShadowed(name, w / 2.0f, 26, 2, Rgb{255, 235, 180}, Rgb{10, 8, 12});
    for (size_t i = 0; i < lines.size(); i++)
        cv.text(lines[i], w / 2.0f, 54 + 12 * float(i), 1, Rgb{215, 225, 235});
    return cv.shrink();
}

// ---- campaign pictures ------------------------------------------------------------------

// What a campaign's pictures show: the road through its arenas, from the first round's floor in
// front to the last one's on the horizon, with its foes along the way.
struct Journey {
    std::string title, subtitle;
    std::vector<std::string> floors; // of the rounds, in order
    std::vector<Rgb> foes;           // body colours of the enemies it brings in
    int seed;
};

const float HORIZON = 150; // pixels from the top of a campaign picture

// The road's centre and width, t going from 0 at the bottom to 1 at the horizon.
float roadX(const Journey& j, float t) {
    return CAMPAIGN_PICTURE_W / 2.0f + 70 * std::sin(t * 5 + j.seed % 7) * (1 - t);
}
float roadY(float t) {
    return CAMPAIGN_PICTURE_H - t * (CAMPAIGN_PICTURE_H - HORIZON);
}
float roadWidth(float t) {
    return 120 * (1 - t) + 4;
}

// The sky over the last arena: open sky over open ground, a red night over the Warlord's hall,
// a violet dark over the abyss; dawn and its rays once the campaign is won.
void paintSky(Canvas& cv, const Journey& j, bool victory) {
    const std::string& last = j.floors.empty() ? "grass" : j.floors.back();
    bool night = !victory && (last == "throne" || last == "void");
    Rgb top{60, 120, 200}, low{190, 220, 240};
    if (victory)
        top = {60, 50, 110}, low = {250, 170, 90};
    else if (last == "throne")
        top = {12, 8, 24}, low = {120, 34, 40};
    else if (last == "void")
        top = {10, 6, 28}, low = {70, 44, 120};
    for (int y = 0; y < HORIZON; y++)
        cv.rect(0, y, CAMPAIGN_PICTURE_W, y + 1, mix(top, low, y / HORIZON));
    if (victory)
        for (int i = 0; i < 16; i++) {
            float a = (i + 0.5f) * PI / 16 - PI / 2, x = roadX(j, 1);
            cv.polygon({x, HORIZON, x + 500 * std::sin(a - 0.04f), HORIZON - 500 * std::cos(a - 0.04f),
                        x + 500 * std::sin(a + 0.04f), HORIZON - 500 * std::cos(a + 0.04f)},
                       mix(low, Rgb{255, 240, 200}, 0.35f));
        }
    if (night) {
        for (int i = 0; i < 70; i++)
            cv.disc(float(rand() % CAMPAIGN_PICTURE_W), float(rand() % int(HORIZON - 20)), 0.7f,
                    Rgb{215, 215, 245});
        cv.disc(400, 112, 14, Rgb{235, 225, 200}); // the moon, waning
        cv.disc(406, 108, 12, mix(top, low, 104 / HORIZON));
    } else if (!victory) {
        cv.disc(400, 112, 16, Rgb{255, 245, 190});
        for (int i = 0; i < 5; i++) { // clouds
            float x = float(40 + rand() % 400), y = float(90 + rand() % 40);
            cv.ellipse(x, y, 30, 6, Rgb{245, 248, 255});
            cv.ellipse(x + 10, y - 4, 16, 6, Rgb{245, 248, 255});
        }
    }
}

// The arenas' floors as bands of land, nearest at the bottom, each wider the nearer it is.
void paintLand(Canvas& cv, const Journey& j) {
    int n = std::max(1, int(j.floors.size()));
    std::vector<float> edge(size_t(n) + 1, CAMPAIGN_PICTURE_H); // top of band i at edge[i + 1]
    float total = 0;
    for (int i = 0; i < n; i++)
        total += float(n - i + 2);
    for (int i = 0; i < n; i++)
        edge[size_t(i) + 1] = edge[size_t(i)] - (CAMPAIGN_PICTURE_H - HORIZON) * float(n - i + 2) / total;
    for (int y = int(HORIZON); y < CAMPAIGN_PICTURE_H; y++)
        for (int x = 0; x < CAMPAIGN_PICTURE_W; x++) {
            int band = 0;
            while (band + 1 < n && y < edge[size_t(band) + 1] + 2.5f * std::sin(x / 23.0f + band))
                band++;
            Floor f = floorFor(j.floors.empty() ? "grass" : j.floors[size_t(band)]);
            float depth = (y - HORIZON) / (CAMPAIGN_PICTURE_H - HORIZON); // 0 far, 1 near
            float grain = f.grain * (0.2f + 0.8f * depth);
            float v = noise(x / grain, y / (grain * 0.4f), j.seed + band);
            cv.rect(float(x), float(y), float(x + 1), float(y + 1),
                    shade(mix(f.base, f.spot, v), 0.75f + 0.3f * depth));
        }
    std::vector<float> left, right;
    for (int i = 0; i <= 20; i++) {
        float t = i / 20.0f, half = roadWidth(t) / 2;
        left.push_back(roadX(j, t) - half), left.push_back(roadY(t));
        right.insert(right.begin(), {roadX(j, t) + half, roadY(t)});
    }
    left.insert(left.end(), right.begin(), right.end());
    cv.polygon(left, Rgb{150, 128, 90});
    for (size_t i = 0; i < left.size(); i += 2) // the kerb: the same road a little narrower
        left[i] +=
            (left[i] < roadX(j, (CAMPAIGN_PICTURE_H - left[i + 1]) / (CAMPAIGN_PICTURE_H - HORIZON)) ? 3
                                                                                                     : -3);
    cv.polygon(left, Rgb{200, 180, 132});
}

// What waits where the road ends: the Warlord's castle, the portal of the abyss, or a training
// ground's target between two flags.
void paintLandmark(Canvas& cv, const Journey& j, bool victory) {
    const std::string& last = j.floors.empty() ? "grass" : j.floors.back();
    float x = roadX(j, 1), y = HORIZON + 2;
    if (last == "throne") {
        Rgb stone{34, 24, 36}, light{255, 190, 70};
        cv.rect(x - 26, y - 34, x + 26, y, stone);
        for (int side = -1; side <= 1; side += 2) {
            cv.rect(x + side * 30 - 8, y - 50, x + side * 30 + 8, y, stone);
            for (int k = 0; k < 3; k++)
                cv.rect(x + side * 30 - 8 + k * 6, y - 54, x + side * 30 - 4 + k * 6, y - 50, stone);
            cv.rect(x + side * 30 - 2, y - 40, x + side * 30 + 2, y - 34, light);
        }
        cv.rect(x - 8, y - 14, x + 8, y, light);
        cv.rect(x - 14, y - 28, x - 8, y - 22, light), cv.rect(x + 8, y - 28, x + 14, y - 22, light);
        if (victory)
            cv.polygon({x, y - 70, x, y - 34, x + 1, y - 34, x + 1, y - 70, x + 16, y - 64, x + 1, y - 58},
                       Rgb{240, 200, 60});
    } else if (last == "void") {
        cv.ellipse(x, y - 20, 30, 34, Rgb{120, 70, 210});
        cv.ellipse(x, y - 20, 24, 28, Rgb{60, 30, 110});
        cv.ellipse(x, y - 20, 18, 22, Rgb{14, 8, 26});
        for (int i = 0; i < 8; i++)
            cv.disc(x + 36 * std::sin(i * 0.8f), y - 20 - 40 * std::cos(i * 0.8f), 1.5f, Rgb{200, 170, 255});
    } else {
        for (int side = -1; side <= 1; side += 2) {
            cv.line(x + side * 26, y, x + side * 26, y - 36, 2, Rgb{110, 80, 50});
            cv.polygon({x + side * 26, y - 36, x + side * 26 + side * 16, y - 32, x + side * 26, y - 28},
                       side < 0 ? Rgb{220, 60, 50} : Rgb{60, 110, 220});
        }
        Rgb rings[] = {{230, 60, 50}, {245, 240, 225}, {230, 60, 50}};
        for (int i = 0; i < 3; i++)
            cv.disc(x, y - 16, 13.0f - i * 4, rings[i]);
        cv.line(x - 6, y, x, y - 6, 2, Rgb{110, 80, 50}), cv.line(x + 6, y, x, y - 6, 2, Rgb{110, 80, 50});
    }
}

// The foes along the roadside, smaller with distance; fallen and grey once the campaign is won.
void paintFoes(Canvas& cv, const Journey& j, bool victory) {
    for (int i = 0; i < 14 && !j.foes.empty(); i++) {
        float t = 0.1f + 0.75f * (rand() % 100) / 100.0f, side = i % 2 ? 1.0f : -1.0f;
        float x = roadX(j, t) + side * (roadWidth(t) / 2 + 6 + rand() % 30 * (1 - t));
        float y = roadY(t), r = 2 + 8 * (1 - t);
        Rgb c = j.foes[size_t(i) % j.foes.size()];
        if (victory) {
            cv.ellipse(x, y, r * 1.3f, r * 0.5f, shade(mix(c, Rgb{120, 120, 120}, 0.6f), 0.7f));
            continue;
        }
        cv.disc(x, y - r, r + 1, Rgb{20, 16, 24});
        cv.shadedDisc(x, y - r, r, c);
    }
}

// The hero, seen from behind on the road: at its start before, at its end after the campaign.
void paintHero(Canvas& cv, const Journey& j, bool victory) {
    float t = victory ? 0.9f : 0.22f, s = victory ? 0.45f : 1.0f;
    float x = roadX(j, t), y = roadY(t) - 10 * s;
    cv.disc(x, y, 10 * s, Rgb{20, 16, 24});
    cv.shadedDisc(x, y, 9 * s, Rgb{60, 110, 235});
    cv.shadedDisc(x, y - 6 * s, 5 * s, Rgb{235, 195, 150});
    cv.line(x + 7 * s, y, x + 12 * s, y - (victory ? 26 : 14) * s, 2.5f * s, Rgb{230, 235, 245});
}

// Text on a dark plate, so it reads over whatever the scene puts under it.
void plateText(Canvas& cv, const std::string& s, const TextLine& line) {
    float h = 8 * line.scale;
    cv.dim(0, line.y - 5, CAMPAIGN_PICTURE_W, line.y + h + 5, 0.3f);
    cv.textShadowed(s, CAMPAIGN_PICTURE_W / 2.0f, line.y, line.scale, line.ink, Rgb{12, 10, 16});
}

BITMAP* paintCampaignPicture(const Journey& j, bool victory) {
    Canvas cv(CAMPAIGN_PICTURE_W, CAMPAIGN_PICTURE_H, 2);
    srand(j.seed + victory);
    paintSky(cv, j, victory);
    paintLand(cv, j);
    paintLandmark(cv, j, victory);
    paintFoes(cv, j, victory);
    paintHero(cv, j, victory);
    cv.textShadowed(victory ? "VICTORY" : j.title, CAMPAIGN_PICTURE_W / 2.0f, CAMPAIGN_TITLE.y,
                    CAMPAIGN_TITLE.scale, CAMPAIGN_TITLE.ink, Rgb{15, 10, 20});
    plateText(cv, victory ? j.title : j.subtitle, CAMPAIGN_SUBTITLE);
    plateText(cv, victory ? "campaign complete" : "click to begin", CAMPAIGN_PROMPT);
    return cv.shrink();
}

// The body colours of the enemies among the named unit types, read from their unit files.
std::vector<Rgb> foeColours(const std::string& names) {
    std::vector<Rgb> out;
    size_t pos = 0;
    while (pos < names.size()) {
        size_t end = names.find(' ', pos);
        std::string name = names.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? names.size() : end + 1;
        if (name.empty()) continue;
        push_config_state();
        set_config_file((root + "/data/unit/" + name).c_str());
        int n = 0;
        char** v = get_config_argv("Look", "body", &n);
        if (std::string(get_config_string(nullptr, "affiliation", "")) == "enemy" && n >= 3)
            out.push_back({atoi(v[0]), atoi(v[1]), atoi(v[2])});
        pop_config_state();
    }
    return out;
}

// The datafiles a campaign file names: its own and its rounds' arenas (none without its own,
// as paintCampaign paints nothing then).
std::vector<std::string> datafilesOf(const std::string& file) {
    set_config_file(file.c_str());
    const char* dat = get_config_string("Campaign", "Datafile", nullptr);
    if (!dat) return {};
    std::vector<std::string> out = {dat};
    for (int r = 0; r < get_config_int("Campaign", "TotalRounds", 0); r++) {
        int n = 0;
        char** v = get_config_argv(("Round" + std::to_string(r)).c_str(), "ArenaPic", &n);
        if (n >= 1) out.push_back(v[0]);
    }
    return out;
}

// Chooses each datafile's painter among the campaigns and says which datafiles are shared.
void chooseOwners(const std::string& folder, const std::vector<std::string>& campaigns) {
    std::map<std::string, std::set<std::string>> users;
    for (const std::string& name : campaigns)
        for (const std::string& dat : datafilesOf(folder + "/" + name))
            users[dat].insert(name);
    for (const auto& u : users) {
        std::vector<std::string> names(u.second.begin(), u.second.end());
        owners[u.first] = namedAfter(u.first, names);
        if (names.size() < 2) continue;
        std::string list;
        for (const std::string& name : names)
            list += (list.empty() ? "" : ", ") + name;
        printf("%s is shared by the campaigns %s: all show %s's pictures\n", u.first.c_str(), list.c_str(),
               owners[u.first].c_str());
    }
}

int paintCampaign(const std::string& file, const std::string& name) {
    painting = name;
    set_config_file(file.c_str());
    const char* dat = get_config_string("Campaign", "Datafile", nullptr);
    if (!dat) return 0;
    std::string campaignDat = dat;
    Journey journey;
    journey.title = get_config_string("Campaign", "Title", name.c_str());
    journey.subtitle = get_config_string("Campaign", "Subtitle", "");
    journey.seed = int(name.size()) * 7919 + name[0];
    int seed = journey.seed;
    bool ok = true;
    int rounds = get_config_int("Campaign", "TotalRounds", 0), w = 0, h = 0;
    for (int r = 0; r < rounds; r++)
        journey.floors.push_back(get_config_string(("Round" + std::to_string(r)).c_str(), "Floor", "stone"));
    journey.foes = foeColours(get_config_string("Campaign", "UnitsToAppear", ""));
    for (int r = 0; r < rounds; r++) {
        std::string sec = "Round" + std::to_string(r);
        int n = 0;
        char** v = get_config_argv(sec.c_str(), "ArenaSize", &n);
        if (n >= 2) w = atoi(v[0]), h = atoi(v[1]);
        v = get_config_argv(sec.c_str(), "ArenaPic", &n);
        if (n < 2 || w <= 0 || h <= 0) {
            fprintf(stderr, "%s: round %d has no arena picture or size\n", name.c_str(), r);
            return -1;
        }
        std::string roundDat = v[0], arena = v[1], titleObject = n >= 3 ? v[2] : "";
        std::string floor = get_config_string(sec.c_str(), "Floor", "stone");
        std::string wall = get_config_string(sec.c_str(), "ArenaWall", "Stop");
        std::string roundName = get_config_string(sec.c_str(), "name", "No Name");
        std::string hint = get_config_string(sec.c_str(), "Hint", "");
        ok = store(paintArena(w, h, floor, wall, seed + r * 31), roundDat, arena) && ok;
        if (!titleObject.empty()) ok = store(paintTitle(r, roundName, hint), roundDat, titleObject) && ok;
    }
    ok = store(paintCampaignPicture(journey, false), campaignDat, "splashScreen") && ok;
    ok = store(paintCampaignPicture(journey, true), campaignDat, "victoryScreen") && ok;
    return ok ? rounds : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: paintScreens <repository root> <stage folder>\n");
        return 2;
    }
    startAllegro();
    stage = argv[2];
    root = argv[1];
    if (!paintGeneral()) return 1;
    std::string dirName = std::string(argv[1]) + "/data/campaigns";
    DIR* dir = opendir(dirName.c_str());
    if (!dir) return 1;
    closedir(dir);
    std::vector<std::string> names = regularFilesIn(dirName);
    std::sort(names.begin(), names.end());
    chooseOwners(dirName, names);
    int campaigns = 0, rounds = 0;
    for (const std::string& name : names) {
        int n = paintCampaign(dirName + "/" + name, name);
        if (n < 0) return 1;
        if (n > 0) campaigns++, rounds += n;
    }
    printf("painted %d campaigns with %d rounds\n", campaigns, rounds);
    return 0;
}
