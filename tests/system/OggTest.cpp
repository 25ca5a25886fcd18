#include <allegro.h>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <vorbis/codec.h>

#include "support/SoundFiles.h"
#include "support/TestEnv.h"
#include "system/oggsnd.h"

TEST(OggDecoding, MonoAndStereoFilesBecomeUnsigned16BitSamplesOfTheirOwnLength) {
    TempDir dir;
    ASSERT_TRUE(writeSineOgg("mono.ogg", 22050, 1, 0.5, 441, 0.5));
    ASSERT_TRUE(writeSineOgg("stereo.ogg", 44100, 2, 0.25, 882, 0.5, true));

    SAMPLE* mono = oggsnd_load_ogg("mono.ogg");
    ASSERT_NE(mono, nullptr);
    EXPECT_EQ(mono->bits, 16);
    EXPECT_EQ(mono->stereo, 0);
    EXPECT_EQ(mono->freq, 22050);
    EXPECT_EQ(mono->len, 11025ul);
    std::vector<double> m = channelOf(static_cast<const unsigned short*>(mono->data), mono->len, 1, 0);
    EXPECT_NEAR(acRms(m, 0, m.size()), 0.5 * 32767 / std::sqrt(2.0), 800); // centred on 0x8000
    EXPECT_NEAR(cyclesPerFrame(m, 0, m.size()), 441.0 / 22050, 0.0005);
    destroy_sample(mono);

    SAMPLE* stereo = oggsnd_load_ogg("stereo.ogg");
    ASSERT_NE(stereo, nullptr);
    EXPECT_EQ(stereo->stereo, 1);
    EXPECT_EQ(stereo->freq, 44100);
    EXPECT_EQ(stereo->len, 11025ul);
    const unsigned short* data = static_cast<const unsigned short*>(stereo->data);
    std::vector<double> left = channelOf(data, stereo->len, 2, 0), right = channelOf(data, stereo->len, 2, 1);
    EXPECT_GT(acRms(left, 0, left.size()), 10000);
    EXPECT_LT(acRms(right, 0, right.size()), 500);
    EXPECT_NEAR(cyclesPerFrame(left, 0, left.size()), 882.0 / 44100, 0.0005);
    destroy_sample(stereo);
}

TEST(OggDecoding, AnEmptyValidStreamGivesASilentSampleOfLengthOne) {
    TempDir dir;
    writeWav("empty.wav", 22050, 1, {});
    ASSERT_TRUE(encodeOgg("empty.wav", "empty.ogg"));
    SAMPLE* s = oggsnd_load_ogg("empty.ogg");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->len, 1ul);
    EXPECT_EQ(static_cast<unsigned short*>(s->data)[0], 0x8000);
    destroy_sample(s);
}

TEST(OggDecoding, FilesThatAreNotCompleteOggVorbisFailOrDecodeWhatTheyHold) {
    TempDir dir;
    dir.write("noise.ogg", std::string(5000, 'x'));
    EXPECT_EQ(oggsnd_load_ogg("noise.ogg"), nullptr);
    EXPECT_EQ(oggsnd_error_code, OV_ENOTVORBIS);
    EXPECT_EQ(oggsnd_load_ogg("missing.ogg"), nullptr);

    // Cut in the middle of its audio pages: what remains decodes, and nothing is read or
    // written beyond the sample (the sanitizer build checks).
    std::vector<short> noise(2 * 44100);
    for (short& v : noise)
        v = static_cast<short>(rand() % 20000 - 10000); // noise fills many audio pages
    writeWav("long.wav", 22050, 2, noise);
    ASSERT_TRUE(encodeOgg("long.wav", "long.ogg"));
    std::string whole = dir.read("long.ogg");
    dir.write("cut.ogg", whole.substr(0, whole.size() / 2));
    SAMPLE* cut = oggsnd_load_ogg("cut.ogg");
    ASSERT_NE(cut, nullptr);
    EXPECT_GT(cut->len, 0ul);
    EXPECT_LT(cut->len, 44100ul);
    destroy_sample(cut);

    // Cut inside the headers: not a stream at all.
    dir.write("head.ogg", whole.substr(0, 200));
    oggsnd_error_code = 0;
    EXPECT_EQ(oggsnd_load_ogg("head.ogg"), nullptr);
    EXPECT_LT(oggsnd_error_code, 0);
}

