// A fuzzed Ogg file: decoded whole into a sample, and streamed block by block to its end.
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "system/oggsnd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    startFuzzing();
    writeFuzzFile("fuzz.ogg", data, size);
    if (SAMPLE* sample = oggsnd_load_ogg("fuzz.ogg")) {
        unsigned long bytes = sample->len * (sample->stereo ? 4 : 2);
        if (sample->len < 1 || sample->bits != 16)
            abort();
        // Every byte of the sample is there to be read (the sanitizer checks the last one).
        volatile unsigned char last = static_cast<unsigned char*>(sample->data)[bytes - 1];
        (void)last;
        destroy_sample(sample);
    }
    // Block sizes of whole and of broken frames alike.
    int blockSize = 1024 + static_cast<int>(size % 7);
    if (OGGSND_STREAM* stream = oggsnd_open_stream("fuzz.ogg", blockSize)) {
        std::vector<unsigned char> block(oggsnd_get_block_bytes(stream));
        if (block.empty() || static_cast<int>(block.size()) > blockSize)
            abort();
        // A stream ends one padded block after its data; the bound only guards against a
        // stream that never ends, which would be a hang.
        int blocks = 0;
        while (oggsnd_decode_block(stream, block.data()) != 0)
            if (++blocks > 1000000)
                abort();
        oggsnd_stop_streaming(stream);
    }
    return 0;
}
