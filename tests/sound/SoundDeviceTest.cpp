// Hears what the game plays. tests/e2e/test_sound.sh runs this binary under a private X server
// with a HOME whose default ALSA device records everything Allegro mixes to the raw file named
// in VORN_SOUND_FILE; without that variable the HOME has no sound device at all.
#include <algorithm>
#include <allegro.h>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "support/SoundFiles.h"
#include "system/GameSettings.h"
#include "system/Messages.h"
#include "system/MusicSound.h"
#include "system/oggsnd.h"

namespace {

class AllegroWithDisplay : public ::testing::Environment {
  public:
    void SetUp() override {
        // The X system driver loads Allegro's sound modules; SYSTEM_NONE has no sound drivers.
        if (install_allegro(SYSTEM_AUTODETECT, &errno, atexit) != 0)
            throw std::runtime_error("Allegro did not start; is DISPLAY set?");
        install_timer();
        setMessagesSilent(true);
    }
};
const auto* registered = ::testing::AddGlobalTestEnvironment(new AllegroWithDisplay);

const char* recordingPath() {
    return getenv("VORN_SOUND_FILE");
}

std::string tempFolder() {
    char pattern[] = "/tmp/vorn-sound-XXXXXX";
    if (!mkdtemp(pattern)) throw std::runtime_error("no temporary folder");
    return pattern;
}

// One recording: sound installed by the game's own start-up, removed again to close the file.
class RecordedSound : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!recordingPath()) GTEST_SKIP() << "VORN_SOUND_FILE names no recording device";
        folder = tempFolder();
        sound = new MusicSound();
        sound->initAudio();
        ASSERT_TRUE(sound->isSoundInstalled()) << allegro_error;
        channels = get_mixer_channels();
        rate = get_mixer_frequency();
        ASSERT_EQ(get_mixer_bits(), 16);
    }
    void TearDown() override {
        delete sound;
        remove_sound();
        if (!folder.empty()) std::system(("rm -rf '" + folder + "'").c_str());
    }
    std::string file(const std::string& name) const { return folder + "/" + name; }

    long recordedFrames() const {
        struct stat st;
        return stat(recordingPath(), &st) == 0 ? st.st_size / (2 * channels) : 0;
    }
    // Lets Allegro mix the given number of frames more, feeding the music every msPerUpdate.
    void play(long frames, int msPerUpdate = 1) {
        long until = recordedFrames() + frames;
        for (int waited = 0; recordedFrames() < until; waited += msPerUpdate) {
            ASSERT_LT(waited, 30000) << "the recording stopped growing";
            sound->updateMusic();
            rest(msPerUpdate);
        }
    }
    // Stops sound and reads the whole recording: one vector per channel, centred on 0.
    void finish() {
        delete sound;
        sound = nullptr;
        remove_sound();
        std::ifstream in(recordingPath(), std::ios::binary);
        std::vector<unsigned short> data;
        unsigned char pair[2];
        while (in.read(reinterpret_cast<char*>(pair), 2))
            data.push_back(static_cast<unsigned short>(pair[0] | pair[1] << 8));
        long frames = data.size() / channels;
        left = channelOf(data.data(), frames, channels, 0);
        right = channelOf(data.data(), frames, channels, channels - 1);
    }

    struct Run {
        long from, to;
        double rms;
    };
    // Stretches where the left channel carries a tone, found in windows of 256 frames.
    std::vector<Run> toneRuns(double threshold = 300) const {
        const long window = 256;
        std::vector<Run> runs;
        for (long at = 0; at + window <= static_cast<long>(left.size()); at += window) {
            double rms = std::max(acRms(left, at, at + window), acRms(right, at, at + window));
            if (rms < threshold) continue;
            if (!runs.empty() && runs.back().to == at)
                runs.back().to = at + window;
            else
                runs.push_back({at, at + window, 0});
        }
        for (Run& r : runs)
            r.rms = std::max(acRms(left, r.from, r.to), acRms(right, r.from, r.to));
        return runs;
    }
    SAMPLE* tone(double seconds, double hz) {
        std::vector<short> frames = sineFrames(22050, 1, seconds, hz, 0.5);
        SAMPLE* s = create_sample(16, 0, 22050, frames.size());
        for (size_t i = 0; i < frames.size(); ++i)
            static_cast<unsigned short*>(s->data)[i] = static_cast<unsigned short>(frames[i] + 32768);
        return s;
    }

    std::string folder;
    MusicSound* sound = nullptr;
    int channels = 2;
    int rate = 44100;
    std::vector<double> left, right;
};

} // namespace