TEST(OggDecoding, AnObjectInsideADatafileDecodesCompletelyThroughItsGrowingBuffer) {
    TempDir dir;
    // 2 s of stereo is 352800 bytes: the buffer grows by 65536, 98304, 147456 bytes and more.
    ASSERT_TRUE(writeSineOgg("music.ogg", 44100, 2, 2.0, 441));
    ASSERT_EQ(runCommand("dat -a -t OGG sounds.dat music.ogg >/dev/null"), 0);
    ASSERT_FALSE(dir.exists("sounds.dat#MUSIC_OGG"));

    SAMPLE* direct = oggsnd_load_ogg("music.ogg");
    SAMPLE* packed = oggsnd_load_ogg("sounds.dat#MUSIC_OGG");
    ASSERT_NE(direct, nullptr);
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(packed->len, 88200ul);
    EXPECT_EQ(packed->len, direct->len);
    EXPECT_EQ(packed->loop_end, packed->len);
    EXPECT_EQ(packed->stereo, 1);
    EXPECT_EQ(0, std::memcmp(packed->data, direct->data, direct->len * 4));
    destroy_sample(direct);
    destroy_sample(packed);

    EXPECT_EQ(oggsnd_load_ogg("sounds.dat#NO_SUCH_OBJECT"), nullptr);
}

TEST(OggStreaming, WithoutADigitalDriverNoStreamStartsAndNothingIsHeld) {
    TempDir dir;
    ASSERT_TRUE(writeSineOgg("music.ogg", 22050, 1, 0.5, 440));
    dir.write("noise.ogg", std::string(5000, 'x'));
    // The unit tests run without a sound driver; the sanitizer build reports any leak.
    EXPECT_EQ(oggsnd_start_streaming("music.ogg", 32768), nullptr);
    oggsnd_error_code = 0;
    EXPECT_EQ(oggsnd_start_streaming("noise.ogg", 32768), nullptr);
    EXPECT_EQ(oggsnd_error_code, OV_ENOTVORBIS);
    EXPECT_EQ(oggsnd_start_streaming("missing.ogg", 32768), nullptr);
    EXPECT_EQ(oggsnd_update_streaming(nullptr), 0);
    EXPECT_EQ(oggsnd_stop_streaming(nullptr), 0);
    EXPECT_EQ(oggsnd_get_audio_stream(nullptr), nullptr);
}

TEST(OggStreaming, GapsBrokenLinksAndGarbageNeitherCutTheTuneShortNorHoldItForEver) {
    TempDir dir;
    std::vector<short> noise(2 * 44100); // 2 s of stereo at 22050 Hz fills several pages
    for (short& v : noise)
        v = static_cast<short>(rand() % 20000 - 10000);
    writeWav("noise.wav", 22050, 2, noise);
    ASSERT_TRUE(encodeOgg("noise.wav", "a.ogg") && encodeOgg("noise.wav", "b.ogg"));
    std::string first = dir.read("a.ogg"), second = dir.read("b.ogg"), hole, garbage(1 << 20, 'x');
    std::vector<std::string> pages = oggPages(first), link = oggPages(second);
    ASSERT_GT(link.size(), 4u);
    for (size_t i = 0; i < pages.size(); ++i)
        hole += i == pages.size() / 2 ? "" : pages[i];
    // A link that lost its second header page never decodes: each of its pages fails a fill.
    std::string broken = link[0] + link[2] + link[2], endless = link[0];
    for (int i = 0; i < 200; ++i)
        endless += link[2];
    struct {
        std::string file;
        long minFrames, maxFrames;        // of decoded audio: frames that differ from the one before
        int heldStretches;                // runs of 16 equal frames: the end holds one, failed fills another
    } cases[] = {{hole, 28000, 44100, 1}, // the data after the gap plays on
                 {first + broken + second, 2 * 43000, 2 * 44100, 2},
                 {first + endless, 43000, 44100, 1},
                 {first + garbage + second, 43000, 44100, 1}}; // garbage is the end of the tune
    for (const auto& c : cases) {
        dir.write("case.ogg", c.file);
        OGGSND_STREAM* stream = oggsnd_open_stream("case.ogg", 4096);
        ASSERT_NE(stream, nullptr);
        std::vector<unsigned int> frames(1024);
        long blocks = 0, moving = 0, run = 0, held = 0, previous = -1;
        while (oggsnd_decode_block(stream, frames.data()) != 0 && ++blocks < 10000)
            for (unsigned int frame : frames) {
                run = frame == previous ? run + 1 : 0;
                moving += run == 0;
                held += run == 16;
                previous = frame;
            }
        oggsnd_stop_streaming(stream);
        EXPECT_GE(moving, c.minFrames) << &c - cases;
        EXPECT_LE(moving, c.maxFrames) << &c - cases;
        EXPECT_EQ(held, c.heldStretches) << &c - cases;
        EXPECT_LE(blocks, moving / 1024 + 24) << &c - cases; // at most 16 failed fills in a row
    }
}
