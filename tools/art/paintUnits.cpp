// Draws the animation frames of every unit type. It reads each unit file under data/unit/,
// finds the frame names its animation lists use and the [Look] section that says how the
// unit looks, and writes one bitmap per frame to <stage>/<datafile path>/<frame>.bmp, ready to
// be packed. Units are seen from above and face up; transparency is magic pink.
#include "Paint.h"
#include "content/datafilePainters.h"
#include "content/fileFormat.h"
#include "content/formatTable.h"
#include "system/textFormat.h"

#include <allegro.h>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <map>
#include <string>
#include <vector>

using namespace paint;

namespace {

const float PI = 3.14159265f;
enum { IDLE, RUN, ATT1, ATT2, ATT4, DEAD, STUN, TAUNT, AIM };

struct Look {
    std::string shape, weapon, symbol;
    int w, h, aimSize;
    Rgb body, accent;
};

// Where in its animation a frame sits, turned into the few numbers the shapes use.
struct Pose {
    int anim = IDLE;
    float t = 0;      // 0 at the first frame, towards 1 at the last
    float scale = 1;  // the whole figure
    float bright = 1; // colour factor
    float stride = 0; // -1..1, the feet while walking
    float swing = 0;  // -1..1, the weapon arm during an attack
};

const FormatKey& lookKey(const char* name) {
    return formatKey(FileKind::Unit, "Look", name);
}

// The whole numbers of a [Look] key, each within the row's limits; the row's default otherwise,
// which vorn-check reports.
std::vector<int> readNumbers(const FormatKey& k, size_t count) {
    for (const char* text : {get_config_string("Look", k.name, nullptr), k.def}) {
        std::vector<std::string> v = text ? splitWords(text) : std::vector<std::string>();
        std::vector<int> out;
        for (const std::string& w : v)
            if (atoi(w.c_str()) >= k.min && atoi(w.c_str()) <= k.max) out.push_back(atoi(w.c_str()));
        if (out.size() >= count && v.size() >= count) return out;
    }
    return {};
}

Rgb readRgb(const char* key) {
    std::vector<int> v = readNumbers(lookKey(key), 3);
    return {v[0], v[1], v[2]};
}

// A [Look] word the painter draws, or the row's default.
std::string readWord(const char* key) {
    const FormatKey& k = lookKey(key);
    std::string word = get_config_string("Look", k.name, k.def);
    for (const std::string& w : formatWords(k))
        if (w == word) return word;
    return k.def;
}

Look readLook() {
    Look k;
    k.shape = readWord("shape");
    k.weapon = readWord("weapon");
    k.symbol = readWord("symbol");
    std::vector<int> size = readNumbers(lookKey("size"), 2);
    k.w = size[0], k.h = size[1];
    k.aimSize = readNumbers(lookKey("aimSize"), 1)[0];
    k.body = readRgb("body");
    k.accent = readRgb("accent");
    return k;
}

Pose makePose(int anim, int k, int n) {
    Pose p;
    p.anim = anim;
    p.t = n > 1 ? float(k) / (n - 1) : 0;
    float cyc = n > 0 ? float(k) / n : 0;
    if (anim == IDLE) p.scale = 1 + 0.04f * std::sin(cyc * 2 * PI);
    if (anim == RUN) p.stride = std::sin(cyc * 2 * PI);
    if (anim == ATT1 || anim == ATT2 || anim == ATT4) p.swing = -1 + 2 * p.t;
    if (anim == DEAD) p.scale = 1 - 0.45f * p.t, p.bright = 1 - 0.55f * p.t;
    if (anim == TAUNT) p.scale = 1 + 0.08f * (k % 2);
    return p;
}

// Turns (dx, dy), given relative to the centre with up = -y, by a game angle in turns.
void turn(float& dx, float& dy, float turns) {
    float a = turns * 2 * PI, c = std::cos(a), s = std::sin(a);
    float x = dx * c - dy * s, y = dx * s + dy * c;
    dx = x, dy = y;
}

struct Painter {
    Canvas& cv;
    const Look& look;
    const Pose& pose;
    float cx, cy, u; // centre and the unit of size (half the smaller side)

