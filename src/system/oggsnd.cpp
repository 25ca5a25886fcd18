#include "system/oggsnd.h"

// Placeholder until the Ogg Vorbis layer is built: every file fails to decode.

int oggsnd_error_code = 0;

void oggsnd_init() {}
void oggsnd_exit() {}
SAMPLE* oggsnd_load_ogg(const char*) { return nullptr; }
OGGSND_STREAM* oggsnd_start_streaming(const char*, int) { return nullptr; }
int oggsnd_update_streaming(OGGSND_STREAM*) { return 0; }
int oggsnd_stop_streaming(OGGSND_STREAM*) { return 0; }
AUDIOSTREAM* oggsnd_get_audio_stream(OGGSND_STREAM*) { return nullptr; }
