// Synthesises every sound effect that a unit file names. It reads the [Sound] section of each
// file under data/unit/, and makes each named file from the recipe of its base name ("swish" for
// data/sound/swish.wav): WAV files directly, Ogg Vorbis files through oggenc.
#include "Wave.h"

#include <allegro.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <functional>
#include <map>
#include <set>
#include <string>

namespace {

const int RATE = 22050;
const float TAU = 6.2831853f;
// The most an effect may have over its loudest tenth of a second (root mean square): 0.158 is
// -16 dBFS in the file, 1 dB over the music's mean (about -17 dBFS) when played in the middle of
// the arena, 7 dB over it in the near channel at the arena's edge.
const float effectLoudness = 0.158f;

// A little sound toolkit: every voice is a function of the time in seconds.
struct Synth {
    Wave w;
    unsigned seed = 1;
    explicit Synth(float seconds) : w(RATE, 1, size_t(seconds * RATE)) {}

    float rnd() { // white noise, -1..1, the same every run
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / float(1 << 23) - 1.0f;
    }
    // A tone whose frequency glides from f0 to f1 and whose level falls with `decay` per second.
    void tone(float start, float len, float f0, float f1, float level, float decay, float bright = 0) {
        float phase = 0;
        for (size_t i = size_t(start * RATE); i < w.frames() && i < size_t((start + len) * RATE); i++) {
            float t = i / float(RATE) - start, f = f0 + (f1 - f0) * t / len;
            phase += TAU * f / RATE;
            float s =
                std::sin(phase) + bright * std::sin(2 * phase) * 0.5f + bright * std::sin(3 * phase) * 0.3f;
            w.data[i] += level * s * std::exp(-decay * t) * std::min(1.0f, t * 400);
        }
    }
    // Noise through a one-pole low-pass whose cut-off glides from c0 to c1 (0..1 of the rate).
    void hiss(float start, float len, float c0, float c1, float level, float decay) {
        float lp = 0;
        for (size_t i = size_t(start * RATE); i < w.frames() && i < size_t((start + len) * RATE); i++) {
            float t = i / float(RATE) - start, c = c0 + (c1 - c0) * t / len;
            lp += c * (rnd() - lp);
            w.data[i] += level * lp * std::exp(-decay * t) * std::min(1.0f, t * 600);
        }
    }
};

using Recipe = std::function<void(Synth&)>;

const std::map<std::string, std::pair<float, Recipe>>& recipes() {
    static const std::map<std::string, std::pair<float, Recipe>> book = {
        {"swish", {0.22f, [](Synth& s) { s.hiss(0, 0.22f, 0.05f, 0.6f, 1.0f, 12); }}},
        {"cleave",
         {0.4f,
          [](Synth& s) {
              s.hiss(0, 0.35f, 0.4f, 0.05f, 1.0f, 8);
              s.tone(0, 0.3f, 180, 90, 0.5f, 10, 0.6f);
          }}},
        {"lunge",
         {0.45f,
          [](Synth& s) {
              s.hiss(0, 0.4f, 0.08f, 0.5f, 0.8f, 6);
              s.tone(0.05f, 0.35f, 300, 700, 0.35f, 7, 0.3f);
          }}},
        {"pew", {0.15f, [](Synth& s) { s.tone(0, 0.15f, 1400, 500, 0.8f, 20, 0.8f); }}},
        {"scatter",
         {0.3f,
          [](Synth& s) {
              s.hiss(0, 0.3f, 0.9f, 0.2f, 1.0f, 14);
              s.tone(0, 0.1f, 200, 80, 0.7f, 25);
          }}},
        {"seeker",
         {0.6f,
          [](Synth& s) {
              s.tone(0, 0.6f, 300, 1200, 0.6f, 3, 0.5f);
              s.hiss(0, 0.6f, 0.1f, 0.3f, 0.4f, 3);
          }}},
        {"tick", {0.06f, [](Synth& s) { s.tone(0, 0.06f, 2000, 1500, 0.7f, 60); }}},
        {"pop", {0.12f, [](Synth& s) { s.tone(0, 0.12f, 600, 150, 1.0f, 30); }}},
        {"frost",
         {0.5f,
          [](Synth& s) {
              for (int i = 0; i < 5; i++)
                  s.tone(i * 0.05f, 0.3f, 2000 + 300 * i, 2200 + 300 * i, 0.3f, 10);
              s.hiss(0, 0.5f, 0.7f, 0.9f, 0.3f, 6);
          }}},
        {"nova",
         {0.7f,
          [](Synth& s) {
              s.tone(0, 0.7f, 120, 600, 0.7f, 4, 0.7f);
              s.hiss(0, 0.6f, 0.05f, 0.4f, 0.6f, 5);
          }}},
        {"blink", {0.3f, [](Synth& s) { s.tone(0, 0.3f, 1800, 300, 0.6f, 9, 0.2f); }}},
        {"hurt",
         {0.25f,
          [](Synth& s) {
              s.tone(0, 0.25f, 320, 200, 0.8f, 10, 1.0f);
              s.hiss(0, 0.08f, 0.5f, 0.3f, 0.4f, 30);
          }}},
        {"fall", {0.8f, [](Synth& s) { s.tone(0, 0.8f, 400, 60, 0.8f, 3, 0.8f); }}},
        {"squish",
         {0.18f,
          [](Synth& s) {
              s.hiss(0, 0.18f, 0.05f, 0.02f, 1.0f, 14);
              s.tone(0, 0.18f, 220, 120, 0.4f, 16);
          }}},
        {"grunt", {0.2f, [](Synth& s) { s.tone(0, 0.2f, 150, 110, 0.9f, 12, 1.2f); }}},
        {"croak", {0.5f, [](Synth& s) { s.tone(0, 0.5f, 180, 70, 0.9f, 5, 1.4f); }}},
        {"sling", {0.2f, [](Synth& s) { s.hiss(0, 0.2f, 0.2f, 0.5f, 0.8f, 12); }}},
        {"boom",
         {1.2f,
          [](Synth& s) {
              s.tone(0, 1.0f, 90, 30, 1.0f, 3.5f);
              s.hiss(0, 1.2f, 0.2f, 0.02f, 1.2f, 3);
          }}},
        {"splat",
         {0.3f,
          [](Synth& s) {
              s.hiss(0, 0.3f, 0.15f, 0.02f, 1.0f, 10);
              s.tone(0, 0.2f, 160, 60, 0.5f, 12);
          }}},
        {"shatter",
         {0.6f,
          [](Synth& s) {
              for (int i = 0; i < 8; i++)
                  s.tone(i * 0.04f, 0.3f, 2500 - 150 * i, 2400 - 150 * i, 0.25f, 14);
              s.hiss(0, 0.4f, 0.9f, 0.5f, 0.5f, 8);
          }}},
        {"slurp",
         {0.4f,
          [](Synth& s) {
              s.tone(0, 0.4f, 200, 500, 0.7f, 5, 0.8f);
              s.hiss(0, 0.4f, 0.05f, 0.1f, 0.4f, 5);
          }}},
        {"hex",
         {0.7f,
          [](Synth& s) {
              s.tone(0, 0.7f, 330, 311, 0.5f, 3, 0.6f);
              s.tone(0, 0.7f, 466, 440, 0.4f, 3, 0.6f);
          }}},
        {"bless",
         {0.6f,
          [](Synth& s) {
              s.tone(0, 0.6f, 880, 880, 0.4f, 5);
              s.tone(0.08f, 0.5f, 1109, 1109, 0.35f, 5);
              s.tone(0.16f, 0.44f, 1319, 1319, 0.3f, 5);
          }}},
        {"chime",
         {0.5f,
          [](Synth& s) {
              s.tone(0, 0.5f, 1320, 1320, 0.6f, 6);
              s.tone(0, 0.5f, 1980, 1980, 0.3f, 8);
          }}},
        {"thud",
         {0.3f,
          [](Synth& s) {
              s.tone(0, 0.3f, 110, 50, 1.0f, 12);
              s.hiss(0, 0.05f, 0.3f, 0.1f, 0.5f, 40);
          }}},
        {"roar",
         {1.1f,
          [](Synth& s) {
              s.tone(0, 1.1f, 90, 60, 0.8f, 2, 1.5f);
              s.hiss(0, 1.1f, 0.1f, 0.05f, 0.7f, 2);
          }}},
        {"slam",
         {0.5f,
          [](Synth& s) {
              s.tone(0, 0.5f, 70, 35, 1.0f, 6);
              s.hiss(0, 0.3f, 0.3f, 0.05f, 0.8f, 10);
          }}},
        {"boing",
         {0.35f,
          [](Synth& s) {
              for (size_t i = 0; i < s.w.frames(); i++) {
                  float t = i / float(RATE);
                  s.w.data[i] =
                      std::sin(TAU * (200 * t + 40 * std::sin(TAU * 12 * t) / (TAU * 12))) * std::exp(-8 * t);
              }
          }}},
        {"clank",
         {0.3f,
          [](Synth& s) {
              s.tone(0, 0.3f, 900, 880, 0.5f, 14, 0.5f);
              s.tone(0, 0.3f, 1430, 1400, 0.4f, 16);
          }}},
        {"crunch",
         {0.5f,
          [](Synth& s) {
              s.hiss(0, 0.5f, 0.6f, 0.1f, 1.0f, 7);
              s.tone(0, 0.4f, 300, 80, 0.5f, 8, 1.0f);
          }}},
        {"spit",
         {0.15f,
          [](Synth& s) {
              s.hiss(0, 0.15f, 0.3f, 0.6f, 0.8f, 18);
              s.tone(0, 0.1f, 500, 300, 0.4f, 25);
          }}},
        {"puff", {0.25f, [](Synth& s) { s.hiss(0, 0.25f, 0.1f, 0.03f, 0.9f, 12); }}},
        {"pickup",
         {0.35f,
          [](Synth& s) {
              s.tone(0, 0.12f, 660, 660, 0.5f, 8);
              s.tone(0.1f, 0.25f, 990, 990, 0.5f, 8);
          }}},
        {"quake",
         {1.4f,
          [](Synth& s) {
              s.tone(0, 1.4f, 55, 40, 1.0f, 1.8f, 0.8f);
              s.hiss(0, 1.4f, 0.08f, 0.02f, 1.0f, 2);
          }}},
    };
    return book;
}

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of('/'), dot = path.find_last_of('.');
    size_t from = slash == std::string::npos ? 0 : slash + 1;
    return path.substr(from, dot == std::string::npos || dot < from ? std::string::npos : dot - from);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: synthSounds <repository root>\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    std::string root = argv[1], unitDir = root + "/data/unit";
    std::set<std::string> paths;
    DIR* dir = opendir(unitDir.c_str());
    if (!dir) return 1;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.' || e->d_type == DT_DIR) continue;
        set_config_file((unitDir + "/" + e->d_name).c_str());
        for (const char* key : {"Hit", "Dead", "Att1", "Att2", "Att3"})
            if (const char* p = get_config_string("Sound", key, nullptr)) paths.insert(p);
    }
    closedir(dir);
    int made = 0;
    for (const std::string& path : paths) {
        auto it = recipes().find(baseName(path));
        if (it == recipes().end()) {
            fprintf(stderr, "no recipe for the sound %s\n", path.c_str());
            return 1;
        }
        Synth s(it->second.first);
        it->second.second(s);
        // Thin sounds (clicks, hisses) stay at the ceiling; full-bodied ones (booms, roars) come
        // down to the common loudness, so that no effect drowns the others.
        s.w.normalise(effectPeakCeiling);
        float loudness = s.w.loudestRms(0.1f);
        if (loudness > effectLoudness) s.w.normalise(effectPeakCeiling * effectLoudness / loudness);
        std::string out = root + "/" + path;
        bool ok = hasExtension(path, ".ogg") ? writeOgg(s.w, out, effectPeakCeiling) : s.w.writeWav(out);
        if (!ok) {
            fprintf(stderr, "could not write %s\n", out.c_str());
            return 1;
        }
        made++;
    }
    printf("made %d sound effects\n", made);
    return 0;
}