TEST_F(RecordedSound, AnEffectIsHeardForItsDurationAtAPitchShiftedByItsFrequency) {
    SAMPLE* effect = tone(0.5, 441);
    sound->setVolumeSfx(255);
    const int frequencies[] = {1000, 2000, 500};
    for (int frequency : frequencies) {
        sound->playSfx(effect, 128, frequency);
        play(effect->len * 2000L / frequency + rate / 4);
    }
    finish();
    std::vector<Run> runs = toneRuns();
    ASSERT_EQ(runs.size(), 3u);
    // Silence before the first effect is the centre of unsigned 16-bit PCM: the format is understood.
    ASSERT_GT(runs[0].from, 0);
    EXPECT_EQ(left[0], 0);
    for (int i = 0; i < 3; ++i) {
        double speed = frequencies[i] / 1000.0;
        EXPECT_NEAR(runs[i].to - runs[i].from, rate / 2 / speed, 512) << frequencies[i];
        EXPECT_NEAR(cyclesPerFrame(left, runs[i].from, runs[i].to) * rate, 441 * speed, 441 * speed * 0.02)
            << frequencies[i];
        EXPECT_NEAR(acRms(left, runs[i].from, runs[i].to) / acRms(right, runs[i].from, runs[i].to), 1.0,
                    0.05);
    }
    destroy_sample(effect);
}

TEST_F(RecordedSound, PanPutsTheEffectOnTheLeftOrTheRight) {
    SAMPLE* effect = tone(0.25, 441);
    sound->setVolumeSfx(255);
    sound->playSfx(effect, 16, 1000);
    play(rate / 2);
    sound->playSfx(effect, 240, 1000);
    play(rate / 2);
    finish();
    std::vector<Run> runs = toneRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_GT(acRms(left, runs[0].from, runs[0].to), 4 * acRms(right, runs[0].from, runs[0].to));
    EXPECT_GT(acRms(right, runs[1].from, runs[1].to), 4 * acRms(left, runs[1].from, runs[1].to));
    destroy_sample(effect);
}

TEST_F(RecordedSound, TheEffectVolumeAndTheGlobalVolumeScaleWhatIsHeard) {
    SAMPLE* effect = tone(0.25, 441);
    sound->setVolumeSfx(255);
    sound->playSfx(effect, 128, 1000);
    play(rate / 2);
    sound->setVolumeSfx(64);
    sound->playSfx(effect, 128, 1000);
    play(rate / 2);
    sound->setVolumeSfx(255);
    sound->setVolumeGlobal(64);
    sound->playSfx(effect, 128, 1000);
    play(rate / 2);
    finish();
    std::vector<Run> runs = toneRuns(50);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_NEAR(runs[1].rms / runs[0].rms, 64.0 / 255, 0.04);
    EXPECT_NEAR(runs[2].rms / runs[0].rms, 64.0 / 255, 0.04);
    destroy_sample(effect);
}

