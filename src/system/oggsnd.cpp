#include "system/oggsnd.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/types.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include "system/fileAccess.h"

int oggsnd_error_code = 0;

namespace {

const int readPiece = 4096;            // bytes asked of the decoder at a time
const long firstGrowth = 65536;        // bytes; each later growth is 1.5 times the one before
const unsigned short silence = 0x8000; // centre of unsigned 16-bit PCM
// Largest sample decoded, in bytes (six minutes of 44.1 kHz stereo). Allegro counts sample
// lengths and their bytes in int, and a file's pages may claim any length: one that claims more
// is decoded as a file of unknown length and cut here.
const long maxSampleBytes = 64L * 1024 * 1024;

// libvorbisfile reads with size 1, so every callback counts bytes.

size_t fileRead(void* buffer, size_t size, size_t count, void* source) {
    return fread(buffer, size, count, static_cast<FILE*>(source));
}
int fileSeek(void* source, ogg_int64_t offset, int origin) {
    return fseeko(static_cast<FILE*>(source), static_cast<off_t>(offset), origin);
}
int noClose(void*) {
    return 0;
} // the opener closes its own source
long fileTell(void* source) {
    return ftell(static_cast<FILE*>(source));
}

size_t packRead(void* buffer, size_t size, size_t count, void* source) {
    long got = pack_fread(buffer, static_cast<long>(size * count), static_cast<PACKFILE*>(source));
    return got > 0 ? static_cast<size_t>(got) : 0;
}
// A packfile cannot seek backwards, so the decoder treats it as a stream of unknown length.
int packSeek(void*, ogg_int64_t, int) {
    return -1;
}
long packTell(void*) {
    return -1;
}

const ov_callbacks fileCallbacks = {fileRead, fileSeek, noClose, fileTell};
const ov_callbacks packCallbacks = {packRead, packSeek, noClose, packTell};

// Bytes one stream fill may read from its source, at the least. Vorbis holds far fewer bytes than
// the PCM it decodes to, so a fill that needs more than this (or twice its block, if that is
// more) is scanning something that is not music, such as garbage after the last page, which
// libvorbisfile would otherwise read to its end within one update. Such a fill is the end of the
// tune.
const long minFillRead = 256 * 1024;
// Fills in a row that only met decoder errors before the tune is taken as ended: a broken link
// costs one page per fill, and a stream that only fails would otherwise hold its last frame for
// ever.
const int maxFailedFills = 16;

long decodePiece(OggVorbis_File* decoder, char* into, int bytes) {
    return ov_read(decoder, into, bytes, 0, 2, 0, nullptr);
}

// Frames not written by the decoder hold silence, so a short read never plays stale memory.
void fillSilence(void* data, long fromByte, long toByte) {
    unsigned short* words = static_cast<unsigned short*>(data);
    for (long i = fromByte / 2; i < toByte / 2; ++i)
        words[i] = silence;
}

SAMPLE* decodeWhole(void* source, const ov_callbacks& callbacks) {
    OggVorbis_File decoder;
    int opened = ov_open_callbacks(source, &decoder, nullptr, 0, callbacks);
    if (opened < 0) {
        oggsnd_error_code = opened;
        return nullptr;
    }
    vorbis_info* info = ov_info(&decoder, -1);
    if (!info) {
        ov_clear(&decoder);
        return nullptr;
    }
    bool stereo = info->channels > 1;
    long frameBytes = stereo ? 4 : 2;
    ogg_int64_t total = ov_pcm_total(&decoder, -1);
    if (total > maxSampleBytes / frameBytes) total = -1;
    bool lengthKnown = total >= 0;
    long length = total > 0 ? static_cast<long>(total) : 1;
    if (info->rate <= 0 || info->rate > INT_MAX) {
        ov_clear(&decoder);
        return nullptr;
    }
    SAMPLE* sample = create_sample(16, stereo, static_cast<int>(info->rate), length);
    if (!sample) {
        ov_clear(&decoder);
        return nullptr;
    }
    long capacity = length * frameBytes; // bytes in sample->data
    long position = 0;
    double growth = firstGrowth;
    for (;;) {
        if (!lengthKnown && capacity - position < readPiece && capacity < maxSampleBytes) {
            long grown = capacity + static_cast<long>(growth);
            if (grown > maxSampleBytes) grown = maxSampleBytes;
            void* data = realloc(sample->data, grown);
            if (!data) {
                destroy_sample(sample);
                ov_clear(&decoder);
                return nullptr;
            }
            sample->data = data;
            capacity = grown;
            growth *= 1.5;
        }
        // A file whose pages claim fewer frames than it holds is cut at the claimed length
        // instead of being written past the end of its sample.
        long room = capacity - position;
        if (room <= 0) break;
        long got = decodePiece(&decoder, static_cast<char*>(sample->data) + position,
                               room < readPiece ? static_cast<int>(room) : readPiece);
        if (got == 0) break;
        if (got < 0) {
            oggsnd_error_code = static_cast<int>(got);
            destroy_sample(sample);
            ov_clear(&decoder);
            return nullptr;
        }
        position += got;
    }
    ov_clear(&decoder);
    if (!lengthKnown) {
        long frames = position / frameBytes;
        sample->len = frames > 0 ? frames : 1;
        sample->loop_end = sample->len;
    }
    fillSilence(sample->data, position, sample->len * frameBytes);
    lock_sample(sample);
    return sample;
}

} // namespace

