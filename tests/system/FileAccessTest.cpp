#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/TestEnv.h"
#include "system/fileAccess.h"
#include "system/oggsnd.h"

// A fifo waits for a writer: the sound loaders refuse it at once (an object of a datafile by its
// datafile), and a file past the size bound is refused before it is read.
TEST(FileAccess, AFifoOrAFileTooLargeIsRefusedWithoutWaiting) {
    TempDir dir;
    dir.write("huge", "");
    ASSERT_TRUE(mkfifo("pipe", 0644) == 0 && truncate("huge", maxReadBytes + 1) == 0); // sparse
    for (const char* path : {"pipe", "pipe#OBJECT", "huge"}) {
        EXPECT_EQ(oggsnd_load_ogg(path), nullptr) << path;
        EXPECT_EQ(oggsnd_open_stream(path, 4096), nullptr);
    }
    EXPECT_EQ(whyUnreadable("huge"), "is larger than 64 MB");
}