    // A stunned figure blanches: the colours go halfway to a pale yellow, so a hit unit stands
    // out from its unhurt fellows at a glance, whatever its colours.
    Rgb dazed(const Rgb& c) const { return pose.anim == STUN ? mix(c, Rgb{255, 246, 200}, 0.55f) : c; }
    Rgb body(float f = 1) const { return dazed(shade(look.body, f * pose.bright)); }
    Rgb accent(float f = 1) const { return dazed(shade(look.accent, f * pose.bright)); }
    float X(float dx) const { return cx + dx * u * pose.scale; }
    float Y(float dy) const { return cy + dy * u * pose.scale; }
    float R(float r) const { return r * u * pose.scale; }

    void weapon(const std::string& kind, float side) {
        // The weapon hand swings through an arc in front of the body during attacks.
        float sweep = pose.anim == ATT2 ? pose.swing * 0.5f : pose.swing * 0.16f;
        float hx = 0.55f * side, hy = -0.25f, tx = 0.55f * side, ty = -1.0f;
        if (pose.anim == ATT4) ty -= 0.25f * (1 - std::fabs(pose.swing)); // thrust
        tx -= hx, ty -= hy;
        turn(tx, ty, sweep);
        tx += hx, ty += hy;
        if (kind == "sword") {
            cv.line(X(hx), Y(hy), X(tx), Y(ty), R(0.16f), Rgb{225, 230, 240});
            cv.line(X(hx), Y(hy), X(hx + (tx - hx) * 0.2f), Y(hy + (ty - hy) * 0.2f), R(0.2f),
                    Rgb{120, 90, 50});
        } else if (kind == "gun") {
            cv.line(X(hx * 0.6f), Y(hy), X(hx * 0.6f), Y(-0.95f), R(0.22f), Rgb{70, 70, 80});
            cv.disc(X(hx * 0.6f), Y(-0.95f), R(0.12f), Rgb{40, 40, 50});
        } else if (kind == "staff" || kind == "orb") {
            cv.line(X(hx), Y(hy + 0.2f), X(tx), Y(ty), R(0.12f), Rgb{110, 80, 50});
            cv.shadedDisc(X(tx), Y(ty), R(kind == "orb" ? 0.24f : 0.18f), accent());
        } else if (kind == "sling") {
            cv.line(X(hx), Y(hy), X(tx), Y(ty), R(0.08f), Rgb{90, 70, 50});
            cv.disc(X(tx), Y(ty), R(0.13f), Rgb{140, 130, 120});
        } else if (kind == "club") {
            cv.line(X(hx), Y(hy), X(tx), Y(ty), R(0.28f), Rgb{100, 70, 45});
            cv.shadedDisc(X(tx), Y(ty), R(0.25f), Rgb{120, 85, 55});
        }
    }

    void feet(float spread, float size) {
        float f = pose.stride * 0.35f;
        cv.ellipse(X(-spread), Y(f), R(size), R(size * 1.4f), shade(body(), 0.45f));
        cv.ellipse(X(spread), Y(-f), R(size), R(size * 1.4f), shade(body(), 0.45f));
    }

    void hero(float bulk) {
        feet(0.35f, 0.17f);
        weapon(look.weapon, 1);
        cv.ellipse(X(0), Y(0.05f), R(0.82f * bulk), R(0.48f * bulk), body(0.85f)); // shoulders
        cv.disc(X(-0.72f * bulk), Y(0.0f + pose.stride * 0.12f), R(0.2f), body(0.7f));
        cv.shadedDisc(X(0), Y(-0.02f), R(0.38f), accent());                    // head
        cv.ellipse(X(0), Y(-0.2f), R(0.22f), R(0.08f), shade(accent(), 0.6f)); // brow, facing up
    }