struct OGGSND_STREAM {
    ov_callbacks callbacks;
    PACKFILE* source;
    AUDIOSTREAM* audio;
    OggVorbis_File* decoder;
    int blockSize;   // bytes, as asked at start
    int bufferBytes; // bytes in one Allegro stream buffer: whole frames of at most blockSize
    int ended;
    int channels;           // 1 or 2; a file of more channels is taken as stereo, as the whole layer does
    long rate;              // frames per second
    unsigned short held[2]; // last frame decoded, repeated when the data runs out
    long readLeft;          // bytes the source may still hand out in this fill
    bool sourceEnded;       // a fill ran out of readLeft: the rest of the source counts as past the end
    int failedFills;        // fills in a row that read nothing but decoder errors
    int (*update)(OGGSND_STREAM*);
};

namespace {

size_t streamRead(void* buffer, size_t size, size_t count, void* source) {
    OGGSND_STREAM* stream = static_cast<OGGSND_STREAM*>(source);
    if (stream->readLeft <= 0) stream->sourceEnded = true;
    if (stream->sourceEnded) return 0;
    long asked = static_cast<long>(size * count);
    long got = pack_fread(buffer, asked < stream->readLeft ? asked : stream->readLeft, stream->source);
    if (got <= 0) return 0;
    stream->readLeft -= got;
    return static_cast<size_t>(got);
}

const ov_callbacks streamCallbacks = {streamRead, packSeek, noClose, packTell};

void holdLastFrame(OGGSND_STREAM* stream, const unsigned char* data, int bytes) {
    int frameBytes = stream->channels * 2;
    if (bytes < frameBytes) return;
    const unsigned char* last = data + (bytes / frameBytes - 1) * frameBytes;
    for (int c = 0; c < stream->channels; ++c)
        stream->held[c] = static_cast<unsigned short>(last[2 * c] | (last[2 * c + 1] << 8));
}

// Decodes up to one buffer of PCM: the bytes decoded (0 once the data has ended), or the
// decoder's error when it failed before decoding anything.
long readBlock(OGGSND_STREAM* stream, unsigned char* buffer) {
    int size = stream->bufferBytes;
    int filled = 0;
    stream->readLeft = std::max(minFillRead, 2L * size);
    while (filled < size) {
        long got = decodePiece(stream->decoder, reinterpret_cast<char*>(buffer) + filled, size - filled);
        // A hole is a gap in the pages, not the end: the data goes on after it.
        if (got == OV_HOLE) continue;
        if (got == 0) break;
        if (got < 0) {
            if (filled > 0) break;
            oggsnd_error_code = static_cast<int>(got);
            return got;
        }
        filled += static_cast<int>(got);
    }
    return filled;
}

// Fills one buffer with decoded PCM; after the data ends, one more buffer holds the last frame,
// and only the fill after that reports the end (0). A fill that fails holds the last frame too.
int fillBlock(OGGSND_STREAM* stream, unsigned char* buffer) {
    int size = stream->bufferBytes;
    long got = readBlock(stream, buffer);
    int filled = got > 0 ? static_cast<int>(got) : 0;
    holdLastFrame(stream, buffer, filled);
    int frameBytes = stream->channels * 2;
    unsigned short* words = reinterpret_cast<unsigned short*>(buffer);
    for (int i = filled / 2; i < size / 2; ++i)
        words[i] = stream->held[(i * 2 % frameBytes) / 2];
    if (stream->ended) return 0;
    stream->failedFills = got < 0 ? stream->failedFills + 1 : 0;
    if (got == 0 || stream->failedFills >= maxFailedFills) stream->ended = 1;
    return 1;
}

int basicStreamer(OGGSND_STREAM* stream) {
    unsigned char* buffer = static_cast<unsigned char*>(get_audio_stream_buffer(stream->audio));
    if (!buffer) return 1;
    int playing = fillBlock(stream, buffer);
    free_audio_stream_buffer(stream->audio);
    return playing;
}

void releaseStream(OGGSND_STREAM* stream) {
    if (stream->audio) stop_audio_stream(stream->audio);
    ov_clear(stream->decoder);
    pack_fclose(stream->source);
    delete stream->decoder;
    delete stream;
}

} // namespace

