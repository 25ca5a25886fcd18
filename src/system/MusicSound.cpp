#include "system/MusicSound.h"

#include "system/Messages.h"
#include "system/oggsnd.h"

namespace {

const int musicBlockSize = 32768; // bytes of 16-bit PCM per stream buffer

OGGSND_STREAM* startMusicStream(const std::string& path, int volume) {
    OGGSND_STREAM* stream = oggsnd_start_streaming(path.c_str(), musicBlockSize);
    if (stream) {
        int voice = oggsnd_get_audio_stream(stream)->voice;
        voice_set_volume(voice, volume);
        voice_set_priority(voice, 255);
    }
    return stream;
}

// Allegro's own text names no device, and is empty when the drivers failed without a word.
std::string noSoundReason() {
    std::string drivers;
    const _DRIVER_INFO* list =
        system_driver && system_driver->digi_drivers ? system_driver->digi_drivers() : nullptr;
    for (; list && list->driver; ++list) {
        const DIGI_DRIVER* driver = static_cast<const DIGI_DRIVER*>(list->driver);
        if (list->autodetect && driver->ascii_name && driver->ascii_name[0])
            drivers += (drivers.empty() ? "" : ", ") + std::string(driver->ascii_name);
    }
    std::string text = allegro_error;
    if (text.empty() || text.find("MID") != std::string::npos) text = "no device answered";
    return "no sound device could be opened (" + (drivers.empty() ? "no sound driver" : drivers) + ": " +
           text + ")";
}

} // namespace

MusicSound::MusicSound()
    : soundInstalled(false), volumeGlobal(0), volumeMusic(0), volumeSfx(0), musicStream(nullptr),
      musicFaded(false) {}

MusicSound::~MusicSound() {
    if (soundInstalled) {
        stopMusic();
        oggsnd_exit();
    }
}

int MusicSound::initAudio() {
    allegro_error[0] = '\0'; // a text left by an earlier failure is not the sound's
    // The game plays no MIDI; asking for it would put a MIDI text in place of the device's.
    bool installed = install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0;
    // Allegro falls back to its silent driver when no sound device answers; that is no sound.
    if (installed && (!digi_driver || digi_driver->voices <= 0)) {
        remove_sound();
        installed = false;
    }
    if (!installed) {
        showMessage("Music/Sound Error: %s\n", noSoundReason().c_str());
        return 0;
    }
    soundInstalled = true;
    oggsnd_init();
    return 0;
}

void MusicSound::setVolumeGlobal(int v) {
    volumeGlobal = v;
    if (soundInstalled) set_volume(v, -1);
}

void MusicSound::setVolumeMusic(int v) {
    volumeMusic = v;
}
void MusicSound::setVolumeSfx(int v) {
    volumeSfx = v;
}

void MusicSound::playMusic(std::string* path) {
    // A stream still held from the previous campaign would otherwise play on, unfed, forever.
    stopMusic();
    musicPath = path ? *path : std::string();
    musicStream = startMusicStream(musicPath, volumeMusic);
    musicFaded = false;
}

void MusicSound::updateMusic() {
    if (!musicStream) return;
    if (oggsnd_update_streaming(musicStream) != 0) return;
    oggsnd_stop_streaming(musicStream);
    // Faded music that reaches its end stays silent instead of looping back at full volume.
    musicStream = musicFaded ? nullptr : startMusicStream(musicPath, volumeMusic);
}

void MusicSound::fadeMusic() {
    if (musicStream) {
        voice_ramp_volume(oggsnd_get_audio_stream(musicStream)->voice, 1000, 0);
        musicFaded = true;
    }
}

void MusicSound::stopMusic() {
    if (musicStream) oggsnd_stop_streaming(musicStream);
    musicStream = nullptr;
}

void MusicSound::pauseMusic() {
    if (musicStream) voice_stop(oggsnd_get_audio_stream(musicStream)->voice);
}

void MusicSound::restartMusic() {
    if (musicStream) voice_start(oggsnd_get_audio_stream(musicStream)->voice);
}

int MusicSound::playSfx(SAMPLE* sample, int pan, int frequency) {
    if (!sample) return -1;
    return play_sample(sample, volumeSfx, pan, frequency, 0);
}