    void bug() {
        for (int i = 0; i < 3; i++) { // legs
            float w = std::sin(pose.stride * PI + i) * 0.15f;
            float y = -0.3f + i * 0.3f;
            cv.line(X(-0.9f), Y(y + w), X(0.9f), Y(y - w), R(0.08f), accent(0.8f));
        }
        cv.shadedDisc(X(0), Y(0.45f), R(0.42f), body(0.85f));
        cv.shadedDisc(X(0), Y(0.0f), R(0.5f), body());
        cv.shadedDisc(X(0), Y(-0.5f), R(0.36f), body(1.1f));
        float open = pose.anim == ATT1 ? 0.3f : 0.1f + 0.05f * pose.stride;
        cv.line(X(-0.15f), Y(-0.75f), X(-0.3f - open), Y(-1.0f), R(0.09f), accent());
        cv.line(X(0.15f), Y(-0.75f), X(0.3f + open), Y(-1.0f), R(0.09f), accent());
    }

    void blob() {
        std::vector<float> pts;
        for (int i = 0; i < 24; i++) {
            float a = i * 2 * PI / 24;
            float r = 0.88f + 0.08f * std::sin(a * 3 + pose.stride * 2 + pose.scale * 10);
            pts.push_back(X(std::sin(a) * r)), pts.push_back(Y(-std::cos(a) * r));
        }
        cv.polygon(pts, body(0.75f));
        cv.shadedDisc(X(0), Y(0.05f), R(0.75f), body());
        cv.disc(X(-0.3f), Y(-0.35f), R(0.17f), Rgb{250, 250, 240});
        cv.disc(X(0.3f), Y(-0.35f), R(0.17f), Rgb{250, 250, 240});
        cv.disc(X(-0.3f), Y(-0.42f), R(0.08f), accent(0.5f));
        cv.disc(X(0.3f), Y(-0.42f), R(0.08f), accent(0.5f));
    }

    void worm() {
        for (int i = 4; i >= 0; i--) {
            float y = -0.6f + i * 0.35f, x = std::sin(i * 1.3f + pose.stride * 2) * 0.25f;
            cv.shadedDisc(X(x), Y(y), R(0.42f - i * 0.05f), i == 0 ? accent() : body());
        }
        cv.disc(X(0), Y(-0.75f), R(0.16f), Rgb{60, 10, 20});
    }

    void turret() {
        cv.rect(X(-0.9f), Y(-0.9f), X(0.9f), Y(0.9f), body(0.6f));
        cv.rect(X(-0.8f), Y(-0.8f), X(0.8f), Y(0.8f), body(0.8f));
        float recoil = pose.anim == ATT1 ? 0.2f * (1 - pose.t) : 0;
        cv.line(X(0), Y(-0.2f), X(0), Y(-1.0f + recoil), R(0.3f), Rgb{60, 60, 70});
        cv.shadedDisc(X(0), Y(0.05f), R(0.55f), body());
        cv.disc(X(0), Y(0.05f), R(0.2f), accent(pose.anim == IDLE ? 0.8f + 0.4f * pose.t : 1.2f));
    }

    void stone(int sides, float stretch, bool gem) {
        std::vector<float> pts;
        for (int i = 0; i < sides; i++) {
            float a = (i + 0.5f) * 2 * PI / sides;
            pts.push_back(X(std::sin(a) * 0.95f)), pts.push_back(Y(-std::cos(a) * 0.95f * stretch));
        }
        cv.polygon(pts, body(0.7f));
        cv.shadedDisc(X(0), Y(0), R(gem ? 0.55f : 0.7f), body(gem ? 1.2f : 1.0f));
        if (gem)
            cv.disc(X(-0.2f), Y(-0.3f), R(0.15f + 0.05f * pose.t), Rgb{255, 255, 255});
        else
            cv.ring(X(0), Y(0), R(0.45f), R(0.06f), accent());
    }

