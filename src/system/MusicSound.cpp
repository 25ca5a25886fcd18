#include "system/MusicSound.h"

// Placeholder until music and sound effects are built: silent.

MusicSound::MusicSound()
    : soundInstalled(false), volumeGlobal(0), volumeMusic(0), volumeSfx(0), musicStream(nullptr) {}
MusicSound::~MusicSound() {}
int MusicSound::initAudio() { return 0; }
void MusicSound::setVolumeGlobal(int v) { volumeGlobal = v; }
void MusicSound::setVolumeMusic(int v) { volumeMusic = v; }
void MusicSound::setVolumeSfx(int v) { volumeSfx = v; }
void MusicSound::playMusic(std::string* path) { musicPath = path ? *path : std::string(); }
void MusicSound::updateMusic() {}
void MusicSound::fadeMusic() {}
void MusicSound::stopMusic() {}
void MusicSound::pauseMusic() {}
void MusicSound::restartMusic() {}
int MusicSound::playSfx(SAMPLE*, int, int) { return -1; }
