// Draws the pictures that are not units: the general datafile's cursor, ailment icons and round
// end pictures, and for every campaign under data/campaigns/ its opening and closing pictures
// and each round's arena floor and title. Sizes, names and texts come from the campaign files;
// the painter-only keys "Title" and "Subtitle" (campaign) and "Floor" and "Hint" (round) say
// what to draw. Output: <stage>/<datafile path>/<object>.bmp.
#include "Paint.h"

#include <allegro.h>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <string>
#include <vector>

using namespace paint;

namespace {

const float PI = 3.14159265f;
std::string stage;

bool store(BITMAP* bmp, const std::string& datafile, const std::string& object) {
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
    ok = store(paintBanner("ROUND WON", Rgb{120, 220, 110}, "onwards to the next round"), dat, "youWin") && ok;
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
    if (name == "grass") return {{70, 120, 55}, {110, 150, 70}, 40, "tufts"};
    if (name == "dirt") return {{120, 95, 65}, {150, 120, 80}, 30, "pebbles"};
    if (name == "swamp") return {{55, 75, 50}, {70, 95, 90}, 50, "pools"};
    if (name == "ice") return {{170, 205, 230}, {225, 240, 250}, 70, "cracks"};
    if (name == "stone") return {{105, 105, 110}, {135, 130, 125}, 24, "tiles"};
    if (name == "sand") return {{195, 165, 110}, {220, 195, 140}, 36, "ripples"};
    if (name == "metal") return {{80, 88, 98}, {110, 118, 128}, 60, "plates"};
    if (name == "void") return {{35, 25, 55}, {70, 50, 100}, 45, "stars"};
    if (name == "throne") return {{90, 40, 45}, {130, 60, 60}, 40, "carpet"};
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
            rectfill(b, w / 2 - w / 8, 0, w / 2 + w / 8, h, col(150, 30, 35));
            rect(b, w / 2 - w / 8 + 4, 0, w / 2 + w / 8 - 4, h, col(220, 180, 70));
        }
    }
    int count = w * h / 900;
    for (int i = 0; i < count; i++) {
        int x = rand() % w, y = rand() % h;
        if (f.detail == "tufts") line(b, x, y, x + rand() % 5 - 2, y - 4, light);
        if (f.detail == "pebbles") circlefill(b, x, y, 1 + rand() % 2, dark);
        if (f.detail == "stars" && i % 3 == 0) putpixel(b, x, y, col(230, 220, 255));
        if (f.detail == "ripples" && i % 2 == 0) arc(b, x, y, itofix(20), itofix(108), 6 + rand() % 6, dark);
        if (f.detail == "pools" && i % 12 == 0) ellipsefill(b, x, y, 10 + rand() % 20, 6 + rand() % 10, col(40, 70, 75));
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
            float n = 0.65f * noise(x / f.grain, y / f.grain, seed) + 0.35f * noise(x / 7.0f, y / 7.0f, seed + 1);
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
        if (ch == ' ') flush();
        else word += ch;
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

BITMAP* paintCampaignPicture(const std::string& title, const std::string& sub, bool victory, int seed) {
    int w = 480, h = 300;
    Canvas cv(w, h, 2);
    Rgb top = victory ? Rgb{250, 200, 90} : Rgb{30, 40, 80}, bottom = victory ? Rgb{150, 60, 30} : Rgb{10, 10, 20};
    for (int y = 0; y < h; y += 2)
        cv.rect(0, y, w, y + 2, mix(top, bottom, float(y) / h));
    srand(seed);
    if (victory)
        for (int i = 0; i < 24; i++) { // rays
            float a = i * 2 * PI / 24;
            cv.polygon({w / 2.0f, 150, w / 2.0f + 400 * std::sin(a), 150 - 400 * std::cos(a),
                        w / 2.0f + 400 * std::sin(a + 0.12f), 150 - 400 * std::cos(a + 0.12f)},
                       Rgb{255, 230, 140});
        }
    else
        for (int i = 0; i < 60; i++)
            cv.disc(rand() % w, rand() % 180, 0.8f, Rgb{230, 230, 255});
    // An arena seen from above, with a ring of foes around a lone hero.
    cv.ellipse(w / 2.0f, 210, 170, 60, victory ? Rgb{120, 70, 40} : Rgb{60, 70, 60});
    cv.ellipse(w / 2.0f, 210, 160, 54, victory ? Rgb{170, 120, 70} : Rgb{90, 110, 80});
    for (int i = 0; i < 9; i++) {
        float a = i * 2 * PI / 9;
        cv.shadedDisc(w / 2.0f + 120 * std::sin(a), 210 - 38 * std::cos(a), 7, victory ? Rgb{90, 90, 90} : Rgb{170, 60, 60});
    }
    cv.shadedDisc(w / 2.0f, 210, 10, Rgb{90, 140, 230});
    cv.textShadowed(title, w / 2.0f, 40, 4, victory ? Rgb{255, 250, 220} : Rgb{240, 220, 160}, Rgb{15, 10, 20});
    cv.text(sub, w / 2.0f, 88, 1.5f, Rgb{240, 240, 240});
    cv.text(victory ? "campaign complete" : "click to begin", w / 2.0f, 278, 1, Rgb{230, 230, 230});
    return cv.shrink();
}

int paintCampaign(const std::string& file, const std::string& name) {
    set_config_file(file.c_str());
    const char* dat = get_config_string("Campaign", "Datafile", nullptr);
    if (!dat) return 0;
    std::string campaignDat = dat;
    std::string title = get_config_string("Campaign", "Title", name.c_str());
    std::string sub = get_config_string("Campaign", "Subtitle", "");
    int seed = int(name.size()) * 7919 + name[0];
    bool ok = store(paintCampaignPicture(title, sub, false, seed), campaignDat, "splashScreen");
    ok = store(paintCampaignPicture("VICTORY", title, true, seed), campaignDat, "victoryScreen") && ok;
    int rounds = get_config_int("Campaign", "TotalRounds", 0), w = 0, h = 0;
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
    if (!paintGeneral()) return 1;
    std::string dirName = std::string(argv[1]) + "/data/campaigns";
    DIR* dir = opendir(dirName.c_str());
    if (!dir) return 1;
    int campaigns = 0, rounds = 0;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.' || e->d_type == DT_DIR) continue;
        int n = paintCampaign(dirName + "/" + e->d_name, e->d_name);
        if (n < 0) return 1;
        if (n > 0) campaigns++, rounds += n;
    }
    closedir(dir);
    printf("painted %d campaigns with %d rounds\n", campaigns, rounds);
    return 0;
}