    void symbol(const std::string& s, float r) {
        Rgb c = shade(look.accent, 0.55f * pose.bright);
        if (s == "plus")
            cv.rect(X(-0.1f * r), Y(-0.5f * r), X(0.1f * r), Y(0.5f * r), c),
                cv.rect(X(-0.5f * r), Y(-0.1f * r), X(0.5f * r), Y(0.1f * r), c);
        if (s == "drop")
            cv.disc(X(0), Y(0.15f * r), R(0.3f * r), c),
                cv.polygon({X(-0.25f * r), Y(0.05f * r), X(0), Y(-0.5f * r), X(0.25f * r), Y(0.05f * r)}, c);
        if (s == "wing")
            cv.polygon({X(-0.5f * r), Y(0.3f * r), X(0), Y(-0.5f * r), X(0.5f * r), Y(0.3f * r), X(0), Y(0)},
                       c);
        if (s == "fist") cv.rect(X(-0.35f * r), Y(-0.3f * r), X(0.35f * r), Y(0.35f * r), c);
        if (s == "shield")
            cv.polygon({X(-0.4f * r), Y(-0.4f * r), X(0.4f * r), Y(-0.4f * r), X(0.3f * r), Y(0.2f * r), X(0),
                        Y(0.5f * r), X(-0.3f * r), Y(0.2f * r)},
                       c);
        if (s == "flake")
            for (int i = 0; i < 3; i++) {
                float dx = 0, dy = -0.5f * r;
                turn(dx, dy, i / 6.0f);
                cv.line(X(dx), Y(dy), X(-dx), Y(-dy), R(0.1f * r), c);
            }
        if (s == "skull")
            cv.disc(X(0), Y(-0.05f * r), R(0.32f * r), c),
                cv.disc(X(-0.12f * r), Y(-0.05f * r), R(0.08f * r), body()),
                cv.disc(X(0.12f * r), Y(-0.05f * r), R(0.08f * r), body());
    }

    void orb() {
        float pulse = 0.9f + 0.1f * std::sin(pose.t * 2 * PI);
        cv.disc(X(0), Y(0), R(0.95f * pulse), accent(0.8f));
        cv.shadedDisc(X(0), Y(0), R(0.8f * pulse), body());
        symbol(look.symbol, 1.1f);
    }

    void bolt(float len) {
        cv.ellipse(X(0), Y(0), R(0.9f), R(len), accent());
        cv.ellipse(X(0), Y(-0.1f), R(0.55f), R(len * 0.8f), body());
        cv.disc(X(0), Y(-len * 0.5f), R(0.35f), Rgb{255, 255, 255});
    }

    void missile() {
        float flame = 0.3f + 0.2f * (pose.t > 0.5f);
        cv.polygon({X(-0.5f), Y(0.7f), X(0), Y(0.95f + flame), X(0.5f), Y(0.7f)}, Rgb{255, 200, 60});
        cv.ellipse(X(0), Y(0), R(0.55f), R(0.85f), body());
        cv.polygon({X(-0.9f), Y(0.8f), X(0), Y(0.3f), X(0.9f), Y(0.8f)}, accent());
        cv.disc(X(0), Y(-0.55f), R(0.3f), accent());
    }

    // A crescent across the top of the frame, drawn sweeping from left to right.
    void slash(float width) {
        int n = 12;
        float reach = pose.anim == RUN ? 0.35f + 0.65f * pose.t : 1.0f;
        std::vector<float> pts;
        for (int i = 0; i <= n; i++) {
            float a = (-0.5f + reach * i / n) * PI * width;
            pts.push_back(X(std::sin(a) * 0.95f)), pts.push_back(Y(0.9f - std::cos(a) * 1.7f));
        }
        for (int i = n; i >= 0; i--) {
            float a = (-0.5f + reach * i / n) * PI * width;
            pts.push_back(X(std::sin(a) * 0.75f)), pts.push_back(Y(0.9f - std::cos(a) * 1.15f));
        }
        cv.polygon(pts, accent());
        for (size_t i = 0; i + 1 < pts.size() / 2; i += 2)
            pts[i + 1] += R(0.12f);
        cv.polygon(pts, body());
    }

