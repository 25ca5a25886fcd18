// Composes one looping piece per campaign. It reads each campaign file's "Music" path and
// writes an Ogg Vorbis loop in the style chosen by the campaign's name. Every note is written
// into a ring the length of the loop, so tails that run past the end sound again at the start
// and the piece joins itself without a seam.
#include "Wave.h"

#include <algorithm>
#include <allegro.h>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <dirent.h>
#include <map>
#include <string>
#include <vector>

namespace {

const int RATE = 44100;
const float TAU = 6.2831853f;

struct Style {
    float bpm;
    int bars;
    std::vector<std::vector<int>> chords; // one chord per bar, MIDI notes, cycled
    float drive;                          // 0 calm .. 1 driving: drums and arpeggio density
    unsigned seed;
};

Style styleFor(const std::string& name) {
    if (name == "Tutorial")
        return {96, 16, {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}}, 0.2f, 11};
    if (name == "Gauntlet")
        return {144,
                32,
                {{52, 55, 59}, {52, 55, 59}, {48, 52, 55}, {50, 54, 57}, {45, 48, 52}, {47, 50, 54}},
                1.0f,
                33};
    return {124, 32, {{50, 53, 57}, {46, 50, 53}, {48, 52, 55}, {45, 49, 52}}, 0.65f, 22};
}

// "data/music/Tutorial.ogg" and "Tutorial" both give "tutorial".
std::string lowerStem(const std::string& path) {
    size_t from = path.find_last_of('/') + 1, dot = path.find('.', from);
    std::string stem = path.substr(from, dot == std::string::npos ? std::string::npos : dot - from);
    for (char& c : stem)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return stem;
}

