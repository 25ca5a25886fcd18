// The check every datafile passes before Allegro loads it: datafiles as the dat tool writes them
// pass, the damaged headers on which Allegro's own loader crashes do not.
#include <allegro.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

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
    // An object compressed on its own (negative stored size).
    std::string ownCompression = good;
    ownCompression.replace(type + 4, 4, std::string("\xff\xff\xff\x10", 4));
    writeBytes("own.dat", ownCompression);
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
         {"emptySlot.dat", "overlong.dat", "own.dat", "badDepth.dat", "tall.dat", "endMark.dat", "cut.dat"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(DatafileCache::isWellFormed(path));
        EXPECT_EQ(cache.load(path), nullptr);
    }
    EXPECT_NE(cache.load("plain.dat"), nullptr);
    EXPECT_EQ(cache.getCount(), 1);
}