    void spear() {
        float extend = pose.anim == RUN ? 0.4f * pose.t : 0;
        cv.line(X(0), Y(1.0f), X(0), Y(-0.4f - extend), R(0.25f), accent(0.7f));
        cv.polygon(
            {X(-0.45f), Y(-0.3f - extend), X(0), Y(-1.0f - extend * 0.0f), X(0.45f), Y(-0.3f - extend)},
            body());
        cv.line(X(0), Y(-0.35f - extend), X(0), Y(-0.9f), R(0.1f), accent());
    }

    void spark() {
        float r = pose.anim == RUN ? 0.5f + 0.45f * pose.t : 0.6f;
        for (int i = 0; i < 4; i++) {
            float dx = 0, dy = -r;
            turn(dx, dy, i / 8.0f + pose.t * 0.1f);
            cv.line(X(dx), Y(dy), X(-dx), Y(-dy), R(0.22f), accent());
        }
        cv.shadedDisc(X(0), Y(0), R(0.45f), body());
    }

    void cloud() {
        for (int i = 0; i < 7; i++) {
            float a = i * 2 * PI / 7 + pose.t, r = 0.45f + 0.08f * std::sin(i * 2.1f + pose.t * 3);
            cv.disc(X(std::sin(a) * r), Y(std::cos(a) * r), R(0.42f), i % 2 ? accent() : body(0.9f));
        }
        cv.disc(X(0), Y(0), R(0.45f), body());
    }

    void blast() {
        float r = pose.anim == RUN ? 0.35f + 0.6f * pose.t : 0.35f;
        for (int i = 0; i < 10; i++) {
            float dx = 0, dy = -r * 1.05f;
            turn(dx, dy, i / 10.0f + 0.03f * i);
            cv.line(X(dx * 0.3f), Y(dy * 0.3f), X(dx), Y(dy), R(0.16f), accent());
        }
        cv.disc(X(0), Y(0), R(r * 0.85f), accent(1.1f));
        cv.disc(X(0), Y(0), R(r * 0.6f), body());
        cv.disc(X(0), Y(0), R(r * 0.3f), Rgb{255, 250, 220});
    }

    void shock() {
        float reach = pose.anim == RUN ? 0.5f + 0.5f * pose.t : 0.8f;
        int n = 10;
        std::vector<float> pts;
        for (int i = 0; i <= n; i++) {
            float a = (-0.5f + float(i) / n) * PI * 0.8f;
            pts.push_back(X(std::sin(a) * reach)), pts.push_back(Y(0.5f - std::cos(a) * reach * 1.2f));
        }
        for (int i = n; i >= 0; i--) {
            float a = (-0.5f + float(i) / n) * PI * 0.8f;
            pts.push_back(X(std::sin(a) * reach * 0.6f)), pts.push_back(Y(0.5f - std::cos(a) * reach * 0.6f));
        }
        cv.polygon(pts, accent());
        cv.line(X(-0.5f * reach), Y(0.1f), X(0.5f * reach), Y(0.1f), R(0.12f), body());
    }

    void spore() {
        for (int i = 0; i < 8; i++) {
            float dx = 0, dy = -0.95f;
            turn(dx, dy, i / 8.0f + pose.t * 0.12f);
            cv.line(X(0), Y(0), X(dx), Y(dy), R(0.14f), accent());
        }
        cv.shadedDisc(X(0), Y(0), R(0.62f), body());
    }