TEST_F(RecordedSound, MusicLoopsWithTheLastValueHeldBetweenPasses) {
    // 0.5 s of stereo music is 22050 frames; a stream block of 32768 bytes is 8192 frames, so
    // the last block of a pass holds 5666 frames of music and 2526 of the held value.
    ASSERT_TRUE(writeSineOgg(file("music.ogg"), 44100, 2, 0.5, 441, 0.5));
    std::string path = file("music.ogg");
    sound->setVolumeMusic(255);
    sound->playMusic(&path);
    play(4 * 44100, 20); // fed about as often as the game draws frames
    finish();
    std::vector<Run> runs = toneRuns();
    ASSERT_GE(runs.size(), 3u);
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        EXPECT_NEAR(runs[i].to - runs[i].from, 22050, 512) << "pass " << i;
        long gap = runs[i + 1].from - runs[i].to;
        EXPECT_GE(gap, 2526 - 256) << "pass " << i;
        EXPECT_LT(gap, 2 * 8192) << "pass " << i;
        // The held block keeps the level where the music ended: no jump to full scale.
        for (long f = runs[i].to; f < runs[i + 1].from; ++f)
            ASSERT_LT(std::fabs(left[f]), 4000) << "pass " << i << " frame " << f;
    }
}

TEST_F(RecordedSound, TheMusicVolumeAppliesFromTheNextLoop) {
    ASSERT_TRUE(writeSineOgg(file("music.ogg"), 44100, 2, 1.0, 441, 0.5));
    std::string path = file("music.ogg");
    sound->setVolumeMusic(255);
    sound->playMusic(&path);
    play(44100 / 2); // about the middle of the first pass
    sound->setVolumeMusic(64);
    play(3 * 44100);
    finish();
    std::vector<Run> runs = toneRuns(50);
    ASSERT_GE(runs.size(), 2u);
    const Run& first = runs[0];
    EXPECT_NEAR(first.to - first.from, 44100, 512);
    double head = acRms(left, first.from, first.from + 8192), tail = acRms(left, first.to - 8192, first.to);
    EXPECT_NEAR(tail / head, 1.0, 0.05) << "the first pass changed its loudness";
    EXPECT_NEAR(runs[1].rms / first.rms, 64.0 / 255, 0.04);
}

TEST_F(RecordedSound, FadedMusicStaysSilentThroughItsEndAndTheNextCampaignsMusicReplacesIt) {
    ASSERT_TRUE(writeSineOgg(file("first.ogg"), 44100, 2, 0.5, 441, 0.5));
    ASSERT_TRUE(writeSineOgg(file("second.ogg"), 44100, 2, 0.5, 882, 0.5));
    std::string first = file("first.ogg"), second = file("second.ogg");
    sound->setVolumeMusic(255);
    sound->playMusic(&first);
    play(44100);
    sound->fadeMusic();
    for (int i = 0; i < 1500; ++i) { // longer than the music and its 1000 ms ramp
        sound->updateMusic();
        rest(1);
    }
    long faded = recordedFrames();
    play(22050);
    sound->playMusic(&second); // the faded stream is stopped, not left playing
    play(2 * 44100);
    finish();
    EXPECT_LT(acRms(left, faded, faded + 22050), 50);
    std::vector<Run> runs = toneRuns();
    ASSERT_FALSE(runs.empty());
    const Run& last = runs.back();
    EXPECT_GT(last.from, faded);
    EXPECT_NEAR(cyclesPerFrame(left, last.from, last.to) * rate, 882, 882 * 0.02);
}

TEST_F(RecordedSound, NewMusicStopsTheStreamStillHeld) {
    ASSERT_TRUE(writeSineOgg(file("first.ogg"), 44100, 2, 2.0, 441, 0.5));
    ASSERT_TRUE(writeSineOgg(file("second.ogg"), 44100, 2, 2.0, 882, 0.5));
    std::string first = file("first.ogg"), second = file("second.ogg");
    sound->setVolumeMusic(255);
    sound->playMusic(&first);
    play(44100);
    long switched = recordedFrames();
    sound->playMusic(&second);
    play(44100);
    finish();
    // An old stream left behind would go on repeating its last buffers under the new music.
    long from = switched + 16384, to = switched + 32768;
    EXPECT_NEAR(cyclesPerFrame(left, from, to) * rate, 882, 882 * 0.02);
    EXPECT_NEAR(acRms(left, from, to) / acRms(left, switched - 16384, switched), 1.0, 0.1);
}

