// The check every datafile passes before Allegro loads it: datafiles as the dat tool writes them
// pass, the damaged headers on which Allegro's own loader crashes do not.
#include <allegro.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "content/DatafileCache.h"
#include "support/DataBuilder.h"
#include "support/TestEnv.h"

namespace {

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Where the first object's type starts in an unpacked datafile of one named picture: magic,
// "ALL.", the count, then the NAME property (type, size, name).
size_t firstTypeOffset(const std::string& name) {
    return 4 + 4 + 4 + 4 + 4 + 4 + name.size();
}

// Objects of the types the game never uses, as the dat tool grabs them: a font from a picture of
// glyph cells framed in the colour of its top left pixel, an RLE sprite and a MIDI tune.
std::vector<FileObjectSpec> unusedObjects() {
    BITMAP* glyphs = create_bitmap_ex(32, 15, 10);
    clear_to_color(glyphs, makecol32(255, 255, 0));
    for (int g = 0; g < 2; g++)
        rectfill(glyphs, 1 + 7 * g, 1, 6 + 7 * g, 8, makecol32(255 * g, 255, 255));
    save_bitmap("font.bmp", glyphs, nullptr);
    destroy_bitmap(glyphs);
    writePicture("sprite.bmp", 6, 6, 0x00ff00);
    writeBytes("tune.mid", std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x0c"
                                       "\0\x90\x3c\x40\x60\x80\x3c\x40\0\xff\x2f\0",
                                       34));
    return {{"glyphs", "font.bmp", "FONT"}, {"sprite", "sprite.bmp", "RLE"}, {"tune", "tune.mid", "MIDI"}};
}

// A datafile of one DATA object of 18 bytes packed on its own, without its packed bytes.
const std::string packedDataHeader("slh.ALL.\0\0\0\1DATA\0\0\0\0\xff\xff\xff\xee", 24);

} // namespace

TEST(DatafileCheck, DatafilesOfTheDatToolPassPackedOrNotAndNestedOnes) {
    TempDir dir;
    ASSERT_TRUE(makeDatafile("packed.dat", {{"arena", 40, 30}, {"title"}}));
    EXPECT_TRUE(DatafileCache::isWellFormed("packed.dat"));
    ASSERT_TRUE(makeDatafile("plain.dat", {{"pic"}}));
    ASSERT_EQ(runCommand("dat -c0 plain.dat >/dev/null"), 0);
    EXPECT_TRUE(DatafileCache::isWellFormed("plain.dat"));
    ASSERT_EQ(runCommand("cp plain.dat inner.dat && dat -c0 plain.dat inner.dat -t FILE >/dev/null"), 0);
    EXPECT_TRUE(DatafileCache::isWellFormed("plain.dat"));

    dir.write("text.dat", "not a datafile at all");
    EXPECT_FALSE(DatafileCache::isWellFormed("text.dat"));
    EXPECT_FALSE(DatafileCache::isWellFormed("missing.dat"));
}