    void boss() {
        feet(0.45f, 0.14f);
        cv.ellipse(X(0), Y(0.35f), R(0.85f), R(0.6f), body(0.5f)); // cape
        float raise = pose.anim == ATT1 ? 0.25f * pose.swing : 0;
        cv.shadedDisc(X(-0.62f), Y(-0.35f - raise), R(0.26f), accent(0.8f)); // fists
        cv.shadedDisc(X(0.62f), Y(-0.35f - raise), R(0.26f), accent(0.8f));
        cv.ellipse(X(0), Y(0.0f), R(0.75f), R(0.45f), body());
        cv.shadedDisc(X(0), Y(-0.05f), R(0.34f), body(1.3f));
        for (int i = -2; i <= 2; i++) // crown
            cv.polygon({X(i * 0.12f - 0.07f), Y(-0.2f), X(i * 0.12f), Y(-0.5f - 0.05f * (i == 0)),
                        X(i * 0.12f + 0.07f), Y(-0.2f)},
                       accent());
        cv.line(X(-0.3f), Y(-0.2f), X(-0.55f), Y(-0.6f), R(0.09f), Rgb{230, 220, 200}); // horns
        cv.line(X(0.3f), Y(-0.2f), X(0.55f), Y(-0.6f), R(0.09f), Rgb{230, 220, 200});
    }

    void rock() {
        cv.polygon({X(-0.8f), Y(-0.2f), X(-0.3f), Y(-0.85f), X(0.6f), Y(-0.6f), X(0.85f), Y(0.3f), X(0.1f),
                    Y(0.85f), X(-0.7f), Y(0.5f)},
                   body(0.8f));
        cv.disc(X(-0.1f), Y(-0.2f), R(0.35f), body(1.1f));
    }

    // Three stars circle the head of a stunned unit, each ringed dark so it shows on a pale body.
    void stars() {
        for (int i = 0; i < 3; i++) {
            float dx = 0, dy = -0.7f;
            turn(dx, dy, i / 3.0f + pose.t * 0.2f);
            cv.disc(X(dx), Y(dy), R(0.26f), Rgb{40, 30, 20});
            cv.disc(X(dx), Y(dy), R(0.17f), Rgb{255, 220, 40});
        }
    }

    void splats() {
        for (int i = 0; i < 5; i++) {
            float dx = 0, dy = -(0.5f + 0.5f * pose.t) / pose.scale;
            turn(dx, dy, i / 5.0f + 0.13f * i);
            cv.disc(X(dx), Y(dy), R(0.1f + 0.05f * (i % 2)), shade(look.body, 0.5f));
        }
    }