TEST_F(RecordedSound, TheLoudestShippedFightNeverReachesFullScale) {
    // The shipped effects (data/sound, made by the build) loaded as the game loads them, loudest first.
    std::vector<std::pair<double, SAMPLE*>> effects;
    DIR* dir = opendir("data/sound");
    ASSERT_TRUE(dir) << "no data/sound: build the data first (target vorndata)";
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        std::string path = std::string("data/sound/") + e->d_name;
        SAMPLE* s = load_sample(path.c_str());
        if (!s) s = oggsnd_load_ogg(path.c_str());
        ASSERT_TRUE(s) << path << " does not decode";
        effects.push_back(
            {peakOf(channelOf(static_cast<unsigned short*>(s->data), s->len << s->stereo, 1, 0)), s});
    }
    closedir(dir);
    ASSERT_GE(effects.size(), 3u);
    std::sort(effects.begin(), effects.end(), std::greater<>());
    char* root = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(folder.c_str()), 0); // no settings file here: the default volumes
    GameSettings().loadVolume(sound);
    ASSERT_EQ(chdir(root), 0);
    free(root);
    std::string music = "data/music/gauntlet.ogg";
    sound->playMusic(&music);
    // Every voice but the music's starts one of the loudest effects in the same frame: a wave of the
    // smallest (highest-pitched) enemies dying together at the arena's left edge.
    int voices = digi_driver->voices;
    for (int loudest = 0; loudest < 3; ++loudest) {
        SAMPLE* effect = effects[loudest].second;
        int busy = 0;
        for (int v = 1; v < voices; ++v)
            busy += sound->playSfx(effect, 0, 2000) >= 0;
        EXPECT_EQ(busy, voices - 1);
        play(effect->len * long(rate) / (2L * effect->freq) + rate / 10, 20);
    }
    finish();
    double peak = std::max(peakOf(left), peakOf(right));
    std::printf("%d voices: the loudest fight peaks at %.1f dBFS\n", voices, 20 * std::log10(peak / 32768));
    EXPECT_LT(peak, 32767) << "the mix reached full scale";
    for (auto& effect : effects)
        destroy_sample(effect.second);
}

TEST(NoSoundDevice, StartUpSaysSoAndTheGameRunsSilent) {
    if (recordingPath()) GTEST_SKIP() << "this run has a recording device";
    std::string folder = tempFolder();
    std::string path = folder + "/music.ogg";
    ASSERT_TRUE(writeSineOgg(path, 22050, 1, 0.2, 440));
    SAMPLE* effect = create_sample(16, 0, 22050, 100);
    clearShownMessages();
    {
        MusicSound sound;
        sound.initAudio();
        ASSERT_EQ(getShownMessages().size(), 1u);
        EXPECT_EQ(
            getShownMessages()[0],
            "Music/Sound Error: no sound device could be opened (ALSA: Can not open card/pcm device)\n");
        EXPECT_FALSE(sound.isSoundInstalled());
        sound.setVolumeGlobal(200);
        EXPECT_EQ(sound.getVolumeGlobal(), 200);
        sound.playMusic(&path);
        for (int i = 0; i < 20; ++i)
            sound.updateMusic();
        sound.fadeMusic();
        sound.pauseMusic();
        sound.restartMusic();
        sound.playSfx(effect, 0, 2000);
    }
    EXPECT_EQ(oggsnd_start_streaming(path.c_str(), 32768), nullptr);
    destroy_sample(effect);
    std::system(("rm -rf '" + folder + "'").c_str());
}
