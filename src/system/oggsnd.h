#ifndef VORN_SYSTEM_OGGSND_H
#define VORN_SYSTEM_OGGSND_H

#include <allegro.h>

// The Ogg Vorbis layer on libvorbisfile: whole-file decoding into a SAMPLE and streaming
// through an AUDIOSTREAM. All audio is 16-bit unsigned little-endian PCM.

#define OGGSND_VERSION_TEXT "oggsnd 1.0 Ogg Vorbis sound layer"

struct OGGSND_STREAM;

// Last negative libvorbisfile error; written only on failure, never cleared.
extern int oggsnd_error_code;

void oggsnd_init();
void oggsnd_exit();
// Decodes a whole file (plain file first, then a packfile path, which reaches datafile objects).
SAMPLE* oggsnd_load_ogg(const char* path);
// block_size in bytes of 16-bit PCM per stream buffer; null on failure.
OGGSND_STREAM* oggsnd_start_streaming(const char* path, int block_size);
// Non-zero while the stream still plays, 0 once it has finished.
int oggsnd_update_streaming(OGGSND_STREAM* stream);
int oggsnd_stop_streaming(OGGSND_STREAM* stream);
AUDIOSTREAM* oggsnd_get_audio_stream(OGGSND_STREAM* stream);

// Decoding a stream without playing it (tools, checks): the same blocks the update hands to
// Allegro come back to the caller. Stop such a stream with oggsnd_stop_streaming.
OGGSND_STREAM* oggsnd_open_stream(const char* path, int block_size);
// Bytes of one block: whole frames of at most the block size asked for.
int oggsnd_get_block_bytes(OGGSND_STREAM* stream);
// Fills buffer with the next block; returns what the update would (0 once finished).
int oggsnd_decode_block(OGGSND_STREAM* stream, void* buffer);

#endif