void oggsnd_init() {}
void oggsnd_exit() {}

SAMPLE* oggsnd_load_ogg(const char* path) {
    if (!path) return nullptr;
    int fd = openForReading(path);
    if (FILE* file = fd >= 0 ? fdopen(fd, "rb") : nullptr) {
        SAMPLE* sample = decodeWhole(file, fileCallbacks);
        fclose(file);
        return sample;
    }
    if (fd >= 0) close(fd);
    // Only a path that names no file may be an object in a datafile.
    if (fd >= 0 || (errno != ENOENT && errno != ENOTDIR) || !mayOpenByPath(path)) return nullptr;
    PACKFILE* packfile = pack_fopen(path, "r");
    if (!packfile) return nullptr;
    SAMPLE* sample = decodeWhole(packfile, packCallbacks);
    pack_fclose(packfile);
    return sample;
}

OGGSND_STREAM* oggsnd_open_stream(const char* path, int block_size) {
    if (!path || block_size < 4 || !mayOpenByPath(path)) return nullptr;
    PACKFILE* packfile = pack_fopen(path, "r");
    if (!packfile) return nullptr;
    OGGSND_STREAM* stream = new OGGSND_STREAM();
    stream->callbacks = streamCallbacks;
    stream->source = packfile;
    stream->readLeft = LONG_MAX; // headers may be large; only fills are bounded
    stream->decoder = new OggVorbis_File();
    stream->blockSize = block_size;
    stream->update = basicStreamer;
    int opened = ov_open_callbacks(stream, stream->decoder, nullptr, 0, stream->callbacks);
    if (opened < 0) {
        oggsnd_error_code = opened;
        pack_fclose(packfile);
        delete stream->decoder;
        delete stream;
        return nullptr;
    }
    vorbis_info* info = ov_info(stream->decoder, -1);
    if (!info || info->channels < 1 || info->rate <= 0) {
        releaseStream(stream);
        return nullptr;
    }
    stream->channels = info->channels > 1 ? 2 : 1;
    stream->rate = info->rate;
    stream->held[0] = stream->held[1] = silence;
    int frames = block_size / (stream->channels * 2);
    stream->bufferBytes = frames * stream->channels * 2;
    return stream;
}

OGGSND_STREAM* oggsnd_start_streaming(const char* path, int block_size) {
    OGGSND_STREAM* stream = oggsnd_open_stream(path, block_size);
    if (!stream) return nullptr;
    // Without a digital driver Allegro hands out a stream that nothing ever plays; refuse it
    // so the caller knows there is no music.
    int frames = stream->bufferBytes / (stream->channels * 2);
    if (digi_driver && digi_driver->voices > 0 && stream->rate <= INT_MAX)
        stream->audio =
            play_audio_stream(frames, 16, stream->channels > 1, static_cast<int>(stream->rate), 255, 128);
    if (!stream->audio) {
        releaseStream(stream);
        return nullptr;
    }
    return stream;
}

int oggsnd_decode_block(OGGSND_STREAM* stream, void* buffer) {
    return stream && buffer ? fillBlock(stream, static_cast<unsigned char*>(buffer)) : 0;
}

int oggsnd_get_block_bytes(OGGSND_STREAM* stream) {
    return stream ? stream->bufferBytes : 0;
}

int oggsnd_update_streaming(OGGSND_STREAM* stream) {
    return stream ? stream->update(stream) : 0;
}

int oggsnd_stop_streaming(OGGSND_STREAM* stream) {
    if (stream) releaseStream(stream);
    return 0;
}

AUDIOSTREAM* oggsnd_get_audio_stream(OGGSND_STREAM* stream) {
    return stream ? stream->audio : nullptr;
}