    void draw() {
        const std::string& s = look.shape;
        bool creature = s == "hero" || s == "brute" || s == "boss" || s == "bug" || s == "blob" ||
                        s == "worm" || s == "turret";
        if (pose.anim == DEAD && creature) splats();
        if (s == "hero")
            hero(1.0f);
        else if (s == "brute")
            hero(1.15f);
        else if (s == "boss")
            boss();
        else if (s == "bug")
            bug();
        else if (s == "blob")
            blob();
        else if (s == "worm")
            worm();
        else if (s == "turret")
            turret();
        else if (s == "pillar")
            stone(8, 1.0f, false);
        else if (s == "crystal")
            stone(6, 1.0f, true);
        else if (s == "orb")
            orb();
        else if (s == "bolt")
            bolt(0.95f);
        else if (s == "missile")
            missile();
        else if (s == "rock")
            rock();
        else if (s == "slash")
            slash(0.55f);
        else if (s == "spear")
            spear();
        else if (s == "spark")
            spark();
        else if (s == "cloud")
            cloud();
        else if (s == "blast")
            blast();
        else if (s == "shock")
            shock();
        else if (s == "spore")
            spore();
        else
            fprintf(stderr, "unknown shape %s\n", s.c_str());
        if (pose.anim == STUN && creature) stars();
    }
};

// The aim picture: a ring of ticks with a pointer ahead, drawn under the character.
BITMAP* paintAim(const Look& look) {
    int s = look.aimSize;
    Canvas cv(s, s);
    float c = s / 2.0f;
    Rgb tint = mix(look.body, Rgb{255, 255, 255}, 0.4f);
    for (int i = 1; i < 12; i++) {
        float dx = 0, dy = -c * 0.55f;
        turn(dx, dy, i / 12.0f);
        cv.disc(c + dx, c + dy, 1.0f, tint);
    }
    cv.polygon({c - 5, c - s * 0.36f, c, c - s * 0.48f, c + 5, c - s * 0.36f, c, c - s * 0.40f}, tint);
    return cv.shrink();
}

BITMAP* paintFrame(const Look& look, int anim, int k, int n) {
    if (anim == AIM) return paintAim(look);
    bool glows = look.shape == "orb" || look.shape == "bolt" || look.shape == "slash" ||
                 look.shape == "spark" || look.shape == "blast" || look.shape == "cloud" ||
                 look.shape == "shock" || look.shape == "spear";
    Pose pose = makePose(anim, k, n);
    if (anim == DEAD && glows) pose.scale = 1 + 0.3f * pose.t, pose.bright = 1 - 0.5f * pose.t;
    Canvas cv(look.w, look.h);
    float margin = 1.5f;
    Painter p{cv, look, pose, look.w / 2.0f, look.h / 2.0f, std::min(look.w, look.h) / 2.0f - margin};
    // Long thin shapes are laid out across their width; their length comes from the height.
    if (look.shape == "bolt") p.u = look.w / 2.0f - 0.5f;
    if (look.shape == "spear" || look.shape == "missile") p.u = look.w / 2.0f - margin;
    p.draw();
    BITMAP* out = cv.shrink();
    // A dark line outside and a light rim inside: the line carries the figure on light floors,
    // the rim on dark ones.
    if (!glows) rimLight(out, 0.5f), outline(out, Rgb{24, 20, 28});
    return out;
}

int paintUnit(const std::string& unitFile, const std::string& stage) {
    set_config_file(unitFile.c_str());
    const char* datafile = get_config_string(nullptr, "datafile", nullptr);
    if (!datafile) return 0; // not a unit file
    Look look = readLook();
    std::string outDir = stage + "/data/unit/" + datafile + "/";
    int written = 0;
    for (int a = 0; a < ANIM_COUNT; a++) {
        int n = 0;
        char** v = get_config_argv("Animation", animationKeys[a], &n);
        std::vector<std::string> names;
        for (int i = 3; i + 1 < n; i += 2)
            names.push_back(v[i]);
        for (size_t k = 0; k < names.size(); k++) {
            BITMAP* frame = paintFrame(look, a, int(k), int(names.size()));
            if (!save(frame, outDir + names[k] + ".bmp")) {
                fprintf(stderr, "could not write %s\n", (outDir + names[k]).c_str());
                destroy_bitmap(frame);
                return -1;
            }
            destroy_bitmap(frame);
            written++;
        }
    }
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: paintUnits <repository root> <stage folder>\n");
        return 2;
    }
    startAllegro();
    std::string unitDir = std::string(argv[1]) + "/data/unit";
    DIR* dir = opendir(unitDir.c_str());
    if (!dir) return 1;
    closedir(dir);
    std::vector<PaintedType> types = paintedTypesIn(unitDir);
    std::map<std::string, std::string> painters = datafilePainters(types);
    int total = 0, units = 0;
    for (const PaintedType& t : types) {
        const std::string& painter = painters[t.datafile];
        if (painter != t.name) {
            // A type without a look borrows the pictures; one with a look of its own is not drawn.
            if (t.hasLook)
                fprintf(stderr, "warning: %s's [Look] is not drawn: %s is painted from %s's look\n",
                        t.name.c_str(), t.datafile.c_str(), painter.c_str());
            continue;
        }
        int n = paintUnit(unitDir + "/" + t.name, argv[2]);
        if (n < 0) return 1;
        if (n > 0) units++, total += n;
    }
    printf("painted %d frames for %d unit types\n", total, units);
    return 0;
}