TEST(DatafileCheck, DamagedObjectHeadersAreRefusedAndTheCacheLoadsNothing) {
    TempDir dir;
    ASSERT_TRUE(makeDatafile("plain.dat", {{"pic"}}));
    ASSERT_EQ(runCommand("dat -c0 plain.dat >/dev/null"), 0);
    const std::string good = bytesOf("plain.dat");
    size_t type = firstTypeOffset("pic");
    ASSERT_EQ(good.substr(type, 4), "BMP ");
    ASSERT_EQ(good.substr(16, 4), "NAME");

    // A type Allegro finds in an empty slot of its type table, whose loader is null.
    std::string emptySlot = good;
    emptySlot.replace(type, 4, "\xff\xff\xff\xff");
    writeBytes("emptySlot.dat", emptySlot);
    // An object claiming more bytes than the file holds: Allegro skips past the end and reads
    // from before its buffer.
    std::string overlong = good;
    overlong.replace(type + 4, 8, std::string("\x00\x7f\xff\xff\x00\x7f\xff\xff", 8));
    writeBytes("overlong.dat", overlong);
    // A stored size Allegro never reads (it reads the size after it) does no harm.
    std::string storedSize = good;
    storedSize.replace(type + 4, 4, std::string("\xff\xff\xff\x10", 4));
    writeBytes("stored.dat", storedSize);
    EXPECT_TRUE(DatafileCache::isWellFormed("stored.dat"));
    // A picture of a depth Allegro cannot make (it then frees twice), and one claiming more
    // pixels than its chunk holds.
    std::string badDepth = good;
    badDepth.replace(type + 12, 2, std::string("\x00\x30", 2));
    writeBytes("badDepth.dat", badDepth);
    std::string tall = good;
    tall.replace(type + 16, 2, std::string("\x40\x00", 2));
    writeBytes("tall.dat", tall);
    // A property whose type is Allegro's end-of-list mark: the properties after it are lost
    // to the list and never freed.
    std::string endMarkProperty = good;
    endMarkProperty.replace(16, 4, "\xff\xff\xff\xff");
    writeBytes("endMark.dat", endMarkProperty);
    // Cut in the middle of its picture.
    writeBytes("cut.dat", good.substr(0, good.size() / 2));

    DatafileCache cache;
    for (const char* path :
         {"emptySlot.dat", "overlong.dat", "badDepth.dat", "tall.dat", "endMark.dat", "cut.dat"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(DatafileCache::isWellFormed(path));
        EXPECT_EQ(cache.load(path), nullptr);
    }
    EXPECT_NE(cache.load("plain.dat"), nullptr);
    EXPECT_EQ(cache.getCount(), 1);
}

TEST(DatafileCheck, ObjectsCompressedOnTheirOwnOrTogetherAndTypesTheGameNeverUsesLoad) {
    TempDir dir;
    ASSERT_TRUE(makeDatafile("mixed.dat", {{"pic", 12, 10}}, unusedObjects()));
    ASSERT_EQ(runCommand("cp mixed.dat inner.dat && dat -c0 mixed.dat -a -t FILE inner.dat >/dev/null"), 0);
    DatafileCache cache;
    for (std::string packing : {"-c0", "-c1", "-c2"}) {
        SCOPED_TRACE(packing);
        std::string path = "mixed" + packing + ".dat";
        ASSERT_EQ(runCommand("cp mixed.dat " + path + " && dat " + packing + " " + path + " >/dev/null"), 0);
        EXPECT_TRUE(DatafileCache::isWellFormed(path));
        BITMAP* pic = DatafileCache::findPicture(cache.load(path), "pic");
        ASSERT_NE(pic, nullptr);
        EXPECT_EQ(getpixel(pic, 11, 9), makecol(255, 0, 0));
    }

    // Fonts, sprites and tunes are skipped whatever they hold: Allegro's own loaders of them
    // trust their data.
    std::string garbled = bytesOf("mixed-c0.dat");
    garbled.replace(garbled.find("FONT") + 12, 24, std::string(24, '\xff'));
    writeBytes("garbled.dat", garbled);
    EXPECT_NE(DatafileCache::findPicture(cache.load("garbled.dat"), "pic"), nullptr);

    // Packed data that unpacks to less than its size, or cut short, or that reaches into the
    // part of Allegro's ring it has not written yet, whose bytes differ from load to load.
    std::string shortOfSize = bytesOf("mixed-c1.dat");
    size_t bitmap = shortOfSize.find("BMP ");
    shortOfSize.replace(bitmap + 8, 4, std::string("\xff\x80\0\0", 4));
    writeBytes("short.dat", shortOfSize);
    writeBytes("cut.dat", bytesOf("mixed-c1.dat").substr(0, bitmap + 40));
    writeBytes("unwritten.dat", packedDataHeader + std::string("\0\xfa\xff", 3));
    writeBytes("zeroes.dat", packedDataHeader + std::string("\0\0\x0f", 3));
    for (const char* path : {"short.dat", "cut.dat", "unwritten.dat"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(DatafileCache::isWellFormed(path));
        EXPECT_EQ(cache.load(path), nullptr);
    }
    EXPECT_NE(cache.load("zeroes.dat"), nullptr) << "the rest of the ring starts as zeroes";
}