float hz(int midi) {
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

struct Ring {
    Wave w;
    unsigned seed;
    explicit Ring(size_t frames, unsigned s) : w(RATE, 2, frames), seed(s) {}
    float rnd() {
        seed = seed * 1664525u + 1013904223u;
        return float(seed >> 8) / float(1 << 23) - 1.0f;
    }
    // Adds one voice sample at frame i (wrapped), panned 0 left .. 1 right.
    void add(size_t i, float v, float pan) {
        i %= w.frames();
        w.data[2 * i] += v * (1 - pan);
        w.data[2 * i + 1] += v * pan;
    }
    // A note: `shape` 0 sine, 1 soft saw, 2 square-ish; attack and decay in seconds.
    void note(size_t at, float seconds, int midi, float level, int shape, float attack, float decay,
              float pan) {
        float f = hz(midi), phase = 0;
        size_t n = size_t(seconds * RATE);
        for (size_t k = 0; k < n; k++) {
            float t = k / float(RATE);
            phase += f / RATE;
            phase -= std::floor(phase);
            float s = shape == 0   ? std::sin(TAU * phase)
                      : shape == 1 ? std::sin(TAU * phase) + 0.5f * std::sin(2 * TAU * phase) +
                                         0.25f * std::sin(3 * TAU * phase)
                                   : std::tanh(4 * std::sin(TAU * phase)) * 0.6f;
            float env = std::min(1.0f, t / attack) * std::exp(-t / decay);
            if (k + 2000 > n) env *= float(n - k) / 2000.0f; // fade out the last samples of the note
            add(at + k, level * s * env, pan);
        }
    }
    void kick(size_t at, float level) {
        float phase = 0;
        for (size_t k = 0; k < size_t(0.35f * RATE); k++) {
            float t = k / float(RATE);
            phase += (45 + 110 * std::exp(-t * 25)) / RATE;
            add(at + k, level * std::sin(TAU * phase) * std::exp(-t * 9), 0.5f);
        }
    }
    void snare(size_t at, float level) {
        float lp = 0;
        for (size_t k = 0; k < size_t(0.25f * RATE); k++) {
            float t = k / float(RATE);
            lp += 0.5f * (rnd() - lp);
            add(at + k,
                level * (lp + 0.3f * std::sin(TAU * 190 * t)) * std::exp(-t * 18) * std::min(1.0f, t * 1000),
                0.45f);
        }
    }
    void hat(size_t at, float level) {
        float prev = 0;
        for (size_t k = 0; k < size_t(0.06f * RATE); k++) {
            float n = rnd(), hp = n - prev;
            prev = n;
            add(at + k, level * hp * std::exp(-60.0f * k / float(RATE)) * std::min(1.0f, k / 44.0f),
                0.6f); // 1 ms onset
        }
    }
};

Wave compose(const Style& st) {
    double beat = 60.0 * RATE / st.bpm;
    size_t frames = size_t(std::llround(beat * 4 * st.bars));
    Ring r(frames, st.seed);
    auto at = [&](int bar, double beats) { return size_t(std::llround((bar * 4 + beats) * beat)); };
    float sixteenth = float(beat / 4 / RATE);
    for (int bar = 0; bar < st.bars; bar++) {
        const std::vector<int>& ch = st.chords[bar % st.chords.size()];
        bool lastBar = bar % 8 == 7;
        // Pad: the chord held over the bar, wide in the stereo field.
        for (size_t i = 0; i < ch.size(); i++)
            r.note(at(bar, 0), float(beat * 4.5 / RATE), ch[i], 0.05f, 0, 0.4f, 3.0f, 0.2f + 0.3f * i);
        // Bass: the root on eighths (or quarters when calm).
        int step = st.drive > 0.5f ? 1 : 2;
        for (int e = 0; e < 8; e += step)
            r.note(at(bar, e * 0.5), float(beat * 0.5 * step / RATE),
                   ch[0] - 12 + (e == 6 && lastBar ? 7 : 0), 0.16f, 1, 0.005f, 0.25f, 0.5f);
        // Arpeggio: chord tones in a seeded pattern, denser with more drive.
        for (int s = 0; s < 16; s++) {
            bool play = (s % 2 == 0) || (st.drive > 0.6f && r.rnd() > 0.2f);
            if (!play) continue;
            int tone = ch[(s + bar) % ch.size()] + 12 * (1 + (s % 8 == 4));
            r.note(at(bar, s * 0.25), sixteenth * 3, tone, 0.07f, 2, 0.003f, 0.12f, s % 2 ? 0.7f : 0.3f);
        }
        // Lead: a short motif every other bar, built from the chord.
        if (bar % 2 == 1 && bar >= 4) {
            for (int m = 0; m < 4; m++) {
                int tone = ch[(m * 2 + bar / 2) % ch.size()] + 24 - (m == 3 ? 12 : 0);
                r.note(at(bar, m * 0.75), float(beat * 0.7 / RATE), tone, 0.05f, 0, 0.01f, 0.5f, 0.5f);
            }
        }
        // Drums.
        for (int b = 0; b < 4; b++) {
            if (st.drive > 0.1f && (b % 2 == 0 || st.drive > 0.9f)) r.kick(at(bar, b), 0.45f);
            if (st.drive > 0.4f && b % 2 == 1) r.snare(at(bar, b), 0.22f);
            for (int h = 0; h < (st.drive > 0.5f ? 2 : 1); h++)
                r.hat(at(bar, b + h * 0.5 + 0.5 * (st.drive <= 0.5f)), 0.1f);
        }
    }
    r.w.normalise(musicPeakCeiling);
    return r.w;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: composeMusic <repository root>\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    std::string root = argv[1], dirName = root + "/data/campaigns";
    DIR* dir = opendir(dirName.c_str());
    if (!dir) return 1;
    std::vector<std::string> campaigns;
    while (dirent* e = readdir(dir))
        if (e->d_name[0] != '.' && e->d_type != DT_DIR) campaigns.push_back(e->d_name);
    closedir(dir);
    // Directory order differs between machines; in name order the same files make the same music.
    std::sort(campaigns.begin(), campaigns.end());
    std::vector<std::string> files;                        // in the order their first campaign names them
    std::map<std::string, std::vector<std::string>> users; // music file -> campaigns naming it
    for (const std::string& name : campaigns) {
        set_config_file((dirName + "/" + name).c_str());
        std::string music = get_config_string("Campaign", "Music", "");
        if (music.empty()) continue;
        if (users[music].empty()) files.push_back(music);
        users[music].push_back(name);
    }
    int made = 0;
    for (const std::string& music : files) {
        const std::vector<std::string>& names = users[music];
        // One file holds one tune: that of the campaign the file is named after (tutorial.ogg is the
        // Tutorial's, whoever borrows it), or else of the first campaign by name.
        std::string owner = names[0];
        for (const std::string& name : names)
            if (lowerStem(music) == lowerStem(name)) owner = name;
        Style st = styleFor(owner);
        Wave w = compose(st);
        if (!writeOgg(w, root + "/" + music, musicPeakCeiling)) {
            fprintf(stderr, "could not write %s\n", music.c_str());
            return 1;
        }
        printf("%s: %.1f s at %.0f beats per minute\n", music.c_str(), w.frames() / double(RATE), st.bpm);
        if (names.size() > 1) {
            std::string list;
            for (const std::string& name : names)
                list += (list.empty() ? "" : ", ") + name;
            printf("%s is shared by the campaigns %s: all play %s's tune\n", music.c_str(), list.c_str(),
                   owner.c_str());
        }
        made++;
    }
    return made > 0 ? 0 : 1;
}
